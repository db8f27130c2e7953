// One desktop-view frame of the default scene (synthetic pictures of the built-in sizes) with 25
// and 50 blink lights, beside the memory floor: a plain memset + memcpy of a frame of that size.
#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "scene/DefaultScene.h"
#include "scene/IPictureSource.h"
#include "view/CBlinkItem.h"
#include "view/CFrameBuilder.h"
#include "view/CBlinkLights.h"
#include "view/ComposeScene.h"
#include "view/FrameScene.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace {

class CSizedPictures : public IPictureSource {
public:
    bool LoadResource(int id, CBmp& out) override {
        static const std::map<int, std::pair<int, int>> sizes = {
            {122, {193, 250}}, {131, {50, 50}}, {134, {50, 85}}, {140, {50, 48}}, {145, {60, 15}}};
        const auto it = sizes.find(id);
        if (it == sizes.end() || !out.Create(it->second.first, it->second.second)) return false;
        std::uint8_t* p = out.Bits();
        const int w = out.Width(), h = out.Height();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x, p += 4) {
                p[0] = static_cast<std::uint8_t>(x * 7 + y * 3 + id);
                p[1] = static_cast<std::uint8_t>(x * 5 + y * 11);
                p[2] = static_cast<std::uint8_t>(x * 13 + y * 2 + id * 3);
                const int edge = std::min({x, y, w - 1 - x, h - 1 - y});
                p[3] = static_cast<std::uint8_t>(edge >= 4 ? 255 : edge * 64);
            }
        }
        return true;
    }
    bool LoadFile(const tstr&, CBmp& out) override {
        out.Free();
        return false;
    }
    bool FileExists(const tstr&) override { return false; }
    void ScreenSize(int& width, int& height) override {
        width = 1920;
        height = 1080;
    }
};

// The default scene rendered and composed, its frame scene, a gradient and 50 placed lights.
struct SViewScene {
    SViewScene() {
        CItem::SetPictureSource(&pictures);
        ResetTreeItem(tree);
        AddDefaultScene(items);
        tree.LoadPicture();
        tree.Render();
        for (CItem* item : items) {
            item->LoadPicture();
            item->Render();
        }
        ComposeScene(tree, items.Items(), composition);
        FillFrameScene(tree, items.Items(), composition.box, scene);
        width = composition.box.Width();
        height = composition.box.Height();

        gradient.Create(256, 1);
        for (int i = 0; i < 256; ++i) {
            std::uint8_t* p = gradient.Bits() + i * 4;
            p[0] = static_cast<std::uint8_t>(i);
            p[1] = static_cast<std::uint8_t>(255 - i);
            p[2] = static_cast<std::uint8_t>(i * 3);
            p[3] = 255;
        }
        mask.Create(32, 32);
        strip.Create(384, 32);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const int d = std::max(0, 255 - 16 * (std::abs(x - 16) + std::abs(y - 16)));
                std::uint8_t* m = mask.Bits() + (y * 32 + x) * 4;
                m[0] = m[1] = m[2] = static_cast<std::uint8_t>(d);
                m[3] = 255;
            }
            for (int x = 0; x < 384; ++x) {
                std::uint8_t* s = strip.Bits() + (y * 384 + x) * 4;
                s[0] = s[1] = s[2] = static_cast<std::uint8_t>(128 + (x / 32) * 10);
                s[3] = 255;
            }
        }
        freq.Set(50);
        num.Set(25);
        lights.Create();
        frame.resize(static_cast<std::size_t>(width) * height * 4);
    }

    CSizedPictures pictures;
    CItem tree;
    CColReg<CItem*> items;
    SComposition composition;
    SFrameScene scene;
    CBmp gradient, mask, strip;
    CRandom random{12345};
    CParam<int> num, freq;
    CBlinkLights lights{mask, strip, composition.picture, num, freq, random};
    std::vector<std::uint8_t> frame;
    int width = 0, height = 0;
};

void BM_ViewFrame(benchmark::State& state) {
    SViewScene s;
    s.num.Set(static_cast<int>(state.range(0)));
    CFrameBuilder builder;
    const SFrameView view{s.frame.data(), s.width, s.height};
    for (auto _ : state) {
        builder.Tick(s.scene, &s.gradient, 75, &s.lights, view);
        benchmark::DoNotOptimize(s.frame.data());
        benchmark::ClobberMemory();
    }
    state.counters["width"] = s.width;
    state.counters["height"] = s.height;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(s.frame.size()));
}
BENCHMARK(BM_ViewFrame)->Arg(25)->Arg(50)->Unit(benchmark::kMicrosecond);

void BM_ViewFrameMemoryFloor(benchmark::State& state) {
    SViewScene s;
    std::vector<std::uint8_t> source(s.frame.size(), 0x5A);
    for (auto _ : state) {
        std::memset(s.frame.data(), 0, s.frame.size());
        benchmark::ClobberMemory();
        std::memcpy(s.frame.data(), source.data(), s.frame.size());
        benchmark::DoNotOptimize(s.frame.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(s.frame.size()));
}
BENCHMARK(BM_ViewFrameMemoryFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
