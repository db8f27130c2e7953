// The page's copies of the scene: what OK, Apply and Cancel do to the application's scene and to
// the desktop picture, items whose pictures fail to load, and a scene of 200 items.
#include "PageTestSupport.h"

#include "scene/CPixSurface.h"
#include "view/FrameScene.h"

#include <gtest/gtest.h>

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
    f.scene.UseScene(&kScene);
    const std::vector<std::wstring> start = Describe(f.scene.items);
    SComposition desktop;
    CopyDesktop(f.scene.desktop, desktop);
    ASSERT_TRUE(f.Open());

    // The tree first in the list and shown at the bottom; the item drawn last is the top row.
    EXPECT_EQ(f.RowOrder(), (std::vector<std::wstring>{L"Xmas Tree", L"Red", L"Green", L"Blue", L"Lights"}));
    EXPECT_GT(f.RowOf(L"Xmas Tree")->HeaderRect().top, f.RowOf(L"Lights")->HeaderRect().top);
    EXPECT_EQ(f.RowOf(L"Red")->HeaderHeight(), 22);
    EXPECT_EQ(Describe(f.page->WorkingItems()), start);
    EXPECT_EQ(Describe(f.page->SavedItems()), start);
    for (CItem* item : f.page->WorkingItems()) {
        EXPECT_EQ(f.scene.items.IndexOf(item), -1) << "copies, not the scene's own items";
        EXPECT_FALSE(item->Rendered().IsEmpty());
        EXPECT_EQ(f.RowOf(item)->FindTool(1009)->Has(CNavPaneItemTool::kChecked), item->IsVisible());
    }
    EXPECT_EQ(OpenPageWindow(), f.PageWnd());
    EXPECT_NE(::SendDlgItemMessageW(f.PageWnd(), 1040, STM_GETICON, 0, 0), 0);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(f.PageWnd(), 1009))) << "the canvas frame is never shown";

    // OK: new objects with the same settings (the hover mark is never copied), drawn once.
    for (CItem* item : f.scene.items) item->hover = 7;
    ::SendMessageW(f.PageWnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Describe(f.scene.items), start);
    for (CItem* item : f.scene.items) EXPECT_EQ(item->hover, 0);
    EXPECT_EQ(f.scene.begins, 1);
    EXPECT_EQ(f.scene.ends, 1);
    EXPECT_TRUE(SameDesktop(f.scene.desktop, desktop));
    EXPECT_EQ(f.RowOf(L"Red")->Item(), nullptr) << "rows let go of the freed copies";

    // With the copies gone, a second OK, a Cancel or an Apply leave the scene whole.
    for (int command : {IDOK, IDCANCEL, 1028}) ::SendMessageW(f.PageWnd(), WM_COMMAND, static_cast<WPARAM>(command), 0);
    EXPECT_EQ(Describe(f.scene.items), start);
    EXPECT_EQ(f.scene.begins, 1);
    f.page->OnHotItemChanged(f.RowOf(L"Red"), f.RowOf(L"Green"));  // rows without items: harmless
    f.page.reset();
    EXPECT_EQ(OpenPageWindow(), nullptr);
}

