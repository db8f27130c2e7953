// The desktop view moved to monitors of other scales (Wine has one monitor and no per-monitor
// DPI, so the test sends WM_DPICHANGED as the system would): each change takes the suggested
// corner, composes the scene once at the new scale (the window is the 100 % size x scale), the
// frames go on at that size, and the stored place keeps its size in 100 % units.
#include "../wnd/Pump.h"
#include "TestWpp.h"
#include "app/CWpp.h"
#include "param/CMemoryBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr UINT kDpiChanged = 0x02E0;

SIZE WindowSize(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace

TEST(ViewDpi, EachScaleComposesOnceAtTheSuggestedPlaceAndStoresTheUnscaledSize) {
    CMemoryBackend memory;
    memory.SetRaw(L"Software\\Holverin\\Pinarbo\\Options\\Windows\\Main", L"x", 1, {0, 0});  // not a first start
    CTestWpp app;
    app.Store().SetBackend(&memory);
    ASSERT_TRUE(app.Init());
    CViewWnd& view = app.View();
    const HWND hwnd = view.GetHwnd();
    ASSERT_EQ(view.Dpi(), 96u) << "the test prefix runs at 96 DPI";
    const SIZE base = WindowSize(hwnd);
    ASSERT_GT(base.cx, 100);
    ASSERT_GT(base.cy, 100);
    std::vector<std::pair<int, int>> positions;
    for (const CItem* item : app.m_items.Items()) positions.emplace_back(item->x, item->y);

    for (const UINT dpi : {120u, 144u, 192u, 96u}) {
        SCOPED_TRACE(dpi);
        // The system suggests the old size scaled at a new corner; the composition's size wins.
        const RECT suggested{200, 150, 200 + base.cx * static_cast<LONG>(dpi) / 96 + 7,
                             150 + base.cy * static_cast<LONG>(dpi) / 96 + 7};
        ::SendMessageW(hwnd, kDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT r{};
        ::GetWindowRect(hwnd, &r);
        EXPECT_EQ(r.left, 200);
        EXPECT_EQ(r.top, 150);
        EXPECT_EQ(view.Dpi(), dpi);
        EXPECT_EQ(app.m_composition.scale.dpi, static_cast<int>(dpi));
        const double want = static_cast<double>(dpi) / 96.0;
        EXPECT_LE(std::abs(static_cast<double>(r.right - r.left) - base.cx * want), 1.0) << r.right - r.left;
        EXPECT_LE(std::abs(static_cast<double>(r.bottom - r.top) - base.cy * want), 1.0) << r.bottom - r.top;
        EXPECT_EQ(app.m_composition.sceneBox.Width(), base.cx) << "the scene itself keeps its 100 % size";
        if (dpi != 96) {
            EXPECT_EQ(app.m_composition.tree.scaled.Width(), app.m_composition.tree.width);
        }

        // The lights keep their size relative to the tree.
        ASSERT_TRUE(app.m_blinks.Sprite());
        EXPECT_EQ(app.m_blinks.Sprite()->Width(), static_cast<int>(32 * dpi / 96));

        // Frames go on at the new size, the tree drawn where the window is.
        const int frames = view.FramesShown();
        ASSERT_TRUE(PumpUntil([&] { return view.FramesShown() >= frames + 2; }, 3000));
        const SFrameView frame = view.LastFrame();
        EXPECT_EQ(frame.width, r.right - r.left);
        EXPECT_EQ(frame.height, r.bottom - r.top);

        // The stored place keeps the corner and the 100 % size; the items their positions.
        app.SaveProfileOptions();
        WINDOWPLACEMENT wp{};
        ASSERT_TRUE(app.Store().ReadStruct(CWpp::kViewSection, L"plmnt", &wp, sizeof(wp)));
        EXPECT_EQ(wp.rcNormalPosition.left, 200);
        EXPECT_EQ(wp.rcNormalPosition.top, 150);
        EXPECT_EQ(wp.rcNormalPosition.right - wp.rcNormalPosition.left, base.cx);
        EXPECT_EQ(wp.rcNormalPosition.bottom - wp.rcNormalPosition.top, base.cy);
        std::size_t i = 0;
        for (const CItem* item : app.m_items.Items()) {
            EXPECT_EQ(item->x, positions[i].first);
            EXPECT_EQ(item->y, positions[i].second);
            ++i;
        }
    }
    EXPECT_EQ(WindowSize(hwnd).cx, base.cx) << "back at 96 DPI: exactly the 100 % size";
    EXPECT_EQ(WindowSize(hwnd).cy, base.cy);
    EXPECT_TRUE(app.m_composition.tree.scaled.IsEmpty());

    // A change of place alone (the same DPI) only moves the window.
    const RECT moved{300, 250, 310, 260};
    ::SendMessageW(hwnd, kDpiChanged, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&moved));
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 250);
    app.Exit();
    PumpMessages(100);
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
}
