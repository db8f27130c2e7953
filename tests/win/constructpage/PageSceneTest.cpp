// The page's copies of the scene: what OK, Apply and Cancel do to the application's scene and
// to the desktop picture, items whose pictures fail, and a large scene.
#include "PageTestSupport.h"

#include "scene/CPixSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

const std::vector<SItemSpec> kScene = {
    {L"Red", CItem::kToy, 131, 20, 40, 0},
    {L"Green", CItem::kToy, 131, 20, 40, 80},
    {L"Blue", CItem::kToy, 134, 120, 60, 160, false},
    {L"Lights", CItem::kGarland, 145, 30, 150, 0},
};

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST(PageScene, OpeningCopiesTheSceneAndOkWithoutChangesRebuildsItFromIdenticalCopies) {
    SPageFixture f;
    f.scene.UseScene(kScene);
    const std::vector<std::wstring> start = Describe(f.scene.items);
    const std::vector<CItem*> oldItems = f.scene.items.Items();
    SComposition desktop;
    CopyDesktop(f.scene.desktop, desktop);
    ASSERT_TRUE(f.Open());

    // Rows: the tree first in the list, shown at the bottom; the item drawn last is the top row.
    EXPECT_EQ(f.RowOrder(), (std::vector<std::wstring>{L"Xmas Tree", L"Red", L"Green", L"Blue", L"Lights"}));
    EXPECT_GT(f.RowOf(L"Xmas Tree")->HeaderRect().top, f.RowOf(L"Red")->HeaderRect().top);
    EXPECT_GT(f.RowOf(L"Blue")->HeaderRect().top, f.RowOf(L"Lights")->HeaderRect().top);
    EXPECT_EQ(f.RowOf(L"Red")->HeaderHeight(), 22);
    // Working copies are separate objects with the same settings; the eye follows visibility.
    EXPECT_EQ(Describe(f.page->WorkingItems()), start);
    EXPECT_EQ(Describe(f.page->SavedItems()), start);
    for (CItem* item : f.page->WorkingItems()) {
        EXPECT_EQ(std::count(oldItems.begin(), oldItems.end(), item), 0);
        EXPECT_FALSE(item->Rendered().IsEmpty()) << "working copies are rendered";
        const CNavPaneItemTool* eye = f.RowOf(item)->FindTool(CItemsPaneItem::kVisibilityCommand);
        ASSERT_NE(eye, nullptr);
        EXPECT_EQ(eye->Has(CNavPaneItemTool::kChecked), item->IsVisible()) << Describe(*item);
        EXPECT_NE(f.RowOf(item)->FindTool(CItemsPaneItem::kSettingsCommand), nullptr);
    }
    EXPECT_TRUE(f.page->SavedItems().GetAt(0)->Rendered().IsEmpty()) << "saved copies are not prepared";
    EXPECT_EQ(OpenPageWindow(), f.PageWnd());
    EXPECT_NE(::SendDlgItemMessageW(f.PageWnd(), 1040, STM_GETICON, 0, 0), 0);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(f.PageWnd(), 1009))) << "the canvas frame is never shown";
    EXPECT_EQ(f.scene.begins, 0);

    // OK: the scene is rebuilt from the copies (new objects, same settings) and drawn once. The
    // hover mark is never copied: new objects come without it.
    for (CItem* item : f.scene.items) item->hover = 7;
    ::SendMessageW(f.PageWnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Describe(f.scene.items), start);
    for (CItem* item : f.scene.items) EXPECT_EQ(item->hover, 0);
    EXPECT_EQ(f.scene.begins, 1);
    EXPECT_EQ(f.scene.ends, 1);
    EXPECT_TRUE(SameDesktop(f.scene.desktop, desktop));
    EXPECT_FALSE(f.page->HasCopies());
    EXPECT_EQ(f.RowOf(L"Red")->Item(), nullptr) << "rows let go of the freed copies";

    // A second OK or a Cancel after it has nothing to apply: the scene stays whole.
    ::SendMessageW(f.PageWnd(), WM_COMMAND, IDOK, 0);
    ::SendMessageW(f.PageWnd(), WM_COMMAND, IDCANCEL, 0);
    ::SendMessageW(f.PageWnd(), WM_COMMAND, 1028, 0);
    EXPECT_EQ(Describe(f.scene.items), start);
    EXPECT_EQ(f.scene.begins, 1);
    // Hovering rows whose items are gone is harmless.
    f.page->OnHotItemChanged(f.RowOf(L"Red"), f.RowOf(L"Green"));
    f.page->RepaintCanvas();
    PumpMessages(50);
    f.page.reset();
    EXPECT_EQ(OpenPageWindow(), nullptr);
}

