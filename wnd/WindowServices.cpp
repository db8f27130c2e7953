#include "wnd/WindowServices.h"

#include <cwchar>
#include <string>

namespace WndServices {

HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (!name || !*name || std::wcspbrk(name, L"\\/:")) return nullptr;
    wchar_t dir[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    // A full path: the loader then never searches the program's folder or the current one.
    std::wstring path(dir, length);
    path += L'\\';
    path += name;
    return ::LoadLibraryW(path.c_str());
}

bool SetConstantOpacity(HWND window, BYTE alpha) {
    using Fn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    static const Fn setAttributes = LookUp<Fn>(L"User32.dll", "SetLayeredWindowAttributes");
    if (!setAttributes || !window) return false;
    LONG_PTR ex = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ex = alpha == 255 ? (ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED)) : (ex | WS_EX_LAYERED);
    ::SetLastError(0);
    if (::SetWindowLongPtrW(window, GWL_EXSTYLE, ex) == 0 && ::GetLastError() != 0) return false;
    // Full opacity is the window without the layered style: done. Its attributes cannot be set
    // any more (the window is no longer layered), so asking would only report a failure.
    if (alpha == 255) return true;
    // The colour key (white) is passed but not applied: only LWA_ALPHA is requested.
    return setAttributes(window, RGB(255, 255, 255), alpha, LWA_ALPHA) != FALSE;
}

void DisableTransitions(HWND window) {
    using Fn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const Fn setAttribute = LookUp<Fn>(L"DWMapi.dll", "DwmSetWindowAttribute");
    if (!setAttribute || !window) return;
    const BOOL on = TRUE;
    constexpr DWORD kTransitionsForceDisabled = 3;  // DWMWA_TRANSITIONS_FORCEDISABLED
    setAttribute(window, kTransitionsForceDisabled, &on, sizeof(on));
}

bool IsThemeActive() {
    using Fn = BOOL(WINAPI*)();
    static const Fn isActive = LookUp<Fn>(L"UxTheme.dll", "IsThemeActive");
    return isActive && isActive() != FALSE;
}

}  // namespace WndServices
