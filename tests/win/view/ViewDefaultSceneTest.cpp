// The default scene (the built-in tree 122 with the twenty default items, gradient 119, blink
// sprites 161 and 162) shown in a desktop view, checked on the screen. The disabled
// ViewDemo.DISABLED_ShowDefaultScene keeps it on screen for PINARBO_VIEW_DEMO_SECONDS (default 20)
// to look at it or drag it:
//   scripts/wine-run --prefix build/x64/wineprefix build/x64/tests/wintest_view.exe
//       --gtest_also_run_disabled_tests --gtest_filter='ViewDemo.*'
#include "view/win/CViewWnd.h"

#include "param/CParam.h"
#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "scene/DefaultScene.h"
#include "scene/win/CResourcePictureSource.h"
#include "view/CBlinkLights.h"
#include "view/ComposeScene.h"
#include "view/FrameScene.h"
#include "view/IFrameSource.h"

#include "ScreenProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

class CDefaultSceneSource : public IFrameSource {
public:
    CDefaultSceneSource() {
        CItem::SetPictureSource(&pictures);
        ResetTreeItem(tree);
        tree.LoadPicture();
        tree.Render();
        AddDefaultScene(items);
        for (CItem* item : items) {
            item->LoadPicture();
            item->Render();
        }
        ComposeScene(tree, items.Items(), composition);
        FillFrameScene(tree, items.Items(), composition, scene);
        gradient.LoadFromResource(nullptr, 119);
        mask.LoadFromResource(nullptr, 161);
        strip.LoadFromResource(nullptr, 162);
        num.Set(25);
        freq.Set(50);
        lights.Create();
    }
    ~CDefaultSceneSource() override { CItem::SetPictureSource(nullptr); }

    const SFrameScene* FrameScene() override { return &scene; }
    const CBmp* Gradient() override { return &gradient; }
    int Opacity() override { return opacity; }
    IFrameLights* Lights() override { return &lights; }

    int Width() const { return composition.box.Width(); }
    int Height() const { return composition.box.Height(); }

    CResourcePictureSource pictures;
    CItem tree;
    CColReg<CItem*> items;
    SComposition composition;
    SFrameScene scene;
    CBmp gradient, mask, strip;
    CParam<int> num, freq;
    CRandom random{2026};
    CBlinkLights lights{mask, strip, composition.picture, num, freq, random};
    int opacity = 100;
};

class ViewDefaultScene : public ::testing::Test {
protected:
    static constexpr int kX = 400, kY = 300;

    void SetUp() override {
        ASSERT_EQ(source.gradient.Width(), 256);
        ASSERT_EQ(source.mask.Width(), 32);
        ASSERT_GT(source.Width(), 0);
        background = CaptureScreen(kX, kY, source.Width(), source.Height());
        ASSERT_TRUE(view.CreateView(false));
        view.SetFrameSource(&source);
        ::SetWindowPos(view.GetHwnd(), nullptr, kX, kY, source.Width(), source.Height(),
                       SWP_NOACTIVATE | SWP_NOZORDER);
        PumpMessages(50);
    }
    // Frames built on demand (no timer), so the screen holds exactly the last frame.
    void Frames(int n) {
        for (int i = 0; i < n; ++i) view.RenderFrame();
        PumpMessages(150);
    }
    std::vector<std::uint32_t> Screen() { return CaptureScreen(kX, kY, source.Width(), source.Height()); }

    CDefaultSceneSource source;
    CViewWnd view;
    std::vector<std::uint32_t> background;
};

}  // namespace

