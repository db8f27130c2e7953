#include "view/FrameSimd.h"

#include "view/BlinkSpan.h"

#include <algorithm>
#include <cstring>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define PINARBO_FRAME_AVX2 1
#include <immintrin.h>
#endif

void BlinkSpanKernels::Scalar(const std::uint8_t* mask, const std::uint8_t* spark, int n, std::uint8_t* d,
                              std::uint8_t* out, const SLightTint& tint) noexcept {
    for (int c = 0; c < n; ++c, d += 4) {
        const std::uint32_t s = mask[c] * tint.level / 256;
        const std::uint32_t b = spark[c] * s / 256;
        if (b == 0) continue;  // d * 255 / 255 == d, and out already holds d scaled
        d[0] = static_cast<std::uint8_t>((d[0] * (255 - b) + tint.b * b) / 255);
        d[1] = static_cast<std::uint8_t>((d[1] * (255 - b) + tint.g * b) / 255);
        d[2] = static_cast<std::uint8_t>((d[2] * (255 - b) + tint.r * b) / 255);
        if (out)
            for (int byte = 0; byte < 4; ++byte)
                out[c * 4 + byte] = static_cast<std::uint8_t>((d[byte] * tint.factor) >> 8);
    }
}

// The vector kernels write every pixel they visit: a pixel with b = 0 comes out as it went in,
// Div255(d * 255) = d, and its out bytes as the scaled copy already holds them. The SSE2 kernel
// skips four pixels whose b are all 0, and works with high halves of 16-bit products: x / 255 as
// x * 0x8081 >> 23 (exact for every 16-bit x), m * level >> 8 as (m << 8) * level >> 16, and
// byte * f >> 8 as byte * (f << 8) >> 16.
#ifdef PINARBO_FRAME_SSE2
namespace {

inline __m128i Div255x8(__m128i x) noexcept {
    return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
}

struct SSse2Tint {
    explicit SSse2Tint(const SLightTint& tint) noexcept
        : level(_mm_set1_epi16(static_cast<short>(tint.level))),
          colour(_mm_setr_epi16(static_cast<short>(tint.b), static_cast<short>(tint.g), static_cast<short>(tint.r), 0,
                                static_cast<short>(tint.b), static_cast<short>(tint.g), static_cast<short>(tint.r), 0)),
          factor(_mm_set1_epi16(static_cast<short>(std::min<std::uint32_t>(tint.factor, 255) << 8))) {}
    __m128i level, colour, factor;
};

// b for up to eight pixels (the low bytes of m and sp), one per 16-bit lane.
inline __m128i LightB(__m128i m, __m128i sp, const SSse2Tint& t) noexcept {
    const __m128i zero = _mm_setzero_si128();
    const __m128i s16 = _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, m), t.level);
    return _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, sp), s16);
}

// Four pixels at p (two per call of blend, whose b holds each pixel's b in its colour lanes); with
// kOut also into out, scaled when kScaled.
template <bool kOut, bool kScaled>
inline void LightFour(std::uint8_t* p, std::uint8_t* out, __m128i b01, __m128i b23, const SSse2Tint& t) noexcept {
    const __m128i zero = _mm_setzero_si128();
    const __m128i all = _mm_set1_epi16(255);
    auto blend = [&](__m128i px, __m128i b) {
        return Div255x8(_mm_add_epi16(_mm_mullo_epi16(px, _mm_sub_epi16(all, b)), _mm_mullo_epi16(t.colour, b)));
    };
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i lo16 = blend(_mm_unpacklo_epi8(px, zero), b01);
    const __m128i hi16 = blend(_mm_unpackhi_epi8(px, zero), b23);
    const __m128i blended = _mm_packus_epi16(lo16, hi16);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), blended);
    if (kOut) {
        const __m128i scaled = kScaled ? _mm_packus_epi16(_mm_mulhi_epu16(lo16, t.factor), _mm_mulhi_epu16(hi16, t.factor))
                                       : blended;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), scaled);
    }
}

