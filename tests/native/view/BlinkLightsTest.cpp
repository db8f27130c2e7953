#include "../scene/ItemFakes.h"

#include "view/CBlinkLights.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct SLightsFixture {
    SLightsFixture() {
        num.Set(25);
        freq.Set(50);
    }
    std::shared_ptr<CBmp> mask = FilledBmp(32, 32, 0xFF0000FF);
    std::shared_ptr<CBmp> strip = FilledBmp(384, 32, 0xFF0000FF);
    std::shared_ptr<CBmp> composed = FilledBmp(193, 250, 0xFF208020);
    CParam<int> num;
    CParam<int> freq;
    CRandom random{42};
    CBlinkLights lights{*mask, *strip, *composed, num, freq, random};
};

std::vector<std::pair<int, int>> Positions(const CBlinkLights& lights) {
    std::vector<std::pair<int, int>> out;
    for (const CBlinkItem* l : lights.Lights()) out.emplace_back(l->X(), l->Y());
    return out;
}

TEST(BlinkLights, CreatePlacesEveryLightReproducibly) {
    SLightsFixture a, b;
    a.lights.Create();
    b.lights.Create();
    ASSERT_EQ(a.lights.Lights().Count(), 50);
    for (const CBlinkItem* l : a.lights.Lights()) {
        EXPECT_TRUE(l->HasPlace());
        EXPECT_LT(l->X(), 193 - 32);
        EXPECT_LT(l->Y(), 250 - 32);
    }
    EXPECT_EQ(Positions(a.lights), Positions(b.lights));
}

TEST(BlinkLights, ReplaceMovesOnlyTheFirstNum) {
    SLightsFixture f;
    f.lights.Create();
    const auto before = Positions(f.lights);
    std::vector<bool> shown;
    for (const CBlinkItem* l : f.lights.Lights()) shown.push_back(l->Shown());
    f.num.Set(3);
    auto garlands = FilledBmp(193, 250, 0);
    f.lights.Replace(*garlands);
    const auto after = Positions(f.lights);
    int moved = 0;
    for (int i = 0; i < 3; ++i) moved += after[static_cast<std::size_t>(i)] != before[static_cast<std::size_t>(i)];
    EXPECT_GE(moved, 1);
    for (std::size_t i = 3; i < after.size(); ++i) EXPECT_EQ(after[i], before[i]) << i;
    for (int i = 0; i < 50; ++i) EXPECT_EQ(f.lights.Lights().GetAt(i)->Shown(), shown[static_cast<std::size_t>(i)]);

    CBmp none;  // no garland layer: the lights stay where they are
    f.lights.Replace(none);
    EXPECT_EQ(Positions(f.lights), after);
}

TEST(BlinkLights, TickDrawsOnlyWithLightsInPlay) {
    SLightsFixture f;
    f.lights.Create();
    std::vector<std::uint8_t> frame(193 * 250 * 4, 0);
    IFrameLights& hook = f.lights;
    f.num.Set(0);
    for (int i = 0; i < 60; ++i) hook.StepAndDraw(frame.data(), 193, 250, nullptr);
    EXPECT_TRUE(std::all_of(frame.begin(), frame.end(), [](std::uint8_t v) { return v == 0; }));
    f.num.Set(25);
    for (int i = 0; i < 60; ++i) hook.StepAndDraw(frame.data(), 193, 250, nullptr);
    EXPECT_TRUE(std::any_of(frame.begin(), frame.end(), [](std::uint8_t v) { return v != 0; }));
}

}  // namespace
