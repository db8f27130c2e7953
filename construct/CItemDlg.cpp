#include "construct/CItemDlg.h"

#include "construct/EditPreview.h"
#include "construct/ISceneHost.h"
#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "res/resource.h"

#include <commctrl.h>

#include <string>

namespace {

constexpr int kDroppedWidth = 240;
constexpr int kToyPictures = 20;

std::wstring LoadText(int id) {
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), static_cast<UINT>(id),
                                     reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

void AddComboItem(HWND combo, const std::wstring& text, LPARAM data) {
    const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

// The five value rows: edit, trackbar, up-down (bound in this order).
struct SValueRow {
    CEdges<CParam<int>, int> CItem::*param;
    int edit, track, spin;
};
constexpr SValueRow kRows[] = {
    {&CItem::hue, IDC_ITEM_HUE_EDIT, IDC_ITEM_HUE_TRACK, IDC_ITEM_HUE_SPIN},
    {&CItem::brig, IDC_ITEM_BRIG_EDIT, IDC_ITEM_BRIG_TRACK, IDC_ITEM_BRIG_SPIN},
    {&CItem::contr, IDC_ITEM_CONTR_EDIT, IDC_ITEM_CONTR_TRACK, IDC_ITEM_CONTR_SPIN},
    {&CItem::opaque, IDC_ITEM_OPAQUE_EDIT, IDC_ITEM_OPAQUE_TRACK, IDC_ITEM_OPAQUE_SPIN},
    {&CItem::size, IDC_ITEM_SIZE_EDIT, IDC_ITEM_SIZE_TRACK, IDC_ITEM_SIZE_SPIN},
};

}  // namespace

CParam<unsigned int>& CItemDlg::SideOption() {
    if (ISceneHost* host = SceneHost()) return host->ItemDialogSide();
    static CParam<unsigned int> own;
    static const bool ready = [] {
        own.Set(1);
        own.SetName(L"pos");
        return true;
    }();
    (void)ready;
    return own;
}

CItemDlg::CItemDlg(CNavPaneItem* entry, CItem* item) : m_item(item), m_entry(entry) {
    if (m_item) m_backup.Assign(*m_item);
}

CItemDlg::~CItemDlg() = default;

INT_PTR CItemDlg::OnInitDialog() {
    if (!m_item) return 0;
    m_icons.SetSmallIcon(m_hwnd, IDI_SETTINGS);
    const int labelIcons[][2] = {{IDC_ITEM_ICON_HUE, IDI_HUE},
                                 {IDC_ITEM_ICON_BRIG, IDI_BRIGHTNESS},
                                 {IDC_ITEM_ICON_CONTR, IDI_CONTRAST},
                                 {IDC_ITEM_ICON_OPAQUE, IDI_OPACITY},
                                 {IDC_ITEM_ICON_SIZE, IDI_SIZE}};
    for (const auto& icon : labelIcons) m_icons.SetControlIcon(m_hwnd, icon[0], icon[1]);

    const HWND typeCombo = ::GetDlgItem(m_hwnd, IDC_ITEM_TYPE);
    ::SendMessageW(typeCombo, CB_SETDROPPEDWIDTH, kDroppedWidth, 0);
    AddComboItem(typeCombo, LoadText(IDS_TOY), CItem::kToy);
    AddComboItem(typeCombo, LoadText(IDS_GARLAND), CItem::kGarland);
    Bind(this, m_item->type, kParamComboData, IDC_ITEM_TYPE);

    const HWND pictureCombo = ::GetDlgItem(m_hwnd, IDC_ITEM_PICTURE);
    ::SendMessageW(pictureCombo, CB_SETDROPPEDWIDTH, kDroppedWidth, 0);
    const std::wstring toy = LoadText(IDS_TOY);
    for (int n = 1; n <= kToyPictures; ++n)
        AddComboItem(pictureCombo, toy + L" #" + std::to_wstring(n), IDB_TOY_FIRST - 1 + n);
    Bind(this, m_item->resid, kParamComboData, IDC_ITEM_PICTURE);

    Bind(this, m_item->Caption, kParamEdit, IDC_ITEM_CAPTION);
    for (const SValueRow& row : kRows) {
        CEdges<CParam<int>, int>& param = m_item->*row.param;
        Bind(this, param, kParamEdit, row.edit);
        Bind(this, param, kParamTrackbar, row.track);
        Bind(this, param, kParamUpDown, row.spin);
    }

    PlaceBesideParent();
    // Showing the values makes the edits report changes: nothing to render yet.
    m_quiet = true;
    CDialogParam::OnInitDialog();
    m_quiet = false;
    return 1;
}

void CItemDlg::PlaceBesideParent() {
    const HWND parent = ::GetParent(m_hwnd);
    if (!parent) return;
    CParam<unsigned int>& side = SideOption();
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    RECT place{};
    // The second pass tries the other side when the first found no room.
    for (int pass = 0; pass < 2; ++pass) {
        RECT client{};
        ::GetWindowRect(parent, &place);
        ::GetClientRect(m_hwnd, &client);
        const int w = client.right - client.left, h = client.bottom - client.top;
        if (side.Get() == 0) {
            place.left -= w;
            if (place.left < -(h / 2)) side.Set(1);
        } else if (side.Get() == 1) {
            ::OffsetRect(&place, place.right - place.left, 0);
            if ((place.left + place.right) / 2 > screenWidth) side.Set(0);
        }
    }
    // Whatever the side, the whole dialog stays on the parent's monitor, so OK and Cancel can
    // always be reached.
    RECT own{};
    ::GetWindowRect(m_hwnd, &own);
    int x = place.left, y = place.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromWindow(parent, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        const int width = own.right - own.left, height = own.bottom - own.top;
        if (x + width > work.right) x = work.right - width;
        if (x < work.left) x = work.left;
        if (y + height > work.bottom) y = work.bottom - height;
        if (y < work.top) y = work.top;
    }
    ::SetWindowPos(m_hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CItemDlg::ShowChanges(bool sizeOnly) {
    if (m_quiet || !m_item) return;
    m_item->Render();
    RepaintOpenPage();
    // The thumbnail shows no size, so a size change leaves the entry alone.
    if (!sizeOnly) ShowThumbnailInEntry(m_entry, *m_item);
}

INT_PTR CItemDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!m_item) return CDialogParam::OnCommand(wParam, lParam);
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);

