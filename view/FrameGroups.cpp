#include "view/FrameSimd.h"

#include "view/FrameGroups.h"

#include <algorithm>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define PINARBO_FRAME_AVX2 1
#include <immintrin.h>
#endif

// Every kernel computes, per lane, the mix (garlands only) and the blend of BlendGarlandRow /
// BlendToyRow. The vector kernels work in 16-bit lanes: each mixed sum is three products of at
// most 255 * 255, added with unsigned saturation; a saturated sum is above 255 * 255 exactly when
// the true one is, and either way the capped sum divides to 255. The frame pixels are made planar
// by three rounds of byte interleaving and interleaved again by packing. The SSE2 kernel divides
// by 255 as x * 0x8081 >> 23 (the high half of the product, shifted by 7), the exact floor
// quotient for every 16-bit x, so a saturated mix sum (65535) gives 257 and is capped after.

void FrameGroupKernels::Scalar(const std::uint16_t* src, const std::uint32_t* at, std::size_t groups,
                               std::uint8_t* frame, const SGarlandMix* mix) noexcept {
    for (std::size_t g = 0; g < groups; ++g, src += kGroupValues) {
        std::uint8_t* d = frame + static_cast<std::size_t>(at[g]) * 4;
        for (int i = 0; i < kGroupPixels; ++i, d += 4) {
            const std::uint32_t a = src[24 + i];
            if (a == 0) continue;
            const std::uint32_t sb = src[i], sg = src[8 + i], sr = src[16 + i];
            if (!mix) {
                BlendPixel(d, sb, sg, sr, a);
                continue;
            }
            const std::uint32_t mR = std::min<std::uint32_t>(255, (sr * mix->g + sg * mix->b + sb * mix->r) / 255);
            const std::uint32_t mG = std::min<std::uint32_t>(255, (sr * mix->r + sg * mix->g + sb * mix->b) / 255);
            const std::uint32_t mB = std::min<std::uint32_t>(255, (sr * mix->b + sg * mix->r + sb * mix->g) / 255);
            BlendPixel(d, mB, mG, mR, a);
        }
    }
}

#ifdef PINARBO_FRAME_SSE2
namespace {

inline __m128i Div255x8(__m128i x) noexcept {
    return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
}

inline __m128i MixSum(__m128i x, __m128i cx, __m128i y, __m128i cy, __m128i z, __m128i cz) noexcept {
    const __m128i t = _mm_adds_epu16(_mm_adds_epu16(_mm_mullo_epi16(x, cx), _mm_mullo_epi16(y, cy)), _mm_mullo_epi16(z, cz));
    return _mm_min_epi16(Div255x8(t), _mm_set1_epi16(255));
}

template <bool kMix>
void BlendSse2(const std::uint16_t* src, const std::uint32_t* at, std::size_t groups, std::uint8_t* frame,
               const SGarlandMix* mix) noexcept {
    const __m128i gR = _mm_set1_epi16(static_cast<short>(kMix ? mix->r : 0));
    const __m128i gG = _mm_set1_epi16(static_cast<short>(kMix ? mix->g : 0));
    const __m128i gB = _mm_set1_epi16(static_cast<short>(kMix ? mix->b : 0));
    const __m128i zero = _mm_setzero_si128();
    const __m128i all = _mm_set1_epi16(255);
    for (std::size_t g = 0; g < groups; ++g, src += kGroupValues) {
        std::uint8_t* d = frame + static_cast<std::size_t>(at[g]) * 4;
        const __m128i sb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
        const __m128i sg = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 8));
        const __m128i sr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16));
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 24));
        const __m128i mR = kMix ? MixSum(sr, gG, sg, gB, sb, gR) : sr;
        const __m128i mG = kMix ? MixSum(sr, gR, sg, gG, sb, gB) : sg;
        const __m128i mB = kMix ? MixSum(sr, gB, sg, gR, sb, gG) : sb;

        const __m128i d0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
        const __m128i d1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 16));
        const __m128i t0 = _mm_unpacklo_epi8(d0, d1), t1 = _mm_unpackhi_epi8(d0, d1);
        const __m128i u0 = _mm_unpacklo_epi8(t0, t1), u1 = _mm_unpackhi_epi8(t0, t1);
        const __m128i bg = _mm_unpacklo_epi8(u0, u1), ra = _mm_unpackhi_epi8(u0, u1);
        const __m128i db = _mm_unpacklo_epi8(bg, zero), dg = _mm_unpackhi_epi8(bg, zero);
        const __m128i dr = _mm_unpacklo_epi8(ra, zero), da = _mm_unpackhi_epi8(ra, zero);

        const __m128i na = _mm_sub_epi16(all, a);
        const __m128i ob = Div255x8(_mm_add_epi16(_mm_mullo_epi16(db, na), _mm_mullo_epi16(mB, a)));
        const __m128i og = Div255x8(_mm_add_epi16(_mm_mullo_epi16(dg, na), _mm_mullo_epi16(mG, a)));
        const __m128i orr = Div255x8(_mm_add_epi16(_mm_mullo_epi16(dr, na), _mm_mullo_epi16(mR, a)));
        const __m128i oa = _mm_add_epi16(_mm_sub_epi16(da, Div255x8(_mm_mullo_epi16(da, a))), a);

        // Every result is at most 255, so two of them make a 16-bit lane's two bytes.
        const __m128i ibg = _mm_or_si128(ob, _mm_slli_epi16(og, 8));
        const __m128i ira = _mm_or_si128(orr, _mm_slli_epi16(oa, 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_unpacklo_epi16(ibg, ira));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16), _mm_unpackhi_epi16(ibg, ira));
    }
}

