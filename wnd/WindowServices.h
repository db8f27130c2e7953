// Small window-manager services that windows of every layer use: constant opacity for layered
// windows, the window manager's transitions, and the theme query. The optional functions are
// looked up at run time, so the program still runs where they are missing.
#pragma once

#include <windows.h>

namespace WndServices {

// Sets a window's constant opacity: 255 removes the layered style, any other value adds it and
// sets the opacity. False when SetLayeredWindowAttributes is not available or a step fails.
bool SetConstantOpacity(HWND window, BYTE alpha);

// Forces the window manager's transitions (animations) off for the window; no effect when the
// window manager's attribute call is missing.
void DisableTransitions(HWND window);

// Whether visual themes are active; false when the theme library or its query is missing.
bool IsThemeActive();

// Loads a library of the system's own folder by file name, never from the program's folder or
// the current one (where a planted library of the same name would run). Null when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a system library looked up at run time (the library is loaded from the system's
// folder when not yet in the process, and kept loaded); null where the library or the function is
// missing. Callers keep the answer in a static, so each is looked up once per process.
template <class Fn>
Fn LookUp(const wchar_t* module, const char* name) {
    HMODULE lib = ::GetModuleHandleW(module);
    if (!lib) lib = LoadSystemLibrary(module);
    if (!lib) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(lib, name)));
}

}  // namespace WndServices
