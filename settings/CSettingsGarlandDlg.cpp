#include "settings/CSettingsGarlandDlg.h"

#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "resource.h"
#include "scene/CBmp.h"

INT_PTR CSettingsGarlandDlg::OnInitDialog() {
    const HWND combo = ::GetDlgItem(m_hwnd, IDC_GARLAND_GRADIENT);
    for (unsigned int id : kGradients) {
        const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
        if (index >= 0) ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(id));
    }
    // The entries were measured before this object saw the dialog: give them room for the band.
    ::SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kItemHeight);
    ::SendMessageW(combo, CB_SETITEMHEIGHT, 0, kItemHeight);
    if (m_host) Bind(this, m_host->GradientId(), kParamComboData, IDC_GARLAND_GRADIENT);
    return CSettingsPage::OnInitDialog();
}

INT_PTR CSettingsGarlandDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const INT_PTR result = CSettingsPage::OnCommand(wParam, lParam);
    if (m_host && (wParam == IDCANCEL || LOWORD(wParam) == IDC_GARLAND_GRADIENT)) m_host->ReloadGradient();
    return result;
}

void CSettingsGarlandDlg::OnDrawItem(WPARAM id, DRAWITEMSTRUCT* dis) {
    if (id != IDC_GARLAND_GRADIENT || !dis || dis->CtlType != ODT_COMBOBOX) return;
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    ::FillRect(dis->hDC, &dis->rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (dis->itemID == static_cast<UINT>(-1)) return;  // an empty selection field
    // Only the gradients this page offers are drawn, whatever data an entry carries.
    const unsigned int resid = static_cast<unsigned int>(dis->itemData);
    bool offered = false;
    for (unsigned int g : kGradients) offered = offered || g == resid;
    if (!offered) return;
    CBmp band;
    if (!band.LoadFromResource(::GetModuleHandleW(nullptr), static_cast<int>(resid))) return;
    if (!band.Resample(band.Width(), 10)) return;
    band.DrawAlpha(dis->hDC, dis->rcItem.left + 5, dis->rcItem.top + 5);
}
