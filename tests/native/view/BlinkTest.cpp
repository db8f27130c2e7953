#include "../scene/ItemFakes.h"

#include "view/CBlinkItem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct SFrame {
    SFrame(int w, int h, std::uint32_t pixel = 0) : width(w), height(h), bytes(static_cast<std::size_t>(w) * h * 4) {
        for (std::size_t i = 0; i < bytes.size(); i += 4) {
            bytes[i] = static_cast<std::uint8_t>(pixel);
            bytes[i + 1] = static_cast<std::uint8_t>(pixel >> 8);
            bytes[i + 2] = static_cast<std::uint8_t>(pixel >> 16);
            bytes[i + 3] = static_cast<std::uint8_t>(pixel >> 24);
        }
    }
    std::uint32_t At(int x, int y) const {
        const std::uint8_t* p = &bytes[(static_cast<std::size_t>(y) * width + x) * 4];
        return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    int width, height;
    std::vector<std::uint8_t> bytes;
};

class Blink : public ::testing::Test {
protected:
    // A 1 x 1 light whose mask and sparkle are at full strength, over a 100 x 100 picture.
    Blink() : mask(FilledBmp(1, 1, 0xFF0000FF)), strip(FilledBmp(12, 1, 0xFF0000FF)),
              composed(FilledBmp(100, 100, 0xFF008000)) {}
    SBlinkEnv Env(int freq = 50) {
        sprite = CBlinkSprite::Make(*mask, *strip);
        return SBlinkEnv{sprite, *composed, freq, random};
    }

    std::shared_ptr<CBmp> mask, strip, composed;
    std::shared_ptr<const CBlinkSprite> sprite;
    CRandom random{1};
};

TEST_F(Blink, ColourIsThePictureColourAtFullStrength) {
    const struct {
        std::uint32_t pixel, tint;
    } cases[] = {
        {0xFF008000, 0x31FF31},  // (0, 128, 0) -> (31, 159, 31) -> (49, 255, 49)
        {0x00000000, 0xFFFFFF},  // nothing under the light: white
        {0xFFFFFFFF, 0xFFFFFF},
        {0x80FF0000, 0xFF1F1F},  // alpha is ignored
    };
    for (const auto& c : cases) EXPECT_EQ(CBlinkItem::TintFor(c.pixel), c.tint) << std::hex << c.pixel;

    CBlinkItem light;
    ASSERT_TRUE(light.Place(true, composed->Bits(), 100, 100, Env()));
    EXPECT_EQ(light.Colour(), 0x31FF31u);
}

TEST_F(Blink, PlacementDrawsFromTheRuntimeSequence) {
    // rand() from seed 1: 41, 18467, 6334, 26500, 19169. Sprite 32 x 32 in a 100 x 100 frame.
    mask = FilledBmp(32, 32, 0xFF0000FF);
    CBlinkItem light;
    ASSERT_TRUE(light.Place(true, composed->Bits(), 100, 100, Env(50)));
    EXPECT_EQ(light.X(), 41 % 68);
    EXPECT_EQ(light.Y(), 18467 % 68);
    EXPECT_FALSE(light.Shown());                 // 6334 is even
    EXPECT_EQ(light.Period(), 12 + 26500 % 12);  // f = 10
    EXPECT_EQ(light.FrameCounter(), 19169 % 120);
    EXPECT_EQ(light.Phase(), 1);
    EXPECT_EQ(light.Step(), 1);
}

TEST_F(Blink, PeriodFollowsTheFrequency) {
    const struct {
        int freq, lo, hi;
    } cases[] = {{50, 12, 23}, {100, 2, 3}, {0, 22, 43}, {-5, 22, 43}, {250, 2, 3}};
    for (const auto& c : cases) {
        int lo = 1000, hi = 0;
        CBlinkItem light;
        for (int i = 0; i < 2000; ++i) {
            light.Place(false, composed->Bits(), 100, 100, Env(c.freq));
            lo = std::min(lo, light.Period());
            hi = std::max(hi, light.Period());
        }
        EXPECT_EQ(lo, c.lo) << c.freq;
        EXPECT_EQ(hi, c.hi) << c.freq;
    }
}

