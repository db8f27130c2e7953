// The three looks built from tiny hand-made pictures: every expected pixel below is worked out by
// hand from the transforms' integer arithmetic (values as 0xAARRGGBB).
#include "app/CButtonWnd.h"
#include "app/CButtonWndLooks.h"
#include "scene/CBmp.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace {

void Fill(CBmp& bmp, int w, int h, const std::function<std::uint32_t(int, int)>& pixel) {
    ASSERT_TRUE(bmp.Create(w, h));
    std::uint8_t* p = bmp.Bits();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x, p += 4) {
            const std::uint32_t v = pixel(x, y);
            p[0] = static_cast<std::uint8_t>(v);
            p[1] = static_cast<std::uint8_t>(v >> 8);
            p[2] = static_cast<std::uint8_t>(v >> 16);
            p[3] = static_cast<std::uint8_t>(v >> 24);
        }
    }
}

// Base: 2 x 2, colour (R 200, G 150, B 100); alpha 255 in the left column, 128 in the right.
// Texture: 4 x 4, opaque, B = 50 + 10x, G = 60 + 10y, R = 77. Overlay: 2 x 2, (120, 90, 60), alpha 200.
struct Pictures {
    CBmp base, texture, overlay;
    Pictures() {
        Fill(base, 2, 2, [](int x, int) { return x == 0 ? 0xFFC89664u : 0x80C89664u; });
        Fill(texture, 4, 4, [](int x, int y) {
            return 0xFF4D0000u | static_cast<std::uint32_t>(60 + 10 * y) << 8 | static_cast<std::uint32_t>(50 + 10 * x);
        });
        Fill(overlay, 2, 2, [](int, int) { return 0xC8785A3Cu; });
    }
};

struct PixelCase {
    int group, layer, x, y;
    std::uint32_t pixel;
};

::testing::AssertionResult HasOffset(const CBmp* l, int x, int y) {
    if (!l) return ::testing::AssertionFailure() << "no layer";
    if (l->OffsetX() == x && l->OffsetY() == y) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "offset (" << l->OffsetX() << ", " << l->OffsetY() << ")";
}

// Each listed layer of the looks: its size and the offset it is drawn at.
struct SLayerShape {
    int group, layer, w, h, dx, dy;
};
template <std::size_t N>
void ExpectLayerShapes(const CBmp& looks, const SLayerShape (&shapes)[N]) {
    for (const SLayerShape& s : shapes) {
        const CBmp* l = looks.Layer(s.group, s.layer);
        ASSERT_NE(l, nullptr) << s.group << "/" << s.layer;
        EXPECT_EQ(l->Width(), s.w) << s.group << "/" << s.layer;
        EXPECT_EQ(l->Height(), s.h) << s.group << "/" << s.layer;
        EXPECT_TRUE(HasOffset(l, s.dx, s.dy)) << s.group << "/" << s.layer;
    }
}

}  // namespace

TEST(ButtonLooks, LayersFollowTheLookTable) {
    Pictures p;
    ASSERT_TRUE(BuildButtonLooks(p.base, p.texture, p.overlay));
    ASSERT_EQ(p.base.GroupCount(), 3);
    EXPECT_EQ(p.base.LayerCount(kLookNormal), 2);
    EXPECT_EQ(p.base.LayerCount(kLookHot), 4);
    EXPECT_EQ(p.base.LayerCount(kLookPressed), 4);

    const SLayerShape shapes[] = {
        {0, 0, 4, 4, 3, 3},     {0, 1, 2, 2, 3, 3},     {1, 0, 102, 102, 7, 5}, {1, 1, 102, 102, 0, 12},
        {1, 2, 4, 4, 0, 0},     {1, 3, 104, 103, 0, 0}, {2, 0, 2, 2, 2, 1},     {2, 1, 2, 2, 5, 6},
        {2, 2, 4, 4, 3, 3},     {2, 3, 2, 2, 3, 3},
    };
    ExpectLayerShapes(p.base, shapes);
    // The base itself is left as it was.
    EXPECT_EQ(p.base.PixelAt(1, 1), 0x80C89664u);
}

