#include "construct/CanvasPixels.h"

#include "scene/CBmp.h"
#include "scene/win/DcPixels.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct SDirect {
    std::uint8_t* bits;
    int width;
    int height;
    POINT origin;
};

// Live section canvases of this (user-interface) thread, found by their device context.
std::vector<const CSectionCanvas*>& Canvases() {
    static std::vector<const CSectionCanvas*> list;
    return list;
}

// The memory of the section canvas that dc belongs to.
bool Direct(HDC dc, SDirect& out) {
    for (const CSectionCanvas* canvas : Canvases()) {
        if (canvas->Dc() != dc) continue;
        POINT origin{};
        ::GetViewportOrgEx(dc, &origin);
        ::GdiFlush();  // finish GDI's batched drawing before touching the memory
        out = SDirect{canvas->Bits(), canvas->Width(), canvas->Height(), origin};
        return true;
    }
    return false;
}

// Visits every row piece of the rectangle that lies on the canvas.
template <class Fn>
void ForRows(const SDirect& d, int x, int y, int width, int height, Fn fn) {
    const int left = x + d.origin.x;
    const int top = y + d.origin.y;
    const int x0 = left < 0 ? 0 : left;
    const int x1 = left + width > d.width ? d.width : left + width;
    if (x1 <= x0) return;
    for (int row = 0; row < height; ++row) {
        const int cy = top + row;
        if (cy < 0 || cy >= d.height) continue;
        std::uint8_t* canvas = d.bits + (static_cast<std::size_t>(cy) * d.width + x0) * 4;
        const std::size_t offset = (static_cast<std::size_t>(row) * width + (x0 - left)) * 4;
        fn(canvas, offset, static_cast<std::size_t>(x1 - x0) * 4);
    }
}

}  // namespace

bool ReadCanvasPixels(HDC dc, int x, int y, int width, int height, std::uint8_t* buf) {
    if (!dc || !buf || width <= 0 || height <= 0) return false;
    SDirect d{};
    if (!Direct(dc, d)) return ReadDcPixels(dc, x, y, width, height, buf);
    std::memset(buf, 0, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    ForRows(d, x, y, width, height,
            [buf](std::uint8_t* canvas, std::size_t offset, std::size_t bytes) { std::memcpy(buf + offset, canvas, bytes); });
    return true;
}

bool WriteCanvasPixels(HDC dc, int x, int y, int width, int height, const std::uint8_t* buf) {
    if (!dc || !buf || width <= 0 || height <= 0) return false;
    SDirect d{};
    if (!Direct(dc, d)) return WriteDcPixels(dc, x, y, width, height, buf);
    ForRows(d, x, y, width, height,
            [buf](std::uint8_t* canvas, std::size_t offset, std::size_t bytes) { std::memcpy(canvas, buf + offset, bytes); });
    return true;
}

CSectionCanvas::~CSectionCanvas() {
    auto& list = Canvases();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (m_dc && m_previous) ::SelectObject(m_dc.get(), m_previous);  // the bitmap can then be deleted
}

bool CSectionCanvas::Create(HDC like, int width, int height) {
    if (m_dc || !CBmp::IsAcceptableSize(width, height)) return false;
    m_dc.reset(::CreateCompatibleDC(like));
    BITMAPINFO bi = TopDown32(width, height);
    void* bits = nullptr;
    m_bitmap.reset(::CreateDIBSection(m_dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_dc || !m_bitmap || !bits) {
        m_bitmap.reset();
        m_dc.reset();
        return false;
    }
    m_previous = ::SelectObject(m_dc.get(), m_bitmap.get());
    m_bits = static_cast<std::uint8_t*>(bits);
    Canvases().push_back(this);
    m_width = width;
    m_height = height;
    return true;
}

bool CSectionCanvas::CopyTo(HDC target, int x, int y) const {
    return m_dc && ::BitBlt(target, x, y, m_width, m_height, m_dc.get(), 0, 0, SRCCOPY) != FALSE;
}
