// The pane and the toolbar with every look at once, for screenshots (not run on its own):
//   wintest_navpane.exe --gtest_also_run_disabled_tests --gtest_filter=NavPaneShowcase.*
// shows them at (100, 100) for PINARBO_SHOWCASE_MS milliseconds (default 8000).
#include "NavPaneTestSupport.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

CNavPaneItemTool* Tool(unsigned style, int command, int picture0, int picture1 = 0) {
    auto* tool = new CNavPaneItemTool(style, command);
    if (picture0) tool->LoadToolPicture(nullptr, picture0, 0);
    if (picture1) tool->LoadToolPicture(nullptr, picture1, 1);
    tool->BuildLooks(kToolTint);
    return tool;
}

CNavPaneItem* Row(const wchar_t* caption, int thumbnail, bool visible) {
    auto* row = new CNavPaneItem(caption);
    row->SetHeights(30, 22);
    if (thumbnail) {
        CBmp thumb;
        thumb.LoadFromResource(nullptr, thumbnail);
        const int side = 20;
        if (thumb.Width() >= thumb.Height()) {
            thumb.Resample(side, thumb.Height() * side / thumb.Width());
        } else {
            thumb.Resample(thumb.Width() * side / thumb.Height(), side);
        }
        auto* picture = new CNavPaneItemTool(0, 0);
        picture->SetToolPicture(thumb, 0);
        row->AddTool(picture, true);
    }
    row->AddTool(Tool(CNavPaneItemTool::kPush, 1002, IDB_TOOL_GEAR), false);
    auto* eye = Tool(CNavPaneItemTool::kCheck | CNavPaneItemTool::kEdge, 1009, IDB_EYE_CLOSED, IDB_EYE_OPEN);
    if (visible) eye->SetState(CNavPaneItemTool::kChecked, true);
    row->AddTool(eye, false);
    return row;
}

}  // namespace

TEST(NavPaneShowcase, DISABLED_EveryLook) {
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost(100, 100, 280, 250));
    CToolBarWnd bar;
    ASSERT_TRUE(bar.Create(0, WS_CHILD | WS_VISIBLE, 8, 8, 264, 28, host.GetHwnd(), nullptr));
    bar.SetBackground(nullptr, IDB_TOOLBAR_BACK, 0);
    CNavPaneItemTool* plus = Tool(CNavPaneItemTool::kPush, 1007, IDB_TOOL_PLUS);
    CNavPaneItemTool* minus = Tool(CNavPaneItemTool::kPush, 1008, IDB_TOOL_MINUS);
    CNavPaneItemTool* pressed = Tool(CNavPaneItemTool::kPush, 1007, IDB_TOOL_PLUS);
    bar.AddTool(plus, true);
    bar.AddTool(minus, true);
    bar.AddTool(new CNavPaneItemTool(CNavPaneItemTool::kSeparator, 0), true);
    bar.AddTool(pressed, true);
    minus->SetState(CNavPaneItemTool::kHot, true);       // normal, hot and pressed side by side
    pressed->SetState(CNavPaneItemTool::kPressed, true);

    CNavPaneWnd pane;
    pane.SetReversed(true);
    ASSERT_TRUE(pane.Create(0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 8, 42, 264, 200, host.GetHwnd(), nullptr));
    CNavPaneItem* tree = Row(L"Xmas Tree", IDB_TREE_DEFAULT, true);
    CNavPaneItem* ball = Row(L"Round toy", IDB_TOY_ROUND, true);
    CNavPaneItem* star = Row(L"Star (focused)", IDB_TOY_STAR, true);
    CNavPaneItem* lights = Row(L"Garland, hot tool", IDB_GARLAND_LIGHTS, true);
    CNavPaneItem* hidden = Row(L"Hidden toy", IDB_TOY_LONG, false);
    auto* group = new CNavPaneItem(L"Expanded group");
    group->SetHeights(30, 22);
    group->AddTool(new CNavPaneItemTool(CNavPaneItemTool::kExpander | CNavPaneItemTool::kCheck, 0), true);
    group->AddTool(new CNavPaneItemTool(CNavPaneItemTool::kSeparator, 0), true);
    for (CNavPaneItem* row : {tree, ball, star, lights, hidden, group}) pane.AddItem(row);
    auto* child = new CNavPaneItem(L"Child entry");
    child->SetHeights(30, 22);
    group->AddChild(child);
    group->SetExpanded(1);
    auto* collapsed = new CNavPaneItem(L"Collapsed group");
    collapsed->SetHeights(30, 22);
    collapsed->AddTool(new CNavPaneItemTool(CNavPaneItemTool::kExpander | CNavPaneItemTool::kCheck, 0), true);
    collapsed->AddChild(new CNavPaneItem(L"not shown"));
    pane.AddItem(collapsed);
    pane.SelectItem(ball);
    pane.FocusItem(star);
    lights->TrailingTools().GetAt(0)->SetState(CNavPaneItemTool::kHot, true);
    ::SetFocus(pane.GetHwnd());
    pane.Relayout();

    const char* env = std::getenv("PINARBO_SHOWCASE_MS");
    Pump(static_cast<DWORD>(env ? std::atoi(env) : 8000));
}
