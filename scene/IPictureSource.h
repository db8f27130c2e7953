// IPictureSource: where items get their pictures and the screen size from. The Windows version
// (scene/win/CResourcePictureSource) reads the program's bitmap resources, decodes picture files
// and asks the system for the screen size; tests use a fake.
#pragma once

#include "param/Tstr.h"

class CBmp;

class IPictureSource {
public:
    virtual ~IPictureSource() = default;
    // The built-in bitmap resource id into out (out is emptied when there is none).
    virtual bool LoadResource(int id, CBmp& out) = 0;
    // A picture file into out (empty on any failure).
    virtual bool LoadFile(const tstr& path, CBmp& out) = 0;
    virtual bool FileExists(const tstr& path) = 0;
    // The primary screen's size in pixels.
    virtual void ScreenSize(int& width, int& height) = 0;
    // Drops what the source keeps to answer later loads faster (decoded resources); later loads
    // answer the same pictures.
    virtual void ForgetDecoded() noexcept {}
};
