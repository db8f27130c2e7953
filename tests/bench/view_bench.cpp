// One desktop-view frame of the default scene (the built-in pictures read from res/bmp, rendered
// and composed as at start-up) with 25 and 50 blink lights, beside the memory floor: a plain
// memset + memcpy of a frame of the same size; and the rebuild of the frame's static layers.
// `PINARBO_FRAME_KERNELS=sse2 pinarbo_bench` measures the SSE2 kernels on a processor with AVX2.
#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "scene/DefaultScene.h"
#include "scene/IPictureSource.h"
#include "view/CBlinkItem.h"
#include "view/CFrameBuilder.h"
#include "view/CBlinkLights.h"
#include "view/ComposeScene.h"
#include "view/FrameScene.h"
#include "view/ViewScale.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The built-in pictures, read from the resource files (uncompressed bottom-up BMP, 24 or 32 bits).
bool ReadBmpFile(int id, CBmp& out) {
    const std::string path = std::string(PINARBO_TEST_DATA) + "/../../res/bmp/" + std::to_string(id) + ".bmp";
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> d((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto u32 = [&](std::size_t at) { return static_cast<std::uint32_t>(d[at] | d[at + 1] << 8 | d[at + 2] << 16 | d[at + 3] << 24); };
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return false;
    const std::uint32_t offset = u32(10);
    const int w = static_cast<int>(u32(18));
    const int h = static_cast<int>(u32(22));
    const int bpp = d[28];
    if ((bpp != 24 && bpp != 32) || u32(30) != 0 || w <= 0 || h <= 0 || !out.Create(w, h)) return false;
    const std::size_t stride = (static_cast<std::size_t>(w) * (bpp / 8) + 3) & ~std::size_t{3};
    if (offset + stride * static_cast<std::size_t>(h) > d.size()) return false;
    for (int y = 0; y < h; ++y) {
        const unsigned char* src = d.data() + offset + stride * static_cast<std::size_t>(h - 1 - y);
        std::uint8_t* dst = out.Bits() + static_cast<std::size_t>(y) * w * 4;
        for (int x = 0; x < w; ++x, src += bpp / 8, dst += 4) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            dst[3] = bpp == 32 ? src[3] : 255;
        }
    }
    return true;
}

class CFilePictures : public IPictureSource {
public:
    bool LoadResource(int id, CBmp& out) override { return ReadBmpFile(id, out); }
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

// The default scene rendered and composed at a display's dpi, its frame scene, a gradient and 50
// placed lights.
struct SViewScene {
    explicit SViewScene(int dpi = SViewScale::kBaseDpi) {
        CItem::SetPictureSource(&pictures);
        ResetTreeItem(tree);
        AddDefaultScene(items);
        tree.LoadPicture();
        tree.Render();
        for (CItem* item : items) {
            item->LoadPicture();
            item->Render();
        }
        ComposeScene(tree, items.Items(), composition, SViewScale::ForDpi(dpi));
        FillFrameScene(tree, items.Items(), composition, scene);
        width = composition.box.Width();
        height = composition.box.Height();

        ReadBmpFile(119, gradient);
        ReadBmpFile(161, mask);
        ReadBmpFile(162, strip);
        freq.Set(50);
        num.Set(25);
        lights.Create();
        frame.resize(static_cast<std::size_t>(width) * height * 4);
    }

    CFilePictures pictures;
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

void RunViewFrames(benchmark::State& state, int dpi) {
    SViewScene s(dpi);
    if (s.width <= 0 || s.gradient.IsEmpty() || s.mask.IsEmpty()) {
        state.SkipWithError("built-in pictures not found");
        return;
    }
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
void BM_ViewFrame(benchmark::State& state) { RunViewFrames(state, SViewScale::kBaseDpi); }
BENCHMARK(BM_ViewFrame)->Arg(25)->Arg(50)->Unit(benchmark::kMicrosecond);
// The same at 200 % (a 192-DPI display): a frame four times as large.
void BM_ViewFrameScale2(benchmark::State& state) { RunViewFrames(state, 2 * SViewScale::kBaseDpi); }
BENCHMARK(BM_ViewFrameScale2)->Arg(50)->Unit(benchmark::kMicrosecond);

// The static layers built anew on every iteration (what a scene change, resize or pause costs).
void BM_ViewFrameCacheBuild(benchmark::State& state) {
    SViewScene s;
    CFrameBuilder builder;
    const SFrameView view{s.frame.data(), s.width, s.height};
    for (auto _ : state) {
        builder.InvalidateScene();
        builder.Tick(s.scene, &s.gradient, 75, nullptr, view);
        benchmark::DoNotOptimize(s.frame.data());
        benchmark::ClobberMemory();
    }
    state.counters["builds"] = builder.CacheBuilds();
}
BENCHMARK(BM_ViewFrameCacheBuild)->Unit(benchmark::kMicrosecond);

void RunMemoryFloor(benchmark::State& state, int dpi) {
    SViewScene s(dpi);
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
void BM_ViewFrameMemoryFloor(benchmark::State& state) { RunMemoryFloor(state, SViewScale::kBaseDpi); }
BENCHMARK(BM_ViewFrameMemoryFloor)->Unit(benchmark::kMicrosecond);
void BM_ViewFrameMemoryFloorScale2(benchmark::State& state) { RunMemoryFloor(state, 2 * SViewScale::kBaseDpi); }
BENCHMARK(BM_ViewFrameMemoryFloorScale2)->Unit(benchmark::kMicrosecond);

}  // namespace