// At 150 %, with a toy from a picture file. Without an Apply, Cancel leaves the desktop's own
// items alone: the same objects, no file read again (the file is gone by then), the frame the
// view draws unchanged. After an Apply it restores the opening scene and composes it again.
TEST(PageScene, CancelRedrawsTheDesktopExactlyAsItWasOnlyAfterAnApply) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring file = std::wstring(temp) + L"pinarbo-page-cancel.png";
    for (const bool apply : {false, true}) {
        SCOPED_TRACE(apply ? "after an Apply" : "without an Apply");
        ASSERT_TRUE(::CopyFileW(L"" PINARBO_TEST_DATA "/itemdlg/tree_alpha.png", file.c_str(), FALSE));
        SPageFixture f;
        f.scene.scale = SViewScale::ForDpi(144);
        f.scene.UseScene(&kScene);
        auto* fromFile = new CItem();
        fromFile->Setup(L"File", CItem::kToy, 131, 0, 0, 0, 100, 100, 60, 30);
        fromFile->source.Set(CItem::kFile);
        fromFile->path = file;
        ASSERT_TRUE(fromFile->LoadPicture());
        fromFile->Render();
        f.scene.items.Add(fromFile);
        const int fileWidth = fromFile->SourcePicture().Width();
        f.scene.EndSceneChange();
        f.scene.ends = 0;
        const std::vector<std::wstring> start = Describe(f.scene.items);
        const std::wstring startTree = Describe(f.scene.tree);
        const std::vector<CItem*> objects = f.scene.items.Items();
        SComposition desktop;
        CopyDesktop(f.scene.desktop, desktop);
        SFrameScene frame;
        FillFrameScene(f.scene.tree, f.scene.items.Items(), f.scene.desktop, frame);
        ASSERT_TRUE(f.Open());
        // Edits of every kind: a move, visibility, a deleted item, another tree picture.
        f.Working(L"Red")->x += 40;
        f.Working(L"Lights")->visible.Set(0);
        f.Pane().SelectItem(f.RowOf(L"Green"));
        f.Pane().DeleteSelected();
        f.page->WorkingTree().resid.Set(125);
        f.page->WorkingTree().LoadPicture();
        f.page->WorkingTree().Render();
        if (apply) {
            ::SendMessageW(f.PageWnd(), WM_COMMAND, 1028, 0);
            EXPECT_EQ(f.scene.items.Count(), 4);
            EXPECT_EQ(f.scene.tree.resid.Get(), 125u);
            EXPECT_FALSE(SameDesktop(f.scene.desktop, desktop)) << "the applied scene is shown";
            EXPECT_TRUE(f.page->HasCopies()) << "the page stays open with its copies";
        } else {
            ASSERT_TRUE(::DeleteFileW(file.c_str()));
        }
        f.Close(IDCANCEL);
        EXPECT_EQ(Describe(f.scene.items), start);
        EXPECT_EQ(Describe(f.scene.tree), startTree);
        EXPECT_EQ(f.scene.begins, apply ? 2 : 0) << "no redraw without an Apply";
        EXPECT_EQ(f.scene.ends, f.scene.begins);
        // The desktop (composed from the tree's and the items' pictures) is back as it was.
        EXPECT_TRUE(SameDesktop(f.scene.desktop, desktop));
        SFrameScene after;
        FillFrameScene(f.scene.tree, f.scene.items.Items(), f.scene.desktop, after);
        ASSERT_EQ(after.items.size(), frame.items.size());
        for (std::size_t i = 0; i < after.items.size(); ++i) {
            SCOPED_TRACE(i);
            const SFramePicture& was = frame.items[i];
            const SFramePicture& is = after.items[i];
            // Every picture the frame draws is the one composed at 150 %, where it was.
            EXPECT_EQ(is.picture, &f.scene.desktop.items[i].Picture());
            EXPECT_EQ(is.picture->Width(), was.picture->Width());
            EXPECT_EQ(is.picture->Height(), was.picture->Height());
            EXPECT_EQ(is.x, was.x);
            EXPECT_EQ(is.y, was.y);
            if (!apply) {
                EXPECT_EQ(f.scene.items.GetAt(static_cast<int>(i)), objects[i]) << "the same object";
                EXPECT_EQ(is.picture, was.picture) << "the very picture the frame drew before";
            }
        }
        EXPECT_EQ(f.scene.items.GetAt(4)->SourcePicture().Width(), fileWidth) << "the file's toy keeps its picture";
    }
    ::DeleteFileW(file.c_str());
}

