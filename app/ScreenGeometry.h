// Pure placement decisions on rectangles: centring a window over a reference window within the
// primary screen, bringing a rectangle that lies off every monitor back onto the nearest one,
// keeping a window on screen when the displays change, and whether a window covers a monitor.
// No window is touched here, so the rules can be tested with made-up monitor layouts.
#pragma once

#include <windows.h>

#include <vector>

#include "view/MonitorPlace.h"

namespace ScreenGeometry {

// A window counts as reachable when at least this many pixels of it (in each direction, or its
// whole extent when it is smaller) lie on one monitor.
constexpr int kMinVisible = 32;

// The window rectangle moved so that its centre lies on the reference's centre, then pushed back
// onto the primary screen (0, 0)-(screenWidth, screenHeight): right and bottom first, then left and
// top, so a window larger than the screen ends at its top-left corner. Only the position changes.
RECT CentreOn(const RECT& window, const RECT& reference, int screenWidth, int screenHeight);

// Whether enough of r lies on one of the monitors (see kMinVisible).
bool IsReachable(const RECT& r, const std::vector<RECT>& monitors);

// r itself when it is reachable (or there are no monitors); otherwise r moved, keeping its size,
// into the monitor nearest to it (left and top edges win when r is larger than the monitor).
RECT BringOntoNearestMonitor(const RECT& r, const std::vector<RECT>& monitors);

// Whether at least a quarter of r's area lies on the monitors (which do not overlap). An empty
// rectangle counts as on screen: there is nothing of it to lose.
bool IsMostlyOnScreen(const RECT& r, const std::vector<RECT>& monitors);

// After the displays changed: r itself while at least a quarter of it is on screen (the user
// put it there), otherwise r moved, keeping its size, into the monitor it overlaps most, or the
// nearest one when it overlaps none.
RECT KeepOnScreen(const RECT& r, const std::vector<RECT>& monitors);

// Whether a window rectangle covers the whole monitor rectangle.
bool CoversMonitor(const RECT& window, const RECT& monitor);

// The work areas of the monitors attached to the desktop, in screen coordinates.
std::vector<RECT> MonitorWorkAreas();
// The monitors attached to the desktop: device name, work area, DPI.
std::vector<SMonitorDesc> Monitors();
// The monitor a window is on (most of it, or the nearest).
SMonitorDesc MonitorOf(HWND window);

inline SPlaceRect ToPlaceRect(const RECT& r) { return SPlaceRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace ScreenGeometry
