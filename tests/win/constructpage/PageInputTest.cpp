// The page driven with the real pointer and keyboard (xdotool): the toolbar's add and delete,
// moving items on the canvas, the hover highlight, the eye tool, Space, Enter and double click,
// reordering rows, and the tree's row that stays put.
#include "PageTestSupport.h"

#include "construct/CToolBarWnd.h"
#include "param/CMemoryBackend.h"
#include "param/CSettingsStore.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>
#include <cstring>

namespace {

const std::vector<SItemSpec> kScene = {
    {L"Red", CItem::kToy, 131, 20, 40, 0},
    {L"Green", CItem::kToy, 131, 20, 40, 80},  // exactly over Red
    {L"Blue", CItem::kToy, 134, 120, 60, 160},
    {L"Lights", CItem::kGarland, 145, 30, 150, 0},
};

class PageInput : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
        f.scene.UseScene(&kScene);
        ASSERT_TRUE(f.Open());
    }
    void Click(HWND hwnd, POINT p, const wchar_t* keys = nullptr) { ASSERT_TRUE(Xdo(ClickScript(hwnd, p, keys), 500)); }
    void ClickRow(const wchar_t* caption, const wchar_t* keys = nullptr) {
        Click(f.PaneWnd(), f.CaptionPoint(f.RowOf(caption)), keys);
    }
    // The toolbar's add (1007) or delete (1008) tool, then keys for the question (if any).
    void ClickTool(int command, const wchar_t* answer = nullptr) {
        const HWND bar = ::GetDlgItem(f.PageWnd(), 1006);
        auto* toolbar = dynamic_cast<CToolBarWnd*>(CWnd::FromHandle(bar));
        RECT client{};
        ::GetClientRect(bar, &client);
        CNavPaneItemTool* tool = nullptr;
        for (CNavPaneItemTool* t : toolbar->LeadingTools()) tool = t->CommandId() == command ? t : tool;
        ASSERT_NE(tool, nullptr);
        const RECT r = toolbar->ToolRect(client, tool);
        const std::wstring keys = answer ? std::wstring(L"sleep 0.6 key ") + answer : L"";
        ASSERT_TRUE(Xdo(ClickScript(bar, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}) + keys, 1800));
    }
    void ClickApply() { Click(::GetDlgItem(f.PageWnd(), 1028), POINT{10, 8}); }

    SPageFixture f;
};

bool Brighter(unsigned lit, unsigned normal) {
    bool more = false;
    for (int shift : {0, 8, 16}) {
        const unsigned a = (lit >> shift) & 0xFF, b = (normal >> shift) & 0xFF;
        if (a < b) return false;
        more = more || a > b;
    }
    return more;
}

}  // namespace

