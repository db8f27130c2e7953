#include "PixelHelpers.h"
#include "scene/Transforms.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {
// A 256-pixel strip whose blue, green and red bytes all equal the pixel's index, alpha 0x5A.
CBmp Ramp() {
    CBmp b;
    b.Create(256, 1);
    for (int v = 0; v < 256; ++v) {
        b.Bits()[v * 4] = b.Bits()[v * 4 + 1] = b.Bits()[v * 4 + 2] = static_cast<std::uint8_t>(v);
        b.Bits()[v * 4 + 3] = 0x5A;
    }
    return b;
}
}  // namespace

TEST(BrightnessContrast, ZeroKeepsEveryByte) {
    CBmp b = Ramp();
    b.AdjustBrightnessContrast(0, 0);
    for (int v = 0; v < 256; ++v) ASSERT_EQ(b.PixelAt(v, 0), 0x5A000000u | v << 16 | v << 8 | v);
}

TEST(BrightnessContrast, HandComputedValues) {
    struct Case {
        int b, c, v, expected;
    } cases[] = {
        {-80, -128, 0, 48}, {-80, -128, 127, 47}, {-80, -128, 255, 46},  // nearly flat, slightly inverted
        {0, -127, 0, 127},  {0, -127, 255, 127},  {40, -127, 9, 167},    // flattened to b + 127
        {200, 0, 100, 255}, {-300, 0, 200, 0},                            // clamped
        {0, 127, 200, 255}, {0, 127, 100, 73},    {0, 127, 30, 0},        // doubled contrast: 127 + 2(v - 127)
        {32, 0, 10, 42},    {-16, 0, 0, 0},
        {0, -64, 0, 64},    {0, -64, 255, 190},                           // (v-127)*63/127 truncates toward 0
    };
    for (const auto& c : cases) {
        CBmp b = SolidBmp(1, 1, 0x33000000u | c.v << 16 | c.v << 8 | c.v);
        b.AdjustBrightnessContrast(c.b, c.c);
        const std::uint32_t e = static_cast<std::uint32_t>(c.expected);
        EXPECT_EQ(b.PixelAt(0, 0), 0x33000000u | e << 16 | e << 8 | e) << c.b << "," << c.c << " on " << c.v;
    }
}

TEST(HueColour, Table) {
    struct Case {
        int hue;
        std::uint32_t colour, expected;
    } cases[] = {
        {0, 0xFF0000, 0xFF0000},   {240, 0xFF0000, 0xFF0000}, {300, 0xFF0000, 0xFF0000},
        {80, 0xFF0000, 0x0000FF},  {160, 0xFF0000, 0x00FF00}, {40, 0xFF0000, 0x7F007F},
        {120, 0xFF0000, 0x007F7F},  // (x, y, z) = (127, 127, 0)
        {1, 0xFF0000, 0xFB0003},    // x = 255/80 = 3, z = 79*255/80 = 251
        {80, 0x0000FF, 0x00FF00},   // red rotated by a third turn is green
        {-10, 0xFF0000, 0xFF0000},  // negative weight clamped at 0, blue weight limited to 255
    };
    for (const auto& c : cases) EXPECT_EQ(HueColour(c.hue, c.colour), c.expected) << c.hue;
}

TEST(MixChannels, RotationsAndWeights) {
    struct Case {
        std::uint32_t colour, expected;
    } cases[] = {
        {0xFF0000, 0x7FC86432},  // pure blue: identity
        {0x0000FF, 0x7F32C864},  // pure red: R' = B, G' = R, B' = G
        {0x00FF00, 0x7F6432C8},  // pure green: R' = G, G' = B, B' = R
        // weights (127, 0, 127): R' = (200*127 + 50*127) / 254 = 125, G' = 150, B' = 75
        {0x7F007F, 0x7F7D964B},
        {0x000000, 0x7FC86432},  // no weights: left alone
    };
    for (const auto& c : cases) {
        CBmp b = SolidBmp(1, 1, 0x7FC86432);  // R 200, G 100, B 50
        b.MixChannels(c.colour);
        EXPECT_EQ(b.PixelAt(0, 0), c.expected) << std::hex << c.colour;
    }
}

TEST(ScaleAlpha, Table) {
    struct Case {
        int k, add, a, expected;
    } cases[] = {
        {512, 0, 100, 200}, {512, 0, 200, 255}, {80, 0, 255, 80},  {0, 0, 255, 0},  {255, 0, 77, 77},
        {128, 0, 255, 128}, {255, 20, 250, 255}, {255, -300, 10, 0}, {32, 0, 128, 16},
    };
    for (const auto& c : cases) {
        CBmp b = SolidBmp(1, 1, static_cast<std::uint32_t>(c.a) << 24 | 0x123456);
        b.ScaleAlpha(c.k, c.add);
        EXPECT_EQ(b.PixelAt(0, 0), static_cast<std::uint32_t>(c.expected) << 24 | 0x123456) << c.k << " on " << c.a;
    }
}

TEST(ColourTransforms, EmptyBitmapIsLeftAlone) {
    CBmp b;
    b.AdjustBrightnessContrast(10, 10);
    b.MixChannels(0x0000FF);
    b.ScaleAlpha(2, 3);
    EXPECT_TRUE(b.IsEmpty());
}

// The hue mix against its formula for many weights and pixels (R' = (R wB + G wG + B wR) / S ...).
TEST(MixChannels, AgreesWithTheFormulaEverywhere) {
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16 & 0xFF; };
    for (int round = 0; round < 300; ++round) {
        const unsigned wR = next(), wG = next(), wB = next();
        const unsigned s = wR + wG + wB;
        if (s == 0) continue;
        CBmp b;
        b.Create(64, 1);
        for (int i = 0; i < 64 * 4; ++i) b.Bits()[i] = static_cast<std::uint8_t>(next());
        CBmp before;
        before.CopyFrom(b);
        b.MixChannels(wR | wG << 8 | wB << 16);
        for (int x = 0; x < 64; ++x) {
            const std::uint8_t* o = before.Bits() + x * 4;
            const unsigned B = o[0], G = o[1], R = o[2];
            const std::uint32_t expected = static_cast<std::uint32_t>(o[3]) << 24 |
                                           (R * wB + G * wG + B * wR) / s << 16 | (R * wR + G * wB + B * wG) / s << 8 |
                                           (R * wG + G * wR + B * wB) / s;
            ASSERT_EQ(b.PixelAt(x, 0), expected) << wR << "," << wG << "," << wB;
        }
    }
}
