// Row placement, drop rule, scrolling steps, key wrapping and toolbar runs of the navigation pane.
#include "construct/NavPaneLogic.h"

#include <gtest/gtest.h>

#include <vector>

using navpane::SSpan;

TEST(NavPaneLogic, DropRuleAndMarkerMirrorInReversedPanes) {
    struct SCase {
        int y;
        bool upper;   // mouse in the upper half of [100, 122)
        int edge;     // marked edge
    };
    const SCase cases[] = {{100, true, 100}, {110, true, 100}, {111, false, 122}, {121, false, 122}};
    for (const SCase& c : cases) {
        EXPECT_EQ(navpane::InUpperHalf(c.y, 100, 122), c.upper) << c.y;
        EXPECT_EQ(navpane::DropBefore(c.y, 100, 122, false), c.upper) << c.y;
        EXPECT_EQ(navpane::DropBefore(c.y, 100, 122, true), !c.upper) << c.y << " reversed";
        EXPECT_EQ(navpane::DropMarker(c.y, 100, 122), (SSpan{c.edge - 3, c.edge + 3})) << c.y;
    }
    EXPECT_EQ(navpane::DropMarker(0, 0, 1).last - navpane::DropMarker(0, 0, 1).first, 6);
}

TEST(NavPaneLogic, BlocksStackDownOrUpFromTheEnd) {
    // Three 22-pixel rows: total 66.
    struct SCase {
        bool reversed;
        int scroll;
        int tops[3];
    };
    const SCase cases[] = {
        {false, 0, {0, 22, 44}},
        {false, 10, {-10, 12, 34}},
        {true, 0, {44, 22, 0}},     // a short reversed list sits at the top, first row lowest
        {true, 10, {34, 12, -10}},
    };
    for (const SCase& c : cases) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(navpane::BlockTop(22 * i, 22, 66, c.scroll, c.reversed), c.tops[i])
                << (c.reversed ? "reversed" : "normal") << " scroll " << c.scroll << " row " << i;
        }
    }
    // Reversed with the full range scrolled: the first row's bottom is the client bottom.
    const int client = 40;
    const int max = navpane::ScrollMax(66, client);
    EXPECT_EQ(navpane::BlockTop(0, 22, 66, max, true) + 22, client);
}

TEST(NavPaneLogic, ScrollSteps) {
    EXPECT_EQ(navpane::ScrollMax(100, 200), 0);
    EXPECT_EQ(navpane::ScrollMax(200, 200), 0);
    EXPECT_EQ(navpane::ScrollMax(440, 200), 240);
    struct SWheel {
        int pos, delta, expected;
    };
    const SWheel wheels[] = {
        {0, -120, 30},  {0, 120, 0},     {100, -240, 160}, {100, -119, 100}, {100, 60, 100},
        {230, -120, 240}, {100, 360, 10}, {100, -121, 130},
    };
    for (const SWheel& w : wheels) {
        EXPECT_EQ(navpane::WheelScroll(w.pos, w.delta, 240), w.expected) << w.pos << " " << w.delta;
    }
    EXPECT_EQ(navpane::ClampScroll(-5, 10), 0);
    EXPECT_EQ(navpane::ClampScroll(15, 10), 10);
    EXPECT_EQ(navpane::PageStep(200), 190);
    EXPECT_EQ(navpane::PageStep(5), 1) << "a tiny pane still moves";
    EXPECT_EQ(navpane::LineStep(22, 22), 22) << "an arrow moves one row";
    EXPECT_EQ(navpane::LineStep(33, 22), 33) << "rows made for 144 DPI";
    EXPECT_EQ(navpane::LineStep(0, 33), 33) << "no row at hand: the default row";
    EXPECT_EQ(navpane::LineStep(0, 0), 1) << "at least a pixel";
}

