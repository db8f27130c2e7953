#include "view/CFrameLights.h"

void CFrameLights::Set(const std::vector<CBlinkItem*>& lights, int num, const CBmp& mask, const CBmp& strip,
                       const CBmp& composed, int freq, CRandom& random) noexcept {
    m_lights = &lights;
    m_num = num;
    m_mask = &mask;
    m_strip = &strip;
    m_composed = &composed;
    m_freq = freq;
    m_random = &random;
}

void CFrameLights::StepAndDraw(std::uint8_t* frame, int width, int height) {
    if (!m_lights || !m_mask || !m_strip || !m_composed || !m_random || m_num <= 0) return;
    const SBlinkEnv env{*m_mask, *m_strip, *m_composed, m_freq, *m_random};
    StepAndDrawBlinks(*m_lights, m_num, frame, width, height, env);
}
