#include "ImagingResources.h"
#include "ImagingTestData.h"
#include "scene/GifDecoder.h"
#include "scene/win/DcPixels.h"
#include "wnd/Handles.h"

#include <cstring>

TEST(LoadFromResource, TwentyFourBitLoadsOpaque) {
    CBmp bmp;
    ASSERT_TRUE(bmp.LoadFromResource(nullptr, IDB_TEST_ROSE24));
    EXPECT_EQ(bmp.Width(), 70);
    EXPECT_EQ(bmp.Height(), 46);
    EXPECT_FALSE(bmp.HasAlpha());
    ExpectMatchesDump(bmp, "files/rose24.rgba");
}

TEST(LoadFromResource, ThirtyTwoBitKeepsItsAlpha) {
    CBmp bmp;
    ASSERT_TRUE(bmp.LoadFromResource(::GetModuleHandleW(nullptr), IDB_TEST_ALPHA32));
    EXPECT_TRUE(bmp.HasAlpha());
    ExpectMatchesDump(bmp, "files/alpha32.rgba");
}

TEST(LoadFromResource, AlphaAllZeroMeansOpaqueOneNonZeroKeepsAll) {
    // Rows top to bottom of the hand-made 3 x 2 bitmaps (make.sh), as pixel words.
    CBmp none, one;
    ASSERT_TRUE(none.LoadFromResource(nullptr, IDB_TEST_NOALPHA32));
    ASSERT_TRUE(one.LoadFromResource(nullptr, IDB_TEST_ONEALPHA32));
    EXPECT_FALSE(none.HasAlpha());
    EXPECT_TRUE(one.HasAlpha());
    const std::uint32_t colours[] = {0x1E140A, 0x3C3228, 0x5A5046, 0x030201, 0x060504, 0x090807};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(none.PixelAt(i % 3, i / 3), 0xFF000000u | colours[i]) << i;
        EXPECT_EQ(one.PixelAt(i % 3, i / 3), (i == 5 ? 0xC8000000u : 0u) | colours[i]) << i;
    }
}

TEST(LoadFromResource, MissingResourceLeavesItEmpty) {
    CBmp bmp;
    bmp.Create(3, 3);
    EXPECT_FALSE(bmp.LoadFromResource(nullptr, 9999));
    EXPECT_TRUE(bmp.IsEmpty());
}

TEST(LoadFromHandle, ReadsADibSectionAndLeavesTheHandle) {
    BITMAPINFO bi = TopDown32(2, 1);
    void* bits = nullptr;
    CUniqueBitmap section(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(section);
    const std::uint32_t pixels[] = {0x00112233, 0x00445566};  // no alpha: loads opaque
    std::memcpy(bits, pixels, sizeof pixels);
    CBmp bmp;
    ASSERT_TRUE(bmp.LoadFromHandle(section.get()));
    EXPECT_EQ(bmp.PixelAt(0, 0), 0xFF112233u);
    EXPECT_EQ(bmp.PixelAt(1, 0), 0xFF445566u);
    BITMAP info{};
    EXPECT_EQ(::GetObjectW(section.get(), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_FALSE(bmp.LoadFromHandle(nullptr));
    EXPECT_TRUE(bmp.IsEmpty());
}

TEST(LoadGifFromResource, DecodesAndReportsResults) {
    CBmp bmp;
    EXPECT_EQ(bmp.LoadGifFromResource(nullptr, IDR_TEST_GIF), kGifDone);
    EXPECT_EQ(bmp.Width(), 64);
    ExpectMatchesDump(bmp, "gif/min5_64x64.rgba");
    EXPECT_EQ(bmp.LoadGifFromResource(nullptr, MAKEINTRESOURCEW(IDR_TEST_GIF_INTERLACED), L"GIF"), kGifDone);
    ExpectMatchesDump(bmp, "gif/interlaced_70x46.rgba");
    EXPECT_EQ(bmp.LoadGifFromResource(nullptr, IDR_TEST_GIF_NO_COLOURS), kGifDone);
    EXPECT_TRUE(bmp.IsEmpty());
    bmp.Create(1, 1);
    EXPECT_EQ(bmp.LoadGifFromResource(nullptr, 9999), kGifFailed);
    EXPECT_TRUE(bmp.IsEmpty());
    EXPECT_EQ(bmp.LoadGifFromResource(nullptr, IDR_TEST_GIF, L"OTHER"), kGifFailed);
}
