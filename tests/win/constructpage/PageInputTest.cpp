// The page driven with the real pointer and keyboard (xdotool): adding and deleting with the
// toolbar, moving items on the canvas, the hover highlight, the eye tool, Space, Enter and double
// click, reordering rows, and the tree's row that stays put.
#include "PageTestSupport.h"

#include "construct/CToolBarWnd.h"
#include "param/CMemoryBackend.h"
#include "param/CSettingsStore.h"

#include <gtest/gtest.h>

namespace {

const std::vector<SItemSpec> kScene = {
    {L"Red", CItem::kToy, 131, 20, 40, 0},
    {L"Green", CItem::kToy, 131, 20, 40, 80},   // exactly over Red
    {L"Blue", CItem::kToy, 134, 120, 60, 160},
    {L"Lights", CItem::kGarland, 145, 30, 150, 0},
};

// Scene point at the middle of a working item's picture.
POINT Middle(const CItem* item) {
    return POINT{item->x + item->Rendered().Width() / 2, item->y + item->Rendered().Height() / 2};
}

unsigned Rgb(unsigned pixel) { return pixel & 0x00FFFFFFu; }

// The toolbar tool with the command, as a client point of the toolbar.
POINT ToolBarPoint(HWND bar, int command) {
    auto* toolbar = dynamic_cast<CToolBarWnd*>(CWnd::FromHandle(bar));
    RECT client{};
    ::GetClientRect(bar, &client);
    for (CNavPaneItemTool* tool : toolbar->LeadingTools()) {
        if (tool->CommandId() != command) continue;
        const RECT r = toolbar->ToolRect(client, tool);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    return POINT{-1, -1};
}

class PageInput : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
        f.scene.UseScene(kScene);
        ASSERT_TRUE(f.Open());
        bar = ::GetDlgItem(f.PageWnd(), 1006);
    }
    void Click(HWND hwnd, POINT p, const wchar_t* keys = nullptr) { ASSERT_TRUE(Xdo(ClickScript(hwnd, p, keys), 500)); }
    void ClickRow(const wchar_t* caption, const wchar_t* keys = nullptr) {
        Click(f.PaneWnd(), f.CaptionPoint(f.RowOf(caption)), keys);
    }

    SPageFixture f;
    HWND bar = nullptr;
};

}  // namespace

