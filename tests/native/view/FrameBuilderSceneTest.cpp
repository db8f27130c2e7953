#include "scene/CItem.h"
#include "view/ComposeScene.h"
#include "view/FrameScene.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

TEST(FrameBuilderScene, ItemsArePlacedRelativeToTheBoxInCollectionOrder) {
    CItem tree, toy, garland, hidden;
    tree.x = 100;
    tree.y = 50;
    toy.x = 80;
    toy.y = 60;
    toy.type.Set(1);
    garland.x = INT_MIN;  // far outside: kept inside int, clipped later
    garland.y = INT_MAX;
    garland.type.Set(2);
    hidden.visible.Set(0);
    hidden.type.Set(1);
    std::vector<CItem*> items{&toy, &garland, nullptr, &hidden};
    SComposition composition;  // composed for another scene: every place comes from the items
    composition.box.minX = 80;
    composition.box.minY = 50;

    SFrameScene scene;
    scene.items.resize(9);  // refilled, not appended to
    FillFrameScene(tree, items, composition, scene);
    EXPECT_EQ(scene.tree.picture, &tree.Rendered());
    EXPECT_EQ(scene.tree.x, 20);
    EXPECT_EQ(scene.tree.y, 0);
    ASSERT_EQ(scene.items.size(), 3u);
    EXPECT_EQ(scene.items[0].picture, &toy.Rendered());
    EXPECT_EQ(scene.items[0].x, 0);
    EXPECT_EQ(scene.items[0].y, 10);
    EXPECT_EQ(scene.items[0].type, 1);
    EXPECT_EQ(scene.items[1].x, INT_MIN);
    EXPECT_EQ(scene.items[1].y, INT_MAX - 50);
    EXPECT_EQ(scene.items[1].type, 2);
    EXPECT_FALSE(scene.items[2].visible);
}


TEST(FrameBuilderScene, TheComposedScaledPicturesAndPlacesAreDrawn) {
    CItem tree, toy;
    tree.x = 100;
    tree.y = 50;
    toy.x = 80;
    toy.y = 60;
    toy.type.Set(1);
    std::vector<CItem*> items{&toy};
    SComposition composition;
    ComposeScene(tree, items, composition, SViewScale::ForDpi(144));  // no pictures: places only

    SFrameScene scene;
    FillFrameScene(tree, items, composition, scene);
    EXPECT_EQ(scene.tree.picture, &composition.tree.scaled);
    EXPECT_EQ(scene.tree.x, 30);  // 150 - 120
    EXPECT_EQ(scene.tree.y, 0);
    ASSERT_EQ(scene.items.size(), 1u);
    EXPECT_EQ(scene.items[0].picture, &composition.items[0].scaled);
    EXPECT_EQ(scene.items[0].x, 0);
    EXPECT_EQ(scene.items[0].y, 15);  // 90 - 75

    // Another collection than the composed one: places from the items at the composition's scale.
    CItem other;
    other.x = 84;
    other.y = 58;
    std::vector<CItem*> changed{&other};
    FillFrameScene(tree, changed, composition, scene);
    EXPECT_EQ(scene.items[0].picture, &other.Rendered());
    EXPECT_EQ(scene.items[0].x, 6);  // 126 - 120
    EXPECT_EQ(scene.items[0].y, 12);  // 87 - 75
}
