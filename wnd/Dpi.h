// The dots per inch a window or the system draws at (96 on a 100 % display), and lengths scaled
// to it. The per-window and per-monitor calls are looked up at run time: where they are missing
// the system's DPI answers, and where that is missing too the screen's logical pixels per inch.
#pragma once

#include <windows.h>

namespace Dpi {

inline constexpr UINT kDefault = 96;  // 100 %

// The DPI the window draws at: its monitor's under per-monitor awareness, else the system's.
UINT ForWindow(HWND window);
// The DPI of a monitor (its own under per-monitor awareness, the system's otherwise).
UINT ForMonitor(HMONITOR monitor);
// The DPI of the system (of the primary monitor when the process started).
UINT ForSystem();

// value x dpi / 96, rounded to nearest (MulDiv).
int Scale(int value, UINT dpi);

}  // namespace Dpi
