#include "construct/CItemDlg.h"

#include "construct/EditPreview.h"
#include "construct/ISceneHost.h"
#include "construct/ItemDialogRows.h"
#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "res/resource.h"
#include "scene/ItemPicture.h"

#include <commctrl.h>

#include <string>

namespace {

constexpr int kToyPictures = 20;

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

CItemDlg::CItemDlg(CNavPaneItem* entry, CItem* item)
    : m_item(item), m_entry(entry), m_picture(IDS_ITEM_UNREADABLE, [this] { ShowChanges(false); }) {
    if (m_item) m_backup.Assign(*m_item);
}

CItemDlg::~CItemDlg() = default;

INT_PTR CItemDlg::OnInitDialog() {
    if (!m_item) return 0;
    m_icons.SetSmallIcon(m_hwnd, IDI_SETTINGS);

    const HWND typeCombo = ::GetDlgItem(m_hwnd, IDC_ITEM_TYPE);
    ::SendMessageW(typeCombo, CB_SETDROPPEDWIDTH, kComboListWidth, 0);
    AddComboItem(typeCombo, ResourceText(IDS_TOY), CItem::kToy);
    AddComboItem(typeCombo, ResourceText(IDS_GARLAND), CItem::kGarland);
    Bind(this, m_item->type, kParamComboData, IDC_ITEM_TYPE);

    FillPictureCombo(::GetDlgItem(m_hwnd, IDC_ITEM_PICTURE), ResourceText(IDS_TOY), IDB_TOY_FIRST, kToyPictures);
    m_picture.Attach(*this, *m_item);
    Bind(this, m_item->resid, kParamComboData, IDC_ITEM_PICTURE);
    Bind(this, m_item->Caption, kParamEdit, IDC_ITEM_CAPTION);
    BindValueRows(*this, m_icons, *m_item, true);

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
        m_picture.StopWaiting();
        const bool otherPicture = m_picture.Reloaded() || m_item->resid.Get() != m_backup.resid.Get();
        m_quiet = true;
        m_item->Assign(m_backup);
        m_quiet = false;
        if (otherPicture) LoadItemPicture(*m_item);
        ShowChanges(false);
        return CDialogParam::OnCommand(wParam, lParam);
    }
    // A path still waiting for the typing pause is tried before OK keeps it.
    if (wParam == IDOK) m_picture.FinishPending();

    // The bindings first, so the picture is rendered from the value the control now shows.
    const INT_PTR result = CDialogParam::OnCommand(wParam, lParam);
    if (m_quiet || m_picture.OnCommand(id, code)) return result;
    switch (id) {
    case IDC_ITEM_PICTURE:
        if (static_cast<int>(m_item->resid.Get()) != m_lastPicture) {
            m_lastPicture = static_cast<int>(m_item->resid.Get());
            m_picture.Reload();
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

void CItemDlg::OnTimer(UINT_PTR id) {
    if (!m_picture.OnTimer(id)) CDialogParam::OnTimer(id);
}

void CItemDlg::OnDestroy() {
    m_picture.StopWaiting();
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
