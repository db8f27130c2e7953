#include "view/CFrameBuilder.h"

#include "scene/CBmp.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define PINARBO_FRAME_SSE2 1
#endif

namespace {

// Exact floor(x / 255) for 0 <= x <= 65534, which covers every blend numerator below
// (at most 255 * 255). Branch-free and vectorisable.
inline std::uint32_t Div255(std::uint32_t x) noexcept { return (x + 1 + (x >> 8)) >> 8; }

// The part of a w x h picture placed at (x, y) that falls inside the frame.
struct SClip {
    int col0, row0, cols, rows;
};

bool ClipTo(const CBmp& picture, int x, int y, const SFrameView& frame, SClip& clip) noexcept {
    if (picture.IsEmpty() || !frame.bits) return false;
    const long long left = std::max<long long>(0, -static_cast<long long>(x));
    const long long top = std::max<long long>(0, -static_cast<long long>(y));
    const long long right = std::min<long long>(picture.Width(), static_cast<long long>(frame.width) - x);
    const long long bottom = std::min<long long>(picture.Height(), static_cast<long long>(frame.height) - y);
    if (right <= left || bottom <= top) return false;
    clip = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
    return true;
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

    std::memset(frame.bits, 0, static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height) * 4);

    if (scene.tree.picture) DrawTree(*scene.tree.picture, scene.tree.x, scene.tree.y, frame);

    const SGradientColour colour = NextGradientColour(gradient);
    for (const SFramePicture& item : scene.items) {
        if (!item.visible || !item.picture) continue;
        if (item.type == 1) {
            DrawToy(*item.picture, item.x, item.y, frame);
        } else if (item.type == 2) {
            DrawGarland(*item.picture, item.x, item.y, colour, frame);
        }
    }

    if (lights) lights->StepAndDraw(frame.bits, frame.width, frame.height);
    ApplyOpacity(opaque, frame);
    return true;
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

// Toy: D' = D - D * a / 255 + a; d' = (d * (255 - a) + s * a) / 255 (d unchanged when a = 0).
void CFrameBuilder::DrawToy(const CBmp& picture, int x, int y, const SFrameView& frame) noexcept {
    SClip clip;
    if (!ClipTo(picture, x, y, frame, clip)) return;
    for (int row = 0; row < clip.rows; ++row) {
        const std::uint8_t* s = PictureRow(picture, clip.col0, clip.row0 + row);
        std::uint8_t* d = FrameRow(frame, x + clip.col0, y + clip.row0 + row);
        for (int n = 0; n < clip.cols; ++n, s += 4, d += 4) {
            const std::uint32_t a = s[3];
            if (a == 0) continue;  // nothing changes
            if (a == 255) {        // colour s, alpha D - D + 255
                std::memcpy(d, s, 4);
                continue;
            }
            const std::uint32_t na = 255 - a;
            const std::uint32_t D = d[3];
            d[0] = static_cast<std::uint8_t>(Div255(d[0] * na + s[0] * a));
            d[1] = static_cast<std::uint8_t>(Div255(d[1] * na + s[1] * a));
            d[2] = static_cast<std::uint8_t>(Div255(d[2] * na + s[2] * a));
            d[3] = static_cast<std::uint8_t>(D - Div255(D * a) + a);
        }
    }
}

// Garland: the colour is first mixed with the gradient colour g, each result capped at 255:
//   R = (gG sR + gB sG + gR sB) / 255, G = (gR sR + gG sG + gB sB) / 255, B = (gB sR + gR sG + gG sB) / 255
// then blended like a toy.
void CFrameBuilder::DrawGarland(const CBmp& picture, int x, int y, SGradientColour g,
                                const SFrameView& frame) noexcept {
    SClip clip;
    if (!ClipTo(picture, x, y, frame, clip)) return;
    // The three sums side by side in 21-bit lanes of one word (each at most 3 * 255 * 255 < 2^21):
    // lane 0 red, lane 1 green, lane 2 blue; one coefficient word per source channel.
    const std::uint64_t gR = g.r, gG = g.g, gB = g.b;
    const std::uint64_t byRed = gG | (gR << 21) | (gB << 42);
    const std::uint64_t byGreen = gB | (gG << 21) | (gR << 42);
    const std::uint64_t byBlue = gR | (gB << 21) | (gG << 42);
    constexpr std::uint64_t kLane = (1u << 21) - 1;
    for (int row = 0; row < clip.rows; ++row) {
        const std::uint8_t* s = PictureRow(picture, clip.col0, clip.row0 + row);
        std::uint8_t* d = FrameRow(frame, x + clip.col0, y + clip.row0 + row);
        for (int n = 0; n < clip.cols; ++n, s += 4, d += 4) {
            const std::uint32_t a = s[3];
            if (a == 0) continue;  // nothing changes
            const std::uint64_t sums = s[2] * byRed + s[1] * byGreen + s[0] * byBlue;
            const std::uint32_t mR = std::min<std::uint32_t>(255, static_cast<std::uint32_t>(sums & kLane) / 255);
            const std::uint32_t mG = std::min<std::uint32_t>(255, static_cast<std::uint32_t>((sums >> 21) & kLane) / 255);
            const std::uint32_t mB = std::min<std::uint32_t>(255, static_cast<std::uint32_t>(sums >> 42) / 255);
            if (a == 255) {
                d[0] = static_cast<std::uint8_t>(mB);
                d[1] = static_cast<std::uint8_t>(mG);
                d[2] = static_cast<std::uint8_t>(mR);
                d[3] = 255;
                continue;
            }
            const std::uint32_t na = 255 - a;
            const std::uint32_t D = d[3];
            d[0] = static_cast<std::uint8_t>(Div255(d[0] * na + mB * a));
            d[1] = static_cast<std::uint8_t>(Div255(d[1] * na + mG * a));
            d[2] = static_cast<std::uint8_t>(Div255(d[2] * na + mR * a));
            d[3] = static_cast<std::uint8_t>(D - Div255(D * a) + a);
        }
    }
}

// Opacity below 100 %: every byte (colour and alpha) becomes byte * f >> 8, f = opaque * 256 / 100.
// byte * f <= 255 * 256 fits a 16-bit lane, so the bytes are scaled in 16-bit lanes: sixteen at a
// time with SSE2, else eight at a time as the even and odd bytes of a 64-bit word.
void CFrameBuilder::ApplyOpacity(int opaque, const SFrameView& frame) noexcept {
    if (opaque >= 100 || !frame.bits || frame.width <= 0 || frame.height <= 0) return;
    const std::uint32_t f = static_cast<std::uint32_t>(std::max(opaque, 0)) * 256 / 100;
    std::uint8_t* p = frame.bits;
    const std::size_t n = static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height) * 4;
    std::size_t i = 0;
#ifdef PINARBO_FRAME_SSE2
    const __m128i zero = _mm_setzero_si128();
    const __m128i factor = _mm_set1_epi16(static_cast<short>(f));
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i lo = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(v, zero), factor), 8);
        const __m128i hi = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(v, zero), factor), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), _mm_packus_epi16(lo, hi));
    }
#endif
    const std::uint64_t f64 = f;
    constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFull;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        const std::uint64_t even = (((w & kLanes) * f64) >> 8) & kLanes;
        const std::uint64_t odd = ((w >> 8) & kLanes) * f64 & ~kLanes;
        w = even | odd;
        std::memcpy(p + i, &w, 8);
    }
    for (; i < n; ++i) p[i] = static_cast<std::uint8_t>((p[i] * f) >> 8);
}
