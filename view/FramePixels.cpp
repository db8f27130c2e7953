#include "view/FrameSimd.h"

#include "view/FramePixels.h"

#include <algorithm>
#include <cstring>

SGarlandMix GarlandMix(std::uint8_t r, std::uint8_t g, std::uint8_t b) noexcept {
    const std::uint64_t gR = r, gG = g, gB = b;
    return {gG | (gR << 21) | (gB << 42), gB | (gG << 21) | (gR << 42), gR | (gB << 21) | (gG << 42), r, g, b};
}

// Toy: D' = D - D * a / 255 + a; d' = (d * (255 - a) + s * a) / 255 (d unchanged when a = 0).
void BlendToyRow(const std::uint8_t* s, std::uint8_t* d, int n) noexcept {
    for (int i = 0; i < n; ++i, s += 4, d += 4) {
        const std::uint32_t a = s[3];
        if (a == 0) continue;  // nothing changes
        if (a == 255) {        // colour s, alpha D - D + 255
            std::memcpy(d, s, 4);
            continue;
        }
        BlendPixel(d, s[0], s[1], s[2], a);
    }
}

// Garland: the colour is first mixed with the gradient colour g, each result capped at 255:
//   R = (gG sR + gB sG + gR sB) / 255, G = (gR sR + gG sG + gB sB) / 255, B = (gB sR + gR sG + gG sB) / 255
// then blended like a toy.
void BlendGarlandRow(const std::uint8_t* s, std::uint8_t* d, int n, const SGarlandMix& mix) noexcept {
    constexpr std::uint64_t kLane = (1u << 21) - 1;
    int i = 0;
#ifdef PINARBO_FRAME_SSE2
    // Four pixels at a time. The mix of one pixel: its (blue, green) and (red, 0) pairs in every
    // 32-bit lane, multiplied and summed against per-output coefficients (madd), gives the sums
    // for blue, green and red in lanes 0..2. A sum capped at 255 * 255 before the division is
    // the quotient capped at 255. The blend rules hold for every alpha, 0 and 255 included.
    const short gR = mix.r, gG = mix.g, gB = mix.b;
    const __m128i byBlueGreen = _mm_setr_epi16(gG, gR, gB, gG, gR, gB, 0, 0);
    const __m128i byRed = _mm_setr_epi16(gB, 0, gR, 0, gG, 0, 0, 0);
    const __m128i lowHalf = _mm_set1_epi32(0xFFFF);
    const __m128i bias = _mm_set1_epi32(32768);
    const __m128i cap = _mm_set1_epi16(255 * 255 - 32768);
    const __m128i flip = _mm_set1_epi16(static_cast<short>(0x8000));
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi16(1);
    const __m128i all = _mm_set1_epi16(255);
    const __m128i alphaLanes = _mm_setr_epi16(0, 0, 0, -1, 0, 0, 0, -1);
    auto div255 = [&](__m128i x) { return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, one), _mm_srli_epi16(x, 8)), 8); };
    auto mixSums = [&](__m128i bg, __m128i r0) {
        return _mm_sub_epi32(_mm_add_epi32(_mm_madd_epi16(bg, byBlueGreen), _mm_madd_epi16(_mm_and_si128(r0, lowHalf), byRed)), bias);
    };
    auto pair = [&](__m128i s16, __m128i d16) {
        const __m128i first = mixSums(_mm_shuffle_epi32(s16, 0x00), _mm_shuffle_epi32(s16, 0x55));
        const __m128i second = mixSums(_mm_shuffle_epi32(s16, 0xAA), _mm_shuffle_epi32(s16, 0xFF));
        const __m128i mixed = div255(_mm_xor_si128(_mm_min_epi16(_mm_packs_epi32(first, second), cap), flip));
        const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s16, 0xFF), 0xFF);
        const __m128i colour = div255(_mm_add_epi16(_mm_mullo_epi16(d16, _mm_sub_epi16(all, a)), _mm_mullo_epi16(mixed, a)));
        const __m128i alpha = _mm_add_epi16(_mm_sub_epi16(d16, div255(_mm_mullo_epi16(d16, a))), a);
        return _mm_or_si128(_mm_andnot_si128(alphaLanes, colour), _mm_and_si128(alphaLanes, alpha));
    };
    for (; i + 4 <= n; i += 4, s += 16, d += 16) {
        const __m128i sp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i dp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
        const __m128i lo = pair(_mm_unpacklo_epi8(sp, zero), _mm_unpacklo_epi8(dp, zero));
        const __m128i hi = pair(_mm_unpackhi_epi8(sp, zero), _mm_unpackhi_epi8(dp, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(lo, hi));
    }
#endif
    for (; i < n; ++i, s += 4, d += 4) {
        const std::uint32_t a = s[3];
        if (a == 0) continue;  // nothing changes
        const std::uint64_t sums = s[2] * mix.byRed + s[1] * mix.byGreen + s[0] * mix.byBlue;
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
        BlendPixel(d, mB, mG, mR, a);
    }
}

// byte * f <= 255 * 256 fits a 16-bit lane, so the bytes are scaled in 16-bit lanes: sixteen at a
// time with SSE2, else eight at a time as the even and odd bytes of a 64-bit word.
void ScaleBytes(const std::uint8_t* s, std::uint8_t* d, std::size_t n, std::uint32_t f) noexcept {
    if (f >= 256) {
        if (s != d) std::memcpy(d, s, n);
        return;
    }
    std::size_t i = 0;
#ifdef PINARBO_FRAME_SSE2
    // Blocks of transparent black (most of the window around the tree) stay as they are.
    const __m128i zero = _mm_setzero_si128();
    const __m128i factor = _mm_set1_epi16(static_cast<short>(f));
    for (; i + 16 <= n; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)) != 0xFFFF) {
            v = ScaleBytesX16(v, factor);
        } else if (s == d) {
            continue;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), v);
    }
    if (s != d && i < n && n >= 16) {
        // The last bytes as one block ending at n: bytes scaled twice are scaled from s both times.
        i = n - 16;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i),
                         ScaleBytesX16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)), factor));
        return;
    }
#endif
    const std::uint64_t f64 = f;
    constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFull;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s + i, 8);
        const std::uint64_t even = (((w & kLanes) * f64) >> 8) & kLanes;
        const std::uint64_t odd = ((w >> 8) & kLanes) * f64 & ~kLanes;
        w = even | odd;
        std::memcpy(d + i, &w, 8);
    }
    for (; i < n; ++i) d[i] = static_cast<std::uint8_t>((s[i] * f) >> 8);
}

bool ClipPicture(int picWidth, int picHeight, int x, int y, int frameWidth, int frameHeight, SFrameClip& clip) noexcept {
    const long long left = std::max<long long>(0, -static_cast<long long>(x));
    const long long top = std::max<long long>(0, -static_cast<long long>(y));
    const long long right = std::min<long long>(picWidth, static_cast<long long>(frameWidth) - x);
    const long long bottom = std::min<long long>(picHeight, static_cast<long long>(frameHeight) - y);
    if (right <= left || bottom <= top) return false;
    clip = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left), static_cast<int>(bottom - top)};
    return true;
}
