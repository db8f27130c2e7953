// CBmp::DrawAlpha: the straight-alpha blend every on-screen picture goes through.
#include "scene/CBmp.h"
#include "scene/CDrawTarget.h"
#include "scene/CPixSurface.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>

namespace {

// Blends width x height source pixels over destination pixels. Alpha 0 leaves the target,
// alpha 255 replaces all four bytes, anything else mixes all four bytes (alpha included) as
// (target * (255 - a) + source * a) >> 8.
void BlendRows(std::uint8_t* dst, std::size_t dstStride, const std::uint8_t* src, std::size_t srcStride, int width,
               int height) noexcept {
    for (int row = 0; row < height; ++row) {
        std::uint8_t* d = dst + row * dstStride;
        const std::uint8_t* s = src + row * srcStride;
        for (int i = 0; i < width; ++i, d += 4, s += 4) {
            const unsigned a = s[3];
            if (a == 0) continue;
            if (a == 255) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
                d[3] = 255;
                continue;
            }
            const unsigned na = 255 - a;
            d[0] = static_cast<std::uint8_t>((d[0] * na + s[0] * a) >> 8);
            d[1] = static_cast<std::uint8_t>((d[1] * na + s[1] * a) >> 8);
            d[2] = static_cast<std::uint8_t>((d[2] * na + s[2] * a) >> 8);
            d[3] = static_cast<std::uint8_t>((d[3] * na + a * a) >> 8);
        }
    }
}

}  // namespace

void CBmp::DrawAlpha(CPixSurface& surface, int x, int y) const {
    if (IsEmpty() || surface.IsEmpty()) return;
    // A surface is blended in place over the part of the picture that lies inside it.
    const long long left = static_cast<long long>(x) + m_offsetX;
    const long long top = static_cast<long long>(y) + m_offsetY;
    const long long x0 = std::max<long long>(left, 0);
    const long long y0 = std::max<long long>(top, 0);
    const long long x1 = std::min<long long>(left + m_width, surface.Width());
    const long long y1 = std::min<long long>(top + m_height, surface.Height());
    if (x0 >= x1 || y0 >= y1) return;
    const std::size_t dstStride = static_cast<std::size_t>(surface.Width()) * 4;
    const std::size_t srcStride = static_cast<std::size_t>(m_width) * 4;
    BlendRows(surface.Bits() + static_cast<std::size_t>(y0) * dstStride + static_cast<std::size_t>(x0) * 4, dstStride,
              m_bits.get() + static_cast<std::size_t>(y0 - top) * srcStride + static_cast<std::size_t>(x0 - left) * 4,
              srcStride, static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
}

void CBmp::DrawAlpha(CDrawTarget& target, int x, int y) const {
    if (IsEmpty()) return;
    if (target.Mode() == CDrawTarget::kSurface) {
        if (target.Surface()) DrawAlpha(*target.Surface(), x, y);
        return;
    }
    // A device context: read the area into a temporary buffer, blend, write it back.
    const int left = x + m_offsetX;
    const int top = y + m_offsetY;
    std::unique_ptr<std::uint8_t[]> buf(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(m_size)]);
    if (!buf || !target.Read(left, top, m_width, m_height, buf.get())) return;
    const std::size_t stride = static_cast<std::size_t>(m_width) * 4;
    BlendRows(buf.get(), stride, m_bits.get(), stride, m_width, m_height);
    target.Write(left, top, m_width, m_height, buf.get());
}
