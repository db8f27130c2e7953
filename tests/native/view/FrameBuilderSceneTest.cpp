#include "scene/CItem.h"
#include "view/CFrameLights.h"
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
    SSceneBox box;
    box.minX = 80;
    box.minY = 50;

    SFrameScene scene;
    scene.items.resize(9);  // refilled, not appended to
    FillFrameScene(tree, items, box, scene);
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

TEST(FrameBuilderScene, LightsHookStepsOnlyTheFirstNumLights) {
    std::vector<std::uint8_t> frame(16 * 16 * 4, 7);
    CFrameLights unset;
    unset.StepAndDraw(frame.data(), 16, 16);

    CBmp mask, strip, composed;
    ASSERT_TRUE(mask.Create(4, 4));
    ASSERT_TRUE(strip.Create(48, 4));
    ASSERT_TRUE(composed.Create(16, 16));
    for (int i = 0; i < 16 * 16; ++i) composed.Bits()[i * 4 + 3] = 255;
    CRandom random(3);
    CBlinkItem light;
    ASSERT_TRUE(light.Place(true, composed.Bits(), 16, 16, SBlinkEnv{mask, strip, composed, 50, random}));
    ASSERT_EQ(light.Phase(), 1);
    std::vector<CBlinkItem*> lights{&light};
    CFrameLights hook;
    hook.Set(lights, 0, mask, strip, composed, 50, random);
    hook.StepAndDraw(frame.data(), 16, 16);
    for (std::uint8_t b : frame) ASSERT_EQ(b, 7);
    EXPECT_EQ(light.Phase(), 1) << "a light beyond num must not step";
    hook.SetCount(1);
    hook.StepAndDraw(frame.data(), 16, 16);
    EXPECT_EQ(light.Phase(), 2);
}
