#include "scene/win/DcPixels.h"

#include "scene/CBmp.h"
#include "scene/CDrawTarget.h"
#include "wnd/Handles.h"

#include <cstring>

namespace {

// A memory context holding a width x height DIB section; bits points at its pixels.
struct STempSection {
    CUniqueDc dc;
    CUniqueBitmap bitmap;
    void* bits = nullptr;

    bool Create(HDC like, int width, int height) {
        if (!CBmp::IsAcceptableSize(width, height)) return false;
        BITMAPINFO bi = TopDown32(width, height);
        dc.reset(::CreateCompatibleDC(like));
        bitmap.reset(::CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        return dc && bitmap && bits;
    }
};

std::size_t Bytes(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
}

bool ReadOp(HDC__* dc, int x, int y, int width, int height, std::uint8_t* buf) {
    return ReadDcPixels(dc, x, y, width, height, buf);
}
bool WriteOp(HDC__* dc, int x, int y, int width, int height, const std::uint8_t* buf) {
    return WriteDcPixels(dc, x, y, width, height, buf);
}
const CDrawTarget::SDcOps kDcOps = {&ReadOp, &WriteOp};

}  // namespace

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

bool ReadDcPixels(HDC dc, int x, int y, int width, int height, std::uint8_t* buf) {
    if (!dc || !buf) return false;
    STempSection temp;
    if (!temp.Create(dc, width, height)) return false;
    bool ok;
    {
        CSelectObject select(temp.dc.get(), temp.bitmap.get());
        ok = ::BitBlt(temp.dc.get(), 0, 0, width, height, dc, x, y, SRCCOPY) != FALSE;
        ::GdiFlush();
    }
    if (ok) std::memcpy(buf, temp.bits, Bytes(width, height));
    return ok;
}

bool WriteDcPixels(HDC dc, int x, int y, int width, int height, const std::uint8_t* buf) {
    if (!dc || !buf) return false;
    STempSection temp;
    if (!temp.Create(dc, width, height)) return false;
    std::memcpy(temp.bits, buf, Bytes(width, height));
    CSelectObject select(temp.dc.get(), temp.bitmap.get());
    return ::BitBlt(dc, x, y, width, height, temp.dc.get(), 0, 0, SRCCOPY) != FALSE;
}

CDrawTarget::CDrawTarget(HDC__* dc) noexcept : m_mode(kDc), m_dc(dc), m_dcOps(&kDcOps) {}

void CBmp::DrawAlpha(HDC__* dc, int x, int y) const {
    CDrawTarget target(dc);
    DrawAlpha(target, x, y);
}
