#include "SettingsTestSupport.h"

#include "XInput.h"
#include "app/FactoryClasses.h"

#include <commctrl.h>

CFakeSettingsHost::CFakeSettingsHost() {
    opaque.SetRange(10, 100);
    opaque.Set(75);
    num.SetRange(0, 50);
    num.Set(25);
    freq.SetRange(0, 100);
    freq.Set(50);
    size.SetRange(20, 200);
    size.Set(100);
    gradient.Set(119);
    autostart.Set(false);
    placement.Set(2);
}

namespace settings_test {

void Prepare() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&icc);
    RegisterFactoryWindowClasses();
}

void Pump(HWND dialog, DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog && ::IsWindow(dialog) && ::IsDialogMessageW(dialog, &msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(1);
    } while (::GetTickCount64() < end);
}

namespace {
struct SPumpFor {
    HWND dialog;
};
void PumpDialog(void* p) { Pump(static_cast<SPumpFor*>(p)->dialog, 1); }
}  // namespace

void Keys(HWND dialog, const std::wstring& keys) {
    SPumpFor ctx{dialog};
    Xdo(keys, 400, &PumpDialog, &ctx);
    Pump(dialog, 100);
}

std::wstring ClickArgs(HWND control, POINT client) { return MoveTo(control, client) + L"click 1 "; }

void Click(HWND dialog, HWND control, POINT client) { Keys(dialog, ClickArgs(control, client)); }

void ClickCentre(HWND dialog, HWND control) {
    RECT rc{};
    ::GetClientRect(control, &rc);
    Click(dialog, control, POINT{rc.right / 2, rc.bottom / 2});
}

bool XdoAsync(const std::wstring& args) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"xdotool " + args;
    // Wine starts the host program without a Windows process: the handles are not ours to close.
    return ::CreateProcessW(L"Z:\\usr\\bin\\xdotool", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &pi) != FALSE;
}

POINT TabCentre(HWND tabs, int i) {
    RECT rc{};
    ::SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

std::string VisiblePages(const CSettingsDlg& dlg) {
    std::string out;
    for (int i = 0; i < dlg.PageCount(); ++i) {
        const HWND page = dlg.PageWindow(i);
        out += page && ::IsWindowVisible(page) ? '1' : '0';
    }
    return out;
}

std::uint32_t ScreenPixel(int x, int y) {
    const HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

std::vector<std::uint32_t> CaptureScreen(int x, int y, int w, int h) {
    std::vector<std::uint32_t> out(static_cast<size_t>(w) * static_cast<size_t>(h));
    const HDC screen = ::GetDC(nullptr);
    const HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        const HGDIOBJ old = ::SelectObject(mem, dib);
        ::BitBlt(mem, 0, 0, w, h, screen, x, y, SRCCOPY);
        ::GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        for (size_t i = 0; i < out.size(); ++i) out[i] = p[i] & 0xFFFFFF;
        ::SelectObject(mem, old);
    }
    if (dib) ::DeleteObject(dib);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return out;
}

}  // namespace settings_test

CShownSettings::CShownSettings(ISettingsHost* host) : CShownSettings(host, CSettingsDlg::DefaultPages()) {}

CShownSettings::CShownSettings(ISettingsHost* host, std::span<const SSettingsPageSpec> pages) : dlg(host, pages) {
    settings_test::Prepare();
    hwnd = dlg.Create(nullptr, CSettingsDlg::kTemplateId, nullptr);
    if (!hwnd) return;
    ::SetWindowPos(hwnd, HWND_TOP, 100, 60, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(hwnd);
    settings_test::Pump(hwnd, 150);
}

CShownSettings::~CShownSettings() {
    if (hwnd && ::IsWindow(hwnd)) ::DestroyWindow(hwnd);
    settings_test::Pump(nullptr, 20);
}

bool CShownSettings::ShowTab(int i) {
    settings_test::Click(hwnd, Tabs(), settings_test::TabCentre(Tabs(), i));
    return settings_test::PumpUntil(hwnd, [&] {
        const HWND page = dlg.PageWindow(i);
        return page && ::IsWindowVisible(page);
    });
}
