#include "app/ScreenGeometry.h"

#include <algorithm>
#include <climits>

#include "wnd/Dpi.h"

namespace ScreenGeometry {

namespace {

long long Width(const RECT& r) { return static_cast<long long>(r.right) - r.left; }
long long Height(const RECT& r) { return static_cast<long long>(r.bottom) - r.top; }

// Squared distance between two rectangles (0 when they touch or overlap).
long long Distance2(const RECT& a, const RECT& b) {
    const long long dx = std::max({0LL, static_cast<long long>(b.left) - a.right, static_cast<long long>(a.left) - b.right});
    const long long dy = std::max({0LL, static_cast<long long>(b.top) - a.bottom, static_cast<long long>(a.top) - b.bottom});
    return dx * dx + dy * dy;
}

LONG Clamp(long long v) { return static_cast<LONG>(std::clamp<long long>(v, INT_MIN / 2, INT_MAX / 2)); }

RECT Offset(const RECT& r, long long dx, long long dy) {
    return RECT{Clamp(r.left + dx), Clamp(r.top + dy), Clamp(r.right + dx), Clamp(r.bottom + dy)};
}

// Area of the intersection of two rectangles.
long long Overlap(const RECT& a, const RECT& b) {
    const long long w = std::min<long long>(a.right, b.right) - std::max<long long>(a.left, b.left);
    const long long h = std::min<long long>(a.bottom, b.bottom) - std::max<long long>(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// The monitor r overlaps most; when it overlaps none, the nearest (the first of equals).
const RECT& Nearest(const RECT& r, const std::vector<RECT>& monitors) {
    const RECT* best = &monitors.front();
    long long bestOverlap = -1, bestDistance = 0;
    for (const RECT& m : monitors) {
        const long long overlap = Overlap(r, m);
        const long long distance = Distance2(r, m);
        if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && distance < bestDistance)) {
            best = &m;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    return *best;
}

// r moved, keeping its size, into m (its left and top edges win when r is larger than m).
RECT MoveInto(const RECT& r, const RECT& m) {
    long long dx = 0, dy = 0;
    if (r.right > m.right) dx = static_cast<long long>(m.right) - r.right;
    if (r.left + dx < m.left) dx = static_cast<long long>(m.left) - r.left;
    if (r.bottom > m.bottom) dy = static_cast<long long>(m.bottom) - r.bottom;
    if (r.top + dy < m.top) dy = static_cast<long long>(m.top) - r.top;
    return Offset(r, dx, dy);
}

SMonitorDesc Describe(HMONITOR monitor) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    SMonitorDesc desc;
    if (!monitor || !::GetMonitorInfoW(monitor, &info)) return desc;
    desc.name = info.szDevice;
    desc.work = ToPlaceRect(info.rcWork);
    desc.dpi = static_cast<int>(Dpi::ForMonitor(monitor));
    return desc;
}

BOOL CALLBACK CollectDesc(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    SMonitorDesc desc = Describe(monitor);
    if (!desc.name.empty()) reinterpret_cast<std::vector<SMonitorDesc>*>(data)->push_back(std::move(desc));
    return TRUE;
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(monitor, &info)) reinterpret_cast<std::vector<RECT>*>(data)->push_back(info.rcWork);
    return TRUE;
}

}  // namespace

RECT CentreOn(const RECT& window, const RECT& reference, int screenWidth, int screenHeight) {
    const long long w = Width(window), h = Height(window);
    long long left = (static_cast<long long>(reference.left) + reference.right) / 2 - w / 2;
    long long top = (static_cast<long long>(reference.top) + reference.bottom) / 2 - h / 2;
    if (left + w > screenWidth) left -= left + w - screenWidth;
    if (top + h > screenHeight) top -= top + h - screenHeight;
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    return Offset(window, left - window.left, top - window.top);
}

bool IsReachable(const RECT& r, const std::vector<RECT>& monitors) {
    const long long needW = std::clamp<long long>(Width(r), 1, kMinVisible);
    const long long needH = std::clamp<long long>(Height(r), 1, kMinVisible);
    for (const RECT& m : monitors) {
        const long long w = std::min<long long>(r.right, m.right) - std::max<long long>(r.left, m.left);
        const long long h = std::min<long long>(r.bottom, m.bottom) - std::max<long long>(r.top, m.top);
        if (w >= needW && h >= needH) return true;
    }
    return false;
}

RECT BringOntoNearestMonitor(const RECT& r, const std::vector<RECT>& monitors) {
    if (monitors.empty() || IsReachable(r, monitors)) return r;
    return MoveInto(r, Nearest(r, monitors));
}

bool IsMostlyOnScreen(const RECT& r, const std::vector<RECT>& monitors) {
    const long long area = std::max(0LL, Width(r)) * std::max(0LL, Height(r));
    if (area == 0) return true;
    long long visible = 0;
    for (const RECT& m : monitors) visible += Overlap(r, m);
    return visible * 4 >= area;
}

RECT KeepOnScreen(const RECT& r, const std::vector<RECT>& monitors) {
    if (monitors.empty() || IsMostlyOnScreen(r, monitors)) return r;
    return MoveInto(r, Nearest(r, monitors));
}

bool CoversMonitor(const RECT& window, const RECT& monitor) {
    return Width(monitor) > 0 && Height(monitor) > 0 && window.left <= monitor.left && window.top <= monitor.top &&
           window.right >= monitor.right && window.bottom >= monitor.bottom;
}

std::vector<RECT> MonitorWorkAreas() {
    std::vector<RECT> areas;
    ::EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

std::vector<SMonitorDesc> Monitors() {
    std::vector<SMonitorDesc> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, CollectDesc, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

SMonitorDesc MonitorOf(HWND window) { return Describe(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)); }

}  // namespace ScreenGeometry
