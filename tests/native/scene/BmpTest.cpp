#include "PixelHelpers.h"
#include "scene/CDrawTarget.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

TEST(Bmp, CreateGivesTransparentBlackAndFreeResetsEverything) {
    CBmp b;
    EXPECT_TRUE(b.IsEmpty());
    ASSERT_TRUE(b.Create(3, 2));
    EXPECT_EQ(b.ByteSize(), 24);
    for (int i = 0; i < b.ByteSize(); ++i) ASSERT_EQ(b.Bits()[i], 0);
    b.SetOffset(4, 5);
    b.SetHasAlpha(true);
    b.AddGroup();
    b.Free();
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(b.ByteSize() + b.Width() + b.Height() + b.OffsetX() + b.OffsetY() + b.GroupCount(), 0);
    EXPECT_FALSE(b.HasAlpha());
}

TEST(Bmp, SizeLimitIsSixtyFourMegapixels) {
    struct Case {
        long long w, h;
        bool ok;
    } cases[] = {
        {8192, 8192, true},    {8192, 8193, false},  {67108864, 1, true}, {1, 67108865, false},
        {65536, 65536, false}, {100000, 100000, false}, {0, 5, false},    {5, -1, false},
        {2147483647, 2147483647, false},
    };
    for (const auto& c : cases) EXPECT_EQ(CBmp::IsAcceptableSize(c.w, c.h), c.ok) << c.w << "x" << c.h;
    CBmp b = SolidBmp(1, 1, 0xFF123456);
    EXPECT_FALSE(b.Create(100000, 100000));
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_FALSE(b.Create(0, 10));
    EXPECT_FALSE(b.Create(-3, 10));
    EXPECT_TRUE(b.IsEmpty());
}

TEST(Bmp, CopyFromTakesPixelsOffsetsAndAlphaFlagButNotGroups) {
    CBmp src = MakeBmp(2, 1, {0x80112233, 0xFF445566});
    src.SetOffset(-2, 7);
    src.SetHasAlpha(true);
    src.AddGroup();
    CBmp dst;
    ASSERT_TRUE(dst.CopyFrom(src));
    EXPECT_THAT(Words(dst), ElementsAre(0x80112233u, 0xFF445566u));
    EXPECT_EQ(dst.OffsetX(), -2);
    EXPECT_EQ(dst.OffsetY(), 7);
    EXPECT_TRUE(dst.HasAlpha());
    EXPECT_EQ(dst.GroupCount(), 0);
    // The copy is independent of its source.
    src.Bits()[0] = 0;
    EXPECT_EQ(dst.PixelAt(0, 0), 0x80112233u);
}

TEST(Bmp, CopyFromAnEmptySourceKeepsTheDestination) {
    CBmp dst = MakeBmp(1, 1, {0xFFABCDEF});
    CBmp empty;
    EXPECT_FALSE(dst.CopyFrom(empty));
    EXPECT_FALSE(dst.CopyFrom(nullptr));
    EXPECT_FALSE(dst.CopyFrom(dst));
    EXPECT_THAT(Words(dst), ElementsAre(0xFFABCDEFu));
}

TEST(Bmp, CopyFromOneOfItsOwnLayersTakesTheLayer) {
    // The layer lives inside the bitmap that is replaced: it must be read before anything is freed.
    for (int group : {0, 1}) {
        CBmp b = MakeBmp(2, 1, {0xFF000010, 0xFF000020});
        b.AddGroup();
        b.AddGroup();
        b.SetOffset(3, 4);
        CBmp* layer = b.AddLayer(group);
        ASSERT_NE(layer, nullptr);
        layer->Bits()[0] = 0x77;
        layer->SetOffset(-5, 6);
        layer->SetHasAlpha(true);
        ASSERT_TRUE(b.CopyFrom(layer)) << group;
        EXPECT_THAT(Words(b), ElementsAre(0xFF000077u, 0xFF000020u)) << group;
        EXPECT_EQ(b.OffsetX(), -5);
        EXPECT_EQ(b.OffsetY(), 6);
        EXPECT_TRUE(b.HasAlpha());
        EXPECT_EQ(b.GroupCount(), 0) << "groups go with the old content";
    }
}

TEST(Bmp, CopyFromSurface) {
    CPixSurface s;
    ASSERT_TRUE(s.Create(2, 2));
    s.Fill(0x7F010203);
    CBmp b = MakeBmp(1, 1, {0xFFFFFFFF});
    b.SetOffset(3, 3);
    b.SetHasAlpha(true);
    ASSERT_TRUE(b.CopyFromSurface(s));
    EXPECT_THAT(Words(b), ElementsAre(0x7F010203u, 0x7F010203u, 0x7F010203u, 0x7F010203u));
    EXPECT_EQ(b.OffsetX(), 0);
    EXPECT_FALSE(b.HasAlpha());
    CPixSurface none;
    EXPECT_FALSE(b.CopyFromSurface(none));
    EXPECT_EQ(b.Width(), 2);
}

TEST(Bmp, ExtractAndCopyChannel) {
    CBmp b = MakeBmp(2, 1, {0x11223344, 0x55667788});
    for (int index = 0; index < 4; ++index) {
        auto ch = b.ExtractChannel(index);
        ASSERT_TRUE(ch);
        const std::uint32_t mask = 0xFFu << (8 * index);
        EXPECT_THAT(Words(*ch), ElementsAre(0x11223344u & mask, 0x55667788u & mask));
    }
    EXPECT_FALSE(b.ExtractChannel(4));
    EXPECT_FALSE(b.ExtractChannel(-1));
    EXPECT_FALSE(CBmp().ExtractChannel(0));

    // Alpha of a 1x2 source copied over the overlapping 1x1 corner of a 2x1 bitmap.
    CBmp src = MakeBmp(1, 2, {0xAB000000, 0xCD000000});
    b.CopyChannelFrom(src, 3);
    EXPECT_THAT(Words(b), ElementsAre(0xAB223344u, 0x55667788u));
    b.CopyChannelFrom(src, 4);
    EXPECT_THAT(Words(b), ElementsAre(0xAB223344u, 0x55667788u));
}

