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

TEST(ScreenGeometry, DisplayChangeKeepsMostlyVisibleWindowsAndMovesTheRest) {
    // After a switch to 800 x 600 with a second monitor of 1024 x 768 to its right, set lower.
    const std::vector<RECT> monitors = {{0, 0, 800, 560}, {800, 100, 1824, 868}};
    struct Case {
        const char* what;
        RECT r, expected;
    } cases[] = {
        {"inside: left alone", {100, 100, 300, 350}, {100, 100, 300, 350}},
        {"half off the bottom: left alone", {100, 435, 300, 685}, {100, 435, 300, 685}},
        {"exactly a quarter on screen: left alone", {700, 0, 1100, 100}, {700, 0, 1100, 100}},
        {"across both monitors: left alone", {700, 200, 900, 400}, {700, 200, 900, 400}},
        {"over a third still on the second monitor: left alone", {1087, 774, 1280, 1024}, {1087, 774, 1280, 1024}},
        {"a sliver on the first monitor goes into it", {-190, 100, 10, 350}, {0, 100, 200, 350}},
        {"a sliver on the second goes into it", {1800, 700, 2000, 950}, {1624, 618, 1824, 868}},
        {"beyond every monitor: the nearest", {3000, 300, 3200, 500}, {1624, 300, 1824, 500}},
        {"larger than its monitor: top-left edges win", {-2000, 0, -800, 1200}, {0, 0, 1200, 1200}},
        {"empty: nothing to lose", {5000, 5000, 5000, 5000}, {5000, 5000, 5000, 5000}},
    };
    for (const Case& c : cases) {
        const RECT got = ScreenGeometry::KeepOnScreen(c.r, monitors);
        EXPECT_TRUE(::EqualRect(&got, &c.expected)) << c.what << ": got " << Str(got) << ", expected " << Str(c.expected);
        EXPECT_EQ(got.right - got.left, c.r.right - c.r.left) << c.what;
        EXPECT_EQ(got.bottom - got.top, c.r.bottom - c.r.top) << c.what;
        // Moving twice is moving once: a kept window stays where it is at the next change.
        const RECT again = ScreenGeometry::KeepOnScreen(got, monitors);
        EXPECT_TRUE(::EqualRect(&again, &got)) << c.what;
    }
    // The tree at the lower right of 1280 x 1024 after a switch to 800 x 600 (taskbar 40 high).
    const RECT corner = ScreenGeometry::KeepOnScreen({1087, 774, 1280, 1024}, {{0, 0, 800, 560}});
    const RECT inside = {607, 310, 800, 560};
    EXPECT_TRUE(::EqualRect(&corner, &inside)) << Str(corner);
    const RECT any = {1, 2, 3, 4};
    const RECT kept = ScreenGeometry::KeepOnScreen(any, {});
    EXPECT_TRUE(::EqualRect(&kept, &any)) << "no monitors known: nothing moves";
}

TEST(ScreenGeometry, CoveringAMonitor) {
    const RECT monitor = {1280, 0, 2560, 1024};
    struct Case {
        const char* what;
        RECT window;
        bool covers;
    } cases[] = {
        {"exactly the monitor", {1280, 0, 2560, 1024}, true},
        {"larger on every side (a maximised frame)", {1272, -8, 2568, 1032}, true},
        {"one pixel short at the bottom", {1280, 0, 2560, 1023}, false},
        {"the other monitor", {0, 0, 1280, 1024}, false},
        {"both monitors", {0, 0, 2560, 1024}, true},
        {"a window in the middle", {1500, 200, 2000, 700}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(ScreenGeometry::CoversMonitor(c.window, monitor), c.covers) << c.what;
    const RECT empty = {0, 0, 0, 0};
    EXPECT_FALSE(ScreenGeometry::CoversMonitor(empty, empty)) << "no monitor, nothing covered";
}
