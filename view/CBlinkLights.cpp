#include "view/CBlinkLights.h"

#include <algorithm>

void CBlinkLights::Create(int count) {
    const SBlinkEnv env = Env();
    for (int i = 0; i < count; ++i) {
        auto* light = new CBlinkItem();
        light->Place(true, m_composed.Bits(), m_composed.Width(), m_composed.Height(), env);
        m_lights.Add(light);
    }
}

void CBlinkLights::Replace(const CBmp& garlandLayer) {
    const SBlinkEnv env = Env();
    const int count = std::min(m_num.Get(), m_lights.Count());
    for (int i = 0; i < count; ++i)
        m_lights.GetAt(i)->Place(false, garlandLayer.Bits(), garlandLayer.Width(), garlandLayer.Height(), env);
}

void CBlinkLights::StepAndDraw(std::uint8_t* frame, int width, int height) {
    StepAndDrawBlinks(m_lights.Items(), m_num.Get(), frame, width, height, Env());
}
