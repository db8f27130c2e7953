// The toolbar: tool layout, clicks with the real mouse, hot and pressed looks, background and
// tool tips from the string table.
#include "NavPaneTestSupport.h"

#include "resource.h"
#include "wnd/Handles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

struct SToolBarFixture {
    CHostWnd host;
    CToolBarWnd bar;
    CNavPaneItemTool* plus = nullptr;
    CNavPaneItemTool* minus = nullptr;

    bool Create(int x = 100, int y = 100) {
        if (!host.CreateHost(x, y, 240, 60)) return false;
        if (!bar.Create(0, WS_CHILD | WS_VISIBLE, 10, 10, 200, 28, host.GetHwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(1006)))) {
            return false;
        }
        plus = new CNavPaneItemTool(CNavPaneItemTool::kPush, 1007);
        plus->LoadToolPicture(nullptr, IDB_TOOL_PLUS, 0);
        plus->BuildLooks(kToolTint);
        minus = new CNavPaneItemTool(CNavPaneItemTool::kPush, 1008);
        minus->LoadToolPicture(nullptr, IDB_TOOL_MINUS, 0);
        minus->BuildLooks(kToolTint);
        bar.AddTool(plus, true);
        bar.AddTool(minus, true);
        Pump(50);
        return true;
    }
    RECT Rect(const CNavPaneItemTool* t) const {
        RECT client{};
        ::GetClientRect(bar.GetHwnd(), &client);
        return bar.ToolRect(client, t);
    }
    POINT Centre(const CNavPaneItemTool* t) const {
        const RECT r = Rect(t);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};

COLORREF PixelAt(HWND hwnd, int x, int y) {
    ::UpdateWindow(hwnd);
    CWindowDc dc(hwnd);
    return ::GetPixel(dc.get(), x, y);
}

}  // namespace

TEST(ToolBar, LayoutOfLeadingTrailingSeparatorAndRoomlessTools) {
    SToolBarFixture f;
    ASSERT_TRUE(f.Create());
    auto* sep = new CNavPaneItemTool(CNavPaneItemTool::kSeparator, 0);
    auto* roomless = new CNavPaneItemTool(CNavPaneItemTool::kPush, 77);
    roomless->SetStateBits(CNavPaneItemTool::kNoRoom);
    auto* after = new CNavPaneItemTool(CNavPaneItemTool::kPush, 78);
    auto* trailing = new CNavPaneItemTool(CNavPaneItemTool::kPush, 79);
    f.bar.AddTool(sep, true);
    f.bar.AddTool(roomless, true);
    f.bar.AddTool(after, true);
    f.bar.AddTool(trailing, false);
    // Client 200 x 28, shrunk by 1: tools 27 wide (height 26 + 1) from 1 + 5, separators 5 wide.
    struct SCase {
        const CNavPaneItemTool* tool;
        RECT expected;
    };
    const SCase cases[] = {
        {f.plus, {7, 1, 33, 27}},     {f.minus, {34, 1, 60, 27}},  {sep, {61, 1, 65, 27}},
        {roomless, {66, 1, 92, 27}},  {after, {66, 1, 92, 27}},    {trailing, {167, 1, 193, 27}},
    };
    for (const SCase& c : cases) {
        const RECT r = f.Rect(c.tool);
        EXPECT_TRUE(::EqualRect(&r, &c.expected)) << "tool " << c.tool->CommandId() << ": " << r.left << "," << r.top
                                                  << "," << r.right << "," << r.bottom;
    }
    EXPECT_EQ(f.bar.GetRowHeight(), 23);
    EXPECT_EQ(f.bar.GetPaneWindow(), nullptr);
    EXPECT_FALSE(f.bar.AttachWindow(f.host.GetHwnd()));
    EXPECT_FALSE(f.bar.AddTool(f.plus, true)) << "a tool is added once";
}

