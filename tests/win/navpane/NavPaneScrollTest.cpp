// Scroll bar, scroll messages and the mouse wheel; painting and hover cost of a long pane.
#include "NavPaneTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

bool HasScrollBar(HWND hwnd) { return (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VSCROLL) != 0; }

int ClientHeight(HWND hwnd) {
    RECT rc{};
    ::GetClientRect(hwnd, &rc);
    return rc.bottom;
}

}  // namespace

TEST(NavPaneScroll, ScrollBarOnlyForALongListAndReversedShowsFirstEntries) {
    for (const bool reversed : {false, true}) {
        SPaneFixture f;
        ASSERT_TRUE(f.Create(5, reversed, 100, 100, 240, 200));  // 5 x 22 = 110 < 200
        const HWND pane = f.pane.GetHwnd();
        EXPECT_FALSE(HasScrollBar(pane));
        EXPECT_EQ(f.pane.ScrollMax(), 0);
        // A short reversed list sits at the top: the last entry is the top row.
        const CNavPaneItem* top = reversed ? f.rows[4] : f.rows[0];
        EXPECT_EQ(top->HeaderRect().top, 0) << (reversed ? "reversed" : "normal");

        for (int i = 5; i < 20; ++i) f.AddRow(L"Row " + std::to_wstring(i));  // 440 px
        Pump(50);
        EXPECT_TRUE(HasScrollBar(pane));
        const int h = ClientHeight(pane);
        EXPECT_EQ(f.pane.ScrollMax(), 20 * 22 - h);
        if (reversed) {
            EXPECT_EQ(f.pane.ScrollPos(), 0) << "after adding, the newest row is in view";
            EXPECT_EQ(f.rows[19]->HeaderRect().top, 0);
            f.pane.UpdateScrollBar();
            EXPECT_EQ(f.pane.ScrollPos(), f.pane.ScrollMax()) << "an update shows the first entries";
            EXPECT_EQ(f.rows[0]->HeaderRect().bottom, h) << "the first entry is the bottom row";
        }
        RECT rc{};
        ::GetClientRect(pane, &rc);
        EXPECT_EQ(f.rows[0]->HeaderRect().right, rc.right) << "rows fit the client beside the bar";

        // Scroll messages: line, page, thumb, clamped at the ends.
        const int max = f.pane.ScrollMax();
        struct SScroll {
            WPARAM code;
            int from;
            int expected;
        };
        const SScroll steps[] = {
            {SB_LINEDOWN, 0, 1},     {SB_LINEUP, 0, 0},       {SB_LINEUP, 5, 4},
            {SB_PAGEDOWN, 0, h - 10}, {SB_PAGEDOWN, max - 3, max}, {SB_PAGEUP, 3, 0},
            {SB_LINEDOWN, max, max}, {SB_BOTTOM, 0, max},     {SB_TOP, 9, 0},
        };
        for (const SScroll& s : steps) {
            f.pane.SetScroll(s.from, false);
            ASSERT_EQ(f.pane.ScrollPos(), s.from);
            ASSERT_EQ(::GetScrollPos(pane, SB_VERT), s.from) << "the bar follows";
            ::SendMessageW(pane, WM_VSCROLL, s.code, 0);
            EXPECT_EQ(f.pane.ScrollPos(), s.expected) << "code " << s.code << " from " << s.from;
        }

        // Removing rows until the list fits drops the bar again.
        while (f.pane.Root().Children().Count() > 5) f.pane.RemoveItem(f.pane.Root().Children().GetAt(0));
        EXPECT_FALSE(HasScrollBar(pane));
        EXPECT_EQ(f.pane.ScrollPos(), 0);
    }
}

