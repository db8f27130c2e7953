// CResourcePictureSource: the picture source of the running program: bitmap resources of a module,
// picture files through the system decoders, the file-exists test and the primary screen's size.
// Decoded resources are kept, so a scene that uses one picture for many items (or thousands of
// stored items) decodes each resource once.
#pragma once

#include "scene/CBmp.h"
#include "scene/IPictureSource.h"

#include <map>
#include <windows.h>

class CResourcePictureSource : public IPictureSource {
public:
    // module: where the bitmap resources live (null: the program's own module). Not owned.
    explicit CResourcePictureSource(HINSTANCE module = nullptr) noexcept : m_module(module) {}

    bool LoadResource(int id, CBmp& out) override;
    bool LoadFile(const tstr& path, CBmp& out) override;
    bool FileExists(const tstr& path) override;
    void ScreenSize(int& width, int& height) override;
    // The items keep their own copies: the program drops the decoded resources once a scene is
    // loaded and when the settings dialog closes, instead of keeping every picture twice.
    void ForgetDecoded() noexcept override { m_resources.clear(); }
    size_t DecodedCount() const noexcept { return m_resources.size(); }

private:
    HINSTANCE m_module;
    std::map<int, CBmp> m_resources;  // by id; an empty bitmap records a missing resource
};
