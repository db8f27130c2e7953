#include "ReferenceFrame.h"

#include "view/BlinkSpan.h"
#include "view/CBlinkLights.h"
#include "view/CBlinkSprite.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

CBmp Random(std::mt19937& rng, int w, int h, int zeroPercent) {
    CBmp bmp;
    EXPECT_TRUE(bmp.Create(w, h));
    for (int i = 0; i < w * h * 4; ++i)
        bmp.Bits()[i] = static_cast<int>(rng() % 100) < zeroPercent ? 0 : static_cast<std::uint8_t>(rng());
    return bmp;
}

}  // namespace

// Every strip frame, intensity and clipped position, for sprites of several shapes (narrower
// than a four-pixel group, wider strips, short strips, mask pixels that are all zero).
TEST(BlinkSprite, DrawsWhatVisitingEveryPixelDraws) {
    std::mt19937 rng(7);
    const struct {
        int maskW, maskH, stripW, stripH;
    } shapes[] = {{32, 32, 384, 32}, {1, 1, 12, 1}, {3, 5, 40, 5}, {7, 6, 30, 3}, {32, 32, 200, 40}, {5, 4, 0, 0}};
    for (const auto& shape : shapes) {
        const CBmp mask = Random(rng, shape.maskW, shape.maskH, 20);
        const CBmp strip = shape.stripW ? Random(rng, shape.stripW, shape.stripH, 40) : CBmp();
        const auto sprite = CBlinkSprite::Make(mask, strip);
        ASSERT_EQ(sprite->Width(), shape.maskW);
        for (int k = 0; k < CBlinkSprite::kFrames; ++k) {
            for (int intensity = 0; intensity <= 255; intensity += 7) {
                const int fw = 40, fh = 37;
                const int x = static_cast<int>(rng() % 60) - 25, y = static_cast<int>(rng() % 60) - 25;
                const std::uint32_t colour = rng() & 0xFFFFFF;
                CBmp frame = Random(rng, fw, fh, 10);
                std::vector<std::uint8_t> expected(frame.Bits(), frame.Bits() + frame.ByteSize());
                ReferenceBlinkDraw(mask, strip, expected.data(), fw, fh, x, y, k, intensity, colour);
                sprite->Draw(frame.Bits(), fw, fh, x, y, k, intensity, colour);
                ASSERT_EQ(0, std::memcmp(expected.data(), frame.Bits(), expected.size()))
                    << shape.maskW << "x" << shape.maskH << " k " << k << " intensity " << intensity << " at " << x << ","
                    << y;
            }
        }
    }
}

TEST(BlinkSprite, LightsShareOneSpriteUntilTheBitmapsAreReplaced) {
    std::mt19937 rng(3);
    CBmp mask = Random(rng, 32, 32, 0), strip = Random(rng, 384, 32, 50), composed = Random(rng, 120, 120, 0);
    for (int r = 0; r < 32; ++r) std::memset(mask.Bits() + r * 32 * 4, 0, 9 * 4);  // nothing to blend left of column 9
    CParam<int> num, freq;
    num.Set(50);
    freq.Set(100);
    CRandom random(9);
    CBlinkLights lights(mask, strip, composed, num, freq, random);
    lights.Create();
    std::vector<std::uint8_t> frame(120 * 120 * 4);
    for (int i = 0; i < 50; ++i) lights.StepAndDraw(frame.data(), 120, 120, nullptr);  // every light re-placed
    const auto shared = lights.Sprite();
    EXPECT_EQ(shared.use_count(), 1 + 1 + 50);  // the lights, their owner and this copy
    // The pixels a light visits: only where a blend can happen, in groups of eight.
    EXPECT_LT(shared->RunPixels(0), 32 * 32);

    ASSERT_TRUE(mask.Create(16, 16));  // new bitmaps: lights placed from now on take a new sprite
    lights.StepAndDraw(frame.data(), 120, 120, nullptr);
    EXPECT_NE(lights.Sprite(), shared);
    EXPECT_EQ(lights.Sprite()->Width(), 16);
}

// Every span kernel against the scalar one: lengths around the vector widths, levels, colours and
// opacity factors, with and without the scaled copy (which holds the frame scaled, as in a tick).
TEST(BlinkSprite, EverySpanKernelEqualsTheScalarOne) {
    std::vector<std::pair<const char*, BlinkSpanKernels::Kernel>> kernels;
    if (BlinkSpanKernels::Sse2()) kernels.emplace_back("sse2", BlinkSpanKernels::Sse2());
    if (BlinkSpanKernels::Avx2()) kernels.emplace_back("avx2", BlinkSpanKernels::Avx2());
    std::mt19937 rng(11);
    for (int n = 0; n <= 27; ++n) {
        std::vector<std::uint8_t> mask(static_cast<std::size_t>(n)), spark(static_cast<std::size_t>(n)), frame(static_cast<std::size_t>(n) * 4 + 32);
        for (auto& b : mask) b = static_cast<std::uint8_t>(rng() % 4 == 0 ? 0 : rng());
        for (auto& b : spark) b = static_cast<std::uint8_t>(rng());
        for (auto& b : frame) b = static_cast<std::uint8_t>(rng());
        for (const std::uint32_t level : {1u, 128u, 255u}) {
            for (const std::uint32_t factor : {0u, 192u, 255u, 256u}) {
                const SLightTint tint{level, static_cast<std::uint32_t>(rng() & 255u), static_cast<std::uint32_t>(rng() & 255u),
                                      static_cast<std::uint32_t>(rng() & 255u), factor};
                std::vector<std::uint8_t> scaled(frame.size());
                for (std::size_t i = 0; i < frame.size(); ++i) scaled[i] = static_cast<std::uint8_t>((frame[i] * factor) >> 8);
                std::vector<std::uint8_t> wantD = frame, wantOut = scaled;
                BlinkSpanKernels::Scalar(mask.data(), spark.data(), n, wantD.data(), wantOut.data(), tint);
                for (const auto& [name, kernel] : kernels) {
                    std::vector<std::uint8_t> d = frame, out = scaled, alone = frame;
                    kernel(mask.data(), spark.data(), n, d.data(), out.data(), tint);
                    kernel(mask.data(), spark.data(), n, alone.data(), nullptr, tint);
                    ASSERT_EQ(d, wantD) << name << " n " << n << " level " << level << " factor " << factor;
                    ASSERT_EQ(out, wantOut) << name << " n " << n << " level " << level << " factor " << factor;
                    ASSERT_EQ(alone, wantD) << name << " without a copy, n " << n;
                }
            }
        }
    }
}
