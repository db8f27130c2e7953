// The construction page at its window's DPI and at others. Wine has no per-monitor DPI, so the
// test sends WM_DPICHANGED with a new DPI as the system would for a dialog moved to a monitor of
// another scale; dpi.sh beside this file runs the same test in a prefix at LogPixels 192, where
// the page opens at 192 DPI (dialog units, fonts and all) and is then told 96. At every DPI: the
// rows, their tools and thumbnails (also as the item dialog's preview sets them) and the
// toolbar's pictures are their 96-DPI sizes scaled, the tree on the canvas is drawn at the scale
// (its opaque box is the 100 % box scaled), a real drag on the canvas moves the selected toy by
// the pointer's distance in 100 % units, and the canvas renders its scaled pictures once per
// scale, never per mouse move.
#include "PageTestSupport.h"

#include "construct/CToolBarWnd.h"
#include "construct/DialogIcons.h"
#include "construct/EditPreview.h"
#include "res/resource.h"
#include "scene/CPixSurface.h"
#include "wnd/Dpi.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const std::vector<SItemSpec> kScene = {{L"Red", CItem::kToy, 131, 60, 80, 0}};

// |got - want x dpi / 96| <= slack: a 96-DPI length at dpi, within rounding.
::testing::AssertionResult Scaled(int got, int want96, UINT dpi, int slack) {
    const int want = static_cast<int>((static_cast<long long>(want96) * dpi + 48) / 96);
    if (std::abs(got - want) <= slack) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << got << " is not " << want96 << " at " << dpi << " DPI (" << want << ")";
}

// A move of got 100 % units for a pointer move of pixels at dpi, within one unit.
::testing::AssertionResult Unscaled(int got, int pixels, UINT dpi) {
    if (std::abs(got * static_cast<int>(dpi) - pixels * 96) <= static_cast<int>(dpi)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "moved " << got << " for " << pixels << " pixels at " << dpi << " DPI";
}

// Box [left, right) x [top, bottom) of the points of a width x height area where hit(x, y) holds.
template <class Fn>
RECT BoxWhere(int width, int height, Fn hit) {
    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!hit(x, y)) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box;
}

}  // namespace