TEST_F(PageInput, AddTakesTheTemplateOrTheLastConfirmedItemAndDeleteKeepsTheTree) {
    // Plus: a copy of the template toy, on top, the only selection.
    ClickRow(L"Blue");
    Click(bar, ToolBarPoint(bar, 1007));
    ASSERT_EQ(f.page->WorkingItems().Count(), 5);
    CItem* added = f.page->WorkingItems().GetAt(4);
    EXPECT_EQ(Describe(*added), Describe(f.scene.newItem));
    EXPECT_EQ(f.RowOrder().back(), L"Toy") << "the top row";
    EXPECT_EQ(f.SelectedCaptions(), std::vector<std::wstring>{L"Toy"});
    EXPECT_EQ(Rgb(f.CanvasPixel(Middle(added).x, Middle(added).y)),
              Rgb(added->Rendered().PixelAt(added->Rendered().Width() / 2, added->Rendered().Height() / 2)))
        << "drawn over the tree";

    // The settings tool: OK renames the row and makes the item the template; Cancel changes nothing.
    CScriptedItemsPane::NextCaption() = L"Confirmed";
    CScriptedItemsPane::NextHue() = 100;
    CScriptedItemsPane::NextResult() = 1;
    Click(f.PaneWnd(), f.ToolPoint(f.RowOf(L"Blue"), 1002));
    ASSERT_EQ(CScriptedItemsPane::Calls().size(), 1u);
    EXPECT_EQ(f.RowOf(f.Working(L"Confirmed"))->Caption(), L"Confirmed");
    EXPECT_EQ(f.scene.newItem.resid.Get(), 134u);
    EXPECT_EQ(f.scene.newItem.hue.Get(), 100);
    CScriptedItemsPane::NextCaption() = L"Dropped";
    CScriptedItemsPane::NextResult() = 2;
    Click(f.PaneWnd(), f.ToolPoint(f.RowOf(L"Red"), 1002));
    EXPECT_EQ(f.RowOf(f.Working(L"Dropped"))->Caption(), L"Red") << "cancelled: the row keeps its caption";
    EXPECT_EQ(f.scene.newItem.Caption.Get(), L"Confirmed");
    Click(bar, ToolBarPoint(bar, 1007));
    ASSERT_EQ(f.page->WorkingItems().Count(), 6);
    EXPECT_EQ(f.page->WorkingItems().GetAt(5)->Caption.Get(), L"Confirmed");
    EXPECT_EQ(f.page->WorkingItems().GetAt(5)->resid.Get(), 134u);

    // Minus with the tree and two toys selected, answered No, then Yes: only the toys go.
    ClickRow(L"Xmas Tree");
    ClickRow(L"Lights", L"ctrl");
    ClickRow(L"Toy", L"ctrl");
    ASSERT_EQ(f.SelectedCaptions().size(), 3u);
    ASSERT_TRUE(Xdo(ClickScript(bar, ToolBarPoint(bar, 1008)) + L"sleep 0.6 key n", 1800));
    EXPECT_EQ(f.page->WorkingItems().Count(), 6) << "No deletes nothing";
    ASSERT_TRUE(Xdo(ClickScript(bar, ToolBarPoint(bar, 1008)) + L"sleep 0.6 key Return", 1800));
    EXPECT_EQ(f.RowOrder(), (std::vector<std::wstring>{L"Xmas Tree", L"Red", L"Green", L"Confirmed", L"Confirmed"}));
    EXPECT_EQ(f.page->WorkingItems().Count(), 4);
    EXPECT_TRUE(f.SelectedCaptions().empty());
    // Nothing selected: no question at all.
    ::PostMessageW(f.PageWnd(), WM_COMMAND, 1008, 0);
    PumpMessages(300);
    EXPECT_EQ(::FindWindowW(nullptr, L"Confirmation"), nullptr);

    // The row under the pointer, focused and selected, deleted through a posted command.
    CItemsPaneItem* green = f.RowOf(L"Green");
    ClickRow(L"Green");
    ASSERT_EQ(f.Pane().FocusedItem(), green);
    ASSERT_EQ(f.Pane().LastHotItem(), green);
    EXPECT_EQ(f.Working(L"Green")->hover, 1);
    ::PostMessageW(f.PageWnd(), WM_COMMAND, 1008, 0);
    ASSERT_TRUE(Xdo(L"sleep 0.6 key Return", 1500));
    EXPECT_EQ(f.Working(L"Green"), nullptr);
    EXPECT_NE(f.Pane().FocusedItem(), green);
    // The rows closed up under the resting pointer; the next move lights the row it is on.
    POINT next = f.CaptionPoint(f.RowOf(L"Red"));
    next.x += 3;
    ASSERT_TRUE(Xdo(MoveTo(f.PaneWnd(), next) + L"sleep 0.2", 400));
    EXPECT_EQ(f.Working(L"Dropped")->hover, 1) << "the next row under the pointer lights up";
    f.Close(IDOK);
    EXPECT_EQ(f.scene.items.Count(), 3);
}

TEST_F(PageInput, SelectedItemsMoveTogetherOnTheCanvasAndApplyThenCancelRestoresTheDesktop) {
    SComposition desktop;
    CopyDesktop(f.scene.desktop, desktop);
    const std::vector<std::wstring> start = Describe(f.scene.items);
    CItem* red = f.Working(L"Red");
    CItem* green = f.Working(L"Green");
    CItem* blue = f.Working(L"Blue");
    ClickRow(L"Red");
    ClickRow(L"Blue", L"ctrl");
    const POINT from = f.CanvasPoint(150, 250);
    ASSERT_TRUE(Xdo(DragScript(f.PageWnd(), from, f.PageWnd(), POINT{from.x + 30, from.y + 20}), 1600));
    EXPECT_EQ(red->x, 50);
    EXPECT_EQ(red->y, 60);
    EXPECT_EQ(blue->x, 150);
    EXPECT_EQ(blue->y, 80);
    EXPECT_EQ(green->x, 20) << "not selected: stays";
    // A click without movement moves nothing.
    Click(f.PageWnd(), f.CanvasPoint(100, 100));
    EXPECT_EQ(red->x, 50);
    EXPECT_EQ(blue->y, 80);
    // Dragged out of the canvas three times over: kept as they are (no bound).
    for (int i = 0; i < 3; ++i) {
        const POINT a = f.CanvasPoint(280, 300), b = f.CanvasPoint(10, 20);
        ASSERT_TRUE(Xdo(DragScript(f.PageWnd(), a, f.PageWnd(), b), 1600));
    }
    EXPECT_EQ(red->x, 50 - 3 * 270);
    EXPECT_EQ(red->y, 60 - 3 * 280);
    EXPECT_EQ(blue->x - red->x, 100) << "still side by side";

    // The apply button shows the edit on the desktop; Cancel puts the desktop back as it was.
    const HWND apply = ::GetDlgItem(f.PageWnd(), 1028);
    Click(apply, POINT{10, 8});
    EXPECT_EQ(f.scene.begins, 1);
    EXPECT_EQ(f.scene.items.GetAt(0)->x, red->x);
    EXPECT_FALSE(SameDesktop(f.scene.desktop, desktop));
    EXPECT_LE(f.scene.desktop.box.Width(), kMaxComposeSide);
    f.Close(IDCANCEL);
    EXPECT_EQ(Describe(f.scene.items), start);
    EXPECT_EQ(f.scene.begins, 2);
    EXPECT_EQ(f.scene.ends, 2);
    EXPECT_TRUE(SameDesktop(f.scene.desktop, desktop));
}

