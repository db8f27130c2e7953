#include "scene/win/CDibSurface.h"

#include "scene/CBmp.h"
#include "scene/win/DcPixels.h"

#include <cstring>
#include <new>

bool CDibSurface::Create(int width, int height) {
    Free();
    if (!CBmp::IsAcceptableSize(width, height)) return false;
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    m_own.reset(new (std::nothrow) std::uint8_t[bytes]());
    if (!m_own) return false;
    m_bits = m_own.get();
    m_width = width;
    m_height = height;
    m_size = static_cast<int>(bytes);
    return true;
}

bool CDibSurface::CreateSection(int width, int height) {
    Free();
    if (!CBmp::IsAcceptableSize(width, height)) return false;
    BITMAPINFO bi = TopDown32(width, height);
    void* bits = nullptr;
    m_dc.reset(::CreateCompatibleDC(nullptr));
    m_bitmap.reset(::CreateDIBSection(m_dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_dc || !m_bitmap || !bits) {
        Free();
        return false;
    }
    m_previous = ::SelectObject(m_dc.get(), m_bitmap.get());
    m_bits = static_cast<std::uint8_t*>(bits);
    m_width = width;
    m_height = height;
    m_size = width * height * 4;
    std::memset(m_bits, 0, static_cast<std::size_t>(m_size));
    return true;
}

void CDibSurface::Free() noexcept {
    if (m_dc && m_previous) ::SelectObject(m_dc.get(), m_previous);
    m_previous = nullptr;
    m_bitmap.reset();
    m_dc.reset();
    m_own.reset();
    m_bits = nullptr;
    m_width = m_height = m_size = 0;
}

void CDibSurface::Fill(std::uint32_t pixel) noexcept {
    if (m_dc) ::GdiFlush();
    for (int i = 0; i < m_size; i += 4) {
        m_bits[i] = static_cast<std::uint8_t>(pixel);
        m_bits[i + 1] = static_cast<std::uint8_t>(pixel >> 8);
        m_bits[i + 2] = static_cast<std::uint8_t>(pixel >> 16);
        m_bits[i + 3] = static_cast<std::uint8_t>(pixel >> 24);
    }
}

bool CDibSurface::GrabFrom(HDC dc, int x, int y) {
    if (IsEmpty()) return false;
    if (m_dc) ::GdiFlush();
    return ReadDcPixels(dc, x, y, m_width, m_height, m_bits);
}

bool CDibSurface::DrawOpaque(HDC dc, int x, int y) const {
    if (IsEmpty()) return false;
    if (m_dc) ::GdiFlush();
    return WriteDcPixels(dc, x, y, m_width, m_height, m_bits);
}
