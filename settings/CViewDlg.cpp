#include "settings/CViewDlg.h"

#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "resource.h"
#include "wnd/Dpi.h"
#include "wnd/ResourceIcon.h"
#include "wnd/ResourceText.h"

#include <commctrl.h>

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
        Bind(this, m_host->HideForFullScreen(), kParamCheckBox, IDC_VIEW_HIDE_FULLSCREEN);
        Bind(this, m_host->PauseOnBattery(), kParamCheckBox, IDC_VIEW_PAUSE_BATTERY);
        Bind(this, m_host->AnimateAnyway(), kParamCheckBox, IDC_VIEW_ANIMATE_ALWAYS);
        Bind(this, m_host->HideFromCapture(), kParamCheckBox, IDC_VIEW_NO_CAPTURE);
        if (!m_host->CanHideFromCapture()) {
            ::EnableWindow(::GetDlgItem(m_hwnd, IDC_VIEW_NO_CAPTURE), FALSE);
            AddCaptureTip();
        }
        // Takes effect at once; the icon's menu changes the same option, and the box follows.
        if (CParam<bool>* through = m_host->ClickThrough()) Bind(this, *through, kParamCheckBox, IDC_VIEW_CLICKTHROUGH);
    }
    return CSettingsPage::OnInitDialog();
}

bool CViewDlg::IsBehaviourOption(int id) noexcept {
    return id == IDC_VIEW_HIDE_FULLSCREEN || id == IDC_VIEW_PAUSE_BATTERY || id == IDC_VIEW_ANIMATE_ALWAYS ||
           id == IDC_VIEW_NO_CAPTURE;
}

void CViewDlg::AddCaptureTip() {
    // A greyed control hears no mouse: the tool is the control's rectangle on the page itself.
    // The tooltip's owner becomes the settings dialog; the page destroys it when it goes.
    m_tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, m_hwnd,
                              nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!m_tip) return;
    m_tipText = ResourceText(IDS_VIEW_NO_CAPTURE_TIP);
    const HWND box = ::GetDlgItem(m_hwnd, IDC_VIEW_NO_CAPTURE);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = m_hwnd;
    tool.uId = IDC_VIEW_NO_CAPTURE;
    ::GetWindowRect(box, &tool.rect);
    ::MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&tool.rect), 2);
    tool.lpszText = m_tipText.data();
    ::SendMessageW(m_tip, TTM_SETMAXTIPWIDTH, 0, 300);
    ::SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

INT_PTR CViewDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The live value goes back to the one the page opened with, before the bindings let go.
    if (wParam == IDCANCEL && m_host) {
        CParam<int>& opaque = m_host->ViewOpacity();
        opaque.Set(opaque.GetSaved());
        for (CParam<bool>* option : {&m_host->HideForFullScreen(), &m_host->PauseOnBattery(), &m_host->AnimateAnyway(),
                                     &m_host->HideFromCapture()})
            option->Set(option->GetSaved());
        m_host->ApplyViewOptions();
    }
    const INT_PTR result = CSettingsPage::OnCommand(wParam, lParam);
    // The binding has taken the new check state: the view follows at once.
    if (m_host && HIWORD(wParam) == BN_CLICKED && IsBehaviourOption(LOWORD(wParam))) m_host->ApplyViewOptions();
    return result;
}

void CViewDlg::OnDestroy() {
    ::SendDlgItemMessageW(m_hwnd, IDC_VIEW_ICON, STM_SETICON, 0, 0);
    ::SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, 0);
    m_opacityIcon.reset();
    if (m_tip) ::DestroyWindow(m_tip);
    m_tip = nullptr;
    m_dialogIcon.reset();
    CSettingsPage::OnDestroy();
}
