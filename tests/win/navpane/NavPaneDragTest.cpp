// Drag-reordering with the real mouse, in normal and reversed panes, and the ghost window that
// exists only while a drag runs.
#include "NavPaneTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Captions = std::vector<std::wstring>;

std::wstring Drag(HWND pane, POINT from, POINT to) {
    POINT mid{(from.x + to.x) / 2, (from.y + to.y) / 2};
    return MoveTo(pane, from) + L"sleep 0.1 mousedown 1 sleep 0.1 " + MoveTo(pane, mid) + L"sleep 0.1 " +
           MoveTo(pane, to) + L"sleep 0.2 " + MoveTo(pane, POINT{to.x + 1, to.y}) + L"sleep 0.2 mouseup 1 sleep 0.2";
}

struct SGhostWatch {
    CNavPaneWnd* pane;
    bool seen = false;
    bool focusStayed = true;
    HWND focus = nullptr;
    static void Watch(void* p) {
        auto* w = static_cast<SGhostWatch*>(p);
        if (w->pane->DragWindow().IsValid()) {
            w->seen = true;
            const HWND ghost = w->pane->DragWindow().GetHwnd();
            const LONG_PTR ex = ::GetWindowLongPtrW(ghost, GWL_EXSTYLE);
            EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT),
                      WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT);
            BYTE alpha = 0;
            DWORD flags = 0;
            if (::GetLayeredWindowAttributes(ghost, nullptr, &alpha, &flags)) {
                EXPECT_EQ(alpha, 196);
            }
        }
        if (::GetFocus() != w->focus || ::GetActiveWindow() == w->pane->DragWindow().GetHwnd()) w->focusStayed = false;
    }
};

}  // namespace

TEST(NavPaneDrag, RowsLandByTheDropRuleInNormalAndReversedPanes) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    struct SCase {
        const char* what;
        bool reversed;
        int source, target;
        int dy;  // from the target row's middle: negative upper half, positive lower half
        Captions order;
    };
    const SCase cases[] = {
        {"normal, lower half of a row below: after it", false, 0, 2, 6, {L"Row 1", L"Row 2", L"Row 0", L"Row 3"}},
        {"normal, upper half of a row below: before it", false, 0, 2, -6, {L"Row 1", L"Row 0", L"Row 2", L"Row 3"}},
        {"normal, upper half of a row above: before it", false, 3, 1, -6, {L"Row 0", L"Row 3", L"Row 1", L"Row 2"}},
        {"normal, over the source: nothing", false, 1, 1, 6, {L"Row 0", L"Row 1", L"Row 2", L"Row 3"}},
        {"reversed, upper half: after it in the list", true, 0, 2, -6, {L"Row 1", L"Row 2", L"Row 0", L"Row 3"}},
        {"reversed, lower half: before it in the list", true, 0, 2, 6, {L"Row 1", L"Row 0", L"Row 2", L"Row 3"}},
        {"reversed, over the source: nothing", true, 2, 2, -6, {L"Row 0", L"Row 1", L"Row 2", L"Row 3"}},
    };
    for (const SCase& c : cases) {
        SPaneFixture f;
        ASSERT_TRUE(f.Create(4, c.reversed));
        ::SetFocus(f.pane.GetHwnd());
        const HWND pane = f.pane.GetHwnd();
        const POINT from = f.RowPoint(f.rows[static_cast<std::size_t>(c.source)]);
        const POINT to = f.RowPoint(f.rows[static_cast<std::size_t>(c.target)], c.dy);
        SGhostWatch watch{&f.pane};
        watch.focus = pane;
        ASSERT_TRUE(Xdo(Drag(pane, from, to), 1400, &SGhostWatch::Watch, &watch));
        EXPECT_EQ(f.Order(), c.order) << c.what;
        EXPECT_FALSE(f.pane.DragWindow().IsValid()) << c.what << ": ghost gone after the drop";
        EXPECT_EQ(f.pane.DragSource(), nullptr) << c.what;
        EXPECT_EQ(f.pane.DropMarker().top, f.pane.DropMarker().bottom) << c.what << ": marker cleared";
        EXPECT_TRUE(watch.seen) << c.what << ": ghost shown during the drag";
        EXPECT_TRUE(watch.focusStayed) << c.what << ": the ghost never takes the focus";
        EXPECT_EQ(f.parent.drops, c.source == c.target ? 0 : 1) << c.what;
        EXPECT_EQ(::GetCapture(), nullptr) << c.what;
    }
}

