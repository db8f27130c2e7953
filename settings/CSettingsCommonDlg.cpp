#include "settings/CSettingsCommonDlg.h"

#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "resource.h"

#include <commctrl.h>

#include <string>

INT_PTR CSettingsCommonDlg::OnInitDialog() {
    if (m_host) m_host->RefreshAutostart();
    const HWND combo = ::GetDlgItem(m_hwnd, IDC_COMMON_PLACEMENT);
    ::SendMessageW(combo, CB_SETDROPPEDWIDTH, kDroppedWidth, 0);
    const UINT texts[] = {IDS_START_SHOW, IDS_START_MINIMIZE, IDS_START_AS_LAST};
    for (int data = 0; data < 3; ++data) {
        const wchar_t* text = nullptr;
        const int length = ::LoadStringW(::GetModuleHandleW(nullptr), texts[data], reinterpret_cast<LPWSTR>(&text), 0);
        const std::wstring entry = length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
        const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        if (index >= 0) ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    }
    if (m_host) {
        Bind(this, m_host->AutostartFlag(), kParamCheckBox, IDC_COMMON_AUTOSTART);
        Bind(this, m_host->StartPlacement(), kParamComboData, IDC_COMMON_PLACEMENT);
    }
    const HWND hotkey = ::GetDlgItem(m_hwnd, IDC_COMMON_HOTKEY);
    if (CParam<unsigned int>* hide = m_host ? m_host->HideHotkey() : nullptr) {
        hide->Snapshot();
        // A key without Ctrl or Alt would be taken from every program's typing: Ctrl+Alt is added.
        ::SendMessageW(hotkey, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
        ::SendMessageW(hotkey, HKM_SETHOTKEY, hide->Get() & 0xFFFF, 0);
        ShowHotkeyState();
    } else {
        ::EnableWindow(hotkey, FALSE);
    }
    return CSettingsPage::OnInitDialog();
}

INT_PTR CSettingsCommonDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam == IDOK && m_host) m_host->ApplyAutostart();
    CParam<unsigned int>* hide = m_host ? m_host->HideHotkey() : nullptr;
    if (hide && LOWORD(wParam) == IDC_COMMON_HOTKEY && HIWORD(wParam) == EN_CHANGE) {
        hide->Set(static_cast<unsigned int>(::SendDlgItemMessageW(m_hwnd, IDC_COMMON_HOTKEY, HKM_GETHOTKEY, 0, 0) & 0xFFFF));
        ShowHotkeyState();
    } else if (hide && wParam == IDCANCEL) {
        hide->Set(hide->GetSaved());
    }
    return CSettingsPage::OnCommand(wParam, lParam);
}

void CSettingsCommonDlg::ShowHotkeyState() {
    const HWND status = ::GetDlgItem(::GetParent(m_hwnd), IDC_SETTINGS_STATUS);
    if (!status || !m_host) return;
    const wchar_t* text = nullptr;
    const int length = m_host->HideHotkeyRefused()
                           ? ::LoadStringW(::GetModuleHandleW(nullptr), IDS_HOTKEY_TAKEN, reinterpret_cast<LPWSTR>(&text), 0)
                           : 0;
    const std::wstring shown = length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
    ::SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(shown.c_str()));
}
