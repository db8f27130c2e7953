#include "ItemFakes.h"

#include "scene/CItem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

class ItemRender : public ::testing::Test {
protected:
    ItemRender() : m_scope(&pictures) {}
    CFakePictureSource pictures;

private:
    CPictureSourceScope m_scope;
};

TEST_F(ItemRender, BlackTurnsTransparentInTheRenderedPictureOnly) {
    auto pic = FilledBmp(3, 1, 0xFF0000C8);  // opaque red
    SetPixel(*pic, 1, 0, 0xFF000000);        // opaque black in the middle
    pictures.resources[131] = pic;
    CItem item;
    item.resid.Set(131);
    ASSERT_TRUE(item.LoadPicture());
    ASSERT_TRUE(item.Render());
    EXPECT_EQ(item.SourcePicture().PixelAt(1, 0), 0xFF000000u);
    EXPECT_EQ(item.Rendered().PixelAt(1, 0), 0x00000000u);
    EXPECT_EQ(item.Rendered().PixelAt(0, 0), 0xFF0000C8u);

    item.crIgnClr.Set(0x0000C8);  // now the red is the key, black stays
    item.Render();
    EXPECT_EQ(item.Rendered().PixelAt(1, 0), 0xFF000000u);
    EXPECT_EQ(item.Rendered().PixelAt(0, 0), 0x000000C8u);
}

TEST_F(ItemRender, SizeChangesTheRenderedPictureButNotTheThumbnail) {
    pictures.resources[131] = FilledBmp(40, 20, 0xFF336699);
    CItem item;
    item.resid.Set(131);
    item.LoadPicture();
    item.Render();
    // m = max(20 / 20 + 1, 40 / 20 + 1) = 3, so the thumbnail is 13 x 6.
    EXPECT_EQ(item.Rendered().Width(), 40);
    EXPECT_EQ(item.Thumbnail().Width(), 13);
    EXPECT_EQ(item.Thumbnail().Height(), 6);

    item.size.Set(50);
    item.Render();
    EXPECT_EQ(item.Rendered().Width(), 20);
    EXPECT_EQ(item.Rendered().Height(), 10);
    EXPECT_EQ(item.Thumbnail().Width(), 13);
    EXPECT_EQ(item.Thumbnail().Height(), 6);
}

TEST_F(ItemRender, OpacityScalesAlpha) {
    auto pic = FilledBmp(2, 1, 0xFF808080);
    SetPixel(*pic, 1, 0, 0x64808080);  // alpha 100
    pictures.resources[131] = pic;
    CItem item;
    item.resid.Set(131);
    item.opaque.Set(20);  // factor 20 * 255 / 100 = 51
    item.LoadPicture();
    item.Render();
    EXPECT_EQ(item.Rendered().PixelAt(0, 0) >> 24, 51u);   // 255 * 51 / 255
    EXPECT_EQ(item.Rendered().PixelAt(1, 0) >> 24, 20u);   // 100 * 51 / 255 = 20.0
    EXPECT_EQ(item.Rendered().PixelAt(1, 0) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(item.Thumbnail().PixelAt(0, 0) >> 24, 255u);  // the thumbnail keeps full opacity
}

TEST_F(ItemRender, ThumbnailsAtOtherSizesComeFromTheSourceAndEveryRenderIsStamped) {
    // Red left of x = 20, blue from there: at 26 wide the edge falls between columns 12 and 13.
    auto pic = FilledBmp(40, 20, 0xFFC80000);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x) SetPixel(*pic, x, y, 0xFF0000C8);
    pictures.resources[131] = pic;
    CItem item;
    item.resid.Set(131);
    item.size.Set(50);
    item.opaque.Set(50);
    item.hue.Set(80);
    EXPECT_EQ(item.RenderStamp(), 0u);
    item.LoadPicture();
    const unsigned long long loaded = item.RenderStamp();
    item.Render();
    EXPECT_GT(item.RenderStamp(), loaded);

    // At the thumbnail's own size: the thumbnail exactly (colours changed, no size or opacity).
    CBmp same;
    ASSERT_TRUE(item.ThumbnailAt(13, 6, same));
    ASSERT_EQ(same.ByteSize(), item.Thumbnail().ByteSize());
    EXPECT_EQ(0, std::memcmp(same.Bits(), item.Thumbnail().Bits(), static_cast<std::size_t>(same.ByteSize())));
    // Twice the size: from the source, so the edge stays sharp (a stretched thumbnail blurs it).
    CBmp twice;
    ASSERT_TRUE(item.ThumbnailAt(26, 12, twice));
    for (int shift = 0; shift < 32; shift += 8) {  // the resampler rounds within a few steps
        const int a = static_cast<int>((twice.PixelAt(0, 0) >> shift) & 0xFF);
        const int b = static_cast<int>((item.Thumbnail().PixelAt(0, 0) >> shift) & 0xFF);
        EXPECT_LE(std::abs(a - b), 4) << "channel at bit " << shift;
    }
    EXPECT_EQ(twice.PixelAt(12, 5), twice.PixelAt(0, 5));
    EXPECT_EQ(twice.PixelAt(13, 5), twice.PixelAt(25, 5));
    EXPECT_GE(twice.PixelAt(13, 5) >> 24, 250u) << "no opacity step";

    CItem other;
    other.resid.Set(131);
    other.LoadPicture();
    other.Render();
    EXPECT_NE(other.RenderStamp(), item.RenderStamp()) << "stamps are unique across items";
}

