#include "view/CBlinkLights.h"

#include <algorithm>

SBlinkEnv CBlinkLights::Env(bool refreshSprite) {
    const SSpriteSource source{m_mask.Bits(), m_mask.Width(), m_mask.Height(),
                               m_strip.Bits(), m_strip.Width(), m_strip.Height()};
    if (refreshSprite || !m_sprite || !(source == m_spriteSource)) {
        m_sprite = CBlinkSprite::Make(m_mask, m_strip);
        m_spriteSource = source;
    }
    return SBlinkEnv{m_sprite, m_composed, m_freq.Get(), m_random};
}

void CBlinkLights::Create(int count) {
    const SBlinkEnv env = Env(true);
    for (int i = 0; i < count; ++i) {
        auto* light = new CBlinkItem();
        light->Place(true, m_composed.Bits(), m_composed.Width(), m_composed.Height(), env);
        m_lights.Add(light);
    }
}

void CBlinkLights::Replace(const CBmp& garlandLayer) {
    const SBlinkEnv env = Env(true);
    const int count = std::min(m_num.Get(), m_lights.Count());
    for (int i = 0; i < count; ++i)
        m_lights.GetAt(i)->Place(false, garlandLayer.Bits(), garlandLayer.Width(), garlandLayer.Height(), env);
}

void CBlinkLights::StepAndDraw(std::uint8_t* frame, int width, int height, SFrameCopy* copy) {
    SBlinkEnv env = Env();
    env.copy = copy;
    StepAndDrawBlinks(m_lights.Items(), m_num.Get(), frame, width, height, env);
}
