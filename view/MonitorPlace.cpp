#include "view/MonitorPlace.h"

#include <algorithm>

namespace {

// value x dpi / 96, rounded to nearest, and back (symmetric for negative values).
long ToPixels(long units, int dpi) {
    const long long v = static_cast<long long>(units) * dpi;
    return static_cast<long>(v >= 0 ? (v + 48) / 96 : -((-v + 48) / 96));
}
long ToUnits(long pixels, int dpi) {
    if (dpi <= 0) return pixels;
    const long long v = static_cast<long long>(pixels) * 96;
    const long long half = dpi / 2;
    return static_cast<long>(v >= 0 ? (v + half) / dpi : -((-v + half) / dpi));
}

}  // namespace

SPlaceChoice ChooseMonitorPlace(const SMonitorPlace& stored, const SPlaceRect& current,
                                const std::wstring& currentMonitor, const std::vector<SMonitorDesc>& monitors) {
    SPlaceChoice choice{current, false};
    if (stored.name.empty()) return choice;
    const auto own = std::find_if(monitors.begin(), monitors.end(),
                                  [&](const SMonitorDesc& m) { return m.name == stored.name; });
    if (own == monitors.end()) {
        choice.fallback = true;
        return choice;
    }
    if (currentMonitor == stored.name) return choice;  // at home: its place as stored in pixels, kept as it was
    const int dpi = own->dpi > 0 ? own->dpi : 96;
    const SPlaceRect& work = own->work;
    const long w = current.Width(), h = current.Height();
    long left = work.left + ToPixels(stored.x, dpi);
    long top = work.top + ToPixels(stored.y, dpi);
    // Right and bottom first, so a window larger than the work area keeps its left and top edges in it.
    left = std::max(std::min(left, work.right - w), work.left);
    top = std::max(std::min(top, work.bottom - h), work.top);
    choice.rect = SPlaceRect{left, top, left + w, top + h};
    return choice;
}

SMonitorPlace PlaceOnMonitor(const SPlaceRect& rect, const SMonitorDesc& monitor) {
    return SMonitorPlace{monitor.name, ToUnits(rect.left - monitor.work.left, monitor.dpi),
                         ToUnits(rect.top - monitor.work.top, monitor.dpi)};
}