TEST_F(Blink, FullStrengthPixelBlendsWithTheTint) {
    CBlinkItem light;
    SFrame frame(100, 100, 0x80000000);
    const SBlinkEnv env = Env();
    light.Place(false, composed->Bits(), 100, 100, env);  // shown starts false: a hidden cycle first
    ASSERT_FALSE(light.Shown());
    int guard = 0;
    while (!light.Shown() && ++guard < 1000) light.StepAndDraw(frame.bytes.data(), 100, 100, env);
    ASSERT_TRUE(light.Shown());
    ASSERT_EQ(light.Phase(), 1);
    // Fade in until the phase reaches the period; the next tick draws at intensity 255.
    while (light.Phase() != light.Period()) light.StepAndDraw(frame.bytes.data(), 100, 100, env);
    SFrame clean(100, 100, 0x80000000);
    light.StepAndDraw(clean.bytes.data(), 100, 100, env);
    // s = 255 * 255 / 256 = 254, b = 255 * 254 / 256 = 253; tint (49, 255, 49) over black.
    const std::uint32_t c = 49 * 253 / 255;
    EXPECT_EQ(clean.At(light.X(), light.Y()), 0x80000000u | (c << 16) | (253u << 8) | c);
    EXPECT_EQ(clean.At((light.X() + 1) % 100, light.Y()), 0x80000000u);
}

TEST_F(Blink, ShownAndHiddenCyclesLastTwicePeriodLessOne) {
    CBlinkItem light;
    SFrame frame(100, 100);
    const SBlinkEnv env = Env();
    light.Place(true, composed->Bits(), 100, 100, env);
    for (int cycle = 0; cycle < 6; ++cycle) {
        const bool shown = light.Shown();
        const int period = light.Period();
        int ticks = 0;
        do {
            light.StepAndDraw(frame.bytes.data(), 100, 100, env);
            ++ticks;
        } while (light.Shown() == shown && ticks < 1000);
        EXPECT_EQ(ticks, 2 * period - 1) << "cycle " << cycle;
        EXPECT_EQ(light.Phase(), 1);  // re-placed
    }
}

TEST_F(Blink, NumZeroAdvancesAndDrawsNothing) {
    std::vector<CBlinkItem> lights(3);
    std::vector<CBlinkItem*> pointers;
    const SBlinkEnv env = Env(100);
    for (auto& l : lights) {
        l.Place(true, composed->Bits(), 100, 100, env);
        pointers.push_back(&l);
    }
    SFrame frame(100, 100);
    for (int i = 0; i < 50; ++i) StepAndDrawBlinks(pointers, 0, frame.bytes.data(), 100, 100, env);
    for (const auto& l : lights) EXPECT_EQ(l.Phase(), 1);
    EXPECT_TRUE(std::all_of(frame.bytes.begin(), frame.bytes.end(), [](std::uint8_t b) { return b == 0; }));

    StepAndDrawBlinks(pointers, 2, frame.bytes.data(), 100, 100, env);  // only the first two move
    EXPECT_EQ(lights[0].Phase(), 2);
    EXPECT_EQ(lights[1].Phase(), 2);
    EXPECT_EQ(lights[2].Phase(), 1);
    StepAndDrawBlinks(pointers, 99, frame.bytes.data(), 100, 100, env);  // clamped to the count
    EXPECT_EQ(lights[2].Phase(), 2);
}

