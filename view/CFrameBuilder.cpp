#include "view/CFrameBuilder.h"

#include "view/FrameSimd.h"

#include "scene/CBmp.h"
#include "view/FramePixels.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

using SClip = SFrameClip;

bool ClipTo(const CBmp& picture, int x, int y, const SFrameView& frame, SClip& clip) noexcept {
    if (picture.IsEmpty() || !frame.bits) return false;
    return ClipPicture(picture.Width(), picture.Height(), x, y, frame.width, frame.height, clip);
}

inline std::uint8_t* FrameRow(const SFrameView& frame, int x, int y) noexcept {
    return frame.bits + (static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.width) + static_cast<std::size_t>(x)) * 4;
}

inline const std::uint8_t* PictureRow(const CBmp& picture, int col, int row) noexcept {
    return picture.Bits() +
           (static_cast<std::size_t>(row) * static_cast<std::size_t>(picture.Width()) + static_cast<std::size_t>(col)) * 4;
}

}  // namespace

bool CFrameBuilder::Tick(const SFrameScene& scene, const CBmp* gradient, int opaque, IFrameLights* lights,
                         const SFrameView& frame) {
    if (m_paused) return false;
    if (!frame.bits || frame.width <= 0 || frame.height <= 0) return false;

    const SGradientColour colour = NextGradientColour(gradient);
    if (!m_cache.Matches(scene, frame.width, frame.height) && CBmp::IsAcceptableSize(frame.width, frame.height)) {
        try {
            m_cache.Build(scene, frame.width, frame.height);
        } catch (const std::bad_alloc&) {
            m_cache.Invalidate();  // no room for the layers: this tick builds the frame directly
        }
    }
    if (m_cache.IsValid()) {
        m_cache.Compose(frame.bits, colour, opaque, lights);
        return true;
    }
    DrawScene(scene, colour, frame);
    if (lights) lights->StepAndDraw(frame.bits, frame.width, frame.height, nullptr);
    ApplyOpacity(opaque, frame);
    return true;
}

void CFrameBuilder::SetPaused(bool paused) noexcept {
    // The owner replaces and re-renders the items while the view is paused: the pictures may have
    // changed in place, so the static layers are built anew after a pause.
    if (m_paused && !paused) m_cache.Invalidate();
    m_paused = paused ? 1 : 0;
}

void CFrameBuilder::DrawScene(const SFrameScene& scene, SGradientColour colour, const SFrameView& frame) noexcept {
    if (!frame.bits || frame.width <= 0 || frame.height <= 0) return;
    std::memset(frame.bits, 0, static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height) * 4);
    if (scene.tree.visible && scene.tree.picture) DrawTree(*scene.tree.picture, scene.tree.x, scene.tree.y, frame);
    for (const SFramePicture& item : scene.items) {
        if (!item.visible || !item.picture) continue;
        if (item.type == 1) {
            DrawToy(*item.picture, item.x, item.y, frame);
        } else if (item.type == 2) {
            DrawGarland(*item.picture, item.x, item.y, colour, frame);
        }
    }
}

SGradientColour CFrameBuilder::NextGradientColour(const CBmp* gradient) {
    if (!gradient || gradient->IsEmpty() || gradient->Width() <= 0) return {255, 0, 0};
    const int width = gradient->Width();
    if (m_gradientIndex < 0 || m_gradientIndex >= width) m_gradientIndex = 0;
    const std::uint8_t* px = gradient->Bits() + static_cast<std::size_t>(m_gradientIndex) * 4;
    const SGradientColour colour{px[2], px[1], px[0]};
    if (++m_gradientIndex >= width) m_gradientIndex = 0;
    return colour;
}

// Tree, drawn first onto the cleared frame (d = 0): alpha = a and each colour byte
// (s * a + d * (255 - a)) / 255 = s * a / 255, the premultiplied colour. Every pixel of the tree's
// rectangle is written.
void CFrameBuilder::DrawTree(const CBmp& picture, int x, int y, const SFrameView& frame) noexcept {
    SClip clip;
    if (!ClipTo(picture, x, y, frame, clip)) return;
    for (int row = 0; row < clip.rows; ++row) {
        const std::uint8_t* s = PictureRow(picture, clip.col0, clip.row0 + row);
        std::uint8_t* d = FrameRow(frame, x + clip.col0, y + clip.row0 + row);
        int n = 0;
#ifdef PINARBO_FRAME_SSE2
        // Four pixels at a time in 16-bit lanes: s * a <= 65025 and the exact division
        // (x + 1 + (x >> 8)) >> 8 stays below 65536.
        const __m128i zero = _mm_setzero_si128();
        const __m128i one = _mm_set1_epi16(1);
        const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
        for (; n + 4 <= clip.cols; n += 4, s += 16, d += 16) {
            const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
            __m128i lo = _mm_unpacklo_epi8(px, zero);
            __m128i hi = _mm_unpackhi_epi8(px, zero);
            lo = _mm_mullo_epi16(lo, _mm_shufflehi_epi16(_mm_shufflelo_epi16(lo, 0xFF), 0xFF));
            hi = _mm_mullo_epi16(hi, _mm_shufflehi_epi16(_mm_shufflelo_epi16(hi, 0xFF), 0xFF));
            lo = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(lo, one), _mm_srli_epi16(lo, 8)), 8);
            hi = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(hi, one), _mm_srli_epi16(hi, 8)), 8);
            const __m128i out = _mm_or_si128(_mm_andnot_si128(alphaBytes, _mm_packus_epi16(lo, hi)),
                                             _mm_and_si128(px, alphaBytes));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d), out);
        }
#endif
        for (; n < clip.cols; ++n, s += 4, d += 4) {
            const std::uint32_t a = s[3];
            d[0] = static_cast<std::uint8_t>(Div255(s[0] * a));
            d[1] = static_cast<std::uint8_t>(Div255(s[1] * a));
            d[2] = static_cast<std::uint8_t>(Div255(s[2] * a));
            d[3] = static_cast<std::uint8_t>(a);
        }
    }
}

void CFrameBuilder::DrawToy(const CBmp& picture, int x, int y, const SFrameView& frame) noexcept {
    SClip clip;
    if (!ClipTo(picture, x, y, frame, clip)) return;
    for (int row = 0; row < clip.rows; ++row)
        BlendToyRow(PictureRow(picture, clip.col0, clip.row0 + row), FrameRow(frame, x + clip.col0, y + clip.row0 + row),
                    clip.cols);
}

void CFrameBuilder::DrawGarland(const CBmp& picture, int x, int y, SGradientColour g,
                                const SFrameView& frame) noexcept {
    SClip clip;
    if (!ClipTo(picture, x, y, frame, clip)) return;
    const SGarlandMix mix = GarlandMix(g.r, g.g, g.b);
    for (int row = 0; row < clip.rows; ++row)
        BlendGarlandRow(PictureRow(picture, clip.col0, clip.row0 + row),
                        FrameRow(frame, x + clip.col0, y + clip.row0 + row), clip.cols, mix);
}

void CFrameBuilder::ApplyOpacity(int opaque, const SFrameView& frame) noexcept {
    if (opaque >= 100 || !frame.bits || frame.width <= 0 || frame.height <= 0) return;
    ScaleBytes(frame.bits, frame.bits, static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height) * 4,
               OpacityFactor(opaque));
}
