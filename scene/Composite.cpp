// Composite: a straight-alpha picture laid over another straight-alpha picture.
#include "scene/CBmp.h"
#include "scene/CPixSurface.h"
#include "scene/Transforms.h"

#include <algorithm>
#include <cstddef>

void Composite(std::uint8_t* dst, int dstWidth, int dstHeight, const std::uint8_t* src, int srcWidth, int srcHeight,
               int x, int y) noexcept {
    if (!dst || !src || dstWidth <= 0 || dstHeight <= 0 || srcWidth <= 0 || srcHeight <= 0) return;
    const long long x0 = std::max<long long>(x, 0), y0 = std::max<long long>(y, 0);
    const long long x1 = std::min<long long>(static_cast<long long>(x) + srcWidth, dstWidth);
    const long long y1 = std::min<long long>(static_cast<long long>(y) + srcHeight, dstHeight);
    for (long long row = y0; row < y1; ++row) {
        std::uint8_t* d = dst + (static_cast<std::size_t>(row) * dstWidth + static_cast<std::size_t>(x0)) * 4;
        const std::uint8_t* s =
            src + (static_cast<std::size_t>(row - y) * srcWidth + static_cast<std::size_t>(x0 - x)) * 4;
        for (long long col = x0; col < x1; ++col, d += 4, s += 4) {
            const unsigned A = s[3];
            if (A == 0) continue;
            const unsigned D = d[3];
            if (D == 0) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
                d[3] = s[3];
                continue;
            }
            // g: the part covered by both; dx / sx: the parts showing only destination / source.
            const unsigned g = D * A / 255;
            const unsigned dx = (255 - g) * D / 255;
            const unsigned sx = (255 - g) - dx;
            for (int k = 0; k < 3; ++k) {
                const unsigned dc = d[k], sc = s[k];
                d[k] = static_cast<std::uint8_t>((g * (dc * sc / 255) + dx * dc + sx * sc) / 255);
            }
            d[3] = static_cast<std::uint8_t>(D + A - g);
        }
    }
}

void Composite(CBmp& destination, const CBmp& source, int x, int y) noexcept {
    Composite(destination.Bits(), destination.Width(), destination.Height(), source.Bits(), source.Width(),
              source.Height(), x, y);
}

void Composite(CPixSurface& destination, const CBmp& source, int x, int y) noexcept {
    Composite(destination.Bits(), destination.Width(), destination.Height(), source.Bits(), source.Width(),
              source.Height(), x, y);
}
