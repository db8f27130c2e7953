// CPixSurface: a bare pixel buffer (the CBmp pixel format) used as an off-screen drawing target
// without a device context. Zero-filled on creation; owns its buffer.
#pragma once

#include <cstdint>
#include <memory>

class CPixSurface {
public:
    CPixSurface() noexcept = default;
    CPixSurface(CPixSurface&&) noexcept = default;
    CPixSurface& operator=(CPixSurface&&) noexcept = default;
    CPixSurface(const CPixSurface&) = delete;
    CPixSurface& operator=(const CPixSurface&) = delete;

    // Allocates width x height transparent-black pixels. False, leaving all fields 0, when the size
    // is refused (see CBmp::IsAcceptableSize) or the buffer cannot be allocated.
    bool Create(int width, int height);
    void Free() noexcept;

    bool IsEmpty() const noexcept { return !m_bits; }
    std::uint8_t* Bits() noexcept { return m_bits.get(); }
    const std::uint8_t* Bits() const noexcept { return m_bits.get(); }
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    int ByteSize() const noexcept { return m_size; }
    // Pixel (x, y) as the word 0xAARRGGBB; 0 outside.
    std::uint32_t PixelAt(int x, int y) const noexcept;
    // Sets every pixel to the word 0xAARRGGBB.
    void Fill(std::uint32_t pixel) noexcept;

private:
    std::unique_ptr<std::uint8_t[]> m_bits;
    int m_width = 0;
    int m_height = 0;
    int m_size = 0;
};
