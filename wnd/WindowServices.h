// Small window-manager services that windows of every layer use: constant opacity for layered
// windows, the window manager's transitions, and the theme query. The optional functions are
// looked up at run time, so the program still runs where they are missing.
#pragma once

#include <windows.h>

namespace WndServices {

// Sets a window's constant opacity: 255 removes the layered style, any other value adds it.
// False when SetLayeredWindowAttributes is not available or fails.
bool SetConstantOpacity(HWND window, BYTE alpha);

// Forces the window manager's transitions (animations) off for the window; no effect when the
// window manager's attribute call is missing.
void DisableTransitions(HWND window);

// Whether visual themes are active; false when the theme library or its query is missing.
bool IsThemeActive();

}  // namespace WndServices
