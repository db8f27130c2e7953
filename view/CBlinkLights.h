// CBlinkLights: the application's set of blink lights (an owning collection of CBlinkItem) with
// the two placements it needs (all lights at start-up, the first `num` after an apply) and the
// frame builder's per-tick hook.
#pragma once

#include "param/CCollector.h"
#include "param/CParam.h"
#include "view/CBlinkItem.h"
#include "view/CFrameBuilder.h"

class CBlinkLights : public IFrameLights {
public:
    static constexpr int kLightCount = 50;

    // Everything is borrowed and read at each use: the sprites (bitmaps 161 and 162), the
    // composed picture, the options "num" and "freq" and the generator. All must outlive this.
    CBlinkLights(const CBmp& mask, const CBmp& strip, const CBmp& composed, const CParam<int>& num,
                 const CParam<int>& freq, CRandom& random) noexcept
        : m_mask(mask), m_strip(strip), m_composed(composed), m_num(num), m_freq(freq), m_random(random) {}

    // Start-up: count new lights, each placed on the composed picture with a random shown state.
    void Create(int count = kLightCount);
    // After an apply: the first `num` lights move onto the new picture (their shown state kept);
    // the switch is the garland layer's buffer (null keeps them where they are), the frame its size.
    void Replace(const CBmp& garlandLayer);
    // One tick for the first `num` lights.
    void StepAndDraw(std::uint8_t* frame, int width, int height, SFrameCopy* copy) override;

    const CCollector<CBlinkItem*>& Lights() const noexcept { return m_lights; }
    // The sprite the next placements take (shared by every light placed since it was made).
    const std::shared_ptr<const CBlinkSprite>& Sprite() const noexcept { return m_sprite; }

private:
    // The shared sprite, made again when forced or when the sprite bitmaps were replaced.
    SBlinkEnv Env(bool refreshSprite = false);

    struct SSpriteSource {
        const std::uint8_t* mask;
        int maskWidth, maskHeight;
        const std::uint8_t* strip;
        int stripWidth, stripHeight;
        bool operator==(const SSpriteSource&) const = default;
    };

    const CBmp& m_mask;
    const CBmp& m_strip;
    const CBmp& m_composed;
    const CParam<int>& m_num;
    const CParam<int>& m_freq;
    CRandom& m_random;
    CCollector<CBlinkItem*> m_lights;
    std::shared_ptr<const CBlinkSprite> m_sprite;
    SSpriteSource m_spriteSource{};
};
