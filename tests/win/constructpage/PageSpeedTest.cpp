// The page with 200 items: how long opening it (page created, rows and canvas painted) and a
// nudge's redraw take under this system, printed for the README's figures. Only what the page
// did is checked; the times are measurements, not pass marks.
#include "PageTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

TEST(PageSpeed, OpeningAndNudgingWith200Items) {
    std::vector<SItemSpec> specs;
    static const unsigned kPictures[] = {131, 134, 137, 140, 145};
    for (int i = 0; i < 200; ++i) {
        specs.push_back({L"Item", i % 5 == 4 ? CItem::kGarland : CItem::kToy, kPictures[i % 5], i * 7 % 180,
                         i * 13 % 240, i * 4 % 240});
    }
    std::vector<double> opening, nudging;
    for (int round = 0; round < 5; ++round) {
        SPageFixture f;
        f.scene.UseScene(&specs);
        LARGE_INTEGER start{}, opened{};
        ::QueryPerformanceCounter(&start);
        f.host.Create(0, WS_POPUP | WS_VISIBLE, 40, 40, 700, 500, nullptr, nullptr);
        f.page = std::make_unique<CSettingsTreeDlg>();
        ASSERT_TRUE(f.page->Create(nullptr, CSettingsTreeDlg::kTemplateId, f.host.GetHwnd()));
        ::UpdateWindow(f.PageWnd());
        ::UpdateWindow(f.PaneWnd());
        ::QueryPerformanceCounter(&opened);
        opening.push_back(Milliseconds(start, opened));
        ASSERT_EQ(f.page->WorkingItems().Count(), 200);
        ASSERT_EQ(f.Pane().Root().Children().Count(), 201);

        f.Pane().SelectItem(f.RowOf(f.page->WorkingItems().GetAt(100)));
        const CItem* moved = f.page->WorkingItems().GetAt(100);
        const int x = moved->x;
        for (int i = 0; i < 5; ++i) {
            LARGE_INTEGER before{}, after{};
            ::QueryPerformanceCounter(&before);
            f.page->NudgeSelectedItems(1, 0);
            ::UpdateWindow(f.PageWnd());
            ::QueryPerformanceCounter(&after);
            nudging.push_back(Milliseconds(before, after));
        }
        EXPECT_EQ(moved->x, x + 5);
        EXPECT_EQ(f.page->History().UndoSteps(), 1u) << "five nudges, one step";
    }
    std::printf("page with 200 items: opening %.1f ms, a nudge's redraw %.1f ms (medians)\n", Median(opening),
                Median(nudging));
}
