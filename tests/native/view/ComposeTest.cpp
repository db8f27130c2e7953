#include "../scene/ItemFakes.h"

#include "scene/CItem.h"
#include "view/CFrameBuilder.h"
#include "view/ComposeScene.h"
#include "view/FrameScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr std::uint32_t kTreeColour = 0xFF00C800;   // opaque green
constexpr std::uint32_t kToyColour = 0xFFC80000;    // opaque red
constexpr std::uint32_t kGarlandColour = 0xFF0000C8;

class Compose : public ::testing::Test {
protected:
    Compose() : m_scope(&pictures) {
        pictures.resources[122] = FilledBmp(193, 250, kTreeColour);
        pictures.resources[131] = FilledBmp(10, 10, kToyColour);
        pictures.resources[145] = FilledBmp(60, 15, kGarlandColour);
        Prepare(tree, CItem::kTree, 122, 100, 50);
    }
    void Prepare(CItem& item, int type, unsigned int resid, int x, int y) {
        item.Setup(L"", type, resid, 0, 0, 0, 100, 100, x, y);
        item.LoadPicture();
        item.Render();
    }
    // The composed box as {minX, minY, maxX, maxY}.
    std::vector<int> Box() const { return {out.box.minX, out.box.minY, out.box.maxX, out.box.maxY}; }
    CItem& Add(int type, unsigned int resid, int x, int y) {
        owned.push_back(std::make_unique<CItem>());
        Prepare(*owned.back(), type, resid, x, y);
        items.push_back(owned.back().get());
        return *owned.back();
    }

    CFakePictureSource pictures;
    CItem tree;
    std::vector<std::unique_ptr<CItem>> owned;
    std::vector<CItem*> items;
    SComposition out;

private:
    CPictureSourceScope m_scope;
};

TEST_F(Compose, TreeAloneSetsTheBox) {
    ComposeScene(tree, items, out);
    EXPECT_EQ(Box(), (std::vector<int>{100, 50, 293, 300}));
    ASSERT_EQ(out.picture.Width(), 193);
    ASSERT_EQ(out.picture.Height(), 250);
    EXPECT_EQ(out.picture.PixelAt(0, 0), kTreeColour);
    EXPECT_EQ(out.picture.PixelAt(192, 249), kTreeColour);
    EXPECT_EQ(out.garlands.Width(), 193);
    EXPECT_EQ(out.garlands.PixelAt(10, 10), 0u);
}

TEST_F(Compose, ToyLeftOfTheTreeExtendsTheBox) {
    Add(CItem::kToy, 131, 80, 60);
    ComposeScene(tree, items, out);
    EXPECT_EQ(out.box.minX, 80);
    EXPECT_EQ(out.box.Width(), 213);
    EXPECT_EQ(out.picture.PixelAt(20, 0), kTreeColour);  // the tree now starts at x = 20
    EXPECT_EQ(out.picture.PixelAt(19, 0), 0u);
    EXPECT_EQ(out.picture.PixelAt(0, 10), kToyColour);   // the toy at x = 0, y = 60 - 50
    EXPECT_EQ(out.picture.PixelAt(9, 19), kToyColour);
    EXPECT_EQ(out.picture.PixelAt(10, 19), 0u);
    EXPECT_EQ(out.picture.PixelAt(20, 20), kTreeColour);
}

TEST_F(Compose, InvisibleToyChangesNothing) {
    ComposeScene(tree, items, out);
    SComposition plain;
    ComposeScene(tree, items, plain);
    Add(CItem::kToy, 131, 0, 0).visible.Set(0);
    ComposeScene(tree, items, out);
    EXPECT_EQ(out.box.minX, 100);
    EXPECT_EQ(out.box.minY, 50);
    ASSERT_EQ(out.picture.ByteSize(), plain.picture.ByteSize());
    EXPECT_EQ(0, std::memcmp(out.picture.Bits(), plain.picture.Bits(), static_cast<std::size_t>(plain.picture.ByteSize())));
}

