#include "../scene/ItemFakes.h"

#include "scene/CItem.h"
#include "view/ComposeScene.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(out.box.minX, 100);
    EXPECT_EQ(out.box.minY, 50);
    EXPECT_EQ(out.box.maxX, 293);
    EXPECT_EQ(out.box.maxY, 300);
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
