#include "app/SystemIntegration.h"

#include <cwchar>
#include <vector>

namespace SysIntegration {

namespace {

// Looks a function up once per process and keeps the answer (a null answer is kept too).
template <class Fn>
Fn LookUp(const wchar_t* module, const char* name) {
    HMODULE lib = ::GetModuleHandleW(module);
    if (!lib) lib = ::LoadLibraryW(module);  // kept loaded for the rest of the run
    if (!lib) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(lib, name)));
}

}  // namespace

tstr ModulePath() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return tstr();
        if (n < buf.size()) return tstr(buf.data(), n);
        buf.resize(buf.size() * 2);
        if (buf.size() > 32768) return tstr();
    }
}

tstr GetVersionText(const tstr& file, const tstr& name) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return tstr();
    std::vector<BYTE> info(size);
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, info.data())) return tstr();

    struct LangCodePage {
        WORD language;
        WORD codePage;
    };
    LangCodePage* table = nullptr;
    UINT tableBytes = 0;
    if (!::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&table),
                          &tableBytes) ||
        !table)
        return tstr();

    const UINT count = tableBytes / sizeof(LangCodePage);
    for (UINT i = 0; i < count; ++i) {
        wchar_t query[256];
        std::swprintf(query, 256, L"\\StringFileInfo\\%04X%04X\\%ls", table[i].language, table[i].codePage,
                      name.c_str());
        wchar_t* value = nullptr;
        UINT chars = 0;
        if (::VerQueryValueW(info.data(), query, reinterpret_cast<void**>(&value), &chars) && value) {
            tstr text(value, ::wcsnlen(value, chars));
            if (text.size() > 127) text.resize(127);
            return text;
        }
    }
    return tstr();
}

bool SetConstantOpacity(HWND window, BYTE alpha) {
    using Fn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    static const Fn setAttributes = LookUp<Fn>(L"User32.dll", "SetLayeredWindowAttributes");
    if (!setAttributes || !window) return false;
    LONG_PTR ex = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ex = alpha == 255 ? (ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED)) : (ex | WS_EX_LAYERED);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, ex);
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

}  // namespace SysIntegration
