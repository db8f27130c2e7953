// Imaging benchmarks: the item rendering chain on a 193 x 250 picture (hue, brightness and
// contrast, thumbnail, resample to 50 %, opacity) and its single steps, Resample up and down,
// DrawAlpha onto a surface, and decoding a GIF.
#include "scene/CBmp.h"
#include "scene/CPixSurface.h"
#include "scene/GifDecoder.h"
#include "scene/Transforms.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A deterministic picture with colour gradients and a soft, partly transparent edge.
CBmp Picture(int w, int h) {
    CBmp b;
    b.Create(w, h);
    std::uint8_t* p = b.Bits();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x, p += 4) {
            p[0] = static_cast<std::uint8_t>(x * 7 + y * 3);
            p[1] = static_cast<std::uint8_t>(x * 5 + y * 11);
            p[2] = static_cast<std::uint8_t>(x * 13 + y * 2);
            const int edge = std::min({x, y, w - 1 - x, h - 1 - y});
            p[3] = static_cast<std::uint8_t>(edge >= 4 ? 255 : edge * 64);
        }
    return b;
}

const CBmp& Tree() {
    static const CBmp tree = Picture(193, 250);
    return tree;
}

void BM_ItemChain(benchmark::State& state) {
    CBmp rendered, thumb;
    for (auto _ : state) {
        rendered.CopyFrom(Tree());
        rendered.MixChannels(HueColour(40, 0xFF0000));
        rendered.AdjustBrightnessContrast(20 * 128 / 100, -10 * 128 / 100);
        thumb.CopyFrom(rendered);
        const int m = std::max(thumb.Width() / 20 + 1, thumb.Height() / 20 + 1);
        thumb.Resample(thumb.Width() / m, thumb.Height() / m);
        rendered.Resample(rendered.Width() * 50 / 100, rendered.Height() * 50 / 100);
        rendered.ScaleAlpha(70 * 255 / 100, 0);
        benchmark::DoNotOptimize(rendered.Bits());
        benchmark::DoNotOptimize(thumb.Bits());
    }
}
BENCHMARK(BM_ItemChain);

// One step of the chain at a time, on a fresh copy (the copy is timed too: ~0.2 % of a step).
template <class Step>
void RunStep(benchmark::State& state, Step step) {
    CBmp b;
    for (auto _ : state) {
        b.CopyFrom(Tree());
        step(b);
        benchmark::DoNotOptimize(b.Bits());
    }
}
void BM_CopyOnly(benchmark::State& state) { RunStep(state, [](CBmp&) {}); }
void BM_Hue(benchmark::State& state) { RunStep(state, [](CBmp& b) { b.MixChannels(HueColour(40, 0xFF0000)); }); }
void BM_BrightnessContrast(benchmark::State& state) {
    RunStep(state, [](CBmp& b) { b.AdjustBrightnessContrast(25, -12); });
}
void BM_Thumbnail(benchmark::State& state) { RunStep(state, [](CBmp& b) { b.Resample(14, 19); }); }
void BM_ResampleHalf(benchmark::State& state) { RunStep(state, [](CBmp& b) { b.Resample(96, 125); }); }
void BM_ResampleDouble(benchmark::State& state) { RunStep(state, [](CBmp& b) { b.Resample(386, 500); }); }
void BM_Opacity(benchmark::State& state) { RunStep(state, [](CBmp& b) { b.ScaleAlpha(178, 0); }); }
BENCHMARK(BM_CopyOnly);
BENCHMARK(BM_Hue);
BENCHMARK(BM_BrightnessContrast);
BENCHMARK(BM_Thumbnail);
BENCHMARK(BM_ResampleHalf);
BENCHMARK(BM_ResampleDouble);
BENCHMARK(BM_Opacity);

void BM_DrawAlphaOntoSurface(benchmark::State& state) {
    CPixSurface surface;
    surface.Create(400, 400);
    surface.Fill(0xFF336699);
    for (auto _ : state) {
        Tree().DrawAlpha(surface, 100, 75);
        benchmark::DoNotOptimize(surface.Bits());
    }
}
BENCHMARK(BM_DrawAlphaOntoSurface);

void BM_DecodeGif(benchmark::State& state) {
    std::ifstream in(std::string(PINARBO_TEST_DATA) + "/imaging/gif/min8_160x120.gif", std::ios::binary);
    const std::vector<std::uint8_t> gif((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CBmp b;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeGif(gif.data(), gif.size(), b));
    }
}
BENCHMARK(BM_DecodeGif);

}  // namespace
