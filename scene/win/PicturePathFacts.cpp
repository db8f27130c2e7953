#include "scene/win/PicturePathFacts.h"

#include <windows.h>

#include <vector>

namespace {

// The absolute form of a path (pure text work: nothing is opened), or the path itself.
tstr FullPath(const tstr& path) {
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::vector<wchar_t> buffer(needed + 1);
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed + 1, buffer.data(), nullptr);
    if (length == 0 || length > needed) return path;
    return tstr(buffer.data(), length);
}

}  // namespace

SPathFacts GatherPathFacts(const tstr& path) {
    SPathFacts facts;
    facts.kind = ClassifyPicturePath(path);
    if (facts.kind != EPathKind::kLocal) return facts;
    // A relative path inside a network folder is a network path.
    const tstr full = FullPath(path);
    facts.kind = ClassifyPicturePath(full);
    if (facts.kind != EPathKind::kLocal) return facts;
    if (full.size() >= 2 && full[1] == L':') {
        const wchar_t root[] = {full[0], L':', L'\\', L'\0'};
        const UINT type = ::GetDriveTypeW(root);
        facts.fastDrive = type == DRIVE_FIXED || type == DRIVE_RAMDISK || type == DRIVE_NO_ROOT_DIR;
    }
    if (!facts.fastDrive) return facts;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(full.c_str(), GetFileExInfoStandard, &data)) return facts;
    facts.exists = true;
    facts.regularFile = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    // Placeholders of cloud or archive storage fetch their content when opened.
    facts.offline = (data.dwFileAttributes & (FILE_ATTRIBUTE_OFFLINE | 0x00040000 /* recall on open */ |
                                              0x00400000 /* recall on data access */)) != 0;
    facts.bytes = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return facts;
}