TEST_F(PageInput, AddTakesTheTemplateOrTheLastConfirmedItemAndDeleteKeepsTheTree) {
    // Plus: a copy of the template toy, on top, the only selection.
    ClickRow(L"Blue");
    ClickTool(1007);
    ASSERT_EQ(f.page->WorkingItems().Count(), 5);
    CItem* added = f.page->WorkingItems().GetAt(4);
    EXPECT_EQ(Describe(*added), Describe(f.scene.newItem));
    EXPECT_EQ(f.RowOrder().back(), L"Toy") << "the top row";
    EXPECT_EQ(f.SelectedCaptions(), std::vector<std::wstring>{L"Toy"});
    const POINT m = Middle(added);
    EXPECT_EQ(f.CanvasPixel(m.x, m.y), added->Rendered().PixelAt(m.x - added->x, m.y - added->y) & 0xFFFFFF);

    // The settings tool: OK renames the row and makes the item the template; Cancel does not.
    CScriptedItemsPane::Script() = {L"Confirmed", 1};
    Click(f.PaneWnd(), f.ToolPoint(f.RowOf(L"Blue"), 1002));
    EXPECT_EQ(f.RowOf(f.Working(L"Confirmed"))->Caption(), L"Confirmed");
    EXPECT_EQ(Describe(f.scene.newItem), Describe(*f.Working(L"Confirmed")));
    CScriptedItemsPane::Script() = {L"Dropped", 2};
    Click(f.PaneWnd(), f.ToolPoint(f.RowOf(L"Red"), 1002));
    EXPECT_EQ(f.RowOf(f.Working(L"Dropped"))->Caption(), L"Red");
    EXPECT_EQ(f.scene.newItem.Caption.Get(), L"Confirmed");
    ClickTool(1007);
    EXPECT_EQ(Describe(*f.page->WorkingItems().GetAt(5)), Describe(*f.Working(L"Confirmed")));

    // Minus with the tree and two toys selected: No keeps everything, Yes deletes only the toys.
    ClickRow(L"Xmas Tree");
    ClickRow(L"Lights", L"ctrl");
    ClickRow(L"Toy", L"ctrl");
    ASSERT_EQ(f.SelectedCaptions().size(), 3u);
    ClickTool(1008, L"n");
    EXPECT_EQ(f.page->WorkingItems().Count(), 6);
    ClickTool(1008, L"Return");
    EXPECT_EQ(f.RowOrder(), (std::vector<std::wstring>{L"Xmas Tree", L"Red", L"Green", L"Confirmed", L"Confirmed"}));
    EXPECT_EQ(f.page->WorkingItems().Count(), 4);
    EXPECT_TRUE(f.SelectedCaptions().empty());
    ClickTool(1008);  // nothing selected: no question
    EXPECT_EQ(::FindWindowW(nullptr, L"Confirmation"), nullptr);

    // The row under the pointer, focused and selected, deleted: nothing points at it afterwards.
    CItemsPaneItem* green = f.RowOf(L"Green");
    ClickRow(L"Green");
    ASSERT_EQ(f.Pane().FocusedItem(), green);
    EXPECT_EQ(f.Working(L"Green")->hover, 1);
    ::PostMessageW(f.PageWnd(), WM_COMMAND, 1008, 0);
    ASSERT_TRUE(Xdo(L"sleep 0.6 key Return", 1500));
    EXPECT_EQ(f.Working(L"Green"), nullptr);
    EXPECT_NE(f.Pane().FocusedItem(), green);
    EXPECT_NE(f.Pane().LastHotItem(), green);
    POINT next = f.CaptionPoint(f.RowOf(L"Red"));  // the rows closed up under the pointer
    ASSERT_TRUE(Xdo(MoveTo(f.PaneWnd(), POINT{next.x + 3, next.y}) + L"sleep 0.2", 400));
    EXPECT_EQ(f.Working(L"Dropped")->hover, 1);
    f.Close(IDOK);
    EXPECT_EQ(f.scene.items.Count(), 3);
}

TEST_F(PageInput, SelectedItemsMoveTogetherOnTheCanvasAndCancelAfterApplyRestoresTheDesktop) {
    SComposition desktop;
    CopyDesktop(f.scene.desktop, desktop);
    const std::vector<std::wstring> start = Describe(f.scene.items);
    CItem* red = f.Working(L"Red");
    CItem* blue = f.Working(L"Blue");
    ClickRow(L"Red");
    ClickRow(L"Blue", L"ctrl");
    const POINT from = f.CanvasPoint(150, 250);
    ASSERT_TRUE(Xdo(DragScript(f.PageWnd(), from, POINT{from.x + 30, from.y + 20}), 1600));
    EXPECT_EQ((std::vector<int>{red->x, red->y, blue->x, blue->y}), (std::vector<int>{50, 60, 150, 80}));
    EXPECT_EQ(f.Working(L"Green")->x, 20) << "not selected: stays";
    Click(f.PageWnd(), f.CanvasPoint(100, 100));  // a click without movement
    EXPECT_EQ((std::vector<int>{red->x, red->y, blue->x, blue->y}), (std::vector<int>{50, 60, 150, 80}));
    // Dragged out of the canvas three times over: kept as they are.
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(Xdo(DragScript(f.PageWnd(), f.CanvasPoint(280, 300), f.CanvasPoint(10, 20)), 1600));
    }
    EXPECT_EQ((std::vector<int>{red->x, red->y, blue->x}), (std::vector<int>{50 - 810, 60 - 840, 150 - 810}));

    // Apply shows the edit on the desktop; Cancel puts the scene and the desktop back.
    ClickApply();
    EXPECT_EQ(f.scene.items.GetAt(0)->x, red->x);
    EXPECT_FALSE(SameDesktop(f.scene.desktop, desktop));
    f.Close(IDCANCEL);
    EXPECT_EQ(Describe(f.scene.items), start);
    EXPECT_EQ(f.scene.begins, 2);
    EXPECT_TRUE(SameDesktop(f.scene.desktop, desktop));
}

