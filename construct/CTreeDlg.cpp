#include "construct/CTreeDlg.h"

#include "construct/EditPreview.h"
#include "construct/ItemDialogRows.h"
#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "res/resource.h"
#include "scene/ItemPicture.h"
#include "scene/TreeFollow.h"

#include <commctrl.h>

#include <string>

namespace {

constexpr int kTreePictures = 9;

}  // namespace

CTreeDlg::CTreeDlg(CNavPaneItem* entry, CColReg<CItem*>* toys, CItem* tree)
    : m_tree(tree), m_toys(toys), m_entry(entry), m_picture(IDS_TREE_UNREADABLE, [this] { ShowTree(); }) {}

CTreeDlg::~CTreeDlg() = default;

bool CTreeDlg::Checked(int id) const { return ::IsDlgButtonChecked(m_hwnd, id) == BST_CHECKED; }

INT_PTR CTreeDlg::OnInitDialog() {
    if (!m_tree) return 0;
    ::CheckDlgButton(m_hwnd, IDC_TREE_RESIZE_TOYS, BST_CHECKED);
    ::CheckDlgButton(m_hwnd, IDC_TREE_BIND_TOYS, BST_CHECKED);

    m_backup.Assign(*m_tree);
    m_sizeAtOpen = m_tree->size.Get();
    m_xAtOpen = m_tree->x;
    m_yAtOpen = m_tree->y;
    m_lastResid = m_tree->resid.Get();
    m_toysAtOpen.clear();
    if (m_toys) {
        for (CItem* toy : m_toys->Items()) {
            if (!toy || toy == m_tree) continue;
            m_toysAtOpen.push_back({toy, toy->size.Get(), toy->x, toy->y, toy->x - m_tree->x, toy->y - m_tree->y});
        }
    }

    m_icons.SetSmallIcon(m_hwnd, IDI_SETTINGS);
    FillPictureCombo(::GetDlgItem(m_hwnd, IDC_ITEM_PICTURE), ResourceText(IDS_TREE), IDB_TREE_FIRST, kTreePictures);
    m_picture.Attach(*this, *m_tree);
    Bind(this, m_tree->resid, kParamComboData, IDC_ITEM_PICTURE);
    BindValueRows(*this, m_icons, *m_tree, false);

    // Showing the values makes the edits report changes: nothing to render yet.
    m_quiet = true;
    CDialogParam::OnInitDialog();
    m_quiet = false;
    return 1;
}

void CTreeDlg::ShowTree() {
    if (m_quiet) return;
    m_tree->Render();
    RepaintOpenPage();
    ShowThumbnailInEntry(m_entry, *m_tree);
}

void CTreeDlg::OnTimer(UINT_PTR id) {
    if (!m_picture.OnTimer(id)) CDialogParam::OnTimer(id);
}

void CTreeDlg::UpdateToys() {
    const bool resize = Checked(IDC_TREE_RESIZE_TOYS), follow = Checked(IDC_TREE_BIND_TOYS);
    if ((!resize && !follow) || m_toysAtOpen.empty()) return;
    const int s = m_tree->size.Get();
    for (const SToyAtOpen& t : m_toysAtOpen) {
        bool render = false;
        if (resize) {
            const int before = t.toy->size.Get();
            t.toy->size.Set(FollowTreeSize(t.size, s, m_sizeAtOpen));
            render = t.toy->size.Get() != before;
        }
        if (follow) {
            t.toy->x = FollowTreePosition(t.dx, s, m_sizeAtOpen, m_tree->x);
            t.toy->y = FollowTreePosition(t.dy, s, m_sizeAtOpen, m_tree->y);
        }
        if (render) t.toy->Render();
    }
    m_toysChanged = true;
}

void CTreeDlg::RestoreToys() {
    if (!m_toysChanged) return;
    for (const SToyAtOpen& t : m_toysAtOpen) {
        const int before = t.toy->size.Get();
        t.toy->size.Set(t.size);
        t.toy->x = t.x;
        t.toy->y = t.y;
        if (t.toy->size.Get() != before) t.toy->Render();
    }
    m_toysChanged = false;
}

INT_PTR CTreeDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!m_tree) return CDialogParam::OnCommand(wParam, lParam);
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);

    if (wParam == IDCANCEL) {
        // The tree and the toys as they were when the dialog opened.
        m_picture.StopWaiting();
        m_quiet = true;
        m_tree->Assign(m_backup);
        m_quiet = false;
        if (m_picture.Reloaded()) LoadItemPicture(*m_tree);
        RestoreToys();
        ShowTree();
        return CDialogParam::OnCommand(wParam, lParam);
    }
    // A path still waiting for the typing pause is tried before OK keeps it.
    if (wParam == IDOK) m_picture.FinishPending();

    const INT_PTR result = CDialogParam::OnCommand(wParam, lParam);
    if (m_quiet || m_picture.OnCommand(id, code)) return result;
    switch (id) {
    case IDC_ITEM_PICTURE:
        if (m_tree->resid.Get() != m_lastResid) {
            m_lastResid = m_tree->resid.Get();
            m_picture.Reload();
        }
        break;
    case IDC_ITEM_HUE_EDIT:
    case IDC_ITEM_BRIG_EDIT:
    case IDC_ITEM_CONTR_EDIT:
        if (code == EN_CHANGE) ShowTree();
        break;
    case IDC_ITEM_SIZE_EDIT:
        if (code == EN_CHANGE) {
            m_tree->Render();
            UpdateToys();
            RepaintOpenPage();
        }
        break;
    case IDC_TREE_RESIZE_TOYS:
    case IDC_TREE_BIND_TOYS:
        if (code == BN_CLICKED) {
            UpdateToys();
            RepaintOpenPage();
        }
        break;
    default:
        break;
    }
    return result;
}

INT_PTR CTreeDlg::OnNotify(WPARAM id, NMHDR* hdr) { return CDialogParam::OnNotify(id, hdr); }

void CTreeDlg::OnDestroy() {
    m_picture.StopWaiting();
    m_icons.Release();
    CDialogParam::OnDestroy();
}