// Pixels i and i + 1 of the four whose b are b4 (16-bit lanes 0..3), b in their colour lanes.
inline __m128i SpreadB(__m128i b4, bool high) noexcept {
    const __m128i colourLanes = _mm_setr_epi16(-1, -1, -1, 0, -1, -1, -1, 0);
    const __m128i bb = _mm_unpacklo_epi16(b4, b4);
    return _mm_and_si128(high ? _mm_unpackhi_epi32(bb, bb) : _mm_unpacklo_epi32(bb, bb), colourLanes);
}

// The whole pixels in groups of eight, then four; answers the next column.
template <bool kOut, bool kScaled>
int LightBlocks(const std::uint8_t* mask, const std::uint8_t* spark, int n, std::uint8_t* d, std::uint8_t* out,
                const SSse2Tint& t) noexcept {
    int c = 0;
    for (; c + 8 <= n; c += 8, d += 32, out += kOut ? 32 : 0) {
        const __m128i b = LightB(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(mask + c)),
                                 _mm_loadl_epi64(reinterpret_cast<const __m128i*>(spark + c)), t);
        const int zeros = _mm_movemask_epi8(_mm_cmpeq_epi16(b, _mm_setzero_si128()));
        if ((zeros & 0xFF) != 0xFF) LightFour<kOut, kScaled>(d, out, SpreadB(b, false), SpreadB(b, true), t);
        if ((zeros >> 8) != 0xFF) {
            const __m128i b47 = _mm_unpackhi_epi64(b, b);
            LightFour<kOut, kScaled>(d + 16, out + (kOut ? 16 : 0), SpreadB(b47, false), SpreadB(b47, true), t);
        }
    }
    if (c + 4 <= n) {
        int mw, sw;
        std::memcpy(&mw, mask + c, 4);
        std::memcpy(&sw, spark + c, 4);
        const __m128i b = LightB(_mm_cvtsi32_si128(mw), _mm_cvtsi32_si128(sw), t);
        LightFour<kOut, kScaled>(d, out, SpreadB(b, false), SpreadB(b, true), t);
        c += 4;
    }
    return c;
}

void Sse2Kernel(const std::uint8_t* mask, const std::uint8_t* spark, int n, std::uint8_t* d, std::uint8_t* out,
                const SLightTint& tint) noexcept {
    const SSse2Tint t(tint);
    const int c = !out                ? LightBlocks<false, false>(mask, spark, n, d, out, t)
                  : tint.factor < 256 ? LightBlocks<true, true>(mask, spark, n, d, out, t)
                                      : LightBlocks<true, false>(mask, spark, n, d, out, t);
    if (c < n) BlinkSpanKernels::Scalar(mask + c, spark + c, n - c, d + c * 4, out ? out + c * 4 : nullptr, tint);
}

}  // namespace
#endif

#ifdef PINARBO_FRAME_AVX2
namespace {

#define PINARBO_AVX2 __attribute__((target("avx2")))

PINARBO_AVX2 inline __m256i Div255x16(__m256i x) noexcept {
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(x, _mm256_set1_epi16(1)), _mm256_srli_epi16(x, 8)), 8);
}

