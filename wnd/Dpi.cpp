#include "wnd/Dpi.h"

#include "wnd/WindowServices.h"

namespace Dpi {

namespace {

UINT ScreenLogPixels() {
    const HDC screen = ::GetDC(nullptr);
    if (!screen) return kDefault;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefault;
}

}  // namespace

UINT ForSystem() {
    using Fn = UINT(WINAPI*)();
    static const Fn forSystem = WndServices::LookUp<Fn>(L"User32.dll", "GetDpiForSystem");  // Windows 10 1607
    if (forSystem) {
        if (const UINT dpi = forSystem()) return dpi;
    }
    return ScreenLogPixels();
}

UINT ForWindow(HWND window) {
    using WindowFn = UINT(WINAPI*)(HWND);
    static const WindowFn forWindow = WndServices::LookUp<WindowFn>(L"User32.dll", "GetDpiForWindow");  // Windows 10 1607
    if (window && forWindow) {
        if (const UINT dpi = forWindow(window)) return dpi;
    }
    // Windows 8.1: the window's monitor.
    return window ? ForMonitor(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) : ForSystem();
}

UINT ForMonitor(HMONITOR monitor) {
    // Windows 8.1: a monitor answers its own DPI under per-monitor awareness and the system's
    // otherwise. MDT_EFFECTIVE_DPI is 0.
    using MonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const MonitorFn forMonitor = WndServices::LookUp<MonitorFn>(L"Shcore.dll", "GetDpiForMonitor");
    if (monitor && forMonitor) {
        UINT x = 0, y = 0;
        if (SUCCEEDED(forMonitor(monitor, 0, &x, &y)) && x) return x;
    }
    return ForSystem();
}

int Scale(int value, UINT dpi) { return ::MulDiv(value, static_cast<int>(dpi), static_cast<int>(kDefault)); }

}  // namespace Dpi