TEST(ButtonLooks, PixelsMatchHandComputedValues) {
    Pictures p;
    ASSERT_TRUE(BuildButtonLooks(p.base, p.texture, p.overlay));
    const PixelCase cases[] = {
        // Normal face: texture colours under the base's alpha, transparent outside the shape.
        {0, 0, 0, 0, 0xFF4D3C32u},
        {0, 0, 1, 0, 0x804D3C3Cu},
        {0, 0, 0, 1, 0xFF4D4632u},
        {0, 0, 2, 0, 0x004D3C46u},
        {0, 0, 3, 3, 0x004D5A50u},
        // Normal gloss: alpha 200 * 192 / 255 = 150.
        {0, 1, 1, 1, 0x96785A3Cu},
        // Hot shadows: 102 wide, so each colour byte is v * 255 >> 8 (99, 149, 199) and then flattened
        // to 47 by (-80, -128); alpha 254 or 127 at the edges, scaled by 64 and by 32.
        {1, 0, 0, 0, 0x3F2F2F2Fu},
        {1, 0, 101, 50, 0x1F2F2F2Fu},
        {1, 1, 0, 0, 0x1F2F2F2Fu},
        {1, 1, 101, 101, 0x0F2F2F2Fu},
        // Hot face: texture + 32, alpha from the shape enlarged to 102 (254, 253, 251, 250 across).
        {1, 2, 0, 0, 0xFE6D5C52u},
        {1, 2, 1, 0, 0xFD6D5C5Cu},
        {1, 2, 3, 0, 0xFA6D5C70u},
        {1, 2, 3, 3, 0xFA6D7A70u},
        // Hot gloss: enlarged to 104 x 103 (v * 255 >> 8) and shifted one pixel left.
        {1, 3, 0, 0, 0xC777593Bu},
        {1, 3, 103, 102, 0x00000000u},
        // Pressed rims: black and white at half of the shape's alpha (128, 64).
        {2, 0, 0, 0, 0x80000000u},
        {2, 0, 1, 1, 0x40000000u},
        {2, 1, 0, 1, 0x80FFFFFFu},
        {2, 1, 1, 0, 0x40FFFFFFu},
        // Pressed face: texture - 48 (clamped at 0).
        {2, 2, 0, 0, 0xFF1D0C02u},
        {2, 2, 1, 1, 0x801D160Cu},
        {2, 2, 3, 0, 0x001D0C20u},
        // Pressed gloss: colours - 32, alpha 200 * 96 / 255 = 75.
        {2, 3, 0, 0, 0x4B583A1Cu},
    };
    for (const PixelCase& c : cases) {
        const CBmp* l = p.base.Layer(c.group, c.layer);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->PixelAt(c.x, c.y), c.pixel)
            << std::hex << "group " << c.group << " layer " << c.layer << " at " << std::dec << c.x << "," << c.y;
    }
}

TEST(ButtonLooks, MissingTextureOrOverlayLeavesOnlyTheirLayersEmpty) {
    Pictures p;
    CBmp none;
    ASSERT_TRUE(BuildButtonLooks(p.base, none, none));
    const PixelCase layers[] = {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 2}, {2, 3}};
    for (const PixelCase& c : layers) {
        const CBmp* l = p.base.Layer(c.group, c.layer);
        ASSERT_NE(l, nullptr);
        EXPECT_TRUE(l->IsEmpty()) << c.group << "/" << c.layer;
    }
    const PixelCase shapes[] = {{1, 0}, {1, 1}, {2, 0}, {2, 1}};
    for (const PixelCase& c : shapes) {
        const CBmp* l = p.base.Layer(c.group, c.layer);
        ASSERT_NE(l, nullptr);
        EXPECT_FALSE(l->IsEmpty()) << c.group << "/" << c.layer;
    }
}