TEST_F(Blink, NoOpaquePixelLeavesTheLightHiddenAndTheProgramRunning) {
    composed = FilledBmp(100, 100, 0x00FFFFFF);
    CBlinkItem light;
    const SBlinkEnv env = Env(100);
    EXPECT_FALSE(light.Place(true, composed->Bits(), 100, 100, env));
    EXPECT_FALSE(light.HasPlace());
    SFrame frame(100, 100);
    for (int i = 0; i < 200; ++i) light.StepAndDraw(frame.bytes.data(), 100, 100, env);
    EXPECT_TRUE(std::all_of(frame.bytes.begin(), frame.bytes.end(), [](std::uint8_t b) { return b == 0; }));

    composed = FilledBmp(100, 100, 0xFF008000);  // the picture gains pixels: the light comes back
    const SBlinkEnv later = Env(100);
    for (int i = 0; i < 20; ++i) light.StepAndDraw(frame.bytes.data(), 100, 100, later);
    EXPECT_TRUE(light.HasPlace());
}

TEST_F(Blink, FrameNotLargerThanTheSpriteIsNotSearched) {
    mask = FilledBmp(32, 32, 0xFF0000FF);
    const SBlinkEnv env = Env();
    const struct {
        int w, h;
    } frames[] = {{32, 100}, {100, 32}, {10, 10}, {0, 0}, {-5, 40}};
    for (const auto& f : frames) {
        CBlinkItem light;
        EXPECT_FALSE(light.Place(true, composed->Bits(), f.w, f.h, env)) << f.w << "x" << f.h;
        EXPECT_GE(light.Period(), 12);  // the rest of the placement still happens
    }
}

TEST_F(Blink, NullSwitchKeepsThePositionAndMakesTheLightWhite) {
    mask = FilledBmp(4, 4, 0xFF0000FF);
    CBlinkItem light;
    const SBlinkEnv env = Env();
    ASSERT_TRUE(light.Place(true, composed->Bits(), 100, 100, env));
    const int x = light.X(), y = light.Y();
    light.Place(false, nullptr, 100, 100, env);
    EXPECT_EQ(light.X(), x);
    EXPECT_EQ(light.Y(), y);
    EXPECT_EQ(light.Colour(), 0xFFFFFFu);
    EXPECT_TRUE(light.HasPlace());
}

TEST_F(Blink, DrawingIsClippedToASmallerFrame) {
    mask = FilledBmp(32, 32, 0xFF0000FF);
    strip = FilledBmp(12 * 32, 32, 0xFF0000FF);
    const SBlinkEnv env = Env(100);
    bool drewInside = false;
    for (int n = 0; n < 40; ++n) {
        CBlinkItem light;
        light.Place(true, composed->Bits(), 100, 100, env);
        SFrame small(60, 50);  // the window shrank after the placement
        for (int i = 0; i < 3; ++i) light.StepAndDraw(small.bytes.data(), small.width, small.height, env);
        drewInside |= std::any_of(small.bytes.begin(), small.bytes.end(), [](std::uint8_t b) { return b != 0; });
    }
    EXPECT_TRUE(drewInside);
}

TEST_F(Blink, ShortStripAndEmptySpritesAreHarmless) {
    mask = FilledBmp(4, 4, 0xFF0000FF);
    strip = FilledBmp(5, 2, 0xFF0000FF);  // narrower and shorter than 12 frames of the mask
    const SBlinkEnv env = Env(100);
    CBlinkItem light;
    light.Place(true, composed->Bits(), 100, 100, env);
    SFrame frame(100, 100);
    for (int i = 0; i < 40; ++i) light.StepAndDraw(frame.bytes.data(), 100, 100, env);

    CBmp none;
    const auto bareSprite = CBlinkSprite::Make(none, none);
    const SBlinkEnv empty{bareSprite, *composed, 50, random};
    CBlinkItem bare;
    EXPECT_TRUE(bare.Place(true, composed->Bits(), 100, 100, empty));
    for (int i = 0; i < 60; ++i) bare.StepAndDraw(frame.bytes.data(), 100, 100, empty);
}

}  // namespace
