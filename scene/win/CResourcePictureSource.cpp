#include "scene/win/CResourcePictureSource.h"

#include "scene/CBmp.h"
#include "scene/PicturePath.h"
#include "wnd/ComApartment.h"

bool CResourcePictureSource::LoadResource(int id, CBmp& out) {
    auto it = m_resources.find(id);
    if (it == m_resources.end()) {
        CBmp loaded;
        loaded.LoadFromResource(m_module, id);
        it = m_resources.emplace(id, std::move(loaded)).first;
    }
    out.Free();
    return out.CopyFrom(it->second);
}

bool CResourcePictureSource::LoadFile(const tstr& path, CBmp& out) {
    if (ClassifyPicturePath(path) == EPathKind::kDevice) {
        out.Free();
        return false;
    }
    // The decoders are COM objects: the program's apartment is joined for good at the first file,
    // so that a tree of many pictures does not set COM up and tear it down for each one.
    com_apartment::Join();
    return out.LoadFromFile(path.c_str()) && !out.IsEmpty();
}

bool CResourcePictureSource::FileExists(const tstr& path) {
    // A device (COM1, NUL, \\.\...) is no picture file: never asked about, never opened.
    if (ClassifyPicturePath(path) == EPathKind::kDevice) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CResourcePictureSource::ScreenSize(int& width, int& height) {
    width = ::GetSystemMetrics(SM_CXSCREEN);
    height = ::GetSystemMetrics(SM_CYSCREEN);
}