TEST(ButtonLooks, EmptyBaseGetsGroupsWithoutLayers) {
    Pictures p;
    CBmp empty;
    EXPECT_FALSE(BuildButtonLooks(empty, p.texture, p.overlay));
    EXPECT_EQ(empty.GroupCount(), 3);
    for (int k = 0; k < 3; ++k) EXPECT_FALSE(empty.GroupHasLayers(k)) << k;
}

TEST(ButtonLooks, ExistingGroupsAreKeptAndOnlyMissingOnesAdded) {
    Pictures p;
    p.base.AddGroup(L"nrm");
    ASSERT_TRUE(BuildButtonLooks(p.base, p.texture, p.overlay));
    EXPECT_EQ(p.base.GroupCount(), 3);
    EXPECT_EQ(p.base.LayerCount(kLookNormal), 2);
}

// The program's own pictures: the face is the 256 x 256 texture cut to the 96 x 96 shape.
TEST(ButtonLooks, BuiltFromTheProgramResources) {
    CButtonWnd button;
    ASSERT_TRUE(button.LoadLooks(nullptr, IDB_BUTTON_BASE, IDR_BUTTON_TEXTURE, IDB_BUTTON_GLOSS));
    const CBmp& image = button.Image();
    ASSERT_EQ(image.Width(), 96);
    ASSERT_EQ(image.Height(), 96);
    EXPECT_EQ(image.LayerCount(kLookNormal), 2);
    EXPECT_EQ(image.LayerCount(kLookHot), 4);
    EXPECT_EQ(image.LayerCount(kLookPressed), 4);
    const CBmp* face = image.Layer(kLookNormal, 0);
    ASSERT_NE(face, nullptr);
    ASSERT_EQ(face->Width(), 256);
    ASSERT_EQ(face->Height(), 256);
    int shapePixels = 0;
    for (int y = 0; y < 256; y += 5) {
        for (int x = 0; x < 256; x += 5) {
            const std::uint32_t shapeAlpha = x < 96 && y < 96 ? image.PixelAt(x, y) >> 24 : 0;
            ASSERT_EQ(face->PixelAt(x, y) >> 24, shapeAlpha) << x << "," << y;
            if (shapeAlpha) ++shapePixels;
        }
    }
    EXPECT_GT(shapePixels, 100);  // the shape is not empty
    const CBmp* hotGloss = image.Layer(kLookHot, 3);
    ASSERT_NE(hotGloss, nullptr);
    EXPECT_EQ(hotGloss->Width(), 104);
    EXPECT_EQ(hotGloss->Height(), 103);
}

// At another scale the pieces are resampled first and every size and offset of the look table
// is scaled: at 192 DPI the tiny pictures are twice their size and so is every layer.
TEST(ButtonLooks, AtAScaleEverySizeAndOffsetIsScaled) {
    Pictures p;
    ASSERT_TRUE(BuildButtonLooks(p.base, p.texture, p.overlay, 192));
    EXPECT_EQ(p.base.Width(), 4);
    EXPECT_EQ(p.base.Height(), 4);
    const SLayerShape shapes[] = {
        {0, 0, 8, 8, 6, 6},     {0, 1, 4, 4, 6, 6},     {1, 0, 204, 204, 14, 10}, {1, 1, 204, 204, 0, 24},
        {1, 2, 8, 8, 0, 0},     {1, 3, 208, 206, 0, 0}, {2, 0, 4, 4, 4, 2},       {2, 1, 4, 4, 10, 12},
        {2, 2, 8, 8, 6, 6},     {2, 3, 4, 4, 6, 6},
    };
    ExpectLayerShapes(p.base, shapes);
    // The face is the enlarged texture cut to the enlarged shape; the texture itself is untouched.
    EXPECT_EQ(p.texture.Width(), 4);
    EXPECT_EQ(p.base.Layer(kLookNormal, 0)->PixelAt(0, 0) >> 24, p.base.PixelAt(0, 0) >> 24);

    // The program's pictures at 144 DPI: a 144 x 144 button with a 384 x 384 face.
    CBmp base, texture, overlay;
    ASSERT_TRUE(base.LoadFromResource(nullptr, IDB_BUTTON_BASE));
    texture.LoadGifFromResource(nullptr, IDR_BUTTON_TEXTURE);
    ASSERT_FALSE(texture.IsEmpty());
    ASSERT_TRUE(overlay.LoadFromResource(nullptr, IDB_BUTTON_GLOSS));
    ASSERT_TRUE(BuildButtonLooks(base, texture, overlay, 144));
    EXPECT_EQ(base.Width(), 144);
    EXPECT_EQ(base.Height(), 144);
    EXPECT_EQ(base.Layer(kLookNormal, 0)->Width(), 384);
    EXPECT_EQ(base.Layer(kLookHot, 3)->Width(), 156);  // 104 x 1.5
}