TEST(ToolBar, ClicksPostOneCommandAndReleaseElsewherePostsNothing) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    SToolBarFixture f;
    ASSERT_TRUE(f.Create());
    const HWND bar = f.bar.GetHwnd();
    const POINT plus = f.Centre(f.plus);
    const POINT minus = f.Centre(f.minus);

    // Hover: the hot look; leave: gone.
    ASSERT_TRUE(Xdo(MoveTo(bar, plus) + L"sleep 0.2", 400));
    EXPECT_TRUE(f.plus->Has(CNavPaneItemTool::kHot));
    ASSERT_TRUE(Xdo(MoveTo(bar, POINT{plus.x, 80}) + L"sleep 0.2", 400));
    // The system reports the leave on its hover timer, up to some 400 ms later.
    PumpUntil([&] { return !f.plus->Has(CNavPaneItemTool::kHot); }, 1500);
    EXPECT_FALSE(f.plus->Has(CNavPaneItemTool::kHot)) << "leaving removes the hot look";
    EXPECT_EQ(NavToolState().hot, nullptr);

    // A click on plus, then one on minus: one command each, in order.
    ASSERT_TRUE(Xdo(MoveTo(bar, plus) + L"sleep 0.1 click 1 sleep 0.1 " + MoveTo(bar, minus) + L"sleep 0.1 click 1 sleep 0.2",
                    900));
    EXPECT_EQ(f.host.commands, (std::vector<int>{1007, 1008}));

    // Pressed on plus, released off the toolbar: nothing, and no pressed look left.
    f.host.commands.clear();
    ASSERT_TRUE(Xdo(MoveTo(bar, plus) + L"sleep 0.1 mousedown 1 sleep 0.2", 400));
    EXPECT_TRUE(f.plus->Has(CNavPaneItemTool::kPressed));
    EXPECT_EQ(::GetCapture(), bar);
    ASSERT_TRUE(Xdo(MoveTo(bar, POINT{plus.x, 90}) + L"sleep 0.1 mouseup 1 sleep 0.2", 400));
    EXPECT_TRUE(f.host.commands.empty());
    EXPECT_FALSE(f.plus->Has(CNavPaneItemTool::kPressed));
    EXPECT_EQ(NavToolState().pressed, nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Pressed on plus, released on minus: no click either.
    ASSERT_TRUE(Xdo(MoveTo(bar, plus) + L"mousedown 1 sleep 0.1 " + MoveTo(bar, minus) + L"sleep 0.1 mouseup 1 sleep 0.2",
                    500));
    EXPECT_TRUE(f.host.commands.empty());
}

TEST(ToolBar, RadioGroupsBackgroundAndToolTips) {
    SToolBarFixture f;
    ASSERT_TRUE(f.Create());
    const HWND bar = f.bar.GetHwnd();
    RECT client{};
    ::GetClientRect(bar, &client);

    // Radio tools of one group: checking one unchecks the other, another group is left alone.
    auto* a = new CNavPaneItemTool(CNavPaneItemTool::kRadio | CNavPaneItemTool::kPush, 2001);
    auto* b = new CNavPaneItemTool(CNavPaneItemTool::kRadio | CNavPaneItemTool::kPush, 2002);
    auto* c = new CNavPaneItemTool(CNavPaneItemTool::kRadio | CNavPaneItemTool::kPush, 2003);
    a->SetGroupId(5);
    b->SetGroupId(5);
    c->SetGroupId(6);
    f.bar.AddTool(a, false);
    f.bar.AddTool(b, false);
    f.bar.AddTool(c, false);
    c->SetStateBits(CNavPaneItemTool::kChecked);
    for (CNavPaneItemTool* t : {a, b}) {
        const POINT p{(f.Rect(t).left + f.Rect(t).right) / 2, 14};
        ASSERT_TRUE(f.bar.PressAt(client, p));
        ASSERT_TRUE(f.bar.ReleaseAt(client, p));
    }
    EXPECT_FALSE(a->Has(CNavPaneItemTool::kChecked));
    EXPECT_TRUE(b->Has(CNavPaneItemTool::kChecked));
    EXPECT_TRUE(c->Has(CNavPaneItemTool::kChecked));
    Pump(50);
    EXPECT_EQ(f.host.commands, (std::vector<int>{2001, 2002}));

    // No background: the strip shows the button face colour.
    EXPECT_EQ(PixelAt(bar, 100, 25), ::GetSysColor(COLOR_BTNFACE));
    // The background picture is tinted and takes the strip's height.
    ASSERT_TRUE(f.bar.SetBackground(nullptr, IDB_TOOLBAR_BACK, 0));
    EXPECT_EQ(f.bar.Background().Height(), client.bottom);
    EXPECT_EQ(f.bar.Background().Width(), 26);
    ::InvalidateRect(bar, nullptr, FALSE);
    EXPECT_NE(PixelAt(bar, 100, 25), 0u) << "the background is painted";
    EXPECT_FALSE(f.bar.SetBackground(nullptr, 9999, 0)) << "a missing picture";
    EXPECT_TRUE(f.bar.Background().IsEmpty());

    // Tool tips for the tools whose commands have help texts.
    const HWND tips = f.bar.ToolTipWindow();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
    wchar_t text[128] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = bar;
    info.uId = 1;
    info.lpszText = text;
    ::SendMessageW(tips, TTM_GETTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"Add a toy or garland (Insert)") << "the tip names the key that does the same";
    info.uId = 2;
    ::SendMessageW(tips, TTM_GETTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"Delete selected toy and garlands (Delete)");
}