TEST(NavPaneScroll, WheelScrollsOnlyWhileFocused) {
    SPaneFixture f;
    ASSERT_TRUE(f.Create(30, false));
    const HWND pane = f.pane.GetHwnd();
    ::SetFocus(f.host.GetHwnd());
    const WPARAM down = MAKEWPARAM(0, static_cast<WORD>(-120));
    ::SendMessageW(pane, WM_MOUSEWHEEL, down, MAKELPARAM(150, 150));
    EXPECT_EQ(f.pane.ScrollPos(), 0) << "no focus: the wheel does nothing";
    ::SetFocus(pane);
    EXPECT_EQ(::SendMessageW(pane, WM_MOUSEWHEEL, down, MAKELPARAM(150, 150)), 0);
    EXPECT_EQ(f.pane.ScrollPos(), 30);

    // Touchpads and smooth wheels send parts of a notch: 120 in total is one step of 30 pixels,
    // the rest waits for the next message, and a turn the other way starts afresh.
    struct SWheel {
        int delta;
        int expected;
        const char* what;
    };
    const SWheel wheels[] = {
        {-60, 30, "half a notch is no step yet"}, {-60, 60, "two halves make a step"},
        {-90, 60, "three quarters down"},         {40, 60, "a turn up drops them"},
        {80, 30, "and counts from there"},
    };
    for (const SWheel& w : wheels) {
        ::SendMessageW(pane, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(w.delta)), 0);
        EXPECT_EQ(f.pane.ScrollPos(), w.expected) << w.delta << ": " << w.what;
    }
    for (int i = 0; i < 14; ++i) ::SendMessageW(pane, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-8)), 0);
    EXPECT_EQ(f.pane.ScrollPos(), 30) << "a touchpad's 14 x 8 is less than a notch";
    ::SendMessageW(pane, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-8)), 0);
    EXPECT_EQ(f.pane.ScrollPos(), 60) << "15 x 8 is one";
    ::SendMessageW(pane, WM_MOUSEWHEEL, MAKEWPARAM(0, 360), 0);
    EXPECT_EQ(f.pane.ScrollPos(), 0) << "clamped at the top";

    // With the real wheel: the focused pane scrolls.
    if (HaveXdotool()) {
        ASSERT_TRUE(Xdo(MoveTo(pane, POINT{40, 40}) + L"click 5 sleep 0.1 click 5 sleep 0.2", 600));
        EXPECT_EQ(f.pane.ScrollPos(), 60);
    }
}

TEST(NavPanePerformance, PaintingALongPaneAndAHoverMove) {
    SPaneFixture f;
    ASSERT_TRUE(f.Create(200, false, 100, 100, 260, 600));
    const HWND pane = f.pane.GetHwnd();
    f.pane.SelectItem(f.rows[3]);
    ::SetFocus(pane);
    Pump(50);
    LARGE_INTEGER freq, t0, t1;
    ::QueryPerformanceFrequency(&freq);
    const int rounds = 50;
    ::QueryPerformanceCounter(&t0);
    for (int i = 0; i < rounds; ++i) {
        ::InvalidateRect(pane, nullptr, FALSE);
        ::UpdateWindow(pane);
    }
    ::QueryPerformanceCounter(&t1);
    const double paintMs = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / freq.QuadPart / rounds;

    // Hover moves between two rows: each changes the hot row and repaints what changed.
    const POINT a = f.RowPoint(f.rows[5]);
    const POINT b = f.RowPoint(f.rows[6]);
    ::QueryPerformanceCounter(&t0);
    for (int i = 0; i < rounds; ++i) {
        const POINT p = (i % 2) ? a : b;
        ::SendMessageW(pane, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        ::UpdateWindow(pane);
    }
    ::QueryPerformanceCounter(&t1);
    const double hoverMs = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / freq.QuadPart / rounds;
    std::printf("200-row pane (%d rows visible): full paint %.2f ms, hover move %.2f ms; one frame of the view is 35 ms\n",
                600 / 22 + 1, paintMs, hoverMs);
    EXPECT_LT(paintMs, 35.0);
    EXPECT_LT(hoverMs, 35.0);
    EXPECT_GE(f.parent.hotChanges.size(), static_cast<std::size_t>(rounds)) << "every move changed the hot row";
}