// The button builds its hot and pressed looks only when they are first shown, and then turns
// their textures by the scrolls they missed: that must give, pixel for pixel and at every scale,
// the looks built at once and scrolled tick by tick.
TEST(ButtonLooks, ALookBuiltLateAndTurnedEqualsOneBuiltAtOnceAndScrolled) {
    const std::vector<std::pair<int, int>> steps = {{8, 0}, {-3, 5}, {7, -8}, {0, 0}, {-8, -8}, {2, 1}};
    for (const int dpi : {96, 144}) {
        CBmp texture, overlay;
        ASSERT_TRUE(texture.LoadGifFromResource(nullptr, IDR_BUTTON_TEXTURE));
        ASSERT_TRUE(overlay.LoadFromResource(nullptr, IDB_BUTTON_GLOSS));
        CBmp eager, lazy;
        ASSERT_TRUE(eager.LoadFromResource(nullptr, IDB_BUTTON_BASE));
        ASSERT_TRUE(lazy.LoadFromResource(nullptr, IDB_BUTTON_BASE));
        ASSERT_TRUE(BuildButtonLooks(eager, texture, overlay, dpi));
        ASSERT_TRUE(PrepareButtonBase(lazy, dpi));
        ASSERT_TRUE(BuildButtonLook(lazy, kLookNormal, texture, overlay, dpi));
        const CBmp* face = lazy.Layer(kLookNormal, 0);
        ASSERT_NE(face, nullptr);
        long long turn = 0;
        for (const auto& [dx, dy] : steps) {
            for (const SLayerRef& ref : kTextureLayers) {
                if (CBmp* l = eager.Layer(ref.group, ref.index)) l->Scroll(dx, dy);
            }
            lazy.Layer(kLookNormal, 0)->Scroll(dx, dy);
            turn += CBmp::ScrollTurn(face->Width(), face->Height(), dx, dy);
        }
        for (const int look : {kLookHot, kLookPressed}) {
            ASSERT_TRUE(BuildButtonLook(lazy, look, texture, overlay, dpi));
            for (const SLayerRef& ref : kTextureLayers) {
                if (ref.group == look) lazy.Layer(ref.group, ref.index)->RotateColours(turn);
            }
        }
        for (const int look : {kLookNormal, kLookHot, kLookPressed}) {
            ASSERT_EQ(lazy.LayerCount(look), eager.LayerCount(look)) << dpi;
            for (int i = 0; i < eager.LayerCount(look); ++i) {
                const CBmp* a = eager.Layer(look, i);
                const CBmp* b = lazy.Layer(look, i);
                ASSERT_TRUE(a && b && a->Width() == b->Width() && a->Height() == b->Height()) << dpi << " " << look << "/" << i;
                EXPECT_EQ(std::memcmp(a->Bits(), b->Bits(), static_cast<std::size_t>(a->Width()) * a->Height() * 4), 0)
                    << dpi << " " << look << "/" << i;
                EXPECT_TRUE(HasOffset(b, a->OffsetX(), a->OffsetY())) << dpi << " " << look << "/" << i;
            }
        }
    }
}