TEST(PageDpi, RowsToolsThumbnailsCanvasAndDragsFollowTheDpi) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    SPageFixture f;
    f.scene.UseScene(&kScene);
    // A half-size tree fits the canvas at twice the scale, whichever DPI the dialog was made at.
    f.scene.tree.size.Set(50);
    f.scene.tree.Render();
    ASSERT_TRUE(f.Open());
    const UINT opened = Dpi::ForWindow(f.PageWnd());
    EXPECT_EQ(f.page->PageDpi(), opened) << "the page opens at its window's DPI";
    std::printf("the page opened at %u DPI\n", opened);
    {
        // The dialogs' small icons are loaded at the window's scale.
        CDialogIcons icons;
        icons.SetSmallIcon(f.PageWnd(), IDI_SETTINGS);
        ICONINFO info{};
        const HICON icon = reinterpret_cast<HICON>(::SendMessageW(f.PageWnd(), WM_GETICON, ICON_SMALL, 0));
        ASSERT_TRUE(icon && ::GetIconInfo(icon, &info));
        const CUniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bm{};
        ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        EXPECT_TRUE(Scaled(bm.bmWidth, 16, opened, 0)) << "small icon";
        icons.Release();
    }
    const UINT other = opened == 96 ? 192 : 96;
    CItem* red = f.Working(L"Red");
    ASSERT_NE(red, nullptr);
    CItem& tree = f.page->WorkingTree();
    f.Pane().SelectItem(f.RowOf(red));

    for (const UINT dpi : {opened, other, opened}) {
        SCOPED_TRACE(dpi);
        if (f.page->PageDpi() != dpi) {
            const RECT suggested{0, 0, 100, 100};  // ignored: the page is a child window
            ::SendMessageW(f.PageWnd(), CSettingsTreeDlg::kDpiChanged, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
            PumpMessages(100);
        }
        ASSERT_EQ(f.page->PageDpi(), dpi);
        EXPECT_EQ(f.Pane().Dpi(), dpi);

        // Rows, their tools and thumbnails (Red's as the item dialog's live preview shows it).
        ShowThumbnailInEntry(f.RowOf(red), *red);
        for (CNavPaneItem* row : f.Pane().Root().Children()) {
            auto* entry = dynamic_cast<CItemsPaneItem*>(row);
            ASSERT_NE(entry, nullptr);
            const RECT& h = row->HeaderRect();
            EXPECT_TRUE(Scaled(h.bottom - h.top, CSettingsTreeDlg::kRowHeight, dpi, 0));
            const RECT tool = row->ToolRect(h, 0, false);
            EXPECT_TRUE(Scaled(tool.right - tool.left, 20, dpi, 1));
            EXPECT_TRUE(Scaled(tool.bottom - tool.top, 20, dpi, 1));
            const CBmp& thumb = row->LeadingTools().GetAt(0)->Picture(0);
            EXPECT_TRUE(Scaled(thumb.Width(), entry->Item()->Thumbnail().Width(), dpi, 1));
            EXPECT_TRUE(Scaled(thumb.Height(), entry->Item()->Thumbnail().Height(), dpi, 1));
            EXPECT_TRUE(Scaled(entry->FindTool(CItemsPaneItem::kSettingsCommand)->Picture(0).Width(), 16, dpi, 0));
            EXPECT_TRUE(Scaled(entry->FindTool(CItemsPaneItem::kVisibilityCommand)->Picture(1).Height(), 16, dpi, 0));
        }
        // The rows stack without gaps or overlaps, bottom-up from the tree's row.
        const auto& rows = f.Pane().Rows();
        for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i - 1]->HeaderRect().top, rows[i]->HeaderRect().bottom);

        // The toolbar's plus and minus: pictures scaled, side by side within the strip.
        auto* bar = dynamic_cast<CToolBarWnd*>(CWnd::FromHandle(::GetDlgItem(f.PageWnd(), CSettingsTreeDlg::kToolBarId)));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->Dpi(), dpi);
        RECT client{};
        ::GetClientRect(bar->GetHwnd(), &client);
        const RECT plus = bar->ToolRect(client, bar->LeadingTools().GetAt(0));
        const RECT minus = bar->ToolRect(client, bar->LeadingTools().GetAt(1));
        EXPECT_TRUE(Scaled(bar->LeadingTools().GetAt(0)->Picture(0).Width(), 20, dpi, 0));
        EXPECT_TRUE(Scaled(plus.left, 7, dpi, 1)) << "after the grip";
        EXPECT_LE(plus.right, minus.left);
        EXPECT_LE(minus.right, client.right);

        // The tree alone on the canvas: its painted box is its 100 % box scaled.
        red->visible.Set(0);
        CPixSurface canvas;
        ASSERT_TRUE(f.page->DrawCanvas(canvas));
        const std::uint32_t back = canvas.PixelAt(canvas.Width() - 1, canvas.Height() - 1);
        const RECT painted =
            BoxWhere(canvas.Width(), canvas.Height(), [&](int x, int y) { return canvas.PixelAt(x, y) != back; });
        const CBmp& pic = tree.Rendered();
        const RECT own = BoxWhere(pic.Width(), pic.Height(), [&](int x, int y) { return (pic.PixelAt(x, y) >> 24) != 0; });
        EXPECT_TRUE(Scaled(painted.left, tree.x + own.left, dpi, 2));
        EXPECT_TRUE(Scaled(painted.top, tree.y + own.top, dpi, 2));
        EXPECT_TRUE(Scaled(painted.right - painted.left, own.right - own.left, dpi, 2));
        EXPECT_TRUE(Scaled(painted.bottom - painted.top, own.bottom - own.top, dpi, 2));
        red->visible.Set(1);
        ::InvalidateRect(f.PageWnd(), nullptr, FALSE);
        PumpMessages(50);

        // A real drag of the selected toy by 40 x 24 screen pixels: 40 x 24 pixels of the canvas,
        // stored in 100 % units; no picture is rendered again on the way.
        const int renders = f.page->CanvasRenders();
        const POINT start{red->x, red->y};
        const POINT from = f.CanvasPoint(red->x + 10, red->y + 10);
        ASSERT_TRUE(Xdo(DragScript(f.PageWnd(), from, POINT{from.x + 40, from.y + 24}), 1600));
        EXPECT_TRUE(Unscaled(red->x - start.x, 40, dpi));
        EXPECT_TRUE(Unscaled(red->y - start.y, 24, dpi));
        EXPECT_EQ(f.page->CanvasRenders(), renders) << "a drag places the pictures anew, never renders them";
        // Then keys (the press gave the canvas the focus): one stored unit each, at any scale.
        EXPECT_TRUE(f.page->CanvasHasFocus());
        const POINT dragged{red->x, red->y};
        ASSERT_TRUE(Xdo(L"key Right Right alt+Right Down alt+Down", 600));
        EXPECT_EQ(red->x - dragged.x, 3);
        EXPECT_EQ(red->y - dragged.y, 2);
        // The toy is shown where it now is: its scaled middle shows its picture, not the background.
        const POINT m = Middle(red);
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        EXPECT_NE(f.ScreenPixel(m.x, m.y), (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face));
    }
    f.Close(IDCANCEL);
}
