#include "wnd/SystemColours.h"

namespace sys_colours {

namespace {
int g_forced = -1;
}  // namespace

void ForceHighContrast(int on) noexcept { g_forced = on; }

bool HighContrast() noexcept {
    if (g_forced >= 0) return g_forced != 0;
    HIGHCONTRASTW hc{};
    hc.cbSize = sizeof(hc);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

bool IsColourChange(UINT msg, WPARAM wParam) noexcept {
    return msg == WM_THEMECHANGED || msg == WM_SYSCOLORCHANGE ||
           (msg == WM_SETTINGCHANGE && (wParam == SPI_SETHIGHCONTRAST || wParam == 0));
}

}  // namespace sys_colours
