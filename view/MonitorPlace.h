// The desktop view's own monitor: where the tree goes given the place stored with its monitor
// (the monitor's device name and the corner relative to its work area, in 100 % units) and the
// monitors attached now. Pure, so that layouts of monitors (unplugged, replugged, moved, scaled)
// can be tested without displays.
#pragma once

#include <string>
#include <vector>

struct SPlaceRect {
    long left = 0, top = 0, right = 0, bottom = 0;
    long Width() const { return right - left; }
    long Height() const { return bottom - top; }
    bool operator==(const SPlaceRect&) const = default;
};

struct SMonitorDesc {
    std::wstring name;  // device name, e.g. \\.\DISPLAY1
    SPlaceRect work;    // work area in screen pixels
    int dpi = 96;       // 96 on a 100 % display
};

// The tree's corner relative to its monitor's work area, in 100 % units. An empty name: no
// monitor is known (settings of an older version).
struct SMonitorPlace {
    std::wstring name;
    long x = 0, y = 0;
};

struct SPlaceChoice {
    SPlaceRect rect;        // where the window goes
    bool fallback = false;  // its own monitor is missing: shown elsewhere, its place not to be stored
};

// The current rectangle (as the caller placed it and keeps it on screen) while it is on its own
// monitor (currentMonitor names the monitor it is on), or when no monitor is stored. Otherwise,
// with the stored monitor attached: the stored corner on that monitor at its scale, the window
// (of the current rectangle's size) moved, keeping its size, into that work area where it would
// stick out. With the stored monitor missing: the current rectangle, marked as a fallback.
SPlaceChoice ChooseMonitorPlace(const SMonitorPlace& stored, const SPlaceRect& current,
                                const std::wstring& currentMonitor, const std::vector<SMonitorDesc>& monitors);

// The place to store for a window at rect on the given monitor.
SMonitorPlace PlaceOnMonitor(const SPlaceRect& rect, const SMonitorDesc& monitor);
