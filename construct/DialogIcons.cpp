#include "construct/DialogIcons.h"

namespace {
HICON LoadSmallIcon(int iconId) {
    return static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON, 16, 16, 0));
}
}  // namespace

void CDialogIcons::SetSmallIcon(HWND dialog, int iconId) {
    const HICON icon = LoadSmallIcon(iconId);
    if (!dialog || !icon) {
        if (icon) ::DestroyIcon(icon);
        return;
    }
    ::SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    m_placed.push_back({dialog, 0, icon});
}

void CDialogIcons::SetControlIcon(HWND dialog, int controlId, int iconId) {
    const HWND control = ::GetDlgItem(dialog, controlId);
    const HICON icon = LoadSmallIcon(iconId);
    if (!control || !icon) {
        if (icon) ::DestroyIcon(icon);
        return;
    }
    // The icon the template named is shared by the system; only ours is destroyed later.
    ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    m_placed.push_back({dialog, controlId, icon});
}

void CDialogIcons::Release() {
    for (const SPlaced& p : m_placed) {
        if (::IsWindow(p.window)) {
            if (p.controlId == 0) {
                if (reinterpret_cast<HICON>(::SendMessageW(p.window, WM_GETICON, ICON_SMALL, 0)) == p.icon)
                    ::SendMessageW(p.window, WM_SETICON, ICON_SMALL, 0);
            } else if (const HWND control = ::GetDlgItem(p.window, p.controlId)) {
                if (reinterpret_cast<HICON>(::SendMessageW(control, STM_GETICON, 0, 0)) == p.icon)
                    ::SendMessageW(control, STM_SETICON, 0, 0);
            }
        }
        ::DestroyIcon(p.icon);
    }
    m_placed.clear();
}
