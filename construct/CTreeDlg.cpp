#include "construct/CTreeDlg.h"

#include "construct/EditPreview.h"
#include "construct/PictureFileChooser.h"
#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "res/resource.h"
#include "scene/TreeFollow.h"
#include "scene/TreePicture.h"
#include "scene/win/PicturePathFacts.h"

#include <commctrl.h>

#include <string>

namespace {

constexpr int kDroppedWidth = 240;
constexpr int kTreePictures = 9;
constexpr UINT_PTR kReloadTimer = 1;

std::wstring LoadText(int id) {
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), static_cast<UINT>(id),
                                     reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

struct SValueRow {
    CEdges<CParam<int>, int> CItem::*param;
    int edit, track, spin;
};
constexpr SValueRow kRows[] = {
    {&CItem::hue, IDC_ITEM_HUE_EDIT, IDC_ITEM_HUE_TRACK, IDC_ITEM_HUE_SPIN},
    {&CItem::brig, IDC_ITEM_BRIG_EDIT, IDC_ITEM_BRIG_TRACK, IDC_ITEM_BRIG_SPIN},
    {&CItem::contr, IDC_ITEM_CONTR_EDIT, IDC_ITEM_CONTR_TRACK, IDC_ITEM_CONTR_SPIN},
    {&CItem::size, IDC_ITEM_SIZE_EDIT, IDC_ITEM_SIZE_TRACK, IDC_ITEM_SIZE_SPIN},
};

}  // namespace

CTreeDlg::CTreeDlg(CNavPaneItem* entry, CColReg<CItem*>* toys, CItem* tree)
    : m_tree(tree), m_toys(toys), m_entry(entry) {}

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
    const int labelIcons[][2] = {{IDC_ITEM_ICON_HUE, IDI_HUE},
                                 {IDC_ITEM_ICON_BRIG, IDI_BRIGHTNESS},
                                 {IDC_ITEM_ICON_CONTR, IDI_CONTRAST},
                                 {IDC_ITEM_ICON_SIZE, IDI_SIZE}};
    for (const auto& icon : labelIcons) m_icons.SetControlIcon(m_hwnd, icon[0], icon[1]);

    const HWND combo = ::GetDlgItem(m_hwnd, IDC_ITEM_PICTURE);
    ::SendMessageW(combo, CB_SETDROPPEDWIDTH, kDroppedWidth, 0);
    const std::wstring tree = LoadText(IDS_TREE);
    for (int n = 1; n <= kTreePictures; ++n) {
        const std::wstring text = tree + L" #" + std::to_wstring(n);
        const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0) ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), IDB_TREE_FIRST - 1 + n);
    }

    Bind(this, m_tree->source, kParamRadioPos, IDC_TREE_PREDEFINED);
    Bind(this, m_tree->resid, kParamComboData, IDC_ITEM_PICTURE);
    for (const SValueRow& row : kRows) {
        CEdges<CParam<int>, int>& param = m_tree->*row.param;
        Bind(this, param, kParamEdit, row.edit);
        Bind(this, param, kParamTrackbar, row.track);
        Bind(this, param, kParamUpDown, row.spin);
    }
    const HWND pathEdit = ::GetDlgItem(m_hwnd, IDC_TREE_PATH);
    ::SendMessageW(pathEdit, EM_SETLIMITTEXT, kMaxPath, 0);
    // The path is what the tree already shows: writing it into the edit reloads nothing.
    m_filling = true;
    ::SetWindowTextW(pathEdit, m_tree->path.substr(0, kMaxPath).c_str());
    m_filling = false;

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

void CTreeDlg::ReloadTree() {
    if (m_reloadPending) {
        ::KillTimer(m_hwnd, kReloadTimer);
        m_reloadPending = false;
    }
    // A file that does not decode shows a built-in tree, and the status line says why.
    const bool loaded = LoadTreePicture(*m_tree);
    ::SetDlgItemTextW(m_hwnd, IDC_TREE_STATUS, loaded ? L"" : LoadText(IDS_TREE_UNREADABLE).c_str());
    m_reloaded = true;
    ShowTree();
}

void CTreeDlg::OnPathEdited() {
    if (m_filling) return;
    wchar_t text[kMaxPath + 1] = {};
    ::GetDlgItemTextW(m_hwnd, IDC_TREE_PATH, text, kMaxPath + 1);
    m_tree->path = text;
    // The path only matters for a loaded picture.
    if (m_tree->source.Get() == CItem::kBuiltIn) return;
    if (ReloadAtOnce(GatherPathFacts(m_tree->path))) {
        ReloadTree();
        return;
    }
    // May take long to open: only once typing pauses (each key restarts the wait).
    m_reloadPending = ::SetTimer(m_hwnd, kReloadTimer, kReloadPauseMs, nullptr) != 0;
}

void CTreeDlg::OnTimer(UINT_PTR id) {
    if (id != kReloadTimer) return CDialogParam::OnTimer(id);
    ::KillTimer(m_hwnd, kReloadTimer);
    if (!m_reloadPending) return;
    m_reloadPending = false;
    ReloadTree();
}

void CTreeDlg::ChooseFile() {
    std::wstring file;
    if (!ChoosePictureFile(m_hwnd, m_tree->path, file)) return;
    m_tree->path = file;
    m_filling = true;
    ::SetDlgItemTextW(m_hwnd, IDC_TREE_PATH, file.c_str());
    m_filling = false;
    // A file was chosen to be shown: the tree takes its picture from the file now.
    m_tree->source.Set(CItem::kFile);
    ReloadTree();
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
        if (m_reloadPending) ::KillTimer(m_hwnd, kReloadTimer);
        m_reloadPending = false;
        m_quiet = true;
        m_tree->Assign(m_backup);
        m_quiet = false;
        if (m_reloaded) LoadTreePicture(*m_tree);
        RestoreToys();
        ShowTree();
        return CDialogParam::OnCommand(wParam, lParam);
    }
    // A path still waiting for the typing pause is tried before OK keeps it.
    if (wParam == IDOK && m_reloadPending) ReloadTree();

    const INT_PTR result = CDialogParam::OnCommand(wParam, lParam);
    if (m_quiet) return result;
    switch (id) {
    case IDC_ITEM_PICTURE:
        if (m_tree->resid.Get() != m_lastResid) {
            m_lastResid = m_tree->resid.Get();
            ReloadTree();
        }
        break;
    case IDC_TREE_PREDEFINED:
    case IDC_TREE_LOADED:
        if (code == BN_CLICKED) {
            if (m_tree->source.Get() != CItem::kBuiltIn && !ReloadAtOnce(GatherPathFacts(m_tree->path)))
                m_reloadPending = ::SetTimer(m_hwnd, kReloadTimer, kReloadPauseMs, nullptr) != 0;
            else
                ReloadTree();
        }
        break;
    case IDC_TREE_PATH:
        if (code == EN_CHANGE) OnPathEdited();
        break;
    case IDC_TREE_BROWSE:
        if (code == BN_CLICKED) ChooseFile();
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
    ::KillTimer(m_hwnd, kReloadTimer);
    m_reloadPending = false;
    m_icons.Release();
    CDialogParam::OnDestroy();
}
