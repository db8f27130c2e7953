#include "view/win/CViewWnd.h"

#include "HeapUse.h"

#include "param/CParam.h"
#include "scene/CBmp.h"
#include "view/CBlinkLights.h"
#include "view/IFrameSource.h"

#include "ScreenProbe.h"

#define PSAPI_VERSION 2
#include <cstdlib>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

void FillAll(CBmp& bmp, std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
    for (int i = 0; i < bmp.Width() * bmp.Height(); ++i) {
        std::uint8_t* p = bmp.Bits() + i * 4;
        p[0] = b;
        p[1] = g;
        p[2] = r;
        p[3] = a;
    }
}

// Tree, toy, garland, gradient and 50 lights (which re-place themselves, copying their sprites).
class CSoakSource : public IFrameSource {
public:
    CSoakSource() {
        tree.Create(193, 250);
        FillAll(tree, 20, 120, 30, 255);
        toy.Create(25, 25);
        FillAll(toy, 200, 50, 50, 180);
        garland.Create(60, 15);
        FillAll(garland, 0, 0, 255, 255);
        gradient.Create(320, 1);
        FillAll(gradient, 0, 255, 255, 255);
        mask.Create(32, 32);
        FillAll(mask, 200, 200, 200, 255);
        strip.Create(384, 32);
        FillAll(strip, 220, 220, 220, 255);
        num.Set(50);
        freq.Set(100);  // shortest cycles: the most re-placements
        lights.Create();
        scene.tree = {&tree, 0, 0};
        scene.items.push_back({&garland, 60, 100, 2, true});
        scene.items.push_back({&toy, 80, 150, 1, true});
    }
    const SFrameScene* FrameScene() override { return &scene; }
    const CBmp* Gradient() override { return &gradient; }
    int Opacity() override { return 75; }
    IFrameLights* Lights() override { return &lights; }

    CBmp tree, toy, garland, gradient, mask, strip;
    CParam<int> num, freq;
    CRandom random{7};
    CBlinkLights lights{mask, strip, tree, num, freq, random};
    SFrameScene scene;
};

// Committed private memory (Wine leaves PrivateUsage at 0 and reports it as the pagefile usage).
unsigned long long CommittedBytes() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof(pmc);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc)))
        return 0;
    return std::max<unsigned long long>(pmc.PrivateUsage, pmc.PagefileUsage);
}


// Frames of the soak: 10,000 by default; PINARBO_SOAK_FRAMES asks for a longer run.
int SoakFrames() {
    const char* text = std::getenv("PINARBO_SOAK_FRAMES");
    const long n = text ? std::strtol(text, nullptr, 10) : 0;
    return n > 0 && n <= 10000000 ? static_cast<int>(n) : 10000;
}

}  // namespace

TEST(ViewSoak, TenThousandFramesLeaveNoHandlesNorMemoryBehind) {
    CSoakSource source;
    CViewWnd view;
    ASSERT_TRUE(view.CreateView(false));
    view.SetFrameSource(&source);
    ::SetWindowPos(view.GetHwnd(), nullptr, 100, 100, 193, 250, SWP_NOACTIVATE | SWP_NOZORDER);

    auto run = [&](int frames) {
        for (int i = 0; i < frames; ++i) {
            view.RenderFrame();
            if (i % 50 == 0) PumpMessages(0);
        }
    };
    run(500);  // warm-up: the section, the heaps' first growth
    PumpMessages(20);
    long kinds[static_cast<int>(EHandleKind::Count)];
    for (int k = 0; k < static_cast<int>(EHandleKind::Count); ++k) kinds[k] = CHandleTally::Live(static_cast<EHandleKind>(k));
    const long handles = CHandleTally::LiveTotal();
    const unsigned long long heap = HeapBytesInUse();
    const unsigned long long priv = CommittedBytes();
    const int shown = view.FramesShown();

    const int frames = SoakFrames();
    run(frames);
    PumpMessages(20);
    EXPECT_EQ(view.FramesShown() - shown, frames);
    EXPECT_EQ(view.Presenter().Creations(), 1);
    EXPECT_EQ(CHandleTally::LiveTotal(), handles);
    for (int k = 0; k < static_cast<int>(EHandleKind::Count); ++k) {
        EXPECT_EQ(CHandleTally::Live(static_cast<EHandleKind>(k)), kinds[k]) << "handle kind " << k;
    }
    const unsigned long long heapAfter = HeapBytesInUse();
    const unsigned long long privAfter = CommittedBytes();
    std::printf("heap in use %llu -> %llu bytes, committed %llu -> %llu bytes\n", heap, heapAfter, priv, privAfter);
    EXPECT_LE(heapAfter, heap + 64 * 1024) << "heap grew by " << (heapAfter - heap);
    EXPECT_LE(privAfter, priv + 1024 * 1024) << "committed memory grew by " << (privAfter - priv);
}
