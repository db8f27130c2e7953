#include "scene/CPixSurface.h"

#include "scene/CBmp.h"

#include <new>

bool CPixSurface::Create(int width, int height) {
    Free();
    if (!CBmp::IsAcceptableSize(width, height)) return false;
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    m_bits.reset(new (std::nothrow) std::uint8_t[bytes]());
    if (!m_bits) return false;
    m_width = width;
    m_height = height;
    m_size = static_cast<int>(bytes);
    return true;
}

void CPixSurface::Free() noexcept {
    m_bits.reset();
    m_width = m_height = m_size = 0;
}

std::uint32_t CPixSurface::PixelAt(int x, int y) const noexcept {
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    const std::uint8_t* p = m_bits.get() + (static_cast<std::size_t>(y) * m_width + x) * 4;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void CPixSurface::Fill(std::uint32_t pixel) noexcept {
    std::uint8_t* p = m_bits.get();
    for (int i = 0; i < m_size; i += 4) {
        p[i] = static_cast<std::uint8_t>(pixel);
        p[i + 1] = static_cast<std::uint8_t>(pixel >> 8);
        p[i + 2] = static_cast<std::uint8_t>(pixel >> 16);
        p[i + 3] = static_cast<std::uint8_t>(pixel >> 24);
    }
}
