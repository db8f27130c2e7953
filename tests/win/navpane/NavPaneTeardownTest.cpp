// A pane ends in the middle of use (rows with children, a selection, the focus, a hot row, a press
// that may start a drag) and its rows end with it: the pane and its rows lie on guarded pages, so
// any touch of a freed row or of a member that has already ended fails the test.
#include "GuardedHeapOperators.h"
#include "NavPaneTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

TEST(NavPaneTeardown, APaneEndsInAnyStateWithoutTouchingWhatHasEnded) {
    const struct {
        const char* what;
        bool reversed;
        void (*prepare)(SPaneFixture& f);
    } states[] = {
        {"untouched", false, [](SPaneFixture&) {}},
        {"selected, focused and hot", true,
         [](SPaneFixture& f) {
             f.pane.SelectItem(f.rows[0]);
             f.pane.SelectItem(f.rows[2]);
             f.pane.FocusItem(f.rows[2]);
             const POINT p = f.RowPoint(f.rows[1]);
             ::SendMessageW(f.pane.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
         }},
        {"a press on a row (drag source set)", false,
         [](SPaneFixture& f) {
             const POINT p = f.RowPoint(f.rows[3]);
             ::SendMessageW(f.pane.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
         }},
    };
    for (const auto& state : states) {
        SCOPED_TRACE(state.what);
        GuardedHeap::CArmed guard;
        auto f = std::make_unique<SPaneFixture>();
        ASSERT_TRUE(f->Create(4, state.reversed));
        f->rows[1]->AddChild(new CNavPaneItem(L"Child"));
        f->rows[1]->SetExpanded(1);
        f->pane.Relayout();
        state.prepare(*f);
        ASSERT_GE(f->pane.Rows().size(), 5u);
        ASSERT_TRUE(GuardedHeap::IsGuarded(f.get()));
        f.reset();
        EXPECT_EQ(NavToolState().hotItem, nullptr) << "no pointer to an ended row is left";
    }
}
