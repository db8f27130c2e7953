// Decisions of the main window's image button that need no window: how far the texture scrolls
// per tick for a pointer position, and which look to draw for the pointer and the mouse button.
#pragma once

namespace button_logic {

// Per-tick texture step, the largest step either way.
inline constexpr int kMaxStep = 8;

// Step for one axis: a quarter of the pointer's distance from the centre of an extent, truncated
// toward zero, limited to -kMaxStep..kMaxStep. The texture flows toward the pointer, faster the
// farther the pointer is from the centre, and stands still at the centre.
constexpr int ScrollStep(int pointer, int extent) noexcept {
    const int step = (pointer - extent / 2) / 4;
    return step < -kMaxStep ? -kMaxStep : (step > kMaxStep ? kMaxStep : step);
}

// Look groups of the button image. None means "draw the base picture itself".
enum class ELook { None = -1, Normal = 0, Hot = 1, Pressed = 2 };

struct CLookInput {
    bool pointerInside;  // the pointer lies in the client rectangle
    bool leftDown;       // the left mouse button is held
    bool hasNormal;      // group 0 has layers
    bool hasHot;         // group 1 has layers
    bool hasPressed;     // group 2 has layers
};

// Hot while the pointer is inside (pressed when the left button is down too and a pressed look
// exists); otherwise the normal look, or the base picture when there are no looks at all.
constexpr ELook ChooseLook(const CLookInput& in) noexcept {
    if (in.pointerInside && in.hasHot) return in.leftDown && in.hasPressed ? ELook::Pressed : ELook::Hot;
    return in.hasNormal ? ELook::Normal : ELook::None;
}

}  // namespace button_logic