void Sse2Kernel(const std::uint16_t* src, const std::uint32_t* at, std::size_t groups, std::uint8_t* frame,
                const SGarlandMix* mix) noexcept {
    if (mix) {
        BlendSse2<true>(src, at, groups, frame, mix);
    } else {
        BlendSse2<false>(src, at, groups, frame, mix);
    }
}

}  // namespace
#endif

#ifdef PINARBO_FRAME_AVX2
namespace {

// The SSE2 kernel's steps on two groups at once, one in each 128-bit half: every step used works
// within the halves. (Built with -muse-unaligned-vector-move on Windows, whose 64-bit stack is
// not aligned for spilled 256-bit values.)
#define PINARBO_AVX2 __attribute__((target("avx2")))

PINARBO_AVX2 inline __m256i Load2(const void* lo, const void* hi) noexcept {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(static_cast<const __m128i*>(lo))),
                                   _mm_loadu_si128(static_cast<const __m128i*>(hi)), 1);
}

PINARBO_AVX2 inline __m256i Div255x16(__m256i x) noexcept {
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(x, _mm256_set1_epi16(1)), _mm256_srli_epi16(x, 8)), 8);
}

PINARBO_AVX2 inline __m256i MixSum16(__m256i x, __m256i cx, __m256i y, __m256i cy, __m256i z, __m256i cz) noexcept {
    const __m256i t = _mm256_adds_epu16(_mm256_adds_epu16(_mm256_mullo_epi16(x, cx), _mm256_mullo_epi16(y, cy)),
                                        _mm256_mullo_epi16(z, cz));
    return Div255x16(_mm256_sub_epi16(t, _mm256_subs_epu16(t, _mm256_set1_epi16(static_cast<short>(255 * 255)))));
}

