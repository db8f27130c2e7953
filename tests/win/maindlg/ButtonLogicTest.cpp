#include "app/CButtonWndLogic.h"

#include <gtest/gtest.h>

using button_logic::ChooseLook;
using button_logic::ELook;
using button_logic::ScrollStep;

TEST(ButtonLogic, ScrollStepIsAQuarterOfTheDistanceFromTheCentreTruncatedAndClamped) {
    struct Case {
        int pointer, extent, step;
    };
    const Case cases[] = {
        {53, 106, 0},    // the centre: still
        {56, 106, 0},    // 3 / 4 truncates to 0
        {57, 106, 1},    // 4 / 4
        {50, 106, 0},    // -3 / 4 truncates toward zero, not down to -1
        {49, 106, -1},   // -4 / 4
        {84, 106, 7},    // 31 / 4
        {85, 106, 8},    // 32 / 4: the largest unclamped step
        {105, 106, 8},   // right edge: 52 / 4 = 13, clamped
        {0, 106, -8},    // left edge: -53 / 4 = -13, clamped
        {-500, 106, -8}, // captured pointer far outside
        {5000, 106, 8},
        {56, 113, 0},    // odd extent: the centre is 113 / 2 = 56
        {0, 0, 0},       // an empty window
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollStep(c.pointer, c.extent), c.step) << "pointer " << c.pointer << " extent " << c.extent;
    }
}

TEST(ButtonLogic, LookFollowsPointerButtonAndAvailableGroups) {
    struct Case {
        bool inside, down, normal, hot, pressed;
        ELook look;
    };
    const Case cases[] = {
        {false, true, true, true, true, ELook::Normal},  // held but dragged outside
        {true, false, true, true, true, ELook::Hot},
        {true, true, true, true, true, ELook::Pressed},
        {true, true, true, true, false, ELook::Hot},     // no pressed look: stays hot
        {true, true, true, false, true, ELook::Normal},  // no hot look: never hot or pressed
        {false, false, false, true, true, ELook::None},  // no normal look: the base picture
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseLook({c.inside, c.down, c.normal, c.hot, c.pressed}), c.look)
            << "inside " << c.inside << " down " << c.down << " groups " << c.normal << c.hot << c.pressed;
    }
}
