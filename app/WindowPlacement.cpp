#include "app/WindowPlacement.h"

#include "app/ScreenGeometry.h"
#include "param/CSettingsStore.h"
#include "view/ViewScale.h"
#include "wnd/Dpi.h"

#include <algorithm>
#include <utility>

namespace {

constexpr wchar_t kTopmost[] = L"topmost";
constexpr wchar_t kPlacement[] = L"plmnt";
static_assert(sizeof(WINDOWPLACEMENT) == 44, "the stored record is the 44-byte placement structure");

// The offset from workspace coordinates (in which placements of windows without the tool-window
// style are given) to screen coordinates.
POINT WorkspaceOffset(HWND window) {
    POINT offset = {0, 0};
    if (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return offset;
    const HMONITOR primary = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (primary && ::GetMonitorInfoW(primary, &info)) {
        offset.x = info.rcWork.left - info.rcMonitor.left;
        offset.y = info.rcWork.top - info.rcMonitor.top;
    }
    return offset;
}

}  // namespace

bool SaveWindowPlacement(CSettingsStore& store, HWND window, const tstr& section, const SIZE* storedSize) {
    const bool topmost = (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    store.WriteString(section, kTopmost, topmost ? L"1" : static_cast<const wchar_t*>(nullptr));
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!::GetWindowPlacement(window, &wp)) return false;
    if (storedSize) {
        wp.rcNormalPosition.right = wp.rcNormalPosition.left + storedSize->cx;
        wp.rcNormalPosition.bottom = wp.rcNormalPosition.top + storedSize->cy;
    }
    return store.WriteStruct(section, kPlacement, &wp, sizeof(wp));
}

bool SaveTemplateWindowPlacement(CSettingsStore& store, HWND window, const tstr& section) {
    const UINT dpi = Dpi::ForWindow(window);
    if (dpi == Dpi::kDefault) return SaveWindowPlacement(store, window, section);
    WINDOWPLACEMENT wp{};
    size_t read = 0;
    SIZE size{};
    if (store.ReadStruct(section, kPlacement, &wp, sizeof(wp), &read) && SanitizePlacement(wp, read)) {
        size = SIZE{wp.rcNormalPosition.right - wp.rcNormalPosition.left, wp.rcNormalPosition.bottom - wp.rcNormalPosition.top};
    } else {
        RECT rc{};
        ::GetWindowRect(window, &rc);
        const SViewScale scale = SViewScale::ForDpi(static_cast<int>(dpi));
        size = SIZE{scale.Unscale(rc.right - rc.left), scale.Unscale(rc.bottom - rc.top)};
    }
    return SaveWindowPlacement(store, window, section, &size);
}

bool HasWindowPlacement(const CSettingsStore& store, const tstr& section) {
    WINDOWPLACEMENT wp{};
    return store.ReadStruct(section, kPlacement, &wp, sizeof(wp));
}

bool SanitizePlacement(WINDOWPLACEMENT& wp, size_t bytesRead) {
    if (bytesRead != sizeof(wp) || wp.length != sizeof(wp)) return false;
    // Only the flags the system defines for placements.
    wp.flags &= WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED | WPF_ASYNCWINDOWPLACEMENT;
    // A hidden or unknown show command would leave the window unreachable: show it normally.
    if (wp.showCmd == SW_HIDE || wp.showCmd > SW_MAX) wp.showCmd = SW_SHOWNORMAL;
    RECT& r = wp.rcNormalPosition;
    if (r.right < r.left) std::swap(r.left, r.right);
    if (r.bottom < r.top) std::swap(r.top, r.bottom);
    return true;
}

bool RestoreWindowPlacement(CSettingsStore* store, HWND window, const tstr& section, bool keepSize,
                            EShowAs showAs) {
    if (!store) return false;
    RECT current{};
    if (keepSize) ::GetWindowRect(window, &current);

    tstr topmost;
    if (store->ReadString(section, kTopmost, topmost))
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    WINDOWPLACEMENT wp{};
    size_t read = 0;
    // A window shown normally (the desktop tree) never takes the activation: the user keeps the
    // keyboard, and an open menu stays open.
    const bool quiet = showAs == EShowAs::Normal;
    if (!store->ReadStruct(section, kPlacement, &wp, sizeof(wp), &read) || !SanitizePlacement(wp, read)) {
        ::ShowWindow(window, quiet ? SW_SHOWNA : SW_SHOW);
        return false;
    }

    RECT& r = wp.rcNormalPosition;
    // No display reaches this far; keeps the arithmetic below within range for garbled records.
    constexpr LONG kFar = 1000000;
    r.left = std::clamp(r.left, -kFar, kFar);
    r.top = std::clamp(r.top, -kFar, kFar);
    r.right = std::clamp(r.right, -kFar, kFar);
    r.bottom = std::clamp(r.bottom, -kFar, kFar);
    if (keepSize) {
        r.right = r.left + (current.right - current.left);
        r.bottom = r.top + (current.bottom - current.top);
    }

    // Bring a position that lies on no monitor (a detached display, a garbled record) back
    // where the user can reach the window.
    const POINT ws = WorkspaceOffset(window);
    RECT onScreen = {r.left + ws.x, r.top + ws.y, r.right + ws.x, r.bottom + ws.y};
    onScreen = ScreenGeometry::BringOntoNearestMonitor(onScreen, ScreenGeometry::MonitorWorkAreas());
    r = RECT{onScreen.left - ws.x, onScreen.top - ws.y, onScreen.right - ws.x, onScreen.bottom - ws.y};

    const UINT stored = showAs == EShowAs::Normal ? static_cast<UINT>(SW_SHOWNORMAL) : wp.showCmd;
    if (showAs == EShowAs::Normal) wp.flags &= ~static_cast<UINT>(WPF_RESTORETOMAXIMIZED);
    wp.showCmd = quiet ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL;
    ::SetWindowPlacement(window, &wp);
    if (stored != SW_SHOWNORMAL) ::ShowWindow(window, static_cast<int>(stored));
    return true;
}

bool KeepWindowOnScreen(HWND window) {
    RECT rc{};
    if (!window || !::GetWindowRect(window, &rc)) return false;
    const RECT to = ScreenGeometry::KeepOnScreen(rc, ScreenGeometry::MonitorWorkAreas());
    if (to.left == rc.left && to.top == rc.top) return false;
    return ::SetWindowPos(window, nullptr, to.left, to.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}