template <bool kMix>
PINARBO_AVX2 void BlendAvx2(const std::uint16_t* src, const std::uint32_t* at, std::size_t groups,
                            std::uint8_t* frame, const SGarlandMix* mix) noexcept {
    const __m256i gR = _mm256_set1_epi16(static_cast<short>(kMix ? mix->r : 0));
    const __m256i gG = _mm256_set1_epi16(static_cast<short>(kMix ? mix->g : 0));
    const __m256i gB = _mm256_set1_epi16(static_cast<short>(kMix ? mix->b : 0));
    const __m256i zero = _mm256_setzero_si256();
    const __m256i all = _mm256_set1_epi16(255);
    std::size_t g = 0;
    for (; g + 2 <= groups; g += 2, src += 2 * kGroupValues) {
        std::uint8_t* dA = frame + static_cast<std::size_t>(at[g]) * 4;
        std::uint8_t* dB = frame + static_cast<std::size_t>(at[g + 1]) * 4;
        const __m256i sb = Load2(src, src + kGroupValues);
        const __m256i sg = Load2(src + 8, src + kGroupValues + 8);
        const __m256i sr = Load2(src + 16, src + kGroupValues + 16);
        const __m256i a = Load2(src + 24, src + kGroupValues + 24);
        const __m256i mR = kMix ? MixSum16(sr, gG, sg, gB, sb, gR) : sr;
        const __m256i mG = kMix ? MixSum16(sr, gR, sg, gG, sb, gB) : sg;
        const __m256i mB = kMix ? MixSum16(sr, gB, sg, gR, sb, gG) : sb;

        const __m256i d0 = Load2(dA, dB);
        const __m256i d1 = Load2(dA + 16, dB + 16);
        const __m256i t0 = _mm256_unpacklo_epi8(d0, d1), t1 = _mm256_unpackhi_epi8(d0, d1);
        const __m256i u0 = _mm256_unpacklo_epi8(t0, t1), u1 = _mm256_unpackhi_epi8(t0, t1);
        const __m256i bg = _mm256_unpacklo_epi8(u0, u1), ra = _mm256_unpackhi_epi8(u0, u1);
        const __m256i db = _mm256_unpacklo_epi8(bg, zero), dg = _mm256_unpackhi_epi8(bg, zero);
        const __m256i dr = _mm256_unpacklo_epi8(ra, zero), da = _mm256_unpackhi_epi8(ra, zero);

        const __m256i na = _mm256_sub_epi16(all, a);
        const __m256i ob = Div255x16(_mm256_add_epi16(_mm256_mullo_epi16(db, na), _mm256_mullo_epi16(mB, a)));
        const __m256i og = Div255x16(_mm256_add_epi16(_mm256_mullo_epi16(dg, na), _mm256_mullo_epi16(mG, a)));
        const __m256i orr = Div255x16(_mm256_add_epi16(_mm256_mullo_epi16(dr, na), _mm256_mullo_epi16(mR, a)));
        const __m256i oa = _mm256_add_epi16(_mm256_sub_epi16(da, Div255x16(_mm256_mullo_epi16(da, a))), a);

        const __m256i pbg = _mm256_packus_epi16(ob, og), pra = _mm256_packus_epi16(orr, oa);
        const __m256i ibg = _mm256_unpacklo_epi8(pbg, _mm256_srli_si256(pbg, 8));
        const __m256i ira = _mm256_unpacklo_epi8(pra, _mm256_srli_si256(pra, 8));
        const __m256i first = _mm256_unpacklo_epi16(ibg, ira), second = _mm256_unpackhi_epi16(ibg, ira);
        // The earlier group first: where the two overlap, the later one's pixels are the real ones.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dA), _mm256_castsi256_si128(first));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dA + 16), _mm256_castsi256_si128(second));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dB), _mm256_extracti128_si256(first, 1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dB + 16), _mm256_extracti128_si256(second, 1));
    }
    // Clean upper halves before any SSE code runs: dirty ones slow every later SSE instruction
    // (the compiler leaves them dirty on the tail call below).
    _mm256_zeroupper();
    if (g < groups) {
#ifdef PINARBO_FRAME_SSE2
        BlendSse2<kMix>(src, at + g, 1, frame, mix);
#else
        FrameGroupKernels::Scalar(src, at + g, 1, frame, kMix ? mix : nullptr);
#endif
    }
}

PINARBO_AVX2 void Avx2Kernel(const std::uint16_t* src, const std::uint32_t* at, std::size_t groups,
                             std::uint8_t* frame, const SGarlandMix* mix) noexcept {
    if (mix) {
        BlendAvx2<true>(src, at, groups, frame, mix);
    } else {
        BlendAvx2<false>(src, at, groups, frame, mix);
    }
}

#undef PINARBO_AVX2
}  // namespace
#endif

FrameGroupKernels::Kernel FrameGroupKernels::Sse2() noexcept {
#ifdef PINARBO_FRAME_SSE2
    return &Sse2Kernel;
#else
    return nullptr;
#endif
}

FrameGroupKernels::Kernel FrameGroupKernels::Avx2() noexcept {
#ifdef PINARBO_FRAME_AVX2
    // Checks the operating system keeps the 256-bit registers too, not only the processor.
    return __builtin_cpu_supports("avx2") ? &Avx2Kernel : nullptr;
#else
    return nullptr;
#endif
}

namespace {

FrameGroupKernels::Kernel Widest() noexcept {
    static const FrameGroupKernels::Kernel kernel =
        WidestKernel(FrameGroupKernels::Avx2(), FrameGroupKernels::Sse2(), &FrameGroupKernels::Scalar);
    return kernel;
}

}  // namespace

void BlendGarlandGroups(const std::uint16_t* src, const std::uint32_t* at, std::size_t groups, std::uint8_t* frame,
                        const SGarlandMix& mix) noexcept {
    Widest()(src, at, groups, frame, &mix);
}

void BlendToyGroups(const std::uint16_t* src, const std::uint32_t* at, std::size_t groups, std::uint8_t* frame) noexcept {
    Widest()(src, at, groups, frame, nullptr);
}
