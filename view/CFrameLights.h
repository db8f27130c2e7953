// CFrameLights: the frame builder's hook onto the blink lights: advances and draws the first
// `num` lights of the collection with the sprites, composed picture and frequency it was given.
#pragma once

#include "view/CBlinkItem.h"
#include "view/CFrameBuilder.h"

#include <vector>

class CFrameLights : public IFrameLights {
public:
    // Everything is borrowed and must outlive the next StepAndDraw (or be set anew).
    void Set(const std::vector<CBlinkItem*>& lights, int num, const CBmp& mask, const CBmp& strip,
             const CBmp& composed, int freq, CRandom& random) noexcept;
    void SetCount(int num) noexcept { m_num = num; }
    void SetFreq(int freq) noexcept { m_freq = freq; }

    void StepAndDraw(std::uint8_t* frame, int width, int height) override;

private:
    const std::vector<CBlinkItem*>* m_lights = nullptr;
    int m_num = 0;
    const CBmp* m_mask = nullptr;
    const CBmp* m_strip = nullptr;
    const CBmp* m_composed = nullptr;
    int m_freq = 50;
    CRandom* m_random = nullptr;
};
