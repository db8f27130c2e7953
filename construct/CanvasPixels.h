// Pixel access to a drawing canvas for the pane and the toolbar. When the device context is that
// of a live CSectionCanvas (the canvases these controls paint on), pixels are copied straight
// from and to its memory, honouring the viewport origin; any other context goes through the
// temporary-section path of DcPixels.
#pragma once

#include "wnd/Handles.h"

#include <windows.h>

#include <cstdint>

// Copies the rectangle (x, y, width, height) in logical coordinates into buf (top-down BGRA);
// parts outside the canvas read as transparent black on the direct path.
bool ReadCanvasPixels(HDC dc, int x, int y, int width, int height, std::uint8_t* buf);
// Writes buf to the rectangle; parts outside the canvas are dropped on the direct path.
bool WriteCanvasPixels(HDC dc, int x, int y, int width, int height, const std::uint8_t* buf);
// A canvas of width x height backed by a DIB section, drawn on through Dc().
class CSectionCanvas {
public:
    CSectionCanvas() noexcept = default;
    ~CSectionCanvas();
    CSectionCanvas(const CSectionCanvas&) = delete;
    CSectionCanvas& operator=(const CSectionCanvas&) = delete;
    bool Create(HDC like, int width, int height);
    HDC Dc() const noexcept { return m_dc.get(); }
    std::uint8_t* Bits() const noexcept { return m_bits; }
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    // Copies the whole canvas to target at (x, y).
    bool CopyTo(HDC target, int x, int y) const;

private:
    CUniqueDc m_dc;
    CUniqueBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;  // the context's own bitmap while ours is selected (not owned)
    std::uint8_t* m_bits = nullptr;  // the section's pixels (owned by m_bitmap)
    int m_width = 0;
    int m_height = 0;
};
