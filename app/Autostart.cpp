#include "app/Autostart.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "wnd/Handles.h"

namespace Autostart {

tstr FolderOf(const tstr& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == tstr::npos ? tstr() : path.substr(0, slash);
}

tstr ShortcutPathIn(const tstr& folder, const tstr& name) {
    if (folder.empty() || name.empty()) return tstr();
    tstr path = folder;
    if (path.back() != L'\\') path += L'\\';
    return path + name + L".lnk";
}

tstr StartupFolder() {
    wchar_t buf[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, buf))) return tstr();
    return tstr(buf);
}

tstr ShortcutPath(const tstr& displayName) { return ShortcutPathIn(StartupFolder(), displayName); }

HRESULT CreateShortcut(const tstr& target, const tstr& linkPath, const tstr& description, int iconIndex,
                       const tstr& arguments) {
    CComScope com;
    HRESULT hr;
    {
        CComPtr<IShellLinkW> link;
        hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void());
        if (FAILED(hr) || !link) return FAILED(hr) ? hr : E_FAIL;

        hr = link->SetPath(target.c_str());
        if (iconIndex != 0) hr = link->SetIconLocation(target.c_str(), -iconIndex);
        hr = link->SetWorkingDirectory(FolderOf(target).c_str());
        hr = link->SetDescription(description.c_str());
        if (!arguments.empty()) hr = link->SetArguments(arguments.c_str());

        CComPtr<IPersistFile> file;
        hr = link->QueryInterface(IID_IPersistFile, file.put_void());
        if (SUCCEEDED(hr) && file) hr = file->Save(linkPath.c_str(), TRUE);
    }
    return hr;
}

bool ReadShortcut(const tstr& linkPath, SShortcut& out) {
    CComScope com;
    CComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())) ||
        !link)
        return false;
    CComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void())) || !file) return false;
    if (FAILED(file->Load(linkPath.c_str(), STGM_READ))) return false;

    wchar_t buf[1024];
    buf[0] = 0;
    link->GetPath(buf, 1024, nullptr, SLGP_RAWPATH);
    out.target = buf;
    buf[0] = 0;
    link->GetWorkingDirectory(buf, 1024);
    out.workingFolder = buf;
    buf[0] = 0;
    link->GetDescription(buf, 1024);
    out.description = buf;
    buf[0] = 0;
    link->GetArguments(buf, 1024);
    out.arguments = buf;
    return true;
}

}  // namespace Autostart