TEST_F(PageInput, HoveringARowBrightensItsItemOnTheCanvas) {
    const POINT blue = Middle(f.Working(L"Blue"));
    const POINT red = Middle(f.Working(L"Red"));
    const POINT tree{96, 200};
    const unsigned blueNormal = f.ScreenPixel(blue.x, blue.y);
    const unsigned greenNormal = f.ScreenPixel(red.x, red.y);  // Green lies over Red
    const unsigned treeNormal = f.ScreenPixel(tree.x, tree.y);
    EXPECT_EQ(blueNormal, Rgb(f.CanvasPixel(blue.x, blue.y))) << "the page shows what it draws";
    auto brighter = [](unsigned lit, unsigned normal) {
        bool more = false;
        for (int shift : {0, 8, 16}) {
            const unsigned a = (lit >> shift) & 0xFF, b = (normal >> shift) & 0xFF;
            if (a < b) return false;
            more = more || a > b;
        }
        return more;
    };
    ASSERT_TRUE(Xdo(MoveTo(f.PaneWnd(), f.CaptionPoint(f.RowOf(L"Blue"))) + L"sleep 0.3", 500));
    EXPECT_EQ(f.Working(L"Blue")->hover, 1);
    EXPECT_TRUE(brighter(f.ScreenPixel(blue.x, blue.y), blueNormal))
        << std::hex << f.ScreenPixel(blue.x, blue.y) << " vs " << blueNormal;
    ASSERT_TRUE(Xdo(MoveTo(f.PaneWnd(), f.CaptionPoint(f.RowOf(L"Green"))) + L"sleep 0.3", 500));
    EXPECT_EQ(f.Working(L"Blue")->hover, 0);
    EXPECT_EQ(f.Working(L"Green")->hover, 1);
    EXPECT_EQ(f.ScreenPixel(blue.x, blue.y), blueNormal);
    EXPECT_TRUE(brighter(f.ScreenPixel(red.x, red.y), greenNormal));
    ASSERT_TRUE(Xdo(MoveTo(f.PaneWnd(), f.CaptionPoint(f.RowOf(L"Xmas Tree"))) + L"sleep 0.3", 500));
    EXPECT_EQ(f.ScreenPixel(tree.x, tree.y), treeNormal) << "the tree is never highlighted";
    EXPECT_EQ(f.ScreenPixel(red.x, red.y), greenNormal);
    ASSERT_TRUE(Xdo(MoveTo(f.PageWnd(), f.CanvasPoint(250, 300)) + L"sleep 0.3", 500));
    for (const CItem* item : f.page->WorkingItems()) EXPECT_EQ(item->hover, 0) << Describe(*item);
}