TEST(NavPaneLogic, WheelPartsAddUpToWholeNotches) {
    // A run of wheel messages and the whole-notch part each one lets through.
    struct SCase {
        std::vector<int> deltas;
        std::vector<int> whole;
        const char* what;
    };
    const SCase cases[] = {
        {{-120, -120, 240}, {-120, -120, 240}, "a notched wheel: each message whole"},
        {{-40, -40, -40, -40}, {0, 0, -120, 0}, "thirds of a notch"},
        {{-300, -60}, {-240, -120}, "the half notch left over is kept"},
        {{-100, 30, 90}, {0, 0, 120}, "a turn the other way drops the rest"},
        {{119, 1, 119, -1}, {0, 120, 0, 0}, "one unit short, then a turn"},
        {{8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 120}, "a touchpad"},
    };
    for (const SCase& c : cases) {
        for (const int sign : {1, -1}) {  // mirrored deltas give mirrored notches
            navpane::CWheelSum sum;
            for (std::size_t i = 0; i < c.deltas.size(); ++i) {
                EXPECT_EQ(sum.Add(sign * c.deltas[i]), sign * c.whole[i])
                    << c.what << ", message " << i << ", sign " << sign;
            }
        }
    }
    navpane::CWheelSum sum;
    sum.Add(-100);
    sum.Reset();
    EXPECT_EQ(sum.Add(-20), 0) << "nothing left after a reset";
}

TEST(NavPaneLogic, UpdatesKeepThePlaceAndTheFocusedRowInView) {
    const SSpan none{0, 0};
    struct SCase {
        int pos, max, client;
        SSpan focus;  // the focused row laid out at pos (empty: none, or out of view before)
        bool first, reversed;
        int expected;
        const char* what;
    };
    const SCase cases[] = {
        {250, 460, 200, none, false, true, 250, "the place is kept"},
        {250, 100, 200, none, false, true, 100, "clamped to a shorter range"},
        {0, 460, 200, none, true, true, 460, "first layout of a reversed pane: first rows at the bottom"},
        {90, 460, 200, none, true, false, 90, "first layout of a top-down pane keeps its place"},
        {250, 488, 70, {58, 80}, false, true, 260, "focused row below a shorter client: its bottom is the client's"},
        {250, 488, 150, {58, 80}, false, true, 250, "focused row still in view"},
        {260, 757, 200, {202, 235}, false, true, 295, "focused row pushed down by taller rows"},
        {260, 757, 200, {-40, -7}, false, true, 220, "focused row pushed up"},
        {300, 100, 200, {100, 130}, false, true, 100, "a focused row beyond the range end stays clamped"},
        {10, 400, 20, {30, 60}, false, false, 40, "a row taller than the client shows its top"},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(navpane::UpdatedScroll(c.pos, c.max, c.client, c.focus, c.first, c.reversed), c.expected) << c.what;
    }
}

TEST(NavPaneLogic, KeysWrapAtBothEnds) {
    struct SCase {
        int index, step, n, expected;
    };
    const SCase cases[] = {
        {0, 1, 4, 1}, {3, 1, 4, 0}, {0, -1, 4, 3}, {2, -1, 4, 1},
        {-1, 1, 4, 0}, {-1, -1, 4, 3},  // nothing focused yet
        {0, 1, 1, 0}, {0, 1, 0, -1}, {7, 1, 4, 0},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(navpane::WrapStep(c.index, c.step, c.n), c.expected) << c.index << "+" << c.step << " of " << c.n;
    }
}

TEST(NavPaneLogic, ToolRunsAdvanceOnlyForToolsWithRoom) {
    navpane::CToolRun right(6, 1);
    EXPECT_EQ(right.Next(27, true), (SSpan{7, 33}));
    EXPECT_EQ(right.Next(5, true), (SSpan{34, 38}));
    EXPECT_EQ(right.Next(27, false), (SSpan{39, 65}));
    EXPECT_EQ(right.Next(27, true), (SSpan{39, 65})) << "the roomless tool took no room";
    navpane::CToolRun left(194, -1);
    EXPECT_EQ(left.Next(27, true), (SSpan{167, 193}));
    EXPECT_EQ(left.Next(27, true), (SSpan{140, 166}));
    EXPECT_EQ(left.Position(), 140);
}

TEST(NavPaneLogic, ArrowKeysMoveByOneOrTenAndOtherKeysNot) {
    struct SCase {
        int key;
        bool large;
        bool arrow;
        int dx, dy;
    } const cases[] = {
        {0x25, false, true, -1, 0}, {0x26, false, true, 0, -1}, {0x27, false, true, 1, 0}, {0x28, false, true, 0, 1},
        {0x25, true, true, -10, 0}, {0x28, true, true, 0, 10},  {0x24, false, false, 0, 0}, {0x29, true, false, 0, 0},
    };
    for (const SCase& c : cases) {
        int dx = 7, dy = 7;
        EXPECT_EQ(navpane::ArrowMove(c.key, c.large, dx, dy), c.arrow) << c.key;
        EXPECT_EQ(dx, c.dx) << c.key;
        EXPECT_EQ(dy, c.dy) << c.key;
    }
}
