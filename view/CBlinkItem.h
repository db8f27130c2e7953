// CBlinkItem: one twinkling light over the composed tree. SBlinkEnv: what a light reads when it is
// placed (sprites, composed picture, "freq", random generator). StepAndDrawBlinks: the per-tick
// work of the frame builder for the first `num` lights.
#pragma once

#include "scene/CBmp.h"
#include "view/CBlinkSprite.h"
#include "view/CRandom.h"
#include "view/FrameRuns.h"

#include <cstdint>
#include <memory>
#include <vector>

// Borrowed references to what the application owns; built on the fly for each call.
struct SBlinkEnv {
    // The mask and sparkle strip, shared: a light keeps the one it was placed with.
    const std::shared_ptr<const CBlinkSprite>& sprite;
    const CBmp& composed;  // composed picture: a light may sit where its alpha is not zero
    int freq;              // 0..100, higher is faster
    CRandom& random;
    SFrameCopy* copy = nullptr;  // where drawing lights also put their pixels (may be null)
};

class CBlinkItem {
public:
    // Random positions tried before a placement gives up and keeps the light hidden.
    static constexpr int kMaxPlaceAttempts = 4096;

    CBlinkItem() = default;

    // Takes the shared sprite (a sprite without a mask keeps the one it has), picks a random spot whose centre lies on an opaque pixel
    // of the composed picture (only when placementSwitch is not null), a new period, frame counter
    // and colour. frameWidth/frameHeight bound the search. Answers whether the light has a place;
    // without one it stays hidden until a later placement succeeds.
    bool Place(bool resetShown, const void* placementSwitch, int frameWidth, int frameHeight,
               const SBlinkEnv& env);

    // One tick: advance the fade; at the end of a cycle move the light and toggle shown; otherwise
    // draw the visible light into the premultiplied frame (stride frameWidth * 4), clipped to it.
    void StepAndDraw(std::uint8_t* frame, int frameWidth, int frameHeight, const SBlinkEnv& env);

    int X() const noexcept { return m_x; }
    int Y() const noexcept { return m_y; }
    int Phase() const noexcept { return m_phase; }
    int Period() const noexcept { return m_period; }
    int Step() const noexcept { return m_step; }
    bool Shown() const noexcept { return m_shown != 0; }
    bool HasPlace() const noexcept { return m_placed; }
    std::uint32_t Colour() const noexcept { return m_colour; }  // 0x00RRGGBB
    int FrameCounter() const noexcept { return m_frameCounter; }

    // The tint for a composed-picture pixel P (0xAARRGGBB): low five bits of each channel set,
    // then scaled so the strongest channel is 255.
    static std::uint32_t TintFor(std::uint32_t pixel) noexcept;

private:
    void Draw(std::uint8_t* frame, int frameWidth, int frameHeight, int intensity, SFrameCopy* copy) const;

    std::shared_ptr<const CBlinkSprite> m_sprite;
    int m_x = 0;
    int m_y = 0;
    int m_phase = 0;
    int m_period = 0;
    int m_step = 0;
    int m_shown = 0;
    std::uint32_t m_colour = 0;
    int m_frameCounter = 0;
    bool m_placed = false;  // false until a placement found a spot (or after one failed)
};

// Advances and draws lights 0..num-1 (num is clamped to the count) in order.
void StepAndDrawBlinks(const std::vector<CBlinkItem*>& lights, int num, std::uint8_t* frame,
                       int frameWidth, int frameHeight, const SBlinkEnv& env);