    if (wParam == IDCANCEL) {
        // Back to the settings at opening; the picture is reloaded only when it was another one.
        const bool otherPicture = m_item->resid.Get() != m_backup.resid.Get();
        m_quiet = true;
        m_item->Assign(m_backup);
        m_quiet = false;
        if (otherPicture) m_item->LoadPicture();
        ShowChanges(false);
        return CDialogParam::OnCommand(wParam, lParam);
    }

    // The bindings first, so the picture is rendered from the value the control now shows.
    const INT_PTR result = CDialogParam::OnCommand(wParam, lParam);
    switch (id) {
    case IDC_ITEM_PICTURE:
        if (static_cast<int>(m_item->resid.Get()) != m_lastPicture) {
            m_item->LoadPicture();
            m_lastPicture = static_cast<int>(m_item->resid.Get());
            ShowChanges(false);
        }
        break;
    case IDC_ITEM_HUE_EDIT:
    case IDC_ITEM_BRIG_EDIT:
    case IDC_ITEM_CONTR_EDIT:
    case IDC_ITEM_OPAQUE_EDIT:
    case IDC_ITEM_SIZE_EDIT:
        // Every change of the value, typed or echoed from a trackbar or up-down, ends in EN_CHANGE.
        if (code == EN_CHANGE) ShowChanges(id == IDC_ITEM_SIZE_EDIT);
        break;
    default:
        break;
    }
    return result;
}

INT_PTR CItemDlg::OnNotify(WPARAM id, NMHDR* hdr) { return CDialogParam::OnNotify(id, hdr); }

void CItemDlg::OnDestroy() {
    m_icons.Release();
    // The side the user left the dialog on, seen from the parent's left edge.
    if (const HWND parent = ::GetParent(m_hwnd)) {
        RECT own{}, par{};
        ::GetWindowRect(m_hwnd, &own);
        ::GetWindowRect(parent, &par);
        if (m_item) SideOption().Set(own.left >= par.left ? 1u : 0u);
    }
    CDialogParam::OnDestroy();
}
