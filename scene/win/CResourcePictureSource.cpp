#include "scene/win/CResourcePictureSource.h"

#include "scene/CBmp.h"

bool CResourcePictureSource::LoadResource(int id, CBmp& out) {
    return out.LoadFromResource(m_module, id) && !out.IsEmpty();
}

bool CResourcePictureSource::LoadFile(const tstr& path, CBmp& out) {
    return out.LoadFromFile(path.c_str()) && !out.IsEmpty();
}

bool CResourcePictureSource::FileExists(const tstr& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CResourcePictureSource::ScreenSize(int& width, int& height) {
    width = ::GetSystemMetrics(SM_CXSCREEN);
    height = ::GetSystemMetrics(SM_CYSCREEN);
}