TEST_F(PageInput, EyeSpaceEnterAndDoubleClickActOnTheirRow) {
    // The eye hides the item from the canvas and, after Apply, from the desktop; the row stays.
    const POINT blue = Middle(f.Working(L"Blue"));
    const unsigned shown = f.ScreenPixel(blue.x, blue.y);
    Click(f.PaneWnd(), f.ToolPoint(f.RowOf(L"Blue"), 1009));
    EXPECT_FALSE(f.Working(L"Blue")->IsVisible());
    EXPECT_NE(f.ScreenPixel(blue.x, blue.y), shown);
    EXPECT_EQ(f.RowOrder().size(), 5u);
    Click(::GetDlgItem(f.PageWnd(), 1028), POINT{10, 8});
    EXPECT_FALSE(f.scene.items.GetAt(2)->IsVisible());
    SComposition hidden;
    CopyDesktop(f.scene.desktop, hidden);
    f.scene.items.GetAt(2)->visible.Set(1);
    f.scene.Compose();
    EXPECT_FALSE(SameDesktop(f.scene.desktop, hidden)) << "the hidden toy was left out of the desktop";

    // Space on the focused row: hides, and again shows.
    ClickRow(L"Green");
    ASSERT_TRUE(Xdo(L"key space sleep 0.2", 400));
    EXPECT_FALSE(f.Working(L"Green")->IsVisible());
    EXPECT_FALSE(f.RowOf(L"Green")->FindTool(1009)->Has(CNavPaneItemTool::kChecked));
    ASSERT_TRUE(Xdo(L"key space sleep 0.2", 400));
    EXPECT_TRUE(f.Working(L"Green")->IsVisible());

    // Enter: the item dialog on a toy, the tree dialog on the tree.
    CScriptedItemsPane::NextResult() = 2;
    ASSERT_TRUE(Xdo(L"key Return sleep 0.2", 400));
    ClickRow(L"Xmas Tree");
    ASSERT_TRUE(Xdo(L"key Return sleep 0.2", 400));
    ASSERT_EQ(CScriptedItemsPane::Calls().size(), 2u);
    EXPECT_EQ(CScriptedItemsPane::Calls()[0].item, f.Working(L"Green"));
    EXPECT_FALSE(CScriptedItemsPane::Calls()[0].tree);
    EXPECT_TRUE(CScriptedItemsPane::Calls()[1].tree);
    // Enter reaches the pane inside a dialog instead of pressing its default button.
    MSG enter{f.PaneWnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(::SendMessageW(f.PaneWnd(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                DLGC_WANTMESSAGE);

    // Double click: on the eye it only toggles; on the caption it opens the settings.
    CScriptedItemsPane::Calls().clear();
    const bool redShown = f.Working(L"Red")->IsVisible();
    ASSERT_TRUE(Xdo(MoveTo(f.PaneWnd(), f.ToolPoint(f.RowOf(L"Red"), 1009)) + L"sleep 0.1 click --repeat 2 --delay 80 1 sleep 0.3", 700));
    EXPECT_EQ(f.Working(L"Red")->IsVisible(), !redShown) << "the eye toggled once";
    EXPECT_TRUE(CScriptedItemsPane::Calls().empty());
    ASSERT_TRUE(Xdo(MoveTo(f.PaneWnd(), f.CaptionPoint(f.RowOf(L"Red"))) + L"sleep 0.1 click --repeat 2 --delay 80 1 sleep 0.3", 700));
    ASSERT_EQ(CScriptedItemsPane::Calls().size(), 1u);
    EXPECT_EQ(CScriptedItemsPane::Calls()[0].item, f.Working(L"Red"));
}

TEST_F(PageInput, DraggingRowsReordersTheSceneButTheTreeRowStaysPut) {
    const POINT overlap = Middle(f.Working(L"Red"));
    const CItem* red = f.Working(L"Red");
    const unsigned redPixel = Rgb(red->Rendered().PixelAt(red->Rendered().Width() / 2, red->Rendered().Height() / 2));
    EXPECT_NE(f.ScreenPixel(overlap.x, overlap.y), redPixel) << "Green covers Red";
    // Red into the upper half of Blue's row: above it on screen, after it in drawing order.
    ASSERT_TRUE(Xdo(DragScript(f.PaneWnd(), f.CaptionPoint(f.RowOf(L"Red")), f.PaneWnd(),
                               f.CaptionPoint(f.RowOf(L"Blue"), -6)),
                    1600));
    const std::vector<std::wstring> moved{L"Green", L"Blue", L"Red", L"Lights"};
    EXPECT_EQ(f.WorkingOrder(), moved);
    EXPECT_EQ(f.RowOrder(), (std::vector<std::wstring>{L"Xmas Tree", L"Green", L"Blue", L"Red", L"Lights"}));
    ASSERT_TRUE(Xdo(MoveTo(f.PageWnd(), f.CanvasPoint(250, 320)) + L"sleep 0.3", 500));  // no row hovered
    EXPECT_EQ(f.ScreenPixel(overlap.x, overlap.y), redPixel) << "Red is now drawn over Green";

    // The tree's row is neither dragged nor dropped on; the mouse ends free.
    ASSERT_TRUE(Xdo(DragScript(f.PaneWnd(), f.CaptionPoint(f.RowOf(L"Xmas Tree")), f.PaneWnd(),
                               f.CaptionPoint(f.RowOf(L"Lights"), -6)),
                    1600));
    EXPECT_EQ(f.RowOrder().front(), L"Xmas Tree");
    EXPECT_EQ(f.WorkingOrder(), moved);
    ASSERT_TRUE(Xdo(DragScript(f.PaneWnd(), f.CaptionPoint(f.RowOf(L"Blue")), f.PaneWnd(),
                               f.CaptionPoint(f.RowOf(L"Xmas Tree"), 6)),
                    1600));
    EXPECT_EQ(f.RowOrder().front(), L"Xmas Tree");
    EXPECT_EQ(f.WorkingOrder(), moved);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(f.Pane().DragSource(), nullptr);
    EXPECT_FALSE(f.Pane().DragWindow().IsValid());

    // OK keeps the order; a new page shows it; the stored sections follow it.
    f.Close(IDOK);
    ASSERT_TRUE(f.Open());
    EXPECT_EQ(f.RowOrder(), (std::vector<std::wstring>{L"Xmas Tree", L"Green", L"Blue", L"Red", L"Lights"}));
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
