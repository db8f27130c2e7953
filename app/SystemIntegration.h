// Small services between the program and the shell / window manager: the program file's version
// texts, constant opacity for layered windows, and the optional window-manager and theme queries.
// The optional functions are looked up at run time, so the program still runs where they are missing.
#pragma once

#include <windows.h>

#include "param/Tstr.h"

namespace SysIntegration {

// The named version text (for example L"FileVersion") of a file's version information, taken from
// the first language/code page pair that has it; empty when the file has none.
tstr GetVersionText(const tstr& file, const tstr& name);

// Full path of the running program file.
tstr ModulePath();

// Sets a window's constant opacity: 255 removes the layered style, any other value adds it.
// False when SetLayeredWindowAttributes is not available or fails.
bool SetConstantOpacity(HWND window, BYTE alpha);

// Forces the window manager's transitions (animations) off for the window; no effect when the
// window manager's attribute call is missing.
void DisableTransitions(HWND window);

// Whether visual themes are active; false when the theme library or its query is missing.
bool IsThemeActive();

}  // namespace SysIntegration
