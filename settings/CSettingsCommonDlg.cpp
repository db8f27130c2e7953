#include "settings/CSettingsCommonDlg.h"

#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "resource.h"

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
    return CSettingsPage::OnInitDialog();
}

INT_PTR CSettingsCommonDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam == IDOK && m_host) m_host->ApplyAutostart();
    return CSettingsPage::OnCommand(wParam, lParam);
}
