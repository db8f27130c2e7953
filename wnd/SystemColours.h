// High contrast: while the user's high-contrast theme is on, the controls the program draws
// itself paint with the system's colours instead of their own tints and pictures. Nothing is
// cached: a painting after the change (WM_SETTINGCHANGE, WM_THEMECHANGED) follows it.
#pragma once

#include <windows.h>

namespace sys_colours {

bool HighContrast() noexcept;
// For tests on systems that cannot switch high contrast on (Wine): 1 or 0 forces the answer,
// -1 asks the system again.
void ForceHighContrast(int on) noexcept;
// The system colour index `highContrast` while high contrast is on, otherwise `normal`.
inline int Pick(int normal, int highContrast) noexcept { return HighContrast() ? highContrast : normal; }
// Whether a top-level window's message tells of a change of colours or of high contrast.
bool IsColourChange(UINT msg, WPARAM wParam) noexcept;

}  // namespace sys_colours
