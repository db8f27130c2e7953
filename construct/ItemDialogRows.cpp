#include "construct/ItemDialogRows.h"

#include "construct/DialogIcons.h"
#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "param/win/CDialogParam.h"
#include "res/resource.h"
#include "scene/CItem.h"

namespace {

// A value row: its parameter, its controls (bound in this order) and its label icon.
struct SValueRow {
    CEdges<CParam<int>, int> CItem::*param;
    int edit, track, spin;
    int iconControl, icon;
};
constexpr SValueRow kRows[] = {
    {&CItem::hue, IDC_ITEM_HUE_EDIT, IDC_ITEM_HUE_TRACK, IDC_ITEM_HUE_SPIN, IDC_ITEM_ICON_HUE, IDI_HUE},
    {&CItem::brig, IDC_ITEM_BRIG_EDIT, IDC_ITEM_BRIG_TRACK, IDC_ITEM_BRIG_SPIN, IDC_ITEM_ICON_BRIG, IDI_BRIGHTNESS},
    {&CItem::contr, IDC_ITEM_CONTR_EDIT, IDC_ITEM_CONTR_TRACK, IDC_ITEM_CONTR_SPIN, IDC_ITEM_ICON_CONTR, IDI_CONTRAST},
    {&CItem::opaque, IDC_ITEM_OPAQUE_EDIT, IDC_ITEM_OPAQUE_TRACK, IDC_ITEM_OPAQUE_SPIN, IDC_ITEM_ICON_OPAQUE,
     IDI_OPACITY},
    {&CItem::size, IDC_ITEM_SIZE_EDIT, IDC_ITEM_SIZE_TRACK, IDC_ITEM_SIZE_SPIN, IDC_ITEM_ICON_SIZE, IDI_SIZE},
};

}  // namespace

void AddComboItem(HWND combo, const std::wstring& text, LPARAM data) {
    const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

void FillPictureCombo(HWND combo, const std::wstring& caption, int first, int count) {
    ::SendMessageW(combo, CB_SETDROPPEDWIDTH, kComboListWidth, 0);
    for (int n = 0; n < count; ++n) AddComboItem(combo, caption + L" #" + std::to_wstring(n + 1), first + n);
}

void BindValueRows(CDialogParam& dialog, CDialogIcons& icons, CItem& item, bool withOpacity) {
    for (const SValueRow& row : kRows) {
        if (row.param == &CItem::opaque && !withOpacity) continue;
        icons.SetControlIcon(dialog.GetHwnd(), row.iconControl, row.icon);
        CEdges<CParam<int>, int>& param = item.*row.param;
        Bind(&dialog, param, kParamEdit, row.edit);
        Bind(&dialog, param, kParamTrackbar, row.track);
        Bind(&dialog, param, kParamUpDown, row.spin);
    }
}
