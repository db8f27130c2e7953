// Hover, leave and tools with the real mouse; rows and tools deleted under the pointer.
#include "NavPaneTestSupport.h"

#include <gtest/gtest.h>

TEST(NavPaneHover, HotRowChangesAndLeaveAndDeletingTheHotRow) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    SPaneFixture f;
    ASSERT_TRUE(f.Create(4, false));
    const HWND pane = f.pane.GetHwnd();
    auto& r = f.rows;
    ASSERT_TRUE(Xdo(L"mousemove 1000 900 sleep 0.1", 500));  // start with the pointer away
    f.parent.hotChanges.clear();
    ASSERT_TRUE(Xdo(MoveTo(pane, f.RowPoint(r[1])) + L"sleep 0.1 " + MoveTo(pane, f.RowPoint(r[2])) + L"sleep 0.1 " +
                        MoveTo(pane, POINT{-30, 40}) + L"sleep 0.2",
                    900));
    // The system reports the leave on its hover timer, up to some 400 ms later.
    PumpUntil([&] { return f.parent.hotChanges.size() >= 3; }, 1500);
    ASSERT_EQ(f.parent.hotChanges.size(), 3u);
    EXPECT_EQ(f.parent.hotChanges[0].hot, r[1]);
    EXPECT_EQ(f.parent.hotChanges[0].previous, nullptr);
    EXPECT_EQ(f.parent.hotChanges[1].hot, r[2]);
    EXPECT_EQ(f.parent.hotChanges[1].previous, r[1]);
    EXPECT_EQ(f.parent.hotChanges[2].hot, nullptr) << "leaving reports no hot row";
    EXPECT_EQ(f.parent.hotChanges[2].previous, r[2]);
    EXPECT_EQ(NavToolState().hotItem, nullptr);

    // Rest on row 3's eye tool, delete the row under the pointer, then move: no stale pointer.
    f.parent.hotChanges.clear();
    const RECT eye = r[3]->ToolRect(r[3]->HeaderRect(), 1, false);
    ASSERT_TRUE(Xdo(MoveTo(pane, POINT{(eye.left + eye.right) / 2, (eye.top + eye.bottom) / 2}) + L"sleep 0.2", 400));
    ASSERT_NE(NavToolState().hot, nullptr);
    EXPECT_EQ(NavToolState().hotItem, r[3]);
    ASSERT_TRUE(f.pane.RemoveItem(r[3]));
    EXPECT_EQ(NavToolState().hot, nullptr);
    EXPECT_EQ(NavToolState().hotItem, nullptr);
    EXPECT_EQ(f.pane.LastHotItem(), nullptr);
    ASSERT_TRUE(Xdo(MoveTo(pane, f.RowPoint(r[0])) + L"sleep 0.1 " + MoveTo(pane, POINT{-30, 40}) + L"sleep 0.2", 600));
    PumpUntil([&] { return f.parent.hotChanges.size() >= 3; }, 1500);
    ASSERT_EQ(f.parent.hotChanges.size(), 3u) << "the removed row, then row 0, then none";
    EXPECT_EQ(f.parent.hotChanges[1].hot, r[0]);
    EXPECT_EQ(f.parent.hotChanges[1].previous, nullptr);
    EXPECT_EQ(f.parent.hotChanges[2].previous, r[0]);
}

TEST(NavPaneHover, ToolClicksToggleExpandAndReachTheParent) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    SPaneFixture f;
    ASSERT_TRUE(f.Create(3, false));
    const HWND pane = f.pane.GetHwnd();
    CNavPaneItem* row = f.rows[0];
    auto* expander = new CNavPaneItemTool(CNavPaneItemTool::kExpander | CNavPaneItemTool::kCheck, 0);
    ASSERT_TRUE(row->AddTool(expander, true));
    ASSERT_TRUE(row->AddChild(new CNavPaneItem(L"Child")));
    f.pane.Relayout();
    auto centre = [&](const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; };
    const POINT eye = centre(row->ToolRect(row->HeaderRect(), 1, false));
    const POINT gear = centre(row->ToolRect(row->HeaderRect(), 0, false));
    CNavPaneItemTool* eyeTool = row->TrailingTools().GetAt(1);

    ASSERT_TRUE(Xdo(MoveTo(pane, eye) + L"click 1 sleep 0.2", 500));
    EXPECT_TRUE(eyeTool->Has(CNavPaneItemTool::kChecked)) << "a check tool toggles";
    ASSERT_EQ(f.parent.commands.size(), 1u);
    EXPECT_EQ(f.parent.commands[0].first, 1009);
    EXPECT_EQ(f.parent.commands[0].second, row);
    EXPECT_TRUE(f.pane.Selection().Empty()) << "a tool click does not select";

    // Pressed on the gear, released beside it: no command and no pressed look left.
    ASSERT_TRUE(Xdo(MoveTo(pane, gear) + L"mousedown 1 sleep 0.1 " + MoveTo(pane, POINT{gear.x - 60, gear.y}) +
                        L"sleep 0.1 mouseup 1 sleep 0.2",
                    600));
    EXPECT_EQ(f.parent.commands.size(), 1u);
    EXPECT_FALSE(row->TrailingTools().GetAt(0)->Has(CNavPaneItemTool::kPressed));
    EXPECT_EQ(NavToolState().pressed, nullptr);

    // The expander shows the child row, and collapses it again.
    const POINT exp = centre(row->ToolRect(row->HeaderRect(), 0, true));
    ASSERT_TRUE(Xdo(MoveTo(pane, exp) + L"click 1 sleep 0.2", 500));
    EXPECT_TRUE(row->IsExpanded());
    EXPECT_EQ(f.pane.Rows().size(), 4u);
    // Later than a double click: a double click presses no tool.
    Pump(::GetDoubleClickTime() + 100);
    ASSERT_TRUE(Xdo(L"click 1 sleep 0.2", 500));
    EXPECT_FALSE(row->IsExpanded());
    EXPECT_EQ(f.pane.Rows().size(), 3u);
}

// Entries and tools destroyed while the process-wide state points at them.
TEST(NavPaneLifetime, DestroyedEntriesAndToolsLeaveNoPointers) {
    SPaneFixture f;
    ASSERT_TRUE(f.Create(3, false));
    SNavToolState& s = NavToolState();
    CNavPaneItemTool* tool = f.rows[1]->TrailingTools().GetAt(0);
    ASSERT_TRUE(tool->Press());
    s.SetHot(tool);
    s.hotItem = f.rows[1];
    ASSERT_TRUE(f.pane.FocusItem(f.rows[1]));
    f.pane.SelectItem(f.rows[1]);
    ASSERT_TRUE(f.pane.RemoveItem(f.rows[1]));
    EXPECT_EQ(s.pressed, nullptr);
    EXPECT_EQ(s.hot, nullptr);
    EXPECT_EQ(s.hotItem, nullptr);
    EXPECT_TRUE(f.pane.Selection().Empty());
    EXPECT_EQ(f.pane.FocusedItem(), f.rows[2]);

    // A whole pane going away with a hot row and a pressed tool.
    {
        SPaneFixture g;
        ASSERT_TRUE(g.Create(2, true));
        CNavPaneItemTool* t = g.rows[0]->TrailingTools().GetAt(1);
        ASSERT_TRUE(t->Press());
        s.SetHot(t);
        s.hotItem = g.rows[0];
    }
    EXPECT_EQ(s.pressed, nullptr);
    EXPECT_EQ(s.hot, nullptr);
    EXPECT_EQ(s.hotItem, nullptr);
}