// Eight pixels at a time: the frame's 32 bytes widen per 128-bit half into pixels (0, 1 | 4, 5)
// and (2, 3 | 6, 7), so each pixel's b is shuffled into its three colour lanes in that order.
PINARBO_AVX2 void Avx2Kernel(const std::uint8_t* mask, const std::uint8_t* spark, int n, std::uint8_t* d,
                             std::uint8_t* out, const SLightTint& tint) noexcept {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i all = _mm256_set1_epi16(255);
    const __m128i level = _mm_set1_epi16(static_cast<short>(tint.level));
    const short cb = static_cast<short>(tint.b), cg = static_cast<short>(tint.g), cr = static_cast<short>(tint.r);
    const __m256i colour = _mm256_setr_epi16(cb, cg, cr, 0, cb, cg, cr, 0, cb, cg, cr, 0, cb, cg, cr, 0);
    const __m256i factor = _mm256_set1_epi16(static_cast<short>(std::min<std::uint32_t>(tint.factor, 255)));
    const __m256i pickLow = _mm256_setr_epi8(0, 1, 0, 1, 0, 1, -1, -1, 2, 3, 2, 3, 2, 3, -1, -1,  //
                                             8, 9, 8, 9, 8, 9, -1, -1, 10, 11, 10, 11, 10, 11, -1, -1);
    const __m256i pickHigh = _mm256_setr_epi8(4, 5, 4, 5, 4, 5, -1, -1, 6, 7, 6, 7, 6, 7, -1, -1,  //
                                              12, 13, 12, 13, 12, 13, -1, -1, 14, 15, 14, 15, 14, 15, -1, -1);
    int c = 0;
    for (; c + 8 <= n; c += 8) {
        const __m128i m16 = _mm_cvtepu8_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(mask + c)));
        const __m128i sp16 = _mm_cvtepu8_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(spark + c)));
        const __m128i s16 = _mm_srli_epi16(_mm_mullo_epi16(m16, level), 8);
        const __m256i b = _mm256_broadcastsi128_si256(_mm_srli_epi16(_mm_mullo_epi16(sp16, s16), 8));
        const __m256i bLow = _mm256_shuffle_epi8(b, pickLow);
        const __m256i bHigh = _mm256_shuffle_epi8(b, pickHigh);
        std::uint8_t* p = d + c * 4;
        const __m256i px = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i lo16 = Div255x16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(px, zero), _mm256_sub_epi16(all, bLow)),
                                                        _mm256_mullo_epi16(colour, bLow)));
        const __m256i hi16 = Div255x16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(px, zero), _mm256_sub_epi16(all, bHigh)),
                                                        _mm256_mullo_epi16(colour, bHigh)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm256_packus_epi16(lo16, hi16));
        if (out) {
            const __m256i scaled = tint.factor >= 256
                                       ? _mm256_packus_epi16(lo16, hi16)
                                       : _mm256_packus_epi16(_mm256_srli_epi16(_mm256_mullo_epi16(lo16, factor), 8),
                                                             _mm256_srli_epi16(_mm256_mullo_epi16(hi16, factor), 8));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + c * 4), scaled);
        }
    }
    // Clean upper halves before SSE code runs again: dirty ones slow every later SSE instruction.
    _mm256_zeroupper();
    if (c < n) {
#ifdef PINARBO_FRAME_SSE2
        Sse2Kernel(mask + c, spark + c, n - c, d + c * 4, out ? out + c * 4 : nullptr, tint);
#else
        BlinkSpanKernels::Scalar(mask + c, spark + c, n - c, d + c * 4, out ? out + c * 4 : nullptr, tint);
#endif
    }
}

#undef PINARBO_AVX2
}  // namespace
#endif

BlinkSpanKernels::Kernel BlinkSpanKernels::Sse2() noexcept {
#ifdef PINARBO_FRAME_SSE2
    return &Sse2Kernel;
#else
    return nullptr;
#endif
}

BlinkSpanKernels::Kernel BlinkSpanKernels::Avx2() noexcept {
#ifdef PINARBO_FRAME_AVX2
    return __builtin_cpu_supports("avx2") ? &Avx2Kernel : nullptr;
#else
    return nullptr;
#endif
}

BlinkSpanKernels::Kernel LightSpanKernel() noexcept {
    static const BlinkSpanKernels::Kernel kernel =
        WidestKernel(BlinkSpanKernels::Avx2(), BlinkSpanKernels::Sse2(), &BlinkSpanKernels::Scalar);
    return kernel;
}

void BlendLightSpan(const std::uint8_t* mask, const std::uint8_t* spark, int n, std::uint8_t* d, std::uint8_t* out,
                    const SLightTint& tint) noexcept {
    LightSpanKernel()(mask, spark, n, d, out, tint);
}
