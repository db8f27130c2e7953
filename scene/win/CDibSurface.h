// CDibSurface: a 32-bit top-down pixel buffer that trades pixels with device contexts. Made
// either as a plain buffer (Create) or as a DIB section selected into its own memory context
// (CreateSection), whose Dc() can be drawn on by GDI and handed to UpdateLayeredWindow.
#pragma once

#include "wnd/Handles.h"

#include <cstdint>
#include <memory>

class CDibSurface {
public:
    CDibSurface() noexcept = default;
    ~CDibSurface() { Free(); }
    CDibSurface(const CDibSurface&) = delete;
    CDibSurface& operator=(const CDibSurface&) = delete;

    // A zero-filled buffer of width x height; false (and freed) when refused or out of memory.
    bool Create(int width, int height);
    // A zero-filled DIB section of width x height selected into a memory context.
    bool CreateSection(int width, int height);
    // Selects the original bitmap back, deletes bitmap and context, frees the buffer.
    void Free() noexcept;

    bool IsEmpty() const noexcept { return m_bits == nullptr; }
    std::uint8_t* Bits() noexcept { return m_bits; }
    const std::uint8_t* Bits() const noexcept { return m_bits; }
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    int ByteSize() const noexcept { return m_size; }
    HDC Dc() const noexcept { return m_dc.get(); }  // null for a plain buffer
    HBITMAP Bitmap() const noexcept { return m_bitmap.get(); }

    // Sets every pixel to the word 0xAARRGGBB.
    void Fill(std::uint32_t pixel) noexcept;
    // Copies the surface-sized rectangle at (x, y) of dc into the buffer.
    bool GrabFrom(HDC dc, int x, int y);
    // Writes the buffer to dc at (x, y) unblended.
    bool DrawOpaque(HDC dc, int x, int y) const;

private:
    std::unique_ptr<std::uint8_t[]> m_own;  // plain buffer, when not a section
    std::uint8_t* m_bits = nullptr;         // the pixels: m_own or the section's bits
    int m_width = 0;
    int m_height = 0;
    int m_size = 0;
    CUniqueDc m_dc;
    CUniqueBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;  // the context's own bitmap while ours is selected (not owned)
};
