#include "app/ScreenGeometry.h"

#include <algorithm>
#include <climits>

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
    const RECT* nearest = &monitors.front();
    long long best = Distance2(r, *nearest);
    for (const RECT& m : monitors) {
        const long long d = Distance2(r, m);
        if (d < best) {
            best = d;
            nearest = &m;
        }
    }
    const RECT& m = *nearest;
    long long dx = 0, dy = 0;
    if (r.right > m.right) dx = static_cast<long long>(m.right) - r.right;
    if (r.left + dx < m.left) dx = static_cast<long long>(m.left) - r.left;
    if (r.bottom > m.bottom) dy = static_cast<long long>(m.bottom) - r.bottom;
    if (r.top + dy < m.top) dy = static_cast<long long>(m.top) - r.top;
    return Offset(r, dx, dy);
}

std::vector<RECT> MonitorWorkAreas() {
    std::vector<RECT> areas;
    ::EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace ScreenGeometry
