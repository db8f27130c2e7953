#include "settings/CViewDlg.h"

#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "resource.h"
#include "wnd/Dpi.h"
#include "wnd/ResourceIcon.h"

INT_PTR CViewDlg::OnInitDialog() {
    // Small icons at the page's scale (the icons hold 16 and 32 pixel pictures).
    const int small = Dpi::Scale(16, Dpi::ForWindow(m_hwnd));
    m_dialogIcon = LoadResourceIcon(IDI_SETTINGS, small);
    ::SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_dialogIcon.get()));
    m_opacityIcon = LoadResourceIcon(IDI_OPACITY, small);
    ::SendDlgItemMessageW(m_hwnd, IDC_VIEW_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_opacityIcon.get()), 0);
    if (m_host) {
        CParam<int>& opaque = m_host->ViewOpacity();
        Bind(this, opaque, kParamEdit, IDC_VIEW_OPAQUE_EDIT);
        Bind(this, opaque, kParamTrackbar, IDC_VIEW_OPAQUE_TRACK);
        Bind(this, opaque, kParamUpDown, IDC_VIEW_OPAQUE_SPIN);
        // Takes effect at once; the icon's menu changes the same option, and the box follows.
        if (CParam<bool>* through = m_host->ClickThrough()) Bind(this, *through, kParamCheckBox, IDC_VIEW_CLICKTHROUGH);
    }
    return CSettingsPage::OnInitDialog();
}

INT_PTR CViewDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The live value goes back to the one the page opened with, before the bindings let go.
    if (wParam == IDCANCEL && m_host) {
        CParam<int>& opaque = m_host->ViewOpacity();
        opaque.Set(opaque.GetSaved());
    }
    return CSettingsPage::OnCommand(wParam, lParam);
}

void CViewDlg::OnDestroy() {
    ::SendDlgItemMessageW(m_hwnd, IDC_VIEW_ICON, STM_SETICON, 0, 0);
    ::SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, 0);
    m_opacityIcon.reset();
    m_dialogIcon.reset();
    CSettingsPage::OnDestroy();
}