TEST_F(ViewDefaultScene, TreeShowsAtTheWindowWithItsColours) {
    Frames(3);
    const SFrameView frame = view.LastFrame();
    ASSERT_EQ(frame.width, source.Width());
    ASSERT_EQ(frame.height, source.Height());
    const auto screen = Screen();
    int opaque = 0, opaqueWrong = 0, clear = 0, clearWrong = 0;
    for (int i = 0; i < frame.width * frame.height; ++i) {
        const std::uint8_t* p = frame.bits + i * 4;
        const std::uint32_t rgb = (p[2] << 16) | (p[1] << 8) | p[0];
        if (p[3] == 255) {
            ++opaque;
            if (screen[i] != rgb && opaqueWrong++ == 0)
                ADD_FAILURE() << "pixel (" << i % frame.width << ", " << i / frame.width << ") shows " << std::hex
                              << screen[i] << " instead of " << rgb;
        } else if (p[3] == 0) {
            ++clear;
            if (screen[i] != background[static_cast<std::size_t>(i)]) ++clearWrong;
        }
    }
    EXPECT_GT(opaque, 193 * 250 / 3) << "the tree's opaque pixels";
    EXPECT_GT(clear, 1000) << "the transparent corners";
    EXPECT_EQ(opaqueWrong, 0);
    EXPECT_EQ(clearWrong, 0) << "transparent pixels must show what lies below";
}

TEST_F(ViewDefaultScene, FramesApartDifferOnlyWhereGarlandsAndLightsAre) {
    const int w = source.Width(), h = source.Height();
    std::vector<char> allowed(static_cast<std::size_t>(w) * h, 0);
    auto allow = [&](int x0, int y0, int rw, int rh) {
        for (int y = std::max(0, y0); y < std::min(h, y0 + rh); ++y)
            for (int x = std::max(0, x0); x < std::min(w, x0 + rw); ++x) allowed[static_cast<std::size_t>(y) * w + x] = 1;
    };
    for (const SFramePicture& item : source.scene.items) {
        if (item.type == 2 && item.visible) allow(item.x, item.y, item.picture->Width(), item.picture->Height());
    }
    auto allowLights = [&] {
        for (int i = 0; i < source.num.Get(); ++i) {
            const CBlinkItem* light = source.lights.Lights().GetAt(i);
            allow(light->X(), light->Y(), 32, 32);
        }
    };

    allowLights();
    Frames(1);
    allowLights();
    const auto first = Screen();
    for (int i = 0; i < 20; ++i) {
        Frames(1);
        allowLights();
    }
    const auto second = Screen();
    int changed = 0, outside = 0;
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (first[i] == second[i]) continue;
        ++changed;
        if (!allowed[i] && outside++ == 0)
            ADD_FAILURE() << "pixel (" << i % w << ", " << i / w << ") changed from " << std::hex << first[i] << " to "
                          << second[i];
    }
    EXPECT_GT(changed, 100) << "the garlands change colour as the gradient walks";
    EXPECT_EQ(outside, 0);
}

TEST_F(ViewDefaultScene, GradientPassTakes256Frames) {
    Frames(1);
    const int start = view.GradientIndex();
    Frames(255);
    EXPECT_EQ(view.GradientIndex(), (start + 255) % 256);
    Frames(1);
    EXPECT_EQ(view.GradientIndex(), start) << "index wraps from 255 to 0 on the 256-wide gradient";
}

TEST(ViewDemo, DISABLED_ShowDefaultScene) {
    CDefaultSceneSource source;
    CViewWnd view;
    ASSERT_TRUE(view.CreateView(false));
    view.SetFrameSource(&source);
    ::SetWindowPos(view.GetHwnd(), nullptr, 400, 300, source.Width(), source.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    if (const char* op = std::getenv("PINARBO_VIEW_DEMO_OPACITY")) source.opacity = std::atoi(op);
    ASSERT_TRUE(view.StartFrameTimer());
    const char* env = std::getenv("PINARBO_VIEW_DEMO_SECONDS");
    const int seconds = env ? std::atoi(env) : 20;
    PumpMessages(static_cast<DWORD>(seconds) * 1000);
    RECT rc{};
    ::GetWindowRect(view.GetHwnd(), &rc);
    std::printf("view at (%ld, %ld) size %ld x %ld after %d frames\n", rc.left, rc.top, rc.right - rc.left,
                rc.bottom - rc.top, view.FramesShown());
}
