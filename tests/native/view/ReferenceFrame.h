// The straightforward frame builder and light drawing the cached ones must equal byte for byte:
// a whole frame rebuilt from the pictures on every tick, and every sprite pixel visited.
#pragma once

#include "scene/CBmp.h"
#include "view/CFrameBuilder.h"

#include <cstring>

class CReferenceFrameBuilder {
public:
    bool Tick(const SFrameScene& scene, const CBmp* gradient, int opaque, IFrameLights* lights,
              const SFrameView& frame) {
        if (!frame.bits || frame.width <= 0 || frame.height <= 0) return false;
        std::memset(frame.bits, 0, static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height) * 4);
        if (scene.tree.visible && scene.tree.picture)
            CFrameBuilder::DrawTree(*scene.tree.picture, scene.tree.x, scene.tree.y, frame);
        const SGradientColour colour = m_gradient.NextGradientColour(gradient);
        for (const SFramePicture& item : scene.items) {
            if (!item.visible || !item.picture) continue;
            if (item.type == 1) CFrameBuilder::DrawToy(*item.picture, item.x, item.y, frame);
            if (item.type == 2) CFrameBuilder::DrawGarland(*item.picture, item.x, item.y, colour, frame);
        }
        if (lights) lights->StepAndDraw(frame.bits, frame.width, frame.height, nullptr);
        CFrameBuilder::ApplyOpacity(opaque, frame);
        return true;
    }

private:
    CFrameBuilder m_gradient;  // only its gradient index is used
};

// One light drawn pixel by pixel from the mask and strip bitmaps: for every mask pixel that is
// not all zero, s = mask blue * intensity / 256, b = strip blue of frame k * s / 256, and the
// colour bytes of the frame pixel blend towards the light's colour (0x00RRGGBB) by b / 255.
inline void ReferenceBlinkDraw(const CBmp& mask, const CBmp& strip, std::uint8_t* frame, int frameWidth,
                               int frameHeight, int x, int y, int k, int intensity, std::uint32_t colour) {
    if (mask.IsEmpty()) return;
    const int w = mask.Width(), h = mask.Height();
    const std::uint32_t cb = colour & 0xFF, cg = (colour >> 8) & 0xFF, cr = (colour >> 16) & 0xFF;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            if (x + c < 0 || x + c >= frameWidth || y + r < 0 || y + r >= frameHeight) continue;
            const std::uint8_t* m = mask.Bits() + (static_cast<std::size_t>(r) * w + c) * 4;
            if ((m[0] | m[1] | m[2] | m[3]) == 0) continue;
            const std::uint32_t s = m[0] * static_cast<std::uint32_t>(intensity) / 256;
            std::uint32_t sparkle = 0;
            const long long sc = static_cast<long long>(k) * w + c;
            if (!strip.IsEmpty() && sc < strip.Width() && r < strip.Height())
                sparkle = strip.Bits()[(static_cast<std::size_t>(r) * strip.Width() + static_cast<std::size_t>(sc)) * 4];
            const std::uint32_t b = sparkle * s / 256;
            if (b == 0) continue;
            std::uint8_t* d = frame + (static_cast<std::size_t>(y + r) * frameWidth + (x + c)) * 4;
            d[0] = static_cast<std::uint8_t>((d[0] * (255 - b) + cb * b) / 255);
            d[1] = static_cast<std::uint8_t>((d[1] * (255 - b) + cg * b) / 255);
            d[2] = static_cast<std::uint8_t>((d[2] * (255 - b) + cr * b) / 255);
        }
    }
}