// Toys whose picture does not load (an id that names no picture, a file that does not decode)
// keep their rows and show the built-in toy, as a tree shows the built-in tree.
TEST(PageScene, PicturesThatFailToLoadKeepTheirRowsAndShowABuiltInPicture) {
    SPageFixture f;
    const std::vector<SItemSpec> scene = {{L"Red", CItem::kToy, 131, 20, 40, 0}, {L"None", CItem::kToy, 9999, 20, 40, 0}};
    f.scene.UseScene(&scene);
    auto* file = new CItem();
    file->Setup(L"File", CItem::kToy, 0, 0, 0, 0, 100, 100, 20, 40);
    file->source.Set(CItem::kFile);
    file->path = L"" PINARBO_TEST_DATA "/imaging/broken/random.png";
    f.scene.items.Add(file);
    // A tree file that does not decode shows the built-in tree on the page as on the desktop.
    f.scene.tree.source.Set(CItem::kFile);
    f.scene.tree.path = file->path;
    ASSERT_TRUE(f.Open());
    EXPECT_EQ(f.RowOrder(), (std::vector<std::wstring>{L"Xmas Tree", L"Red", L"None", L"File"}));
    EXPECT_FALSE(f.page->WorkingTree().SourcePicture().IsEmpty()) << "the tree falls back to a built-in one";
    const CBmp& builtIn = f.Working(L"Red")->Rendered();
    for (const wchar_t* caption : {L"None", L"File"}) {
        const CItem* item = f.Working(caption);
        EXPECT_EQ(item->Rendered().Width(), builtIn.Width()) << testing::PrintToString(std::wstring(caption));
        EXPECT_EQ(item->Rendered().Height(), builtIn.Height()) << testing::PrintToString(std::wstring(caption));
    }
    // All three lie on the same place: the top one, File, is what the canvas shows there.
    const POINT red = Middle(f.Working(L"Red"));
    f.Working(L"File")->hue.Set(120);
    f.Working(L"File")->Render();
    const unsigned recoloured = f.CanvasPixel(red.x, red.y);
    f.Working(L"File")->visible.Set(0);
    EXPECT_NE(f.CanvasPixel(red.x, red.y), recoloured) << "the fallback picture is drawn";
    f.Close(IDOK);
    EXPECT_EQ(f.scene.items.Count(), 3);
    EXPECT_EQ(f.scene.items.GetAt(2)->resid.Get(), 0u) << "the stored choice stays";
    EXPECT_EQ(f.scene.items.GetAt(2)->source.Get(), CItem::kFile);
    EXPECT_FALSE(f.scene.tree.SourcePicture().IsEmpty());
    EXPECT_EQ(f.scene.tree.path, L"" PINARBO_TEST_DATA "/imaging/broken/random.png") << "the chosen file is kept";
}

TEST(PageScene, TwoHundredItemsOpenScrollAndApplyWithoutAStall) {
    SPageFixture f;
    std::vector<std::wstring> names;
    std::vector<SItemSpec> specs;
    for (int i = 0; i < 200; ++i) names.push_back(L"Item " + std::to_wstring(i));
    for (int i = 0; i < 200; ++i) {
        specs.push_back({names[static_cast<std::size_t>(i)].c_str(), i % 7 ? CItem::kToy : CItem::kGarland,
                         131u + static_cast<unsigned>(i % 20), (i * 37) % 250, (i * 53) % 300, (i * 11) % 240});
    }
    f.scene.UseScene(&specs);

    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(f.Open());
    ::UpdateWindow(f.PageWnd());
    const double openMs = MsSince(start) - 150;  // Open pumps 150 ms after the page is made
    EXPECT_EQ(f.Pane().Root().Children().Count(), 201);
    EXPECT_EQ(f.Pane().ScrollPos(), 0) << "the top rows are in view";
    double wheelMs = 0;
    if (HaveXdotool()) {
        CNavPaneItem* top = f.Pane().Root().Children().GetAt(200);
        ASSERT_TRUE(Xdo(ClickScript(f.PaneWnd(), f.CaptionPoint(top)), 400));  // the wheel needs the focus
        start = std::chrono::steady_clock::now();
        ASSERT_TRUE(Xdo(L"click --repeat 10 --delay 30 5", 900));
        wheelMs = MsSince(start);
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
    std::printf("200 items: open %.0f ms, apply %.0f ms, canvas %.1f ms, 10 wheel notches (with xdotool) %.0f ms\n",
                openMs, applyMs, paintMs, wheelMs);
    EXPECT_LT(openMs, 3000);
    EXPECT_LT(applyMs, 3000);
    EXPECT_LT(paintMs, 100);
    f.Close(IDOK);
}
