// The drag ghost: the drag threshold, its own window class, and a window that never takes the
// focus or a click.
#include "NavPaneTestSupport.h"

#include "wnd/CWndFactory.h"

#include <gtest/gtest.h>

TEST(DragWnd, ThresholdIncludesItsBorderAndStaysStartedUntilReset) {
    CDragWnd drag;
    EXPECT_EQ(drag.Origin().x, 0);
    EXPECT_FALSE(drag.Started());
    const int cx = ::GetSystemMetrics(SM_CXDRAG);
    const int cy = ::GetSystemMetrics(SM_CYDRAG);
    drag.SetDragOrigin(POINT{100, 200});
    struct SCase {
        int dx, dy;
        bool started;
    };
    const SCase cases[] = {
        {0, 0, false},        {cx, 0, false},   {-cx, 0, false},  {0, cy, false},      {0, -cy, false},
        {cx, cy, false},      {-cx, -cy, false}, {cx + 1, 0, true}, {0, 0, true},         {-cx - 1, 0, true},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(drag.IsDragStarted(POINT{100 + c.dx, 200 + c.dy}), c.started) << c.dx << "," << c.dy;
    }
    drag.ResetDrag();
    EXPECT_EQ(drag.Origin().x, 0);
    EXPECT_EQ(drag.Origin().y, 0);
    EXPECT_FALSE(drag.IsDragStarted(POINT{0, cy}));
    EXPECT_TRUE(drag.IsDragStarted(POINT{0, -cy - 1}));
    drag.SetDragOrigin(POINT{5, 5});
    EXPECT_TRUE(drag.Started()) << "a new origin leaves the started flag alone";
}

TEST(DragWnd, GhostIsTranslucentNeverActivatedAndLetsClicksThrough) {
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost(300, 300, 200, 100));
    Pump(100);
    const HWND active = ::GetActiveWindow();
    CDragWnd drag;
    ASSERT_TRUE(drag.CreateGhost(host.GetHwnd(), RECT{320, 320, 420, 342}));
    EXPECT_FALSE(drag.CreateGhost(host.GetHwnd(), RECT{0, 0, 10, 10})) << "one ghost at a time";
    const HWND ghost = drag.GetHwnd();
    wchar_t name[64] = {};
    ::GetClassNameW(ghost, name, 64);
    EXPECT_STREQ(name, L"DragWnd");
    EXPECT_EQ(FindWndFactory(ghost), nullptr) << "no factory: never made from a template";
    EXPECT_EQ(::GetWindowLongPtrW(ghost, GWL_EXSTYLE) & 0x800A0, 0x800A0);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(ghost, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 196);
    EXPECT_TRUE(::IsWindowVisible(ghost));
    Pump(100);
    EXPECT_EQ(::GetActiveWindow(), active);
    RECT rc{};
    ::GetWindowRect(ghost, &rc);
    EXPECT_EQ(rc.right - rc.left, 100);
    EXPECT_EQ(rc.bottom - rc.top, 22);

    if (HaveXdotool()) {
        ASSERT_TRUE(Xdo(L"mousemove 350 330 sleep 0.1 click 1 sleep 0.2", 500));
        EXPECT_EQ(host.clicks, 1) << "the click went through the ghost to the window below";
        EXPECT_EQ(::GetActiveWindow(), active);
    }
    drag.Destroy();
    EXPECT_FALSE(::IsWindow(ghost));
}
