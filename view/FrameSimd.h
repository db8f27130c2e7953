// FrameSimd: switches SSE2 on for the pixel loops on both word sizes. 64-bit x86 always has it;
// 32-bit GCC builds (mingw i686) enable it for the including file only, since every processor the
// program runs on has it. Defines PINARBO_FRAME_SSE2 when the intrinsics are available. Include it
// first in a source file, so everything after it is compiled for the same target.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__i386__) && !defined(__SSE2__)
#pragma GCC target("sse2")
#define PINARBO_FRAME_SSE2 1
#elif defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define PINARBO_FRAME_SSE2 1
#endif

#ifdef PINARBO_FRAME_SSE2
#include <emmintrin.h>

// Sixteen bytes scaled to byte * f >> 8 (factor: f, at most 256, in every 16-bit lane): the high
// half of (byte << 8) * f, for the even and the odd bytes of each 16-bit lane.
inline __m128i ScaleBytesX16(__m128i v, __m128i factor) noexcept {
    const __m128i even = _mm_mulhi_epu16(_mm_slli_epi16(v, 8), factor);
    const __m128i odd = _mm_slli_epi16(_mm_mulhi_epu16(_mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xFF00))), factor), 8);
    return _mm_or_si128(even, odd);
}
#endif

// The widest kernel form the pixel loops may take. Benchmarks lower it to measure the narrower
// forms on a processor that has the wider ones; it must be set before the first frame, since each
// loop chooses its kernel once.
enum class EFrameKernels { Scalar, Sse2, Avx2 };
inline EFrameKernels g_frameKernelLimit = EFrameKernels::Avx2;

// The kernel to use of those a pixel loop has: the AVX2 one, else the SSE2 one, else the scalar
// one (the first two are null where the build or the processor lacks them), within the limit.
template <class Kernel>
Kernel WidestKernel(Kernel avx2, Kernel sse2, Kernel scalar) noexcept {
    if (avx2 && g_frameKernelLimit >= EFrameKernels::Avx2) return avx2;
    return sse2 && g_frameKernelLimit >= EFrameKernels::Sse2 ? sse2 : scalar;
}
