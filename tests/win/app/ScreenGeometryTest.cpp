#include "app/ScreenGeometry.h"

#include <gtest/gtest.h>

namespace {

std::string Str(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

}  // namespace

TEST(ScreenGeometry, CentreOnReferenceThenPushBackOntoThePrimaryScreen) {
    struct Case {
        const char* what;
        RECT window, reference;
        int screenW, screenH;
        RECT expected;
    } cases[] = {
        {"plain centring", {0, 0, 200, 100}, {0, 0, 1280, 1024}, 1280, 1024, {540, 462, 740, 562}},
        {"odd sizes truncate", {5, 5, 206, 106}, {0, 0, 1281, 1025}, 1281, 1025, {540, 462, 741, 563}},
        {"reference off to the right is pushed back left", {0, 0, 200, 100}, {1200, 0, 1600, 400}, 1280, 1024,
         {1080, 150, 1280, 250}},
        {"reference above and left is pushed to 0,0", {0, 0, 200, 100}, {-500, -500, -100, -100}, 1280, 1024,
         {0, 0, 200, 100}},
        {"larger than the screen ends at the top-left", {0, 0, 2000, 1500}, {0, 0, 1280, 1024}, 1280, 1024,
         {0, 0, 2000, 1500}},
    };
    for (const Case& c : cases) {
        const RECT got = ScreenGeometry::CentreOn(c.window, c.reference, c.screenW, c.screenH);
        EXPECT_TRUE(::EqualRect(&got, &c.expected)) << c.what << ": got " << Str(got) << ", expected " << Str(c.expected);
    }
}

TEST(ScreenGeometry, ReachabilityNeedsAVisibleCorner) {
    const std::vector<RECT> two = {{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
    struct Case {
        const char* what;
        RECT r;
        bool reachable;
    } cases[] = {
        {"inside the first", {100, 100, 300, 300}, true},
        {"straddling both monitors", {1200, 100, 1400, 300}, true},
        {"32 pixels left on the right edge", {2528, 100, 2728, 300}, true},
        {"31 pixels left on the right edge", {2529, 100, 2729, 300}, false},
        {"far away", {10000, 10000, 10200, 10100}, false},
        {"below every monitor", {100, 1024, 300, 1100}, false},
        {"tiny window fully on screen", {10, 10, 15, 15}, true},
        {"empty rectangle on screen", {10, 10, 10, 10}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScreenGeometry::IsReachable(c.r, two), c.reachable) << c.what << " " << Str(c.r);
}

TEST(ScreenGeometry, OffscreenRectangleMovesOntoTheNearestMonitorKeepingItsSize) {
    // A primary monitor and a smaller one to its right, set lower.
    const std::vector<RECT> monitors = {{0, 0, 1280, 1024}, {1280, 200, 2304, 968}};
    struct Case {
        const char* what;
        RECT r, expected;
    } cases[] = {
        {"reachable stays", {100, 100, 300, 300}, {100, 100, 300, 300}},
        {"far right goes to the second monitor's right edge", {5000, 300, 5200, 400}, {2104, 300, 2304, 400}},
        {"far left goes to the primary's left edge", {-3000, 50, -2800, 150}, {0, 50, 200, 150}},
        {"above the second monitor goes onto its top", {1500, -100, 1700, 0}, {1500, 200, 1700, 300}},
        {"above the gap, nearer the primary", {1500, -400, 1700, -300}, {1080, 0, 1280, 100}},
        {"below the primary goes onto its bottom", {10, 5000, 110, 5100}, {10, 924, 110, 1024}},
        {"larger than the monitor keeps its top-left on it", {9000, 9000, 12000, 11000}, {1280, 200, 4280, 2200}},
    };
    for (const Case& c : cases) {
        const RECT got = ScreenGeometry::BringOntoNearestMonitor(c.r, monitors);
        EXPECT_TRUE(::EqualRect(&got, &c.expected)) << c.what << ": got " << Str(got) << ", expected " << Str(c.expected);
        EXPECT_EQ(got.right - got.left, c.r.right - c.r.left) << c.what;
        EXPECT_EQ(got.bottom - got.top, c.r.bottom - c.r.top) << c.what;
    }
}

TEST(ScreenGeometry, ExtremeCoordinatesDoNotOverflow) {
    const std::vector<RECT> monitors = {{0, 0, 1280, 1024}};
    const RECT wild = {LONG(-2147483647 - 1), LONG(-2147483647 - 1), LONG(-2147483647 - 1) + 300,
                       LONG(-2147483647 - 1) + 200};
    const RECT got = ScreenGeometry::BringOntoNearestMonitor(wild, monitors);
    EXPECT_TRUE(ScreenGeometry::IsReachable(got, monitors)) << Str(got);
    EXPECT_EQ(got.right - got.left, 300);
    EXPECT_EQ(got.bottom - got.top, 200);
}

TEST(ScreenGeometry, NoMonitorsLeavesTheRectangleAlone) {
    const RECT r = {7000, 7000, 7100, 7100};
    const RECT got = ScreenGeometry::BringOntoNearestMonitor(r, {});
    EXPECT_TRUE(::EqualRect(&got, &r));
}

TEST(ScreenGeometry, TheVirtualDisplayHasAWorkArea) {
    const std::vector<RECT> areas = ScreenGeometry::MonitorWorkAreas();
    ASSERT_FALSE(areas.empty());
    EXPECT_GT(areas.front().right - areas.front().left, 0);
}
