// CDcCanvas: a drawing canvas over a device context, either a memory context with a compatible
// bitmap (for double-buffered painting: draw at (0, 0), then CopyTo the remembered rectangle) or
// a window's own context. Objects selected through it are selected back on Release.
#pragma once

#include "wnd/Handles.h"

#include <memory>
#include <vector>

class CDcCanvas {
public:
    CDcCanvas() noexcept = default;
    ~CDcCanvas() { Release(); }
    CDcCanvas(const CDcCanvas&) = delete;
    CDcCanvas& operator=(const CDcCanvas&) = delete;

    // A memory canvas compatible with target, of width x height (rectangle (0, 0, width, height)).
    bool Create(HDC target, int width, int height);
    // A memory canvas of the rectangle's size that remembers the rectangle.
    bool Create(HDC target, const RECT& rect);
    // The window's own device context (released on Release).
    bool AttachWindow(HWND hwnd);

    HDC Dc() const noexcept;
    const RECT& Rect() const noexcept { return m_rect; }
    int Width() const noexcept { return m_rect.right - m_rect.left; }
    int Height() const noexcept { return m_rect.bottom - m_rect.top; }

    // Copies the canvas to dst at the remembered rectangle (SRCCOPY).
    bool CopyTo(HDC dst) const;
    // Selects obj into the canvas; the previous object is selected back on Release.
    void Select(HGDIOBJ obj);
    // Restores selected objects, deletes the memory context or releases the window's, deletes the bitmap.
    void Release() noexcept;

private:
    CUniqueDc m_memory;
    CUniqueBitmap m_bitmap;
    std::unique_ptr<CWindowDc> m_window;
    std::vector<HGDIOBJ> m_previous;  // objects to select back, most recent last (not owned)
    RECT m_rect{};
};