TEST_F(PageInput, HoveringARowBrightensItsItemOnTheCanvas) {
    const POINT blue = Middle(f.Working(L"Blue"));
    const POINT red = Middle(f.Working(L"Red"));  // Green lies over Red
    const POINT tree{96, 200};
    const unsigned blueNormal = f.ScreenPixel(blue.x, blue.y);
    const unsigned greenNormal = f.ScreenPixel(red.x, red.y);
    const unsigned treeNormal = f.ScreenPixel(tree.x, tree.y);
    EXPECT_EQ(blueNormal, f.CanvasPixel(blue.x, blue.y)) << "the page shows what it draws";
    auto hover = [&](HWND window, POINT p) { ASSERT_TRUE(Xdo(MoveTo(window, p) + L"sleep 0.3", 500)); };
    hover(f.PaneWnd(), f.CaptionPoint(f.RowOf(L"Blue")));
    EXPECT_EQ(f.Working(L"Blue")->hover, 1);
    EXPECT_TRUE(Brighter(f.ScreenPixel(blue.x, blue.y), blueNormal)) << std::hex << f.ScreenPixel(blue.x, blue.y);
    hover(f.PaneWnd(), f.CaptionPoint(f.RowOf(L"Green")));
    EXPECT_EQ(f.Working(L"Blue")->hover, 0);
    EXPECT_EQ(f.ScreenPixel(blue.x, blue.y), blueNormal);
    EXPECT_TRUE(Brighter(f.ScreenPixel(red.x, red.y), greenNormal));
    hover(f.PaneWnd(), f.CaptionPoint(f.RowOf(L"Xmas Tree")));
    EXPECT_EQ(f.ScreenPixel(tree.x, tree.y), treeNormal) << "the tree is never highlighted";
    EXPECT_EQ(f.ScreenPixel(red.x, red.y), greenNormal);
    hover(f.PageWnd(), f.CanvasPoint(250, 300));
    for (const CItem* item : f.page->WorkingItems()) EXPECT_EQ(item->hover, 0) << Describe(*item);
}

TEST_F(PageInput, EyeSpaceAndDoubleClickActOnTheirRow) {
    // The eye hides the item from the canvas and, after Apply, from the desktop; the row stays.
    const POINT blue = Middle(f.Working(L"Blue"));
    const unsigned shown = f.ScreenPixel(blue.x, blue.y);
    Click(f.PaneWnd(), f.ToolPoint(f.RowOf(L"Blue"), 1009));
    EXPECT_FALSE(f.Working(L"Blue")->IsVisible());
    EXPECT_NE(f.ScreenPixel(blue.x, blue.y), shown);
    EXPECT_EQ(f.RowOrder().size(), 5u);
    ClickApply();
    SComposition hidden;
    CopyDesktop(f.scene.desktop, hidden);
    f.scene.items.GetAt(2)->visible.Set(1);
    f.scene.EndSceneChange();
    EXPECT_FALSE(SameDesktop(f.scene.desktop, hidden)) << "the hidden toy was left out of the desktop";

    // Space on the focused row hides, and again shows.
    ClickRow(L"Green");
    ASSERT_TRUE(Xdo(L"key space sleep 0.2", 400));
    EXPECT_FALSE(f.Working(L"Green")->IsVisible());
    EXPECT_FALSE(f.RowOf(L"Green")->FindTool(1009)->Has(CNavPaneItemTool::kChecked));
    ASSERT_TRUE(Xdo(L"key space sleep 0.2", 400));
    EXPECT_TRUE(f.Working(L"Green")->IsVisible());

    // Double click: on the eye it only toggles; on the caption it opens the settings.
    const bool redShown = f.Working(L"Red")->IsVisible();
    const std::wstring twice = L"sleep 0.1 click --repeat 2 --delay 80 1 sleep 0.3";
    ASSERT_TRUE(Xdo(MoveTo(f.PaneWnd(), f.ToolPoint(f.RowOf(L"Red"), 1009)) + twice, 700));
    EXPECT_EQ(f.Working(L"Red")->IsVisible(), !redShown) << "the eye toggled once";
    EXPECT_TRUE(CScriptedItemsPane::Script().calls.empty());
    ASSERT_TRUE(Xdo(MoveTo(f.PaneWnd(), f.CaptionPoint(f.RowOf(L"Red"))) + twice, 700));
    ASSERT_EQ(CScriptedItemsPane::Script().calls.size(), 1u);
    EXPECT_EQ(CScriptedItemsPane::Script().calls[0].item, f.Working(L"Red"));
}

