#include "settings/CSettingsCommonDlg.h"

#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "resource.h"
#include "wnd/ResourceText.h"

#include <commctrl.h>

#include <string>

INT_PTR CSettingsCommonDlg::OnInitDialog() {
    if (m_host) m_host->RefreshAutostart();
    const HWND combo = ::GetDlgItem(m_hwnd, IDC_COMMON_PLACEMENT);
    ::SendMessageW(combo, CB_SETDROPPEDWIDTH, kDroppedWidth, 0);
    const UINT texts[] = {IDS_START_SHOW, IDS_START_MINIMIZE, IDS_START_AS_LAST};
    for (int data = 0; data < 3; ++data) {
        const std::wstring entry = ResourceText(texts[data]);
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
    FillTrees();
    return CSettingsPage::OnInitDialog();
}

void CSettingsCommonDlg::FillTrees() {
    const HWND list = ::GetDlgItem(m_hwnd, IDC_COMMON_TREES);
    m_trees = m_host ? m_host->TreeList() : std::vector<std::wstring>();
    m_shown = m_host ? m_host->ShownTree() : std::wstring();
    const std::wstring pattern = ResourceText(IDS_COMMON_TREE_SHOWN, L"%s (shown)");
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < m_trees.size(); ++i) {
        const bool shown = m_trees[i] == m_shown;
        std::wstring line = m_trees[i];
        if (shown) {
            const size_t at = pattern.find(L"%s");
            line = at == std::wstring::npos ? m_trees[i] : pattern.substr(0, at) + m_trees[i] + pattern.substr(at + 2);
        }
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        if (shown) ::SendMessageW(list, LB_SETCURSEL, i, 0);
    }
    // Without trees (a host that keeps none) the group stays, greyed.
    const bool trees = !m_trees.empty();
    const int controls[] = {IDC_COMMON_TREES,        IDC_COMMON_TREE_SHOW,  IDM_TRAY_TREE_NEW,   IDM_TRAY_TREE_DUPLICATE,
                            IDM_TRAY_TREE_RENAME,    IDM_TRAY_TREE_DELETE,  IDM_TRAY_TREE_IMPORT, IDM_TRAY_TREE_EXPORT};
    for (const int id : controls) ::EnableWindow(::GetDlgItem(m_hwnd, id), trees);
    ::EnableWindow(::GetDlgItem(m_hwnd, IDC_COMMON_TREE_SHOW), trees && ChosenTree() != m_shown);
}

std::wstring CSettingsCommonDlg::ChosenTree() const {
    const LRESULT index = ::SendDlgItemMessageW(m_hwnd, IDC_COMMON_TREES, LB_GETCURSEL, 0, 0);
    return index >= 0 && static_cast<size_t>(index) < m_trees.size() ? m_trees[static_cast<size_t>(index)] : std::wstring();
}

void CSettingsCommonDlg::RunTreeCommand(unsigned command) {
    if (command == IDC_COMMON_TREE_SHOW && (ChosenTree().empty() || ChosenTree() == m_shown)) return;
    if (!m_host || !m_host->QueueTreeCommand(command, ChosenTree())) return;
    ::PostMessageW(::GetParent(m_hwnd), WM_COMMAND, IDOK, 0);
}

INT_PTR CSettingsCommonDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam == IDOK && m_host) m_host->ApplyAutostart();
    const unsigned id = LOWORD(wParam);
    const unsigned code = HIWORD(wParam);
    if (id == IDC_COMMON_TREES && code == LBN_SELCHANGE) {
        ::EnableWindow(::GetDlgItem(m_hwnd, IDC_COMMON_TREE_SHOW), !ChosenTree().empty() && ChosenTree() != m_shown);
        return TRUE;
    }
    if (id == IDC_COMMON_TREES && code == LBN_DBLCLK) {
        RunTreeCommand(IDC_COMMON_TREE_SHOW);
        return TRUE;
    }
    if (code == BN_CLICKED && (id == IDC_COMMON_TREE_SHOW || (id >= IDM_TRAY_TREE_NEW && id <= IDM_TRAY_TREE_EXPORT))) {
        RunTreeCommand(id);
        return TRUE;
    }
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
    const std::wstring shown = m_host->HideHotkeyRefused() ? ResourceText(IDS_HOTKEY_TAKEN) : std::wstring();
    ::SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(shown.c_str()));
}
