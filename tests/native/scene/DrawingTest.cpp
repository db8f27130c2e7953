#include "PixelHelpers.h"
#include "scene/CDrawTarget.h"
#include "scene/Transforms.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

TEST(Composite, Table) {
    struct Case {
        std::uint32_t dst, src, expected;
    } cases[] = {
        {0xFF123456, 0x00FFFFFF, 0xFF123456},  // source alpha 0: unchanged
        {0x00123456, 0x40ABCDEF, 0x40ABCDEF},  // destination alpha 0: copied
        // black at 128 over opaque white: g 128, alpha 255, x 127, y 0, colour 127 * 255 / 255
        {0xFFFFFFFF, 0x80000000, 0xFF7F7F7F},
        // D 128, A 128: g 64, alpha 192, x 95, y 96; d 200, s 100: (64 * 78 + 95 * 200 + 96 * 100) / 255 = 131
        {0x80C8C8C8, 0x80646464, 0xC0838383},
        {0xFF000000, 0xFFFFFFFF, 0xFF000000},  // both opaque: g 255, x = y = 0, colour d * s / 255
    };
    for (const auto& c : cases) {
        CBmp d = MakeBmp(1, 1, {c.dst});
        Composite(d, MakeBmp(1, 1, {c.src}), 0, 0);
        EXPECT_EQ(d.PixelAt(0, 0), c.expected) << std::hex << c.src << " over " << c.dst;
    }
}

TEST(Composite, ClipsTheSourceToTheDestination) {
    const CBmp src = MakeBmp(2, 2, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004});
    CBmp d;
    d.Create(2, 2);
    Composite(d, src, -1, 1);
    EXPECT_THAT(Words(d), ElementsAre(0u, 0u, 0xFF000002u, 0u));
    CPixSurface s;
    s.Create(3, 1);
    Composite(s, src, 2, 0);
    EXPECT_THAT(Words(s), ElementsAre(0u, 0u, 0xFF000001u));
    Composite(d, src, 1 << 30, 1 << 30);
    Composite(d, CBmp(), 0, 0);
}

TEST(GradientFill, TwoStopsWithFills) {
    CBmp b;
    b.Create(7, 1);
    const SPoint stops[] = {{1, 0}, {5, 0}};
    const std::uint32_t colours[] = {0xFF000000, 0x80FFFFFF};  // opaque black to half-transparent white
    GradientFill(b, stops, colours, 2, true, true);
    // Between the stops each byte is (c2 * A - c1 * B) / (A - B) with A = 8(x - 1), B = 8(x - 5).
    std::vector<std::uint32_t> expected;
    for (int x = 0; x < 7; ++x) {
        const int t = x < 1 ? 0 : (x > 5 ? 4 : x - 1);
        const std::uint32_t c = 255u * t / 4, a = (128u * t + 255u * (4 - t)) / 4;
        expected.push_back(a << 24 | c << 16 | c << 8 | c);
    }
    EXPECT_EQ(Words(b), expected);
}

TEST(GradientFill, WithoutFillsOnlyTheBandIsWritten) {
    CBmp b = SolidBmp(6, 1, 0x11111111);
    const SPoint stops[] = {{2, 5}, {4, 5}};  // y plays no part: the direction is horizontal
    const std::uint32_t colours[] = {0x00FF0000, 0x00000000};  // colour reference: blue 255 -> black
    GradientFill(b, stops, colours, 2, false, false);
    EXPECT_THAT(Words(b), ElementsAre(0x11111111u, 0x11111111u, 0x000000FFu, 0x0000007Fu, 0u, 0x11111111u));
    GradientFill(b, stops, colours, 1, true, true);  // fewer than two stops: nothing
    EXPECT_EQ(b.PixelAt(0, 0), 0x11111111u);
}

