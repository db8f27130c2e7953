#include "view/win/CViewWnd.h"

#include "scene/CBmp.h"
#include "view/IFrameSource.h"
#include "app/FactoryClasses.h"

#include "ScreenProbe.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr std::uint32_t kTreeRgb = 0xC81E28;  // red 200, green 30, blue 40

void Fill(CBmp& bmp, int x0, int y0, int w, int h, std::uint32_t argb) {
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            std::uint8_t* p = bmp.Bits() + (y * bmp.Width() + x) * 4;
            p[0] = static_cast<std::uint8_t>(argb);
            p[1] = static_cast<std::uint8_t>(argb >> 8);
            p[2] = static_cast<std::uint8_t>(argb >> 16);
            p[3] = static_cast<std::uint8_t>(argb >> 24);
        }
    }
}

// A 60 x 80 opaque tree with a transparent 20 x 20 hole at (20, 30), and a 20 x 10 red garland at
// (5, 5); the gradient walks green and red in opposite directions.
class CTestSource : public IFrameSource {
public:
    CTestSource() {
        EXPECT_TRUE(tree.Create(60, 80));
        Fill(tree, 0, 0, 60, 80, 0xFF000000 | kTreeRgb);
        Fill(tree, 20, 30, 20, 20, 0);
        EXPECT_TRUE(garland.Create(20, 10));
        Fill(garland, 0, 0, 20, 10, 0xFFFF0000);
        EXPECT_TRUE(gradient.Create(256, 1));
        for (int i = 0; i < 256; ++i) Fill(gradient, i, 0, 1, 1, 0xFF000000 | (i << 16) | ((255 - i) << 8));
        scene.tree = {&tree, 0, 0};
        scene.items.push_back({&garland, 5, 5, 2, true});
    }
    const SFrameScene* FrameScene() override { return &scene; }
    const CBmp* Gradient() override { return &gradient; }
    int Opacity() override { return opacity; }
    IFrameLights* Lights() override { return nullptr; }

    CBmp tree, garland, gradient;
    SFrameScene scene;
    int opacity = 100;
};

class ViewWnd : public ::testing::Test {
protected:
    static constexpr int kX = 200, kY = 150, kW = 80, kH = 100;

    void SetUp() override {
        ASSERT_TRUE(view.CreateView(false));
        view.SetFrameSource(&source);
        ::SetWindowPos(view.GetHwnd(), nullptr, kX, kY, kW, kH, SWP_NOACTIVATE | SWP_NOZORDER);
        PumpMessages(50);
    }
    void RunFrames(int n) {
        const int target = view.FramesShown() + n;
        ASSERT_TRUE(PumpUntil([&] { return view.FramesShown() >= target; }))
            << "frames shown " << view.FramesShown() << " of " << target;
        PumpMessages(60);  // let the X server catch up
    }
    std::uint32_t ScreenAt(int x, int y) { return CaptureScreen(kX + x, kY + y, 1, 1).at(0); }

    CTestSource source;
    CViewWnd view;
};

}  // namespace

TEST_F(ViewWnd, ClassStylesAndHitTest) {
    const HWND hwnd = view.GetHwnd();
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    EXPECT_STREQ(name, L"KV_ViewWnd");
    const auto ex = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    EXPECT_EQ(ex & 0x08080088u, 0x08080088u) << std::hex << ex;
    EXPECT_EQ(ex & WS_EX_TRANSPARENT, 0u);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE));
    EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE), static_cast<DWORD>(WS_POPUP | WS_VISIBLE)) << std::hex << style;
    EXPECT_EQ(::SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(kX + 5, kY + 5)), HTCAPTION);
    EXPECT_EQ(::SendMessageW(hwnd, WM_ERASEBKGND, 0, 0), 1);
    EXPECT_FALSE(view.IsPaused());
    EXPECT_EQ(view.GradientIndex(), 0);

    CViewWnd through;
    ASSERT_TRUE(through.CreateView(true));
    const auto ex2 = static_cast<DWORD>(::GetWindowLongPtrW(through.GetHwnd(), GWL_EXSTYLE));
    EXPECT_EQ(ex2 & WS_EX_TRANSPARENT, static_cast<DWORD>(WS_EX_TRANSPARENT));
    RECT rc{};
    ::GetWindowRect(through.GetHwnd(), &rc);
    EXPECT_EQ(rc.left, ::GetSystemMetrics(SM_CXSCREEN) - 200);
    EXPECT_EQ(rc.top, ::GetSystemMetrics(SM_CYSCREEN) - 300);
    EXPECT_EQ(rc.right - rc.left, 100);
    EXPECT_EQ(rc.bottom - rc.top, 300);
}