TEST(NavPaneDrag, AMoveWithinTheDragThresholdIsAClick) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    SPaneFixture f;
    ASSERT_TRUE(f.Create(4, false));
    const HWND pane = f.pane.GetHwnd();
    const POINT p = f.RowPoint(f.rows[1]);
    const int dx = ::GetSystemMetrics(SM_CXDRAG);
    ASSERT_TRUE(Xdo(MoveTo(pane, p) + L"mousedown 1 sleep 0.1 " + MoveTo(pane, POINT{p.x + dx, p.y}) +
                        L"sleep 0.1 mouseup 1 sleep 0.1",
                    700));
    EXPECT_EQ(f.Order(), (Captions{L"Row 0", L"Row 1", L"Row 2", L"Row 3"}));
    EXPECT_EQ(f.SelectedCaptions(), Captions{L"Row 1"});
    EXPECT_FALSE(f.pane.DragWindow().IsValid());
}

// The owner deletes rows while it hears of the drop: the pane moves nothing and keeps no pointer.
TEST(NavPaneDrag, RowsDeletedDuringTheDropAreForgotten) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    for (const bool deleteSource : {true, false}) {
        SPaneFixture f;
        ASSERT_TRUE(f.Create(4, false));
        f.parent.dropContext = &f;
        f.parent.onDrop = deleteSource ? +[](CNavPaneItem*, CNavPaneItem* source, void* ctx) {
            static_cast<SPaneFixture*>(ctx)->pane.RemoveItem(source);
        } : +[](CNavPaneItem* target, CNavPaneItem*, void* ctx) { static_cast<SPaneFixture*>(ctx)->pane.RemoveItem(target); };
        const HWND pane = f.pane.GetHwnd();
        ASSERT_TRUE(Xdo(Drag(pane, f.RowPoint(f.rows[0]), f.RowPoint(f.rows[2], 6)), 1400));
        EXPECT_EQ(f.parent.drops, 1);
        EXPECT_EQ(f.pane.DragSource(), nullptr);
        EXPECT_EQ(f.pane.DropTarget(), nullptr);
        EXPECT_EQ(f.Order(), deleteSource ? (Captions{L"Row 1", L"Row 2", L"Row 3"})
                                          : (Captions{L"Row 0", L"Row 1", L"Row 3"}));
        // The pane still works afterwards.
        ASSERT_TRUE(Xdo(MoveTo(pane, POINT{40, 11}) + L"click 1 sleep 0.2", 500));
        EXPECT_EQ(f.pane.Selection().Count(), 1);
    }
}

// A row removed by the program while it is being dragged ends the drag safely.
TEST(NavPaneDrag, SourceRemovedMidDrag) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    SPaneFixture f;
    ASSERT_TRUE(f.Create(4, false));
    const HWND pane = f.pane.GetHwnd();
    struct SRemover {
        SPaneFixture* f;
        bool done = false;
        static void Tick(void* p) {
            auto* r = static_cast<SRemover*>(p);
            if (!r->done && r->f->pane.DragWindow().IsValid()) {
                r->done = true;
                r->f->pane.RemoveItem(r->f->pane.DragSource());
            }
        }
    } remover{&f};
    ASSERT_TRUE(Xdo(Drag(pane, f.RowPoint(f.rows[0]), f.RowPoint(f.rows[2], 6)), 1400, &SRemover::Tick, &remover));
    EXPECT_TRUE(remover.done);
    EXPECT_EQ(f.Order(), (Captions{L"Row 1", L"Row 2", L"Row 3"}));
    EXPECT_FALSE(f.pane.DragWindow().IsValid()) << "the ghost went with its row";
    EXPECT_EQ(f.parent.drops, 0);
}
