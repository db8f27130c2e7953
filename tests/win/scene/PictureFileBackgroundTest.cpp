// Picture files written here as PNG and loaded as the tree's picture the way the program loads
// them: a picture with a transparent background keeps every opaque pixel, its near-black ones
// included; a picture without transparency of its own loses the colour of its top-left corner.
#include "PngFile.h"

#include "scene/CItem.h"
#include "scene/win/CResourcePictureSource.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// 8 x 8: a background of the given colour and alpha around a 6 x 6 red block (alpha bodyAlpha)
// holding a 2 x 2 square of #0A0A0A at (3, 3).
SPixels Picture(std::uint8_t background, std::uint8_t backgroundAlpha, std::uint8_t bodyAlpha) {
    SPixels p;
    p.width = p.height = 8;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool body = x >= 1 && x < 7 && y >= 1 && y < 7;
            const bool square = x >= 3 && x < 5 && y >= 3 && y < 5;
            const std::uint8_t b = square ? 0x0A : body ? 0 : background;
            const std::uint8_t r = square ? 0x0A : body ? 0xC8 : background;
            p.bgra.insert(p.bgra.end(), {b, b, r, body ? bodyAlpha : backgroundAlpha});
        }
    }
    return p;
}

}  // namespace

TEST(PictureFileBackground, OnlyPicturesWithoutTransparencyLoseTheirCornerColour) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    CResourcePictureSource pictures;
    struct SCase {
        const char* what;
        SPixels picture;
        bool squareKept;
    } const cases[] = {
        {"transparent black background", Picture(0, 0, 255), true},
        {"opaque black background", Picture(0, 255, 255), false},
        {"alpha never filled in (loads opaque)", Picture(0, 0, 0), false},
    };
    int n = 0;
    for (const SCase& c : cases) {
        const std::wstring path = std::wstring(temp) + L"pinarbo-background-" + std::to_wstring(n++) + L".png";
        ASSERT_TRUE(WritePng(path, c.picture)) << c.what;
        CItem tree;
        tree.type.Set(CItem::kTree);
        tree.source.Set(CItem::kFile);
        tree.path = path;
        ASSERT_TRUE(tree.LoadPicture(pictures)) << c.what;
        const CBmp& s = tree.SourcePicture();
        // Cropped to the red block: the square lies at (2, 2) of it.
        ASSERT_EQ(s.Width(), 6) << c.what;
        ASSERT_EQ(s.Height(), 6) << c.what;
        for (int y = 2; y < 4; ++y)
            for (int x = 2; x < 4; ++x)
                EXPECT_EQ(s.PixelAt(x, y), c.squareKept ? 0xFF0A0A0Au : 0u) << c.what << " at " << x << "," << y;
        EXPECT_EQ(s.PixelAt(0, 0), 0xFFC80000u) << c.what;
        ::DeleteFileW(path.c_str());
    }
}