TEST(Bmp, LayersAreCopiesMadeAtTheTime) {
    CBmp b = MakeBmp(1, 1, {0xFF000010});
    b.SetOffset(1, 2);
    EXPECT_EQ(b.AddLayer(0), nullptr);
    EXPECT_EQ(b.AddGroup(L"nrm"), 0);
    EXPECT_FALSE(b.GroupHasLayers(0));
    CBmp* layer = b.AddLayer(0);
    ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(b.GroupHasLayers(0));
    EXPECT_EQ(layer->OffsetX(), 1);
    EXPECT_EQ(layer->OffsetY(), 2);
    b.Bits()[0] = 0x20;
    EXPECT_EQ(b.Layer(0, 0)->PixelAt(0, 0), 0xFF000010u);
    EXPECT_EQ(b.AddLayer(1), nullptr);
    EXPECT_EQ(b.AddLayer(-1), nullptr);
    EXPECT_EQ(b.LayerCount(0), 1);
}

TEST(Bmp, MovedBitmapKeepsItsLayers) {
    CBmp b = MakeBmp(1, 1, {0xFF000010});
    b.AddGroup();
    CBmp* layer = b.AddLayer(0);
    CBmp moved(std::move(b));
    EXPECT_EQ(moved.Layer(0, 0), layer);
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(b.GroupCount(), 0);
}

// Each row: source pixel, target pixel, expected result.
TEST(DrawAlpha, BlendTable) {
    struct Case {
        std::uint32_t src, dst, expected;
    } cases[] = {
        // alpha 128 over opaque white: colour (255 * 127 + s * 128) >> 8, alpha 190
        {0x80102030, 0xFFFFFFFF, 0xBE868E96},
        {0x00123456, 0xFFFFFFFF, 0xFFFFFFFF},  // alpha 0 leaves the target
        {0xFF123456, 0x80FFFFFF, 0xFF123456},  // alpha 255 replaces all four bytes
        {0x40FF0000, 0x00000000, 0x103F0000},  // over transparent: (s * 64) >> 8, alpha (64 * 64) >> 8
    };
    for (const auto& c : cases) {
        CPixSurface s;
        ASSERT_TRUE(s.Create(1, 1));
        s.Fill(c.dst);
        MakeBmp(1, 1, {c.src}).DrawAlpha(s, 0, 0);
        EXPECT_EQ(s.PixelAt(0, 0), c.expected) << std::hex << c.src << " over " << c.dst;
    }
}

TEST(DrawAlpha, ClipsToTheSurfaceOnEverySide) {
    const CBmp b = MakeBmp(2, 2, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004});
    struct Case {
        int x, y;
        std::vector<std::uint32_t> expected;  // 3x2 surface afterwards
    } cases[] = {
        {2, 0, {0, 0, 0xFF000001, 0, 0, 0xFF000003}},  // narrower: only the first column lands
        {-1, 1, {0, 0, 0, 0xFF000002, 0, 0}},           // left and bottom cut
        {1, -1, {0, 0xFF000003, 0xFF000004, 0, 0, 0}},  // top cut
        {3, 0, {0, 0, 0, 0, 0, 0}},                    // wholly outside
        {-5, -5, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        CPixSurface s;
        ASSERT_TRUE(s.Create(3, 2));
        b.DrawAlpha(s, c.x, c.y);
        EXPECT_EQ(Words(s), c.expected) << c.x << "," << c.y;
    }
}

TEST(DrawAlpha, OffsetsAndGroupsThroughATarget) {
    CBmp b = MakeBmp(1, 1, {0xFF0000AA});
    b.SetOffset(1, 0);
    b.AddGroup();
    b.AddLayer(0)->SetOffset(0, 1);
    CPixSurface s;
    ASSERT_TRUE(s.Create(2, 2));
    CDrawTarget target(s);
    b.DrawAlpha(target, 0, 0);
    EXPECT_EQ(Words(s), (std::vector<std::uint32_t>{0, 0xFF0000AA, 0, 0}));
    b.DrawGroup(0, target, 1, 0);
    EXPECT_EQ(Words(s), (std::vector<std::uint32_t>{0, 0xFF0000AA, 0, 0xFF0000AA}));
    b.DrawGroup(5, target, 0, 0);  // no such group: nothing
}

TEST(DrawTarget, SurfaceReadAndWriteClip) {
    CPixSurface s;
    ASSERT_TRUE(s.Create(2, 1));
    s.Fill(0xFF010101);
    CDrawTarget t(s);
    std::uint8_t buf[3 * 2 * 4];
    std::fill(std::begin(buf), std::end(buf), 0xEE);
    ASSERT_TRUE(t.Read(-1, 0, 3, 2, buf));
    // Outside the surface reads transparent black; inside the surface's bytes.
    const std::uint8_t expect[24] = {0, 0, 0, 0, 1, 1, 1, 255, 1, 1, 1, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(buf), std::end(buf), expect));
    std::fill(std::begin(buf), std::end(buf), 0x22);
    ASSERT_TRUE(t.Write(1, -1, 3, 2, buf));
    EXPECT_EQ(Words(s), (std::vector<std::uint32_t>{0xFF010101, 0x22222222}));
    EXPECT_FALSE(t.Read(0, 0, 0, 1, buf));
}
