// The page with the default scene, for screenshots (not run on its own):
//   wintest_constructpage.exe --gtest_also_run_disabled_tests --gtest_filter=PageShowcase.*
// shows it at (40, 40) for PINARBO_SHOWCASE_MS milliseconds (default 15000) and prints the screen
// point of each row's caption ("ROW <caption> x y"), so a pointer can be put on one.
#include "PageTestSupport.h"
#include "construct/CNavPaneAccessible.h"
#include "wnd/SystemColours.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>

TEST(PageShowcase, DISABLED_DefaultScene) {
    SPageFixture f;
    f.scene.UseScene(nullptr);
    ASSERT_TRUE(f.Open());
    for (const CNavPaneItem* row : f.Pane().Root().Children()) {
        if (!row->Visible()) continue;
        POINT p = f.CaptionPoint(row);
        ::ClientToScreen(f.PaneWnd(), &p);
        std::printf("ROW %ls %ld %ld\n", row->Caption().c_str(), p.x, p.y);
    }
    std::fflush(stdout);
    const char* ms = std::getenv("PINARBO_SHOWCASE_MS");
    PumpMessages(ms ? static_cast<DWORD>(std::atoi(ms)) : 15000);
}

// The same in high contrast (forced: Wine cannot switch it on), to look at.
// The system colours are those of a black high-contrast scheme meanwhile, so a tint of our own
// would stand out.
TEST(PageShowcase, DISABLED_HighContrast) {
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE,
                            COLOR_BTNTEXT, COLOR_3DFACE};
    const COLORREF scheme[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(26, 235, 255), RGB(0, 0, 0),
                               RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)};
    COLORREF before[std::size(elements)];
    for (size_t i = 0; i < std::size(elements); ++i) before[i] = ::GetSysColor(elements[i]);
    ::SetSysColors(static_cast<int>(std::size(elements)), elements, scheme);
    sys_colours::ForceHighContrast(1);
    SPageFixture f;
    f.scene.UseScene(nullptr);
    ASSERT_TRUE(f.Open());
    CNavPaneItem* second = CNavPaneAccessible::ScreenRows(f.Pane())[1];
    f.Pane().SelectItem(second);
    ::SetFocus(f.PaneWnd());
    f.Pane().FocusItem(second);
    ::RedrawWindow(f.PageWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    const char* ms = std::getenv("PINARBO_SHOWCASE_MS");
    PumpMessages(ms ? static_cast<DWORD>(std::atoi(ms)) : 15000);
    sys_colours::ForceHighContrast(-1);
    ::SetSysColors(static_cast<int>(std::size(elements)), elements, before);
}
