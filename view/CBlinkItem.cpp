#include "view/CBlinkItem.h"

#include <algorithm>

namespace {

// Colour bytes of a straight-alpha BGRA picture read as 0xAARRGGBB.
std::uint32_t PixelAt(const CBmp& bmp, int x, int y) {
    const std::uint8_t* p = bmp.Bits() + (static_cast<std::size_t>(y) * bmp.Width() + x) * 4;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

std::uint32_t CBlinkItem::TintFor(std::uint32_t pixel) noexcept {
    const std::uint32_t v = pixel | 0x1F1F1Fu;
    const std::uint32_t b = v & 0xFF, g = (v >> 8) & 0xFF, r = (v >> 16) & 0xFF;
    const std::uint32_t m = std::max({b, g, r});  // at least 31, never zero
    return ((r * 255 / m) << 16) | ((g * 255 / m) << 8) | (b * 255 / m);
}

bool CBlinkItem::Place(bool resetShown, const void* placementSwitch, int frameWidth, int frameHeight,
                       const SBlinkEnv& env) {
    if (env.sprite && !env.sprite->IsEmpty()) m_sprite = env.sprite;
    const int w = m_sprite ? m_sprite->Width() : 0;
    const int h = m_sprite ? m_sprite->Height() : 0;

    std::uint32_t pixel = 0;
    if (placementSwitch) {
        // A frame not larger than the sprite, or a picture without an opaque pixel under any
        // reachable centre, leaves the light without a place instead of searching forever.
        m_placed = false;
        const CBmp& pic = env.composed;
        if (frameWidth > w && frameHeight > h && !pic.IsEmpty()) {
            for (int attempt = 0; attempt < kMaxPlaceAttempts; ++attempt) {
                const int x = env.random.Next() % (frameWidth - w);
                const int y = env.random.Next() % (frameHeight - h);
                const int cx = x + w / 2;
                const int cy = y + h / 2;
                if (cx >= pic.Width() || cy >= pic.Height()) continue;
                const std::uint32_t p = PixelAt(pic, cx, cy);
                if (p >> 24) {
                    m_x = x;
                    m_y = y;
                    pixel = p;
                    m_placed = true;
                    break;
                }
            }
        }
    }

    if (resetShown) m_shown = (env.random.Next() & 1) ? 1 : 0;

    const int f = (100 - std::clamp(env.freq, 0, 100)) / 5;
    m_period = (f + 2) + env.random.Next() % (f + 2);
    m_step = 1;
    m_phase = 1;
    m_frameCounter = env.random.Next() % 120;
    m_colour = TintFor(pixel);
    return m_placed;
}

void CBlinkItem::StepAndDraw(std::uint8_t* frame, int frameWidth, int frameHeight, const SBlinkEnv& env) {
    if (m_period <= 0) return;  // never placed
    const int intensity = m_phase * 255 / m_period;
    m_phase += m_step;
    if (m_phase == m_period) m_step = -1;
    if (m_phase == 0) {
        Place(false, frame, frameWidth, frameHeight, env);
        m_shown = !m_shown;
        return;
    }
    if (!m_shown || !m_placed) return;
    m_frameCounter = (m_frameCounter + 1) % 24;
    Draw(frame, frameWidth, frameHeight, intensity, env.copy);
}

void CBlinkItem::Draw(std::uint8_t* frame, int frameWidth, int frameHeight, int intensity, SFrameCopy* copy) const {
    if (m_sprite) m_sprite->Draw(frame, frameWidth, frameHeight, m_x, m_y, m_frameCounter / 2, intensity, m_colour, copy);
}

void StepAndDrawBlinks(const std::vector<CBlinkItem*>& lights, int num, std::uint8_t* frame,
                       int frameWidth, int frameHeight, const SBlinkEnv& env) {
    const int count = std::min(num, static_cast<int>(lights.size()));
    for (int i = 0; i < count; ++i)
        if (lights[static_cast<std::size_t>(i)])
            lights[static_cast<std::size_t>(i)]->StepAndDraw(frame, frameWidth, frameHeight, env);
}
