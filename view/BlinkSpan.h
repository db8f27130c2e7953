// BlinkSpan: one row of a light's sprite blended into the frame, the innermost loop of the lights.
// Per pixel: s = mask * level / 256, b = sparkle * s / 256, each colour byte
// d = (d * (255 - b) + channel * b) / 255, alpha kept; with an out row, the pixel's four bytes
// also go there scaled by factor (byte * f >> 8, f = 256 the identity).
#pragma once

#include <cstdint>

struct SLightTint {
    std::uint32_t level;      // the light's intensity, 1..255
    std::uint32_t b, g, r;    // its colour
    std::uint32_t factor;     // the opacity factor of the out row, 0..256
};

namespace BlinkSpanKernels {
using Kernel = void (*)(const std::uint8_t* mask, const std::uint8_t* spark, int n, std::uint8_t* d,
                        std::uint8_t* out, const SLightTint& tint) noexcept;
void Scalar(const std::uint8_t* mask, const std::uint8_t* spark, int n, std::uint8_t* d, std::uint8_t* out,
            const SLightTint& tint) noexcept;
// Null where the build or the processor lacks the instructions.
Kernel Sse2() noexcept;
Kernel Avx2() noexcept;
}  // namespace BlinkSpanKernels

// The widest kernel the processor has, and a call of it.
BlinkSpanKernels::Kernel LightSpanKernel() noexcept;
void BlendLightSpan(const std::uint8_t* mask, const std::uint8_t* spark, int n, std::uint8_t* d, std::uint8_t* out,
                    const SLightTint& tint) noexcept;