TEST_F(ViewWnd, TimerFramesShowTheTreeWhereTheWindowIs) {
    ASSERT_TRUE(view.StartFrameTimer());
    RunFrames(3);
    const SFrameView frame = view.LastFrame();
    ASSERT_EQ(frame.width, kW);
    ASSERT_EQ(frame.height, kH);
    // Opaque tree pixel, transparent hole, transparent beyond the tree.
    EXPECT_EQ(ScreenAt(45, 60), kTreeRgb) << std::hex << ScreenAt(45, 60);
    EXPECT_EQ(ScreenAt(2, 78), kTreeRgb);
    EXPECT_NE(ScreenAt(30, 40), kTreeRgb);
    EXPECT_NE(ScreenAt(70, 90), kTreeRgb);
    EXPECT_NE(CaptureScreen(kX - 3, kY + 40, 1, 1).at(0), kTreeRgb) << "the tree shows left of the window";
}

TEST_F(ViewWnd, LaterFramesDifferOnlyWhereTheGarlandIs) {
    ASSERT_TRUE(view.StartFrameTimer());
    RunFrames(2);
    view.StopFrameTimer();
    PumpMessages(60);
    const auto first = CaptureScreen(kX, kY, kW, kH);
    ASSERT_TRUE(view.StartFrameTimer());
    RunFrames(12);
    view.StopFrameTimer();
    PumpMessages(60);
    const auto second = CaptureScreen(kX, kY, kW, kH);
    ASSERT_EQ(first.size(), second.size());
    int changed = 0;
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * kW + x;
            if (first[i] == second[i]) continue;
            ++changed;
            const bool inGarland = x >= 5 && x < 25 && y >= 5 && y < 15;
            ASSERT_TRUE(inGarland) << "pixel (" << x << ", " << y << ") changed: " << std::hex << first[i] << " -> "
                                   << second[i];
        }
    }
    EXPECT_EQ(changed, 200) << "every garland pixel changes colour as the gradient walks";
}

TEST_F(ViewWnd, PausedTicksShowNothingAndKeepTheGradientIndex) {
    ASSERT_TRUE(view.StartFrameTimer());
    RunFrames(2);
    view.SetPaused(true);
    const int frames = view.FramesShown();
    const int index = view.GradientIndex();
    PumpMessages(300);
    EXPECT_EQ(view.FramesShown(), frames);
    EXPECT_EQ(view.GradientIndex(), index);
    view.SetPaused(false);
    RunFrames(2);
    EXPECT_EQ(view.GradientIndex(), (index + view.FramesShown() - frames) % 256);
}

TEST_F(ViewWnd, SectionIsReusedAndRemadeOnlyWhenTheSizeChanges) {
    for (int i = 0; i < 20; ++i) view.RenderFrame();
    EXPECT_EQ(view.Presenter().Creations(), 1);
    ::SetWindowPos(view.GetHwnd(), nullptr, 0, 0, 50, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < 20; ++i) view.RenderFrame();
    EXPECT_EQ(view.Presenter().Creations(), 2);
    EXPECT_EQ(view.LastFrame().width, 50);
    EXPECT_EQ(view.LastFrame().height, 40);

    // A window shrunk to nothing shows nothing and keeps its last frame.
    const int frames = view.FramesShown();
    ::SetWindowPos(view.GetHwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    view.RenderFrame();
    EXPECT_EQ(view.FramesShown(), frames);
}

TEST_F(ViewWnd, FrameIsShownAgainAfterConstantOpacityWasSet) {
    ASSERT_TRUE(::SetLayeredWindowAttributes(view.GetHwnd(), 0, 128, LWA_ALPHA));
    view.RenderFrame();
    PumpMessages(60);
    EXPECT_EQ(ScreenAt(45, 60), kTreeRgb) << std::hex << ScreenAt(45, 60);
}

namespace {

// A view whose layered style cannot be switched off while it is stubborn, so a window that used
// constant opacity keeps refusing per-pixel updates; counts the extended-style changes asked for.
class CStubbornView : public CViewWnd {
public:
    bool stubborn = true;
    int styleChanges = 0;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_STYLECHANGING && static_cast<int>(wParam) == GWL_EXSTYLE) {
            ++styleChanges;
            if (stubborn) reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew |= WS_EX_LAYERED;
        }
        return CViewWnd::WindowProc(msg, wParam, lParam);
    }
};

}  // namespace

