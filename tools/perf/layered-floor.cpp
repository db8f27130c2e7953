// The floor for a desktop decoration's running cost under Wine: a topmost per-pixel-alpha layered
// window of a given size whose picture changes every 35 ms, shown with UpdateLayeredWindow and
// nothing else (no other window, no other timer, no allocation per tick).
//   x86_64-w64-mingw32-g++ -O2 -municode -mwindows -static layered-floor.cpp -o layered-floor.exe
//   layered-floor.exe [WIDTH HEIGHT [MASK]]   (default 193 250, the default tree's size)
// MASK names a file of WIDTH x HEIGHT bytes, row by row: where a byte is 0 the picture is fully
// transparent. Under Wine's X11 driver a window with per-pixel alpha is given a shape made from the
// runs of pixels that are not fully transparent, anew on every update, so the picture's outline
// costs time of its own; with the tree's outline the floor pays that as the tree's window does.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr UINT_PTR kTimer = 1;
constexpr UINT kPeriodMs = 35;

struct SFloor {
    int w = 193, h = 250;
    HDC memDc = nullptr;
    uint32_t* bits = nullptr;
    unsigned tick = 0;
    std::vector<unsigned char> mask;  // empty: the whole picture is opaque
};
SFloor g;

// A premultiplied picture that differs every tick: a band of light moving down an opaque body.
void Paint() {
    const int band = static_cast<int>(g.tick % static_cast<unsigned>(g.h));
    for (int y = 0; y < g.h; ++y) {
        const uint32_t a = (y == band || y == band + 1) ? 255u : 192u;
        const uint32_t c = (a * static_cast<uint32_t>(y * 255 / g.h)) / 255u;
        const uint32_t px = (a << 24) | (c << 16) | (c << 8) | (a / 2);
        uint32_t* row = g.bits + static_cast<size_t>(y) * static_cast<size_t>(g.w);
        const unsigned char* shape = g.mask.empty() ? nullptr : g.mask.data() + static_cast<size_t>(y) * static_cast<size_t>(g.w);
        for (int x = 0; x < g.w; ++x) row[x] = (!shape || shape[x]) ? px : 0u;
    }
    ++g.tick;
}

void Show(HWND wnd) {
    Paint();
    POINT src{0, 0};
    SIZE size{g.w, g.h};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(wnd, nullptr, nullptr, &size, g.memDc, &src, 0, &blend, ULW_ALPHA);
}

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_TIMER && w == kTimer) {
        Show(h);
        return 0;
    }
    if (m == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR cmd, int) {
    int w = 0, h = 0;
    int used = 0;
    if (cmd && std::swscanf(cmd, L"%d %d %n", &w, &h, &used) == 2 && w > 0 && h > 0 && w <= 4096 && h <= 4096) {
        g.w = w;
        g.h = h;
        // A mask of the wrong size is not used.
        if (cmd[used] != L'\0') {
            if (FILE* file = _wfopen(cmd + used, L"rb")) {
                g.mask.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
                if (std::fread(g.mask.data(), 1, g.mask.size(), file) != g.mask.size() || std::fgetc(file) != EOF) g.mask.clear();
                std::fclose(file);
            }
        }
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = g.w;
    bi.bmiHeader.biHeight = -g.h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) return 1;
    g.bits = static_cast<uint32_t*>(bits);
    g.memDc = ::CreateCompatibleDC(nullptr);
    ::SelectObject(g.memDc, dib);

    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = inst;
    wc.lpszClassName = L"layered-floor";
    ::RegisterClassW(&wc);
    HWND wnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"layered-floor", L"layered-floor",
                                 WS_POPUP, 100, 100, g.w, g.h, nullptr, nullptr, inst, nullptr);
    if (!wnd) return 1;
    Show(wnd);
    ::ShowWindow(wnd, SW_SHOWNOACTIVATE);
    ::SetTimer(wnd, kTimer, kPeriodMs, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
