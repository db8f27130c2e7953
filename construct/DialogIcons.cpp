#include "construct/DialogIcons.h"

#include "wnd/Dpi.h"
#include "wnd/ResourceIcon.h"

#include <utility>

namespace {

// A small icon at the dialog's scale (the icons hold 16 and 32 pixel pictures).
CUniqueIcon SmallIcon(HWND dialog, int iconId) {
    return LoadResourceIcon(static_cast<UINT>(iconId), Dpi::Scale(16, Dpi::ForWindow(dialog)));
}

}  // namespace

void CDialogIcons::SetSmallIcon(HWND dialog, int iconId) {
    CUniqueIcon icon = SmallIcon(dialog, iconId);
    if (!dialog || !icon) return;
    ::SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
    m_placed.push_back({dialog, 0, std::move(icon)});
}

void CDialogIcons::SetControlIcon(HWND dialog, int controlId, int iconId) {
    const HWND control = ::GetDlgItem(dialog, controlId);
    CUniqueIcon icon = SmallIcon(dialog, iconId);
    if (!control || !icon) return;
    // The icon the template named is shared by the system; only ours is destroyed later.
    ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    m_placed.push_back({dialog, controlId, std::move(icon)});
}

void CDialogIcons::Release() {
    for (const SPlaced& p : m_placed) {
        if (::IsWindow(p.window)) {
            if (p.controlId == 0) {
                if (reinterpret_cast<HICON>(::SendMessageW(p.window, WM_GETICON, ICON_SMALL, 0)) == p.icon.get())
                    ::SendMessageW(p.window, WM_SETICON, ICON_SMALL, 0);
            } else if (const HWND control = ::GetDlgItem(p.window, p.controlId)) {
                if (reinterpret_cast<HICON>(::SendMessageW(control, STM_GETICON, 0, 0)) == p.icon.get())
                    ::SendMessageW(control, STM_SETICON, 0, 0);
            }
        }
    }
    m_placed.clear();  // destroys the icons
}