TEST(ViewWndRefusals, APersistentlyRefusingWindowGetsItsStyleResetOncePerRun) {
    CTestSource source;
    CStubbornView view;
    ASSERT_TRUE(view.CreateView(false));
    view.SetFrameSource(&source);
    ::SetWindowPos(view.GetHwnd(), nullptr, 10, 10, 80, 100, SWP_NOACTIVATE | SWP_NOZORDER);
    view.RenderFrame();
    ASSERT_EQ(view.styleChanges, 0) << "a working window is left alone";
    ASSERT_TRUE(::SetLayeredWindowAttributes(view.GetHwnd(), 0, 128, LWA_ALPHA));
    for (int i = 0; i < 40; ++i) view.RenderFrame();
    EXPECT_EQ(view.styleChanges, 2) << "one switch off and on for the whole run of refusals";
    // Once the style can be reset again, the next retry brings the frames back, and a later
    // refusal starts a new run with its own retry.
    view.stubborn = false;
    for (int i = 0; i < CLayeredPresenter::kRetryEvery; ++i) view.RenderFrame();
    EXPECT_EQ(view.styleChanges, 4);
    ASSERT_TRUE(::SetLayeredWindowAttributes(view.GetHwnd(), 0, 128, LWA_ALPHA));
    for (int i = 0; i < 10; ++i) view.RenderFrame();
    EXPECT_EQ(view.styleChanges, 6);
    view.SetFrameSource(nullptr);
}

TEST_F(ViewWnd, LastFrameIsForgottenWhenItsBufferGoes) {
    view.RenderFrame();
    ASSERT_NE(view.LastFrame().bits, nullptr);
    // Over the size a frame buffer may have: the old buffer is freed and no new one is made.
    ::SetWindowPos(view.GetHwnd(), nullptr, 0, 0, 9000, 8000, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    view.RenderFrame();
    EXPECT_EQ(view.LastFrame().bits, nullptr);
    EXPECT_EQ(view.LastFrame().width, 0);
    ::SetWindowPos(view.GetHwnd(), nullptr, 0, 0, 50, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    view.RenderFrame();
    EXPECT_NE(view.LastFrame().bits, nullptr);
    EXPECT_EQ(view.LastFrame().width, 50);
}

TEST_F(ViewWnd, OpacityScalesTheShownFrame) {
    source.opacity = 75;
    view.RenderFrame();
    const SFrameView f = view.LastFrame();
    ASSERT_NE(f.bits, nullptr);
    const std::uint8_t* p = f.bits + (60 * f.width + 45) * 4;
    // 200, 30, 40 and 255 times 192 >> 8.
    EXPECT_EQ(p[2], 150);
    EXPECT_EQ(p[1], 22);
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[3], 191);
}

TEST(ViewWndFactory, TemplateWindowsOfTheViewClassGetAFreshView) {
    RegisterFactoryWindowClasses();
    RegisterFactoryWindowClasses();  // once per process
    const HWND hwnd = ::CreateWindowExW(0, L"KV_ViewWnd", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    auto* view = dynamic_cast<CViewWnd*>(static_cast<CWnd*>(::GetPropW(hwnd, L"WND_ENTITY")));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->IsAutoDelete());
    EXPECT_FALSE(view->IsPaused());
    EXPECT_EQ(view->GradientIndex(), 0);
    ::SendMessageW(hwnd, WM_TIMER, 1, 0);  // no frame source: nothing to show, nothing breaks
    EXPECT_EQ(view->FramesShown(), 0);
    EXPECT_TRUE(::DestroyWindow(hwnd));
}
