// Counts heap allocations while frames are built: the whole test program's operator new is
// replaced by a counting one that forwards to malloc (not under the address sanitizer, which
// keeps its own).
#include "param/CParam.h"
#include "view/CBlinkLights.h"
#include "view/CFrameBuilder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define PINARBO_COUNT_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PINARBO_COUNT_ALLOCATIONS 0
#endif
#endif
#ifndef PINARBO_COUNT_ALLOCATIONS
#define PINARBO_COUNT_ALLOCATIONS 1
#endif

namespace {
std::atomic<long long> g_allocations{0};
}

#if PINARBO_COUNT_ALLOCATIONS
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++g_allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return operator new(size, std::nothrow); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#endif

namespace {

CBmp Picture(std::mt19937& rng, int w, int h) {
    CBmp bmp;
    EXPECT_TRUE(bmp.Create(w, h));
    for (int i = 0; i < w * h * 4; ++i) bmp.Bits()[i] = static_cast<std::uint8_t>(rng() % 3 ? rng() : 0);
    return bmp;
}

}  // namespace

// Frames of the soak: 10,000 by default; PINARBO_SOAK_FRAMES asks for a longer run.
int SoakFrames() {
    const char* text = std::getenv("PINARBO_SOAK_FRAMES");
    const long n = text ? std::strtol(text, nullptr, 10) : 0;
    return n > 0 && n <= 10000000 ? static_cast<int>(n) : 10000;
}

TEST(FrameAllocation, TenThousandFramesAllocateNothing) {
    if (!PINARBO_COUNT_ALLOCATIONS) GTEST_SKIP() << "allocations are not counted under the address sanitizer";
    std::mt19937 rng(11);
    CBmp tree = Picture(rng, 190, 240), toy = Picture(rng, 30, 30), garland = Picture(rng, 60, 13);
    CBmp gradient = Picture(rng, 256, 1), mask = Picture(rng, 32, 32), strip = Picture(rng, 384, 32);
    SFrameScene scene;
    scene.tree = {&tree, 2, 5};
    for (int i = 0; i < 20; ++i) scene.items.push_back({i % 2 ? &toy : &garland, i * 9 - 20, i * 11, 1 + i % 2, true});
    CParam<int> num, freq;
    num.Set(50);
    freq.Set(100);  // short cycles: lights are re-placed all the time
    CRandom random(4);
    CBlinkLights lights(mask, strip, tree, num, freq, random);
    lights.Create();
    std::vector<std::uint8_t> frame(193 * 250 * 4);
    CFrameBuilder builder;
    const SFrameView view{frame.data(), 193, 250};
    ASSERT_TRUE(builder.Tick(scene, &gradient, 75, &lights, view));  // builds the layers

    const long long before = g_allocations.load();
    const int frames = SoakFrames();
    for (int i = 0; i < frames; ++i) builder.Tick(scene, &gradient, 10 + i % 91, &lights, view);
    EXPECT_EQ(g_allocations.load() - before, 0);
    EXPECT_EQ(builder.CacheBuilds(), 1);

    // The counter sees allocations at all: a rebuild allocates.
    builder.InvalidateScene();
    builder.Tick(scene, &gradient, 75, &lights, view);
    EXPECT_GT(g_allocations.load() - before, 0);
}