TEST(PageScene, CancelRedrawsTheDesktopOnlyAfterAnApply) {
    struct SCase {
        const char* what;
        bool apply;
        int sceneChanges;  // Begin/End pairs in all
    };
    const SCase cases[] = {{"cancel at once", false, 0}, {"apply, then cancel", true, 2}};
    for (const SCase& c : cases) {
        SPageFixture f;
        f.scene.UseScene(kScene);
        const std::vector<std::wstring> start = Describe(f.scene.items);
        const std::wstring startTree = Describe(f.scene.tree);
        SComposition desktop;
        CopyDesktop(f.scene.desktop, desktop);
        ASSERT_TRUE(f.Open());
        // Edits of every kind: a move, visibility, order, a removed item, another tree picture.
        f.Working(L"Red")->x += 40;
        f.Working(L"Lights")->visible.Set(0);
        f.Pane().ClearSelection();
        f.Pane().SelectItem(f.RowOf(L"Green"));
        f.Pane().DeleteSelected();
        f.page->WorkingTree().resid.Set(125);
        f.page->WorkingTree().LoadPicture();
        f.page->WorkingTree().Render();
        if (c.apply) {
            ::SendMessageW(f.PageWnd(), WM_COMMAND, 1028, 0);
            EXPECT_EQ(f.scene.items.Count(), 3) << c.what;
            EXPECT_EQ(f.scene.tree.resid.Get(), 125u) << c.what;
            EXPECT_FALSE(SameDesktop(f.scene.desktop, desktop)) << c.what << ": the applied scene is shown";
            EXPECT_TRUE(f.page->HasCopies()) << c.what << ": the page stays open with its copies";
        }
        f.Close(IDCANCEL);
        EXPECT_EQ(Describe(f.scene.items), start) << c.what;
        EXPECT_EQ(Describe(f.scene.tree), startTree) << c.what;
        EXPECT_EQ(f.scene.begins, c.sceneChanges) << c.what;
        EXPECT_EQ(f.scene.begins, f.scene.ends) << c.what;
        EXPECT_FALSE(f.scene.changing) << c.what;
        // The desktop looks as it did when the page opened: the tree picture included.
        f.scene.Compose();
        EXPECT_TRUE(SameDesktop(f.scene.desktop, desktop)) << c.what;
        CItem fresh;
        fresh.Assign(f.scene.tree);
        fresh.LoadPicture();
        fresh.Render();
        EXPECT_EQ(fresh.Rendered().Width(), f.scene.tree.Rendered().Width()) << c.what << ": tree rendered again";
        EXPECT_EQ(fresh.Rendered().Height(), f.scene.tree.Rendered().Height()) << c.what;
    }
}

TEST(PageScene, PicturesThatFailToLoadKeepTheirRowsAndDrawNothing) {
    SPageFixture f;
    const std::wstring broken = std::wstring(L"" PINARBO_TEST_DATA) + L"/imaging/broken/random.png";
    f.scene.UseScene({{L"Red", CItem::kToy, 131, 20, 40}, {L"Nothing", CItem::kToy, 9999, 20, 40}});
    auto* file = new CItem();
    file->Setup(L"File", CItem::kToy, 0, 0, 0, 0, 100, 100, 20, 40);
    file->source.Set(CItem::kFile);
    file->path = broken;
    file->LoadPicture();
    file->Render();
    f.scene.items.Add(file);
    ASSERT_TRUE(f.Open());
    EXPECT_EQ(f.RowOrder(), (std::vector<std::wstring>{L"Xmas Tree", L"Red", L"Nothing", L"File"}));
    EXPECT_TRUE(f.Working(L"Nothing")->Rendered().IsEmpty());
    EXPECT_TRUE(f.Working(L"File")->Rendered().IsEmpty());
    // Drawing them changes no pixel: the canvas equals one where they are hidden.
    const CItem* red = f.Working(L"Red");
    const int cx = red->x + red->Rendered().Width() / 2, cy = red->y + red->Rendered().Height() / 2;
    const unsigned shown = f.CanvasPixel(cx, cy);
    f.Working(L"Nothing")->visible.Set(0);
    f.Working(L"File")->visible.Set(0);
    EXPECT_EQ(f.CanvasPixel(cx, cy), shown);
    ::SendMessageW(f.PageWnd(), WM_COMMAND, 1028, 0);
    EXPECT_EQ(f.scene.items.Count(), 3) << "applied with their rows";
    f.Close(IDOK);
}

