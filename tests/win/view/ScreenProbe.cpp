#include "ScreenProbe.h"

#include "wnd/Handles.h"

#include <cstring>

std::vector<std::uint32_t> CaptureScreen(int x, int y, int w, int h) {
    std::vector<std::uint32_t> out;
    if (w <= 0 || h <= 0) return out;
    CWindowDc screen(nullptr);
    CUniqueDc mem(::CreateCompatibleDC(screen.get()));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CUniqueBitmap dib(::CreateDIBSection(mem.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) return out;
    {
        CSelectObject sel(mem.get(), dib.get());
        ::BitBlt(mem.get(), 0, 0, w, h, screen.get(), x, y, SRCCOPY);
        ::GdiFlush();
    }
    out.resize(static_cast<std::size_t>(w) * h);
    std::memcpy(out.data(), bits, out.size() * 4);
    for (std::uint32_t& px : out) px &= 0x00FFFFFF;
    return out;
}

void PumpMessages(DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(1);
    } while (::GetTickCount64() < end);
}
