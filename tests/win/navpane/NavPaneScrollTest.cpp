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
            EXPECT_EQ(f.pane.ScrollPos(), 0) << "a later update keeps the place";
            EXPECT_EQ(f.rows[19]->HeaderRect().top, 0);
        }
        RECT rc{};
        ::GetClientRect(pane, &rc);
        EXPECT_EQ(f.rows[0]->HeaderRect().right, rc.right) << "rows fit the client beside the bar";

        // Scroll messages: an arrow moves one row (22 pixels), a page the client less 10, clamped
        // at the ends.
        const int max = f.pane.ScrollMax();
        struct SScroll {
            WPARAM code;
            int from;
            int expected;
        };
        const SScroll steps[] = {
            {SB_LINEDOWN, 0, 22},    {SB_LINEUP, 0, 0},       {SB_LINEUP, 5, 0},       {SB_LINEUP, 30, 8},
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

TEST(NavPaneScroll, UpdatesKeepThePlaceAndTheFocusedRowInView) {
    // A pane filled before its window exists: the first layout shows the first rows at the bottom.
    CHostWnd lateHost;
    ASSERT_TRUE(lateHost.CreateHost(400, 100, 260, 220));
    CNavPaneWnd late;
    late.SetReversed(true);
    for (int i = 0; i < 30; ++i) {
        auto* row = new CNavPaneItem(L"Late " + std::to_wstring(i));
        row->SetHeights(30, 22);
        ASSERT_TRUE(late.AddItem(row));
    }
    ASSERT_TRUE(late.Create(0, WS_CHILD | WS_VISIBLE, 10, 10, 240, 200, lateHost.GetHwnd(), nullptr));
    ASSERT_EQ(late.Rows().size(), 30u);
    EXPECT_EQ(late.ScrollPos(), late.ScrollMax());
    EXPECT_EQ(late.Rows().front()->HeaderRect().bottom, ClientHeight(late.GetHwnd())) << "first row at the bottom";

    // A reversed list of 30 rows (660 pixels in 200), scrolled to the middle by the user, with a
    // focused row there: Row 15 at 58..80.
    SPaneFixture f;
    ASSERT_TRUE(f.Create(30, true));
    const HWND pane = f.pane.GetHwnd();
    f.pane.SetScroll(250, false);
    ASSERT_TRUE(f.pane.FocusItem(f.rows[15]));
    CNavPaneItem* focused = f.rows[15];
    ASSERT_EQ(focused->HeaderRect().top, 58);

    // Deleting the row below it closes the gap from below: the place and the rows above stay.
    ASSERT_TRUE(f.pane.RemoveItem(f.rows[14]));
    EXPECT_EQ(f.pane.ScrollPos(), 250) << "deleting a row keeps the place";
    EXPECT_EQ(focused->HeaderRect().top, 58);

    // Resizing keeps the place; a client too short for the focused row scrolls just enough.
    struct SResize {
        int height, pos, focusedTop;
        const char* what;
    };
    const SResize resizes[] = {
        {150, 250, 58, "shorter, the focused row still in view"},
        {70, 260, 48, "shorter than the focused row's bottom: its bottom is the client's"},
        {200, 260, 48, "taller again: the place stays"},
    };
    for (const SResize& r : resizes) {
        ::SetWindowPos(pane, nullptr, 0, 0, 240, r.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(ClientHeight(pane), r.height);
        EXPECT_EQ(f.pane.ScrollPos(), r.pos) << r.what;
        EXPECT_EQ(focused->HeaderRect().top, r.focusedTop) << r.what;
    }

    // A DPI change: the owner makes the rows 33 pixels high, the pane is updated. The focused row
    // (now laid out below the client) is brought back into view, and an arrow step is one such row.
    for (CNavPaneItem* row : f.pane.Root().Children()) row->SetHeights(45, 33);
    f.pane.SetDpi(144);
    const RECT r = focused->HeaderRect();
    EXPECT_TRUE(r.top >= 0 && r.bottom <= 200) << "focused row at " << r.top << ".." << r.bottom;
    EXPECT_EQ(f.pane.ScrollPos(), 295) << "moved just enough";
    ::SendMessageW(pane, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(f.pane.ScrollPos(), 262) << "one 33-pixel row up";

    // Deleting the focused top row hands the focus to its neighbour above, out of view until
    // the pane scrolls to it.
    f.pane.SetScroll(33, false);
    const auto& children = f.pane.Root().Children();
    CNavPaneItem* topRow = children.GetAt(children.Count() - 2);
    CNavPaneItem* above = children.GetAt(children.Count() - 1);
    ASSERT_TRUE(f.pane.FocusItem(topRow));
    ASSERT_EQ(topRow->HeaderRect().top, 0);
    ASSERT_TRUE(f.pane.RemoveItem(topRow));
    ASSERT_EQ(f.pane.FocusedItem(), above);
    EXPECT_EQ(f.pane.ScrollPos(), 0);
    EXPECT_EQ(above->HeaderRect().top, 0);
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