TEST(PageScene, PositionsFarOutsideTheCanvasAreKept) {
    SPageFixture f;
    f.scene.UseScene(kScene);
    ASSERT_TRUE(f.Open());
    f.Working(L"Red")->x = -2500;
    f.Working(L"Red")->y = 3000;
    f.page->RepaintCanvas();
    PumpMessages(50);
    f.Close(IDOK);
    EXPECT_EQ(f.scene.items.GetAt(0)->x, -2500);
    EXPECT_EQ(f.scene.items.GetAt(0)->y, 3000);
    EXPECT_EQ(f.scene.desktop.box.minX, -2500);
    EXPECT_LE(f.scene.desktop.box.Width(), kMaxComposeSide);
    EXPECT_LE(f.scene.desktop.box.Height(), kMaxComposeSide);
}

TEST(PageScene, WithoutAHostThePageEditsNothing) {
    SPageFixture f;
    SetSceneHost(nullptr);
    ASSERT_TRUE(f.Open());
    EXPECT_EQ(f.RowOrder(), (std::vector<std::wstring>{L"Xmas Tree"}));
    ::SendMessageW(f.PageWnd(), WM_COMMAND, 1007, 0);  // adds a default item
    EXPECT_EQ(f.page->WorkingItems().Count(), 1);
    ::SendMessageW(f.PageWnd(), WM_COMMAND, 1028, 0);
    f.Close(IDOK);
    EXPECT_EQ(f.scene.begins, 0);
    SetSceneHost(&f.scene);
}

TEST(PageScene, TwoHundredItemsOpenScrollAndApplyWithoutAStall) {
    SPageFixture f;
    std::vector<SItemSpec> specs;
    std::vector<std::wstring> names;
    for (int i = 0; i < 200; ++i) {
        names.push_back(L"Item " + std::to_wstring(i));
        specs.push_back({nullptr, i % 7 == 0 ? CItem::kGarland : CItem::kToy, 131u + static_cast<unsigned>(i % 20),
                         (i * 37) % 250, (i * 53) % 300, (i * 11) % 240});
    }
    for (int i = 0; i < 200; ++i) specs[static_cast<std::size_t>(i)].caption = names[static_cast<std::size_t>(i)].c_str();
    f.scene.UseScene(specs);

    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(f.Open());
    ::UpdateWindow(f.PageWnd());
    const double openMs = MsSince(start) - 150;  // Open pumps 150 ms after creating the page
    EXPECT_EQ(f.Pane().Root().Children().Count(), 201);
    EXPECT_GT(f.Pane().ScrollMax(), 0);
    EXPECT_EQ(f.Pane().ScrollPos(), 0) << "the newest rows are in view";

    double scrollMs = 0;
    if (HaveXdotool()) {
        // Focus the pane with a click on the top row, then turn the wheel ten notches down.
        CNavPaneItem* top = f.Pane().Root().Children().GetAt(200);
        ASSERT_TRUE(Xdo(ClickScript(f.PaneWnd(), f.CaptionPoint(top)), 400));
        start = std::chrono::steady_clock::now();
        ASSERT_TRUE(Xdo(MoveTo(f.PaneWnd(), f.CaptionPoint(top)) + L"click --repeat 10 --delay 30 5", 900));
        scrollMs = MsSince(start);
        EXPECT_EQ(f.Pane().ScrollPos(), 300) << "ten notches of 30 pixels";
    }

    start = std::chrono::steady_clock::now();
    ::SendMessageW(f.PageWnd(), WM_COMMAND, 1028, 0);
    const double applyMs = MsSince(start);
    EXPECT_EQ(f.scene.items.Count(), 200);

    start = std::chrono::steady_clock::now();
    CPixSurface canvas;
    ASSERT_TRUE(f.page->DrawCanvas(canvas));
    const double paintMs = MsSince(start);
    std::printf("200 items: open %.0f ms, apply %.0f ms, canvas %.1f ms, wheel (10 notches, xdotool included) %.0f ms\n",
                openMs, applyMs, paintMs, scrollMs);
    EXPECT_LT(openMs, 3000);
    EXPECT_LT(applyMs, 3000);
    EXPECT_LT(paintMs, 100);
    f.Close(IDOK);
}
