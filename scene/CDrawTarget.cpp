#include "scene/CDrawTarget.h"

#include "scene/CPixSurface.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// The part of the rectangle (x, y, width, height) that lies inside a surface of sw x sh:
// columns [x0, x1) and rows [y0, y1) in surface coordinates. Empty when x0 >= x1 or y0 >= y1.
struct SClip {
    int x0, y0, x1, y1;
};

SClip ClipTo(int x, int y, int width, int height, int sw, int sh) {
    const long long x1 = std::min<long long>(static_cast<long long>(x) + width, sw);
    const long long y1 = std::min<long long>(static_cast<long long>(y) + height, sh);
    return {std::max(x, 0), std::max(y, 0), static_cast<int>(x1), static_cast<int>(y1)};
}

}  // namespace

bool CDrawTarget::Read(int x, int y, int width, int height, std::uint8_t* buf) const {
    if (!buf || width <= 0 || height <= 0) return false;
    if (m_mode == kDc) return m_dcOps && m_dc && m_dcOps->read(m_dc, x, y, width, height, buf);
    if (!m_surface || m_surface->IsEmpty()) return false;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    std::memset(buf, 0, rowBytes * static_cast<std::size_t>(height));
    const SClip c = ClipTo(x, y, width, height, m_surface->Width(), m_surface->Height());
    if (c.x0 >= c.x1 || c.y0 >= c.y1) return true;
    const std::size_t stride = static_cast<std::size_t>(m_surface->Width()) * 4;
    const std::size_t count = static_cast<std::size_t>(c.x1 - c.x0) * 4;
    for (int row = c.y0; row < c.y1; ++row) {
        std::memcpy(buf + static_cast<std::size_t>(row - y) * rowBytes + static_cast<std::size_t>(c.x0 - x) * 4,
                    m_surface->Bits() + row * stride + static_cast<std::size_t>(c.x0) * 4, count);
    }
    return true;
}

bool CDrawTarget::Write(int x, int y, int width, int height, const std::uint8_t* buf) const {
    if (!buf || width <= 0 || height <= 0) return false;
    if (m_mode == kDc) return m_dcOps && m_dc && m_dcOps->write(m_dc, x, y, width, height, buf);
    if (!m_surface || m_surface->IsEmpty()) return false;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    const SClip c = ClipTo(x, y, width, height, m_surface->Width(), m_surface->Height());
    if (c.x0 >= c.x1 || c.y0 >= c.y1) return true;
    const std::size_t stride = static_cast<std::size_t>(m_surface->Width()) * 4;
    const std::size_t count = static_cast<std::size_t>(c.x1 - c.x0) * 4;
    for (int row = c.y0; row < c.y1; ++row) {
        std::memcpy(m_surface->Bits() + row * stride + static_cast<std::size_t>(c.x0) * 4,
                    buf + static_cast<std::size_t>(row - y) * rowBytes + static_cast<std::size_t>(c.x0 - x) * 4, count);
    }
    return true;
}
