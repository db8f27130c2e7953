#include "ReferenceFrame.h"

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
    // The pixels a light visits: only where a blend can happen, in groups of four.
    EXPECT_LT(shared->RunPixels(0), 32 * 32);

    ASSERT_TRUE(mask.Create(16, 16));  // new bitmaps: lights placed from now on take a new sprite
    lights.StepAndDraw(frame.data(), 120, 120, nullptr);
    EXPECT_NE(lights.Sprite(), shared);
    EXPECT_EQ(lights.Sprite()->Width(), 16);
}