TEST_F(PageInput, EnterOpensTheItemAndTreeDialogsOfTheFocusedRow) {
    CScriptedItemsPane::Script().real = true;
    // Inside a dialog, Enter must reach the pane rather than press the default button.
    MSG enter{f.PaneWnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(::SendMessageW(f.PaneWnd(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                DLGC_WANTMESSAGE);
    // Escape cancels (template unchanged); Enter confirms (the template becomes Blue).
    const std::wstring before = Describe(f.scene.newItem);
    ClickRow(L"Blue");
    ASSERT_TRUE(Xdo(L"key Return sleep 1.2 key Escape sleep 0.4", 2500));
    EXPECT_EQ(Describe(f.scene.newItem), before);
    ClickRow(L"Blue");  // the test window, no dialog, does not give the pane its focus back
    ASSERT_TRUE(Xdo(L"key Return sleep 1.2 key Return sleep 0.4", 2500));
    ClickRow(L"Xmas Tree");
    ASSERT_TRUE(Xdo(L"key Return sleep 1.2 key Escape sleep 0.4", 2500));
    const auto& calls = CScriptedItemsPane::Script().calls;
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ((std::vector<INT_PTR>{calls[0].result, calls[1].result, calls[2].result}), (std::vector<INT_PTR>{2, 1, 2}));
    EXPECT_EQ((std::vector<bool>{calls[0].tree, calls[1].tree, calls[2].tree}), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Describe(f.scene.newItem), Describe(*f.Working(L"Blue")));
}

TEST_F(PageInput, DraggingRowsReordersTheSceneButTheTreeRowStaysPut) {
    const POINT overlap = Middle(f.Working(L"Red"));
    const CItem* red = f.Working(L"Red");
    const unsigned redPixel = red->Rendered().PixelAt(overlap.x - red->x, overlap.y - red->y) & 0xFFFFFF;
    EXPECT_NE(f.ScreenPixel(overlap.x, overlap.y), redPixel) << "Green covers Red";
    auto drag = [&](const wchar_t* from, const wchar_t* to, int dy) {
        ASSERT_TRUE(Xdo(DragScript(f.PaneWnd(), f.CaptionPoint(f.RowOf(from)), f.CaptionPoint(f.RowOf(to), dy)), 1600));
    };
    // Red into the upper half of Blue's row: above it on screen, after it in drawing order.
    drag(L"Red", L"Blue", -6);
    const std::vector<std::wstring> moved{L"Green", L"Blue", L"Red", L"Lights"};
    const std::vector<std::wstring> rows{L"Xmas Tree", L"Green", L"Blue", L"Red", L"Lights"};
    EXPECT_EQ(f.WorkingOrder(), moved);
    EXPECT_EQ(f.RowOrder(), rows);
    ASSERT_TRUE(Xdo(MoveTo(f.PageWnd(), f.CanvasPoint(250, 320)) + L"sleep 0.3", 500));  // no row hovered
    EXPECT_EQ(f.ScreenPixel(overlap.x, overlap.y), redPixel) << "Red is now drawn over Green";
    // The tree's row is neither dragged nor dropped on, and the mouse ends free.
    drag(L"Xmas Tree", L"Lights", -6);
    drag(L"Blue", L"Xmas Tree", 6);
    EXPECT_EQ(f.RowOrder(), rows);
    EXPECT_EQ(f.WorkingOrder(), moved);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(f.Pane().DragWindow().IsValid());

    // OK keeps the order; a new page shows it; the stored item sections follow it.
    f.Close(IDOK);
    ASSERT_TRUE(f.Open());
    EXPECT_EQ(f.RowOrder(), rows);
    f.Close(IDOK);
    CMemoryBackend memory;
    CSettingsStore store;
    store.SetBackend(&memory);
    f.scene.items.SetNames(L"Items", L"%03d");
    ASSERT_TRUE(f.scene.items.SaveItems(&store));
    for (int i = 0; i < 4; ++i) {
        tstr caption;
        EXPECT_TRUE(store.ReadString(f.scene.items.SectionOf(i), L"Caption", caption));
        EXPECT_EQ(caption, moved[static_cast<std::size_t>(i)]) << i;
    }
}

// The items list's keys, pressed for real: Home and End reach the top and the bottom row, F2 opens
// the settings as Enter does, Alt+arrows move the selected items by one stored unit (Shift: ten),
// Ctrl+D duplicates them above every item, Insert adds as the plus tool, Delete asks as the minus
// tool. The tree is never moved, duplicated or deleted.
TEST_F(PageInput, ListKeysEditTheSceneButNeverTheTree) {
    const auto keys = [](const wchar_t* script) { ASSERT_TRUE(Xdo(script, 500)); };
    ClickRow(L"Blue");
    keys(L"key Home");
    EXPECT_EQ(f.SelectedCaptions(), std::vector<std::wstring>{L"Lights"});
    keys(L"key End");
    EXPECT_EQ(f.SelectedCaptions(), std::vector<std::wstring>{L"Xmas Tree"});
    keys(L"key F2");
    keys(L"key Home key F2");
    const auto& calls = CScriptedItemsPane::Script().calls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(calls[0].tree);
    EXPECT_EQ(calls[1].item, f.Working(L"Lights"));

    // Blue and the tree selected: Alt+Right x3, Alt+Down x2, then Alt+Shift+Left.
    CItem* blue = f.Working(L"Blue");
    const POINT tree{f.page->WorkingTree().x, f.page->WorkingTree().y};
    ClickRow(L"Blue");
    ClickRow(L"Xmas Tree", L"ctrl");
    const POINT middle = Middle(blue);
    const unsigned shown = f.CanvasPixel(middle.x, middle.y);
    keys(L"key alt+Right alt+Right alt+Right alt+Down alt+Down");
    EXPECT_EQ(blue->x, 123);
    EXPECT_EQ(blue->y, 62);
    EXPECT_EQ(f.page->WorkingTree().x, tree.x) << "the tree stays";
    EXPECT_EQ(f.page->WorkingTree().y, tree.y);
    EXPECT_EQ(f.CanvasPixel(middle.x + 3, middle.y + 2), shown) << "the canvas shows the move";
    keys(L"key alt+shift+Left");
    EXPECT_EQ(blue->x, 113);

    // Ctrl+D with Red, Blue and the tree selected: copies of Red and Blue on top, (8, 8) away.
    ClickRow(L"Red", L"ctrl");
    keys(L"key ctrl+d");
    ASSERT_EQ(f.page->WorkingItems().Count(), 6);
    const CItem* redCopy = f.page->WorkingItems().GetAt(4);
    const CItem* blueCopy = f.page->WorkingItems().GetAt(5);
    EXPECT_EQ(redCopy->Caption.Get(), L"Red");
    EXPECT_EQ(blueCopy->Caption.Get(), L"Blue");
    EXPECT_EQ(std::make_pair(redCopy->x, redCopy->y), std::make_pair(28, 48));
    EXPECT_EQ(std::make_pair(blueCopy->x, blueCopy->y), std::make_pair(121, 70));
    EXPECT_FALSE(blueCopy->Rendered().IsEmpty());
    EXPECT_EQ(f.RowOrder(), (std::vector<std::wstring>{L"Xmas Tree", L"Red", L"Green", L"Blue", L"Lights", L"Red", L"Blue"}));
    EXPECT_EQ(f.SelectedCaptions(), (std::vector<std::wstring>{L"Red", L"Blue"}));

    // Insert: the plus tool's new item, on top and the only selection.
    keys(L"key Insert");
    ASSERT_EQ(f.page->WorkingItems().Count(), 7);
    EXPECT_EQ(Describe(*f.page->WorkingItems().GetAt(6)), Describe(f.scene.newItem));
    EXPECT_EQ(f.SelectedCaptions(), std::vector<std::wstring>{L"Toy"});

    // Delete with the new item and the tree selected: No keeps both, Yes deletes the item only.
    ClickRow(L"Xmas Tree", L"ctrl");
    ASSERT_TRUE(Xdo(L"key Delete sleep 0.6 key n", 1500));
    EXPECT_EQ(f.page->WorkingItems().Count(), 7);
    ClickRow(L"Toy");  // the test window, no dialog, does not give the pane its focus back
    ClickRow(L"Xmas Tree", L"ctrl");
    ASSERT_TRUE(Xdo(L"key Delete sleep 0.6 key Return", 1500));
    EXPECT_EQ(f.page->WorkingItems().Count(), 6);
    EXPECT_EQ(f.RowOrder().front(), L"Xmas Tree");
    EXPECT_EQ(::FindWindowW(nullptr, L"Confirmation"), nullptr);
}

namespace {
// The page's pixels along the canvas frame's top edge, one inside it, as the screen shows them.
std::vector<COLORREF> CanvasTopEdge(const SPageFixture& f) {
    const RECT rc = f.page->CanvasRect();
    const HDC dc = ::GetDC(f.PageWnd());
    std::vector<COLORREF> row;
    for (int x = rc.left + 1; x < rc.left + 41; ++x) row.push_back(::GetPixel(dc, x, rc.top + 1));
    ::ReleaseDC(f.PageWnd(), dc);
    return row;
}
}  // namespace

// A click on the canvas gives it the focus, shown by a focus rectangle; then the arrow keys alone
// move the selected items (Shift: by ten); a click on the list takes the focus and the frame back.
TEST_F(PageInput, CanvasTakesTheFocusAndArrowKeysMoveTheSelection) {
    CItem* blue = f.Working(L"Blue");
    ClickRow(L"Blue");
    const std::vector<COLORREF> plain = CanvasTopEdge(f);
    EXPECT_FALSE(f.page->CanvasHasFocus());
    Click(f.PageWnd(), f.CanvasPoint(2, 2));
    EXPECT_TRUE(f.page->CanvasHasFocus());
    PumpMessages(50);
    const std::vector<COLORREF> framed = CanvasTopEdge(f);
    int changed = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) changed += plain[i] != framed[i];
    EXPECT_GE(changed, 10) << "a focus rectangle along the canvas frame";
    EXPECT_EQ(blue->x, 120) << "a click without moving moves nothing";
    ASSERT_TRUE(Xdo(L"key Right Right Right Down Down shift+Up", 600));
    EXPECT_EQ(blue->x, 123);
    EXPECT_EQ(blue->y, 52);
    EXPECT_EQ(f.SelectedCaptions(), std::vector<std::wstring>{L"Blue"});
    ClickRow(L"Blue");
    EXPECT_FALSE(f.page->CanvasHasFocus());
    PumpMessages(50);
    EXPECT_EQ(CanvasTopEdge(f), plain) << "the focus rectangle went with the focus";
}

// Ctrl+Z walks back through the changes made with keys and dialogs (moves, a duplicate, a delete,
// a hidden item), Ctrl+Y forward again; rows, canvas and items follow. A new change forgets the
// steps Ctrl+Y could have brought back.
TEST_F(PageInput, CtrlZAndCtrlYUndoAndRedoTheChanges) {
    const auto keys = [](const wchar_t* script) { ASSERT_TRUE(Xdo(script, 600)); };
    const auto rowsMatchItems = [&] {
        std::vector<std::wstring> expected{L"Xmas Tree"};
        for (const std::wstring& caption : f.WorkingOrder()) expected.push_back(caption);
        return f.RowOrder() == expected;
    };
    const std::vector<std::wstring> opened = Describe(f.page->WorkingItems());
    const POINT blueMiddle = Middle(f.Working(L"Blue"));
    f.Working(L"Blue")->hover = 0;  // drawn as it is, whichever row the pointer rests on
    const unsigned blueShown = f.CanvasPixel(blueMiddle.x, blueMiddle.y);
    ClickRow(L"Blue");
    keys(L"key alt+Right alt+Right ctrl+d");
    ASSERT_EQ(f.page->WorkingItems().Count(), 5);
    ASSERT_TRUE(Xdo(L"key Delete sleep 0.6 key Return", 1500));
    ASSERT_EQ(f.page->WorkingItems().Count(), 4);
    ClickRow(L"Red");  // the test window, no dialog, does not give the pane its focus back
    keys(L"key space");
    ASSERT_FALSE(f.Working(L"Red")->IsVisible());
    const std::vector<std::wstring> edited = Describe(f.page->WorkingItems());
    EXPECT_EQ(f.page->History().UndoSteps(), 4u) << "a run of moves, a duplicate, a delete, a hidden item";

    keys(L"key ctrl+z");
    EXPECT_TRUE(f.Working(L"Red")->IsVisible());
    keys(L"key ctrl+z");
    EXPECT_EQ(f.page->WorkingItems().Count(), 5) << "the deleted copy is back";
    EXPECT_TRUE(rowsMatchItems());
    keys(L"key ctrl+z");
    EXPECT_EQ(f.page->WorkingItems().Count(), 4);
    EXPECT_EQ(f.Working(L"Blue")->x, 122);
    keys(L"key ctrl+z ctrl+z");  // the run of moves at once; the second finds nothing left to undo
    EXPECT_EQ(Describe(f.page->WorkingItems()), opened);
    EXPECT_TRUE(rowsMatchItems());
    f.Working(L"Blue")->hover = 0;
    EXPECT_EQ(f.CanvasPixel(blueMiddle.x, blueMiddle.y), blueShown);
    EXPECT_FALSE(f.page->History().CanUndo());

    keys(L"key ctrl+y ctrl+shift+z ctrl+y ctrl+y ctrl+y");
    EXPECT_EQ(Describe(f.page->WorkingItems()), edited);
    EXPECT_TRUE(rowsMatchItems());
    keys(L"key ctrl+z ctrl+z");
    ClickRow(L"Green");
    keys(L"key Insert ctrl+y");
    EXPECT_FALSE(f.page->History().CanRedo());
    EXPECT_EQ(f.page->WorkingItems().Count(), 6) << "the copy and the new item; Ctrl+Y brought nothing back";
    f.Close(IDOK);
    EXPECT_EQ(f.scene.items.Count(), 6);
}

// OK in an item's settings and in the tree's (which moved and resized the toys with the tree) are
// one step each: Ctrl+Z brings back every value they changed, row captions included.
TEST_F(PageInput, UndoBringsBackWhatTheSettingsDialogsChanged) {
    const auto keys = [](const wchar_t* script) { ASSERT_TRUE(Xdo(script, 600)); };
    const auto scene = [&] {
        std::vector<std::wstring> all = Describe(f.page->WorkingItems());
        const CItem& tree = f.page->WorkingTree();
        all.push_back(Describe(tree) + L" size " + std::to_wstring(tree.size.Get()));
        for (const CItem* item : f.page->WorkingItems()) all.push_back(std::to_wstring(item->size.Get()));
        return all;
    };
    const std::vector<std::wstring> opened = scene();
    auto& script = CScriptedItemsPane::Script();
    script.result = IDOK;
    script.edit = [](CItem& item) {
        item.Caption.Set(L"Renamed");
        item.hue.Set(99);
    };
    ClickRow(L"Blue");
    keys(L"key F2");
    ASSERT_EQ(f.Working(L"Renamed"), f.page->WorkingItems().GetAt(2));
    const std::vector<std::wstring> renamed = scene();
    script.edit = [this](CItem& tree) {
        tree.size.Set(50);
        tree.x += 10;
        for (CItem* item : f.page->WorkingItems()) {
            item->x /= 2;
            item->size.Set(50);
        }
    };
    keys(L"key End F2");
    ASSERT_EQ(f.page->WorkingTree().size.Get(), 50);
    EXPECT_EQ(f.page->History().UndoSteps(), 2u);
    keys(L"key ctrl+z");
    EXPECT_EQ(scene(), renamed);
    keys(L"key ctrl+z");
    EXPECT_EQ(scene(), opened);
    EXPECT_NE(f.RowOf(L"Blue"), nullptr) << "the row's caption came back too";
}

namespace {
// A drop as Explorer makes it: the files' full paths after a DROPFILES header, posted to window.
void PostDrop(HWND window, const std::vector<std::wstring>& files, POINT at) {
    std::wstring list;
    for (const std::wstring& file : files) list += file + L'\0';
    list += L'\0';
    const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->pt = at;
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ASSERT_TRUE(::PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0));
    PumpMessages(100);
}

std::wstring TestDataPath(const wchar_t* relative) {
    std::wstring path = L"Z:";  // Wine maps the Unix root to drive Z:
    for (const char* p = PINARBO_TEST_DATA; *p; ++p) path += static_cast<wchar_t>(*p == '/' ? '\\' : *p);
    for (path += L'\\'; *relative; ++relative) path += *relative == L'/' ? L'\\' : *relative;
    return path;
}

bool ToolDisabled(const SPageFixture& f, int command) {
    auto* bar = dynamic_cast<CToolBarWnd*>(CWnd::FromHandle(::GetDlgItem(f.PageWnd(), 1006)));
    for (CNavPaneItemTool* tool : bar->LeadingTools()) {
        if (tool->CommandId() == command) return tool->Has(CNavPaneItemTool::kDisabled);
    }
    ADD_FAILURE() << "no tool " << command;
    return false;
}
}  // namespace

// The toolbar's undo and redo tools, greyed while there is nothing to undo or redo; a run of
// nudges is one step; picture files dropped on the canvas or the list become toys in one step,
// other files are left out with a status line.
TEST_F(PageInput, UndoToolsNudgeRunsAndDroppedPictures) {
    const auto keys = [](const wchar_t* script) { ASSERT_TRUE(Xdo(script, 600)); };
    EXPECT_TRUE(ToolDisabled(f, 1052));
    EXPECT_TRUE(ToolDisabled(f, 1053));
    const auto blueAt = [&] { return std::make_pair(f.Working(L"Blue")->x, f.Working(L"Blue")->y); };
    ClickRow(L"Blue");
    keys(L"key alt+Right alt+Right alt+Right alt+Down alt+Down");
    EXPECT_EQ(f.page->History().UndoSteps(), 1u);
    EXPECT_FALSE(ToolDisabled(f, 1052));
    EXPECT_TRUE(ToolDisabled(f, 1053));
    ClickTool(1052);
    EXPECT_EQ(blueAt(), std::make_pair(120, 60)) << "the whole run undone";
    EXPECT_TRUE(ToolDisabled(f, 1052));
    EXPECT_FALSE(ToolDisabled(f, 1053));
    ClickTool(1053);
    EXPECT_EQ(blueAt(), std::make_pair(123, 62));
    ClickRow(L"Red");
    keys(L"key alt+Left");
    ClickRow(L"Blue");
    keys(L"key alt+Left");
    EXPECT_EQ(f.page->History().UndoSteps(), 3u) << "another selection starts another run";

    const std::wstring png = TestDataPath(L"itemdlg/tree_alpha.png");
    const std::wstring text = TestDataPath(L"itemdlg/make.sh");
    const int before = f.page->WorkingItems().Count();
    PostDrop(f.PageWnd(), {text, png}, f.CanvasPoint(150, 100));
    ASSERT_EQ(f.page->WorkingItems().Count(), before + 1);
    const CItem* dropped = f.page->WorkingItems().GetAt(before);
    EXPECT_EQ(dropped->Caption.Get(), L"tree_alpha");
    EXPECT_EQ(dropped->type.Get(), CItem::kToy);
    EXPECT_EQ(dropped->source.Get(), CItem::kFile);
    EXPECT_EQ(dropped->path, png);
    const POINT middle = Middle(dropped);
    EXPECT_LE(std::abs(middle.x - 150) + std::abs(middle.y - 100), 1) << "its middle where it was dropped";
    EXPECT_EQ(f.SelectedCaptions(), std::vector<std::wstring>{L"tree_alpha"});
    EXPECT_FALSE(f.page->StatusText().empty()) << "the left-out file is told";
    EXPECT_EQ(f.page->History().UndoSteps(), 4u);
    keys(L"key ctrl+z");
    EXPECT_EQ(f.page->WorkingItems().Count(), before);
    keys(L"key ctrl+shift+z");
    EXPECT_EQ(f.page->WorkingItems().Count(), before + 1);

    PostDrop(f.PaneWnd(), {L"C:\\trees\\Garden.PINARBO"}, POINT{5, 5});
    EXPECT_EQ(f.scene.treeFiles, std::vector<tstr>{L"C:\\trees\\Garden.PINARBO"}) << "tree files go to the program";
    EXPECT_TRUE(f.page->StatusText().empty());
    PostDrop(f.PaneWnd(), {text}, POINT{5, 5});
    EXPECT_EQ(f.page->WorkingItems().Count(), before + 1) << "nothing but a text file: nothing added";
    EXPECT_FALSE(f.page->StatusText().empty());
    PostDrop(f.PaneWnd(), {png, png}, POINT{5, 5});
    ASSERT_EQ(f.page->WorkingItems().Count(), before + 3);
    EXPECT_TRUE(f.page->StatusText().empty());
    const POINT onTree = Middle(&f.page->WorkingTree());
    const POINT first = Middle(f.page->WorkingItems().GetAt(before + 1));
    const POINT second = Middle(f.page->WorkingItems().GetAt(before + 2));
    EXPECT_LE(std::abs(first.x - onTree.x) + std::abs(first.y - onTree.y), 1) << "from the list: on the tree";
    EXPECT_EQ(std::make_pair(second.x - first.x, second.y - first.y), std::make_pair(8L, 8L));
    EXPECT_EQ(f.page->History().UndoSteps(), 5u) << "both in one step";
    f.Close(IDOK);
    EXPECT_EQ(f.scene.items.Count(), before + 3);
}