TEST_F(Compose, GarlandGoesToTheGarlandLayerOnly) {
    Add(CItem::kGarland, 145, 110, 60);
    Add(7, 131, 120, 70);  // unknown type: counted in the box, drawn nowhere
    ComposeScene(tree, items, out);
    EXPECT_EQ(out.garlands.PixelAt(10, 10), kGarlandColour);
    EXPECT_EQ(out.garlands.PixelAt(69, 24), kGarlandColour);
    EXPECT_EQ(out.garlands.PixelAt(70, 10), 0u);
    EXPECT_EQ(out.picture.PixelAt(10, 10), kTreeColour);
    EXPECT_EQ(out.picture.PixelAt(25, 25), kTreeColour);
}

TEST_F(Compose, ToysBlendOverTheTree) {
    auto half = FilledBmp(2, 2, 0x80000064);  // blue 100 at alpha 128
    pictures.resources[132] = half;
    Add(CItem::kToy, 132, 100, 50);
    ComposeScene(tree, items, out);
    // Per byte (tree * 127 + toy * 128) >> 8 for the tree's (B, G, R, A) = (0, 200, 0, 255).
    const std::uint32_t blended = (((255u * 127 + 128 * 128) >> 8) << 24) | (((200u * 127) >> 8) << 8) |
                                  ((100u * 128) >> 8);
    EXPECT_EQ(out.picture.PixelAt(0, 0), blended);
    EXPECT_EQ(blended >> 24, 190u);
}

TEST_F(Compose, PictureWithoutAnyAlphaBecomesOpaque) {
    auto ghost = FilledBmp(3, 2, 0x00123456);  // colour but alpha 0 everywhere
    pictures.resources[123] = ghost;
    Prepare(tree, CItem::kTree, 123, 0, 0);
    ASSERT_FALSE(tree.Rendered().IsEmpty());
    ComposeScene(tree, items, out);
    ASSERT_EQ(out.picture.Width(), 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(out.picture.PixelAt(x, y), 0xFF000000u);
    EXPECT_FALSE(out.picture.HasAlpha());
}

TEST_F(Compose, EmptyTreePictureAndNoItemsGiveAnEmptyPicture) {
    CItem bare;  // no picture
    bare.x = 5;
    ComposeScene(bare, items, out);
    EXPECT_EQ(out.box.Width(), 0);
    EXPECT_EQ(out.box.minX, 5);
    EXPECT_TRUE(out.picture.IsEmpty());
    EXPECT_TRUE(out.garlands.IsEmpty());
}

TEST_F(Compose, FarAwayItemsCannotAskForAHugeWindow) {
    CItem& far = Add(CItem::kToy, 131, INT_MAX - 3, INT_MAX - 3);
    Add(CItem::kToy, 131, INT_MIN, 50);
    const SSceneBox box = ComposeBox(tree, items);
    EXPECT_EQ(box.minX, INT_MIN);
    EXPECT_EQ(box.Width(), kMaxComposeSide);
    EXPECT_EQ(box.Height(), kMaxComposeSide);

    far.visible.Set(0);
    ComposeScene(tree, items, out);
    EXPECT_EQ(out.picture.Width(), kMaxComposeSide);
    EXPECT_EQ(out.picture.Height(), 250);
    EXPECT_EQ(out.picture.PixelAt(0, 0), kToyColour);
}

// Hiding the tree keeps only the toys and garlands: the box (the view's size), the composed
// picture (where the lights sit) and the frame follow what is visible, with the frame cache and
// without. With nothing visible the box stays the tree's rectangle, so the view keeps a size, and
// the picture stays clear, so no light finds a place.
TEST_F(Compose, AHiddenTreeLeavesTheBoxPictureAndFrameToTheVisibleItems) {
    CItem& toy = Add(CItem::kToy, 131, 120, 70);           // 10 x 10
    CItem& garland = Add(CItem::kGarland, 145, 150, 100);  // 60 x 15
    tree.visible.Set(0);
    ComposeScene(tree, items, out);
    EXPECT_EQ(Box(), (std::vector<int>{120, 70, 210, 115}));
    ASSERT_EQ(out.picture.Width(), 90);
    EXPECT_EQ(out.picture.PixelAt(0, 0), kToyColour);
    EXPECT_EQ(out.picture.PixelAt(20, 20), 0u) << "no tree beside the toy";
    EXPECT_EQ(out.garlands.PixelAt(30, 30), kGarlandColour);

    SFrameScene scene;
    FillFrameScene(tree, items, out, scene);
    EXPECT_FALSE(scene.tree.visible);
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(90 * 45 * 4), 0xAB);
    const SFrameView frame{bits.data(), 90, 45};
    const auto alphaAt = [&](int x, int y) { return bits[static_cast<std::size_t>((y * 90 + x) * 4 + 3)]; };
    for (const bool cached : {false, true}) {
        std::fill(bits.begin(), bits.end(), std::uint8_t{0xAB});
        CFrameBuilder builder;
        if (cached)
            ASSERT_TRUE(builder.Tick(scene, nullptr, 100, nullptr, frame));
        else
            CFrameBuilder::DrawScene(scene, {0, 255, 0}, frame);
        EXPECT_EQ(alphaAt(20, 20), 0) << "cached " << cached;
        EXPECT_EQ(alphaAt(5, 5), 255) << "cached " << cached;
    }

    ComposeScene(tree, items, out, SViewScale::ForDpi(144));
    EXPECT_EQ(out.box.minX, 180);
    EXPECT_EQ(out.box.minY, 105);
    EXPECT_EQ(out.box.Width(), 135);
    EXPECT_TRUE(out.tree.scaled.IsEmpty()) << "a hidden tree is not rendered for the view";

    toy.visible.Set(0);
    garland.visible.Set(0);
    CItem& none = Add(CItem::kToy, 999, 400, 400);  // visible, but no picture to show
    ComposeScene(tree, items, out);
    EXPECT_EQ(Box(), (std::vector<int>{100, 50, 293, 300}));
    none.visible.Set(0);
    ComposeScene(tree, items, out);
    EXPECT_EQ(Box(), (std::vector<int>{100, 50, 293, 300}));
    ASSERT_EQ(out.picture.Width(), 193);
    ASSERT_EQ(out.picture.Height(), 250);
    int opaque = 0;
    for (int y = 0; y < 250; ++y)
        for (int x = 0; x < 193; ++x) opaque += (out.picture.PixelAt(x, y) >> 24) != 0;
    EXPECT_EQ(opaque, 0) << "nothing for a light to sit on";
}