TEST(GradientFill, ThreeStopsLaterBandsWin) {
    CBmp b;
    b.Create(5, 1);
    const SPoint stops[] = {{0, 0}, {2, 0}, {4, 0}};
    const std::uint32_t colours[] = {0xFF000000, 0xFF0000FF, 0xFF000000};  // black, red, black
    GradientFill(b, stops, colours, 3, false, false);
    EXPECT_THAT(Words(b), ElementsAre(0xFF000000u, 0xFF7F0000u, 0xFFFF0000u, 0xFF7F0000u, 0xFF000000u));
}

TEST(StretchedFaded, NearestPixelFadedAndOpaque) {
    CPixSurface s;
    s.Create(3, 2);
    s.Fill(0x00FFFFFF);  // white, even transparent, comes out opaque
    const CBmp b = MakeBmp(1, 1, {0xFFFF0000});
    CDrawTarget t(s);
    b.DrawStretchedFaded(t, 1, 0, 2, 2, 128);
    // u = 128: colour (255 * 127 + 128 * source) / 255 -> red 255, green and blue 127
    EXPECT_THAT(Words(s), ElementsAre(0x00FFFFFFu, 0xFFFF7F7Fu, 0xFFFF7F7Fu, 0x00FFFFFFu, 0xFFFF7F7Fu, 0xFFFF7F7Fu));
    const CBmp two = MakeBmp(2, 1, {0xFF0000FF, 0x000000FF});  // the transparent half keeps the background
    s.Fill(0xFF000000);
    two.DrawStretchedFaded(t, 0, 0, 3, 1, 255);
    EXPECT_THAT(Words(s), ElementsAre(0xFF0000FFu, 0xFF0000FFu, 0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u));
}

TEST(StretchedBorder, FrameKeptMiddleStretched) {
    // 3x3 opaque picture, frame of one pixel, drawn 4x3 over black: the middle column is
    // stretched to two, rows stay (one middle row: the source's first middle row).
    const CBmp b = MakeBmp(3, 3, {0xFF000064, 0xFF0000C8, 0xFF000032,   //
                                  0xFF00000A, 0xFF0000FF, 0xFF000014,   //
                                  0xFF00001E, 0xFF000080, 0xFF000028});
    CPixSurface s;
    s.Create(4, 3);
    s.Fill(0xFF000000);
    CDrawTarget t(s);
    b.DrawStretchedBorder(t, 0, 0, 4, 3, 1, 1);
    // Intermediate rows: frame rows copied; the single middle row is row 1 weighed (v * 255) >> 8,
    // alpha included: blue 9, 254, 19, alpha 254. Border columns blend (v * A) >> 8, middle columns
    // (A * (v * 255) / 256) >> 8 over the black target, e.g. (254 * 64770 / 256) >> 8 = 251.
    const std::uint32_t k = 0xFF000000;
    EXPECT_THAT(Words(s), ElementsAre(k | 99, k | 198, k | 198, k | 49,  //
                                      k | 8, k | 251, k | 251, k | 18,   //
                                      k | 29, k | 127, k | 127, k | 39));
    // Target alpha is kept.
    s.Fill(0x10000000);
    b.DrawStretchedBorder(t, 0, 0, 4, 3, 1, 1);
    EXPECT_EQ(s.PixelAt(1, 1) >> 24, 0x10u);
}

TEST(StretchedBorder, OddSizesStayInsideTheBuffers) {
    // Frames wider than the picture, no frame, one-pixel pictures, clipped targets: no crash,
    // no read outside (the sanitizer build checks), nothing drawn for sizes <= 0.
    CBmp b = SolidBmp(3, 2, 0x80FFFFFF);
    CPixSurface s;
    s.Create(5, 5);
    CDrawTarget t(s);
    const int sizes[][4] = {{5, 5, 0, 0}, {5, 5, 4, 4}, {1, 1, 0, 0}, {2, 7, 1, 3}, {9, 1, 2, 0}, {3, 3, -2, -2}};
    for (const auto& z : sizes) b.DrawStretchedBorder(t, -1, -1, z[0], z[1], z[2], z[3]);
    CBmp one = SolidBmp(1, 1, 0xFFFFFFFF);
    s.Fill(0);
    one.DrawStretchedBorder(t, 0, 0, 5, 5, 0, 0);
    EXPECT_EQ(s.PixelAt(4, 4), 0x00FBFBFBu);  // 255 weighed by the row and the column pass
    s.Fill(0);
    one.DrawStretchedBorder(t, 0, 0, 0, 5, 0, 0);
    one.DrawStretchedBorder(t, 0, 0, 5, -1, 0, 0);
    EXPECT_EQ(s.PixelAt(0, 0), 0u);
}