TEST_F(ItemRender, HueAndBrightnessFollowTheRenderingChain) {
    pictures.resources[131] = FilledBmp(1, 1, 0xFF0A141E);  // R 10, G 20, B 30
    CItem item;
    item.resid.Set(131);
    item.hue.Set(80);     // pure red weights: R' = B, G' = R, B' = G
    item.brig.Set(-25);   // -25 * 128 / 100 = -32
    item.LoadPicture();
    item.Render();
    // After the hue: R 30, G 10, B 20; brightness -32 with contrast 0 subtracts 32, clamped at 0.
    EXPECT_EQ(item.Rendered().PixelAt(0, 0), 0xFF000000u);
    item.brig.Set(50);  // 64
    item.Render();
    EXPECT_EQ(item.Rendered().PixelAt(0, 0), 0xFF5E4A54u);  // 30+64, 10+64, 20+64
}

TEST_F(ItemRender, PictureFileIsFittedToTheScreen) {
    const struct {
        int w, h, expectW, expectH;
    } cases[] = {
        {2000, 600, 960, 288},  // a third of 1080 = 360 high -> 1200 x 360, then half of 1920 wide
        {800, 200, 800, 200},   // fits as it is
        {3000, 100, 960, 32},   // only too wide
        {100, 1000, 36, 360},   // only too high
        {1, 5000, 1, 360},      // very thin: keeps one column
    };
    for (const auto& c : cases) {
        auto pic = FilledBmp(c.w, c.h, 0xFFC00000);
        SetPixel(*pic, 0, 0, 0xFFFFFFFF);  // background colour at the top-left
        pictures.files[L"C:\\p.png"] = pic;
        CItem item;
        item.source.Set(1);
        item.path = L"C:\\p.png";
        ASSERT_TRUE(item.LoadPicture());
        EXPECT_EQ(item.SourcePicture().Width(), c.expectW) << c.w << "x" << c.h;
        EXPECT_EQ(item.SourcePicture().Height(), c.expectH) << c.w << "x" << c.h;
    }
}

TEST_F(ItemRender, PictureFileLosesItsTopLeftColourCoarsely) {
    auto pic = FilledBmp(4, 3, 0xFF2080C0);
    SetPixel(*pic, 0, 0, 0xFF123456);  // key 0x103050
    SetPixel(*pic, 3, 2, 0xFF1F3F5F);  // same upper nibbles: keyed out
    SetPixel(*pic, 2, 1, 0xFF203050);  // one nibble differs: kept
    pictures.files[L"C:\\k.bmp"] = pic;
    pictures.screenWidth = 0;  // no fitting
    pictures.screenHeight = 0;
    CItem item;
    item.source.Set(1);
    item.path = L"C:\\k.bmp";
    ASSERT_TRUE(item.LoadPicture());
    const CBmp& s = item.SourcePicture();
    ASSERT_EQ(s.Width(), 4);
    ASSERT_EQ(s.Height(), 3);
    EXPECT_EQ(s.PixelAt(0, 0), 0x00103050u);
    EXPECT_EQ(s.PixelAt(3, 2), 0u);
    EXPECT_EQ(s.PixelAt(2, 1), 0xFF203050u);
    EXPECT_EQ(s.PixelAt(1, 1), 0xFF2080C0u);
}

TEST_F(ItemRender, SourceFallsBackToTheBuiltInPictureAndCrops) {
    auto builtIn = FilledBmp(10, 8, 0);
    SetPixel(*builtIn, 3, 2, 0xFF00FF00);
    SetPixel(*builtIn, 6, 4, 0xFF00FF00);
    pictures.resources[122] = builtIn;
    CItem item;
    item.resid.Set(0x10000u + 122);  // only the low 16 bits name the resource
    item.source.Set(1);
    item.path = L"C:\\missing.png";
    ASSERT_TRUE(item.LoadPicture());
    EXPECT_EQ(item.SourcePicture().Width(), 4);  // cropped to columns 3..6
    EXPECT_EQ(item.SourcePicture().Height(), 3);  // rows 2..4
    item.path.clear();
    ASSERT_TRUE(item.LoadPicture());
    EXPECT_EQ(item.SourcePicture().Width(), 4);
}

TEST_F(ItemRender, UnreadableFileFailsAndKeepsTheRenderedPicture) {
    pictures.resources[131] = FilledBmp(5, 5, 0xFF111111);
    pictures.brokenFiles[L"C:\\bad.png"] = 1;
    CItem item;
    item.resid.Set(131);
    ASSERT_TRUE(item.LoadPicture());
    ASSERT_TRUE(item.Render());
    item.source.Set(1);
    item.path = L"C:\\bad.png";
    EXPECT_FALSE(item.LoadPicture());
    EXPECT_TRUE(item.SourcePicture().IsEmpty());
    EXPECT_TRUE(item.Render());
    EXPECT_EQ(item.Rendered().Width(), 5);
}

TEST_F(ItemRender, UnknownResourceLeavesTheItemEmpty) {
    CItem item;  // resid 0
    EXPECT_FALSE(item.LoadPicture());
    EXPECT_FALSE(item.Render());
    EXPECT_TRUE(item.Thumbnail().IsEmpty());
}

TEST_F(ItemRender, LoadReadsThePicture) {
    pictures.resources[140] = FilledBmp(50, 48, 0xFFAA5500);
    SMemoryStore m;
    m.store.WriteString(L"Items\\Tree", L"type", tstr(L"1"));
    m.store.WriteString(L"Items\\Tree", L"resid", tstr(L"140"));
    m.store.WriteString(L"Items\\Tree", L"size", tstr(L"65"));
    CItem item;
    item.Load(m.store, L"Items\\Tree");
    EXPECT_EQ(item.Rendered().Width(), 32);  // 50 * 65 / 100
    EXPECT_EQ(item.Rendered().Height(), 31);
}

}  // namespace
