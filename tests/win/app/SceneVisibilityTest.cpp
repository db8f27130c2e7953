// The tree's eye on the desktop. A hidden tree (as the construction page applies it) leaves the
// view to the visible toys and garlands: the window is their box and keeps them where they were on
// the screen, and the lights sit on the toys (the frame's pixels are checked with the composition,
// natively). With nothing visible the window keeps the tree's size, no light has a place, and the
// frames go on.
#include "../wnd/Pump.h"
#include "TestWpp.h"
#include "param/CMemoryBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace {

RECT WindowRect(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    return r;
}

// The screen rectangle of a composed picture.
RECT OnScreen(HWND view, const SViewPicture& place) {
    const RECT w = WindowRect(view);
    return RECT{w.left + place.x, w.top + place.y, w.left + place.x + place.width, w.top + place.y + place.height};
}

bool Inside(const SViewPicture& place, int x, int y) {
    return x >= place.x && y >= place.y && x < place.x + place.width && y < place.y + place.height;
}

void ChangeScene(CTestWpp& app, bool treeVisible, bool itemsVisible) {
    app.BeginSceneChange();
    app.m_tree.visible.Set(treeVisible ? 1 : 0);
    for (CItem* item : app.m_items.Items()) item->visible.Set(itemsVisible ? 1 : 0);
    app.EndSceneChange();
}

}  // namespace

TEST(SceneVisibility, TheDesktopHonoursTheTreesVisibility) {
    CMemoryBackend memory;
    memory.SetRaw(L"Software\\Holverin\\Pinarbo\\Options\\Windows\\Main", L"x", 1, {0, 0});  // not a first start
    CTestWpp app;
    app.Store().SetBackend(&memory);
    ASSERT_TRUE(app.Init());
    const HWND hwnd = app.View().GetHwnd();
    const SComposition& c = app.m_composition;
    ASSERT_GT(app.m_items.Count(), 0);
    const RECT firstItem = OnScreen(hwnd, c.items[0]);

    ChangeScene(app, false, true);
    // The box of the visible items, in scene units (the test prefix runs at 96 DPI).
    long long minX = LLONG_MAX, minY = LLONG_MAX, maxX = LLONG_MIN, maxY = LLONG_MIN;
    for (const CItem* item : app.m_items.Items()) {
        minX = std::min<long long>(minX, item->x);
        minY = std::min<long long>(minY, item->y);
        maxX = std::max<long long>(maxX, item->x + item->Rendered().Width());
        maxY = std::max<long long>(maxY, item->y + item->Rendered().Height());
    }
    const RECT r = WindowRect(hwnd);
    EXPECT_EQ(r.right - r.left, maxX - minX) << "the window is the visible items' box";
    EXPECT_EQ(r.bottom - r.top, maxY - minY);
    const RECT firstAfter = OnScreen(hwnd, c.items[0]);
    EXPECT_EQ(firstAfter.left, firstItem.left) << "the toys stay where they were on the screen";
    EXPECT_EQ(firstAfter.top, firstItem.top);

    // Every light that has a place sits on a toy.
    const int lights = std::min(app.m_blinkNum.Get(), app.m_blinks.Lights().Count());
    int placed = 0;
    for (int i = 0; i < lights; ++i) {
        const CBlinkItem* light = app.m_blinks.Lights().GetAt(i);
        if (!light->HasPlace()) continue;
        ++placed;
        const int w = app.m_blinks.Sprite()->Width(), h = app.m_blinks.Sprite()->Height();
        const int cx = light->X() + w / 2, cy = light->Y() + h / 2;
        bool onToy = false;
        for (std::size_t k = 0; k < c.items.size(); ++k) {
            const bool toy = app.m_items.GetAt(static_cast<int>(k))->Type() == CItem::kToy;
            onToy = onToy || (toy && Inside(c.items[k], cx, cy));
        }
        EXPECT_TRUE(onToy) << "light " << i << " at " << cx << ", " << cy;
    }
    EXPECT_GT(placed, 0);

    // Nothing visible: the window keeps the tree's size and shows nothing; frames go on.
    ChangeScene(app, false, false);
    const CBmp& treePicture = app.m_tree.Rendered();
    const RECT none = WindowRect(hwnd);
    EXPECT_EQ(none.right - none.left, treePicture.Width());
    EXPECT_EQ(none.bottom - none.top, treePicture.Height());
    for (int i = 0; i < lights; ++i) EXPECT_FALSE(app.m_blinks.Lights().GetAt(i)->HasPlace()) << "light " << i;
    CViewWnd& view = app.View();
    const int frames = view.FramesShown();
    EXPECT_TRUE(PumpUntil([&] { return view.FramesShown() >= frames + 2; }, 3000));

    // Shown again: the tree's box and picture as at the start.
    ChangeScene(app, true, true);
    EXPECT_EQ(OnScreen(hwnd, c.items[0]).left, firstItem.left);
    EXPECT_EQ(c.sceneBox.Width(), treePicture.Width());
    app.Exit();
    PumpMessages(100);
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
}
