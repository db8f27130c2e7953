// The tree's own monitor across layouts of monitors: a place stored on one monitor is found there
// again after the monitors change (unplugged, replugged, moved, resized, rescaled); while that
// monitor is missing the caller's on-screen rectangle is used and marked as a fallback.
#include "view/MonitorPlace.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const SMonitorDesc kPrimary{L"\\\\.\\DISPLAY1", {0, 0, 1920, 1040}, 96};
const SMonitorDesc kLeft{L"\\\\.\\DISPLAY2", {-1280, 0, 0, 1024}, 96};         // left of the primary
const SMonitorDesc kAbove{L"\\\\.\\DISPLAY2", {200, -1080, 2120, -40}, 96};     // above it, taskbar at its bottom
const SMonitorDesc kLeftScaled{L"\\\\.\\DISPLAY2", {-2560, 0, 0, 1400}, 192};  // 200 %
const SMonitorDesc kLeftSmaller{L"\\\\.\\DISPLAY2", {-800, 0, 0, 560}, 96};    // resolution lowered
const SMonitorDesc kThird{L"\\\\.\\DISPLAY3", {1920, 0, 3840, 1080}, 144};

struct SCase {
    const char* what;
    SMonitorPlace stored;
    SPlaceRect current;  // as the caller kept it on screen
    std::wstring currentMonitor;
    std::vector<SMonitorDesc> monitors;
    SPlaceRect expected;
    bool fallback;
};

TEST(MonitorPlace, ChoosesTheOwnMonitorOrFallsBack) {
    const SCase cases[] = {
        {"nothing stored: the current place", {L"", 10, 10}, {100, 200, 300, 450}, kPrimary.name, {kPrimary}, {100, 200, 300, 450}, false},
        {"own monitor present", {kLeft.name, 100, 50}, {5, 5, 205, 255}, kPrimary.name, {kPrimary, kLeft}, {-1180, 50, -980, 300}, false},
        {"unplugged: current place, marked", {kLeft.name, 100, 50}, {1700, 700, 1900, 950}, kPrimary.name, {kPrimary}, {1700, 700, 1900, 950}, true},
        {"replugged in another order", {kLeft.name, 100, 50}, {1700, 700, 1900, 950}, kPrimary.name, {kLeft, kPrimary}, {-1180, 50, -980, 300}, false},
        {"above the primary (negative y)", {kAbove.name, 20, 30}, {0, 0, 200, 250}, kPrimary.name, {kPrimary, kAbove}, {220, -1050, 420, -800}, false},
        {"at 200 %: the offset doubles", {kLeftScaled.name, 100, 50}, {0, 0, 400, 500}, kPrimary.name, {kPrimary, kLeftScaled}, {-2360, 100, -1960, 600}, false},
        {"at 150 % on the right", {kThird.name, 100, 100}, {0, 0, 300, 375}, kPrimary.name, {kPrimary, kThird}, {2070, 150, 2370, 525}, false},
        {"resolution lowered: kept inside the smaller work area", {kLeft.name, 1000, 500}, {0, 0, 200, 250}, kPrimary.name, {kPrimary, kLeftSmaller}, {-200, 310, 0, 560}, false},
        {"larger than the work area: left and top edges in it", {kLeftSmaller.name, 50, 50}, {0, 0, 900, 700}, kPrimary.name, {kLeftSmaller}, {-800, 0, 100, 700}, false},
        {"a monitor of the same size but another name is not its own", {L"\\\\.\\DISPLAY9", 100, 50}, {10, 10, 210, 260}, kPrimary.name, {kPrimary, kLeft}, {10, 10, 210, 260}, true},
        {"on its own monitor already: stays where it is", {kLeft.name, 100, 50}, {-700, 300, -500, 550}, kLeft.name, {kPrimary, kLeft}, {-700, 300, -500, 550}, false},
        {"no monitors at all", {kLeft.name, 100, 50}, {10, 10, 210, 260}, kPrimary.name, {}, {10, 10, 210, 260}, true},
    };
    for (const SCase& c : cases) {
        const SPlaceChoice got = ChooseMonitorPlace(c.stored, c.current, c.currentMonitor, c.monitors);
        EXPECT_EQ(got.fallback, c.fallback) << c.what;
        EXPECT_EQ(got.rect, c.expected) << c.what << ": got " << got.rect.left << "," << got.rect.top << ","
                                        << got.rect.right << "," << got.rect.bottom;
    }
}

// What is stored for a window and found again from it is the same place (to the pixel a 100 %
// unit allows), at every scale and on every side of the primary monitor.
TEST(MonitorPlace, StoredPlaceLeadsBackToTheSameRectangle) {
    const SPlaceRect rects[] = {{-1100, 40, -900, 290}, {300, -900, 500, -650}, {-2000, 300, -1600, 800}, {2500, 60, 2800, 435}};
    const SMonitorDesc monitors[] = {kLeft, kAbove, kLeftScaled, kThird};
    for (size_t i = 0; i < 4; ++i) {
        const SMonitorPlace place = PlaceOnMonitor(rects[i], monitors[i]);
        EXPECT_EQ(place.name, monitors[i].name);
        const SPlaceChoice back = ChooseMonitorPlace(place, {0, 0, rects[i].Width(), rects[i].Height()}, kPrimary.name, {kPrimary, monitors[i]});
        EXPECT_FALSE(back.fallback);
        // Exact at whole scales; at 150 % a 100 % unit is 1.5 pixels, so within one pixel.
        EXPECT_LE(std::abs(back.rect.left - rects[i].left), monitors[i].dpi % 96 ? 1 : 0) << "case " << i;
        EXPECT_LE(std::abs(back.rect.top - rects[i].top), monitors[i].dpi % 96 ? 1 : 0) << "case " << i;
        EXPECT_EQ(back.rect.Width(), rects[i].Width()) << "case " << i;
    }
    // 100 % units: 300 pixels right of a 150 % work area's edge are 200 units.
    EXPECT_EQ(PlaceOnMonitor({2220, 150, 2520, 525}, kThird).x, 200);
    EXPECT_EQ(PlaceOnMonitor({2220, 150, 2520, 525}, kThird).y, 100);
}

}  // namespace