TEST(StateLayers, BuildsTheButtonLooks) {
    CBmp b = MakeBmp(1, 1, {0xFF00007F});  // blue 127
    b.SetOffset(2, 0);
    b.BuildStateLayers(0x0000FF);  // red weights: blue moves to red
    EXPECT_EQ(b.PixelAt(0, 0), 0xFF7F0000u);
    ASSERT_EQ(b.GroupCount(), 4);
    EXPECT_FALSE(b.GroupHasLayers(0));
    ASSERT_EQ(b.LayerCount(1), 3);
    ASSERT_EQ(b.LayerCount(2), 1);
    ASSERT_EQ(b.LayerCount(3), 3);
    // Hot: shadows (-80, -128) map 127 -> 47 and 0 -> 48, alpha 255 * 80 / 255 and * 32 / 255.
    EXPECT_EQ(b.Layer(1, 0)->PixelAt(0, 0), 0x502F3030u);
    EXPECT_EQ(b.Layer(1, 1)->PixelAt(0, 0), 0x202F3030u);
    EXPECT_EQ(b.Layer(1, 2)->PixelAt(0, 0), 0xFF9F2020u);  // brightness +32
    EXPECT_EQ(b.Layer(1, 0)->OffsetX(), 3);
    EXPECT_EQ(b.Layer(1, 0)->OffsetY(), 2);
    EXPECT_EQ(b.Layer(1, 1)->OffsetX(), -1);
    EXPECT_EQ(b.Layer(1, 2)->OffsetY(), -1);
    EXPECT_EQ(b.Layer(2, 0)->PixelAt(0, 0), 0xFF2F3030u);
    EXPECT_EQ(b.Layer(2, 0)->OffsetX(), 2);
    // Pressed rims: (128, -128) maps 0 to 256 -> 255 and 127 to 255; alpha doubled then halved:
    // 255 -> 255 -> 128.
    EXPECT_EQ(b.Layer(3, 0)->PixelAt(0, 0), 0x80FFFFFFu);
    EXPECT_EQ(b.Layer(3, 1)->PixelAt(0, 0), 0x80000000u);
    EXPECT_EQ(b.Layer(3, 2)->PixelAt(0, 0), 0xFF6F0000u);
    // Built again, existing groups are reused.
    b.BuildStateLayers(0xFF0000);
    EXPECT_EQ(b.GroupCount(), 4);
    EXPECT_EQ(b.LayerCount(1), 6);

    // For another DPI the offsets (not the bitmap's own) are the 96-DPI ones scaled, rounded to
    // nearest: at 144 DPI +1 -> 2 (1.5 away from zero), +2 -> 3, -3 -> -5 (-4.5), +4 -> 6.
    CBmp big = MakeBmp(1, 1, {0xFF00007F});
    big.SetOffset(2, 0);
    big.BuildStateLayers(0x0000FF, 144);
    EXPECT_EQ(big.Layer(1, 0)->OffsetX(), 2 + 2);
    EXPECT_EQ(big.Layer(1, 0)->OffsetY(), 3);
    EXPECT_EQ(big.Layer(1, 1)->OffsetX(), 2 - 5);
    EXPECT_EQ(big.Layer(1, 1)->OffsetY(), 6);
    EXPECT_EQ(big.Layer(3, 1)->OffsetY(), -2);
}