TEST_F(Compose, TheBoxIsTheSceneWhereverItLies) {
    // Negative positions and positions beyond 10000: the box is the tree's rectangle and the
    // tree's own pixels fill the picture, with no empty canvas towards (0, 0) or (10000, 10000).
    struct Case {
        int x, y;
    } cases[] = {{-500, -400}, {12000, 11000}, {-20000, 15000}, {9990, -3}};
    for (const Case& c : cases) {
        tree.x = c.x;
        tree.y = c.y;
        ComposeScene(tree, items, out);
        EXPECT_EQ(out.box.minX, c.x);
        EXPECT_EQ(out.box.minY, c.y);
        EXPECT_EQ(out.box.maxX, c.x + 193);
        EXPECT_EQ(out.box.maxY, c.y + 250);
        EXPECT_EQ(out.picture.Width(), 193) << c.x;
        EXPECT_EQ(out.picture.Height(), 250) << c.y;
        EXPECT_EQ(out.picture.PixelAt(0, 0), kTreeColour) << c.x;
    }
}

}  // namespace

namespace {

TEST_F(Compose, AtAScaleEverythingIsPlacedAndRenderedForTheView) {
    CItem& toy = Add(CItem::kToy, 131, 80, 60);
    ComposeScene(tree, items, out, SViewScale::ForDpi(144));
    // The scene box stays in 100 % units; the view box is between its scaled edges.
    EXPECT_EQ(out.sceneBox.minX, 80);
    EXPECT_EQ(out.sceneBox.Width(), 213);
    EXPECT_EQ(out.box.minX, 120);
    EXPECT_EQ(out.box.Width(), 320);   // 213 x 1.5 = 319.5
    EXPECT_EQ(out.box.Height(), 375);  // 250 x 1.5
    ASSERT_EQ(out.picture.Width(), 320);
    ASSERT_EQ(out.picture.Height(), 375);
    EXPECT_EQ(out.garlands.Width(), 320);

    // The tree at 150 - 120 = 30, 290 x 375; the toy at (0, 15), 15 x 15.
    EXPECT_EQ(out.tree.x, 30);
    EXPECT_EQ(out.tree.scaled.Width(), 290);
    EXPECT_EQ(out.tree.scaled.Height(), 375);
    EXPECT_EQ(&out.tree.Picture(), &out.tree.scaled);
    EXPECT_EQ(out.items[0].scaled.Width(), 15);
    // Enlarging rounds bytes down a little (200 may become 197): pixels are compared by their
    // strongest channel.
    const auto mostly = [](std::uint32_t pixel, int shift) {
        return ((pixel >> shift) & 0xFF) > 0xC0 && (pixel >> 24) > 0xF0 && (pixel & ~(0xFFu << shift) & 0xFFFFFF) == 0;
    };
    EXPECT_TRUE(mostly(out.picture.PixelAt(30, 0), 8));
    EXPECT_EQ(out.picture.PixelAt(29, 0), 0u);
    EXPECT_TRUE(mostly(out.picture.PixelAt(319, 374), 8));
    EXPECT_TRUE(mostly(out.picture.PixelAt(0, 15), 16));
    EXPECT_TRUE(mostly(out.picture.PixelAt(14, 29), 16));
    EXPECT_EQ(out.picture.PixelAt(15, 29), 0u);
    EXPECT_EQ(out.picture.PixelAt(0, 14), 0u);

    // The items themselves keep their 100 % pictures and positions.
    EXPECT_EQ(tree.Rendered().Width(), 193);
    EXPECT_EQ(toy.x, 80);
    EXPECT_EQ(toy.Rendered().Width(), 10);

    // Back at 100 % the items' own pictures serve and nothing is held twice.
    ComposeScene(tree, items, out);
    EXPECT_EQ(&out.tree.Picture(), &tree.Rendered());
    EXPECT_TRUE(out.tree.scaled.IsEmpty());
    EXPECT_EQ(out.box.Width(), 213);
}

TEST_F(Compose, ScaledPicturesComeFromTheSourceInOneResample) {
    // Source columns (2 rows) blue, blue, red, red. At size 50 the item's picture is 2 pixels wide and
    // each pixel mixes two source columns; at 200 % the view wants 4 pixels again: rendered from
    // the source they are its own colours, not a stretch of the mixed 2-pixel picture.
    auto stripes = FilledBmp(4, 2, 0xFF0000FF);
    for (int i : {2, 3, 6, 7}) {
        stripes->Bits()[i * 4 + 0] = 0;
        stripes->Bits()[i * 4 + 2] = 0xFF;
    }
    pictures.resources[133] = stripes;
    CItem& toy = Add(CItem::kToy, 133, 100, 50);
    toy.size.Set(50);
    toy.opaque.Set(60);
    toy.Render();
    ASSERT_EQ(toy.Rendered().Width(), 2);

    ComposeScene(tree, items, out, SViewScale::ForDpi(192));
    const CBmp& pic = out.items[0].scaled;
    ASSERT_EQ(pic.Width(), 4);
    ASSERT_EQ(pic.Height(), 2);
    const std::uint32_t alpha = (255u * (60 * 255 / 100) / 255) << 24;  // the opacity still applies
    EXPECT_EQ(pic.PixelAt(0, 0), alpha | 0x0000FFu);
    EXPECT_EQ(pic.PixelAt(1, 1), alpha | 0x0000FFu);
    EXPECT_EQ(pic.PixelAt(2, 0), alpha | 0xFF0000u);
    EXPECT_EQ(pic.PixelAt(3, 1), alpha | 0xFF0000u);
    EXPECT_EQ(toy.Rendered().Width(), 2);  // untouched
}

}  // namespace
