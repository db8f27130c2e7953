#include "param/win/SettingsFilePath.h"

#include <windows.h>
#include <shlobj.h>

tstr SettingsFilePath(const tstr& firm, const tstr& app, const tstr& file) {
    if (firm.empty() || app.empty() || file.empty()) return tstr();
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return tstr();
    tstr path = folder;
    if (path.empty()) return tstr();
    if (path.back() != L'\\') path += L'\\';
    return path + firm + L'\\' + app + L'\\' + file;
}
