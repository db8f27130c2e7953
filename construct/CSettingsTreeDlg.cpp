#include "construct/CSettingsTreeDlg.h"

#include "construct/CItemsPaneWnd.h"
#include "construct/CToolBarWnd.h"
#include "construct/DroppedFiles.h"
#include "construct/ISceneHost.h"
#include "construct/PanePictures.h"
#include "scene/CPixSurface.h"
#include "scene/ItemPicture.h"
#include "scene/win/DcPixels.h"
#include "view/ComposeScene.h"
#include "wnd/Dpi.h"
#include "wnd/ResourceIcon.h"
#include "wnd/SystemColours.h"
#include "wnd/ResourceText.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

constexpr int kGearBitmap = 107;
constexpr int kToolBarBackBitmap = 112;
constexpr int kEyeOpenBitmap = 113;
constexpr int kMinusBitmap = 151;
constexpr int kPlusBitmap = 152;
constexpr int kEyeClosedBitmap = 153;
constexpr int kUndoBitmap = 180;  // 182 and 183: undo and redo drawn at 200 %
constexpr int kRedoBitmap = 181;
constexpr int kLargeToolOffset = 2;
constexpr int kPageIcon = 167;
constexpr UINT kConfirmationString = 5;
constexpr UINT kDeleteQuestionString = 6;
constexpr UINT kNotPicturesString = 1055;

HINSTANCE Program() { return ::GetModuleHandleW(nullptr); }

tstr LoadText(UINT id, const wchar_t* fallback) { return ResourceText(id, fallback); }

// A new item with other's settings and its pictures ready.
CItem* PreparedCopy(const CItem& other) {
    auto* item = new CItem();
    item->Assign(other);
    LoadItemPicture(*item);
    item->Render();
    return item;
}

// Replaces the items of scene with prepared copies of source, in order.
void CopyItemsInto(CColReg<CItem*>& scene, const CColReg<CItem*>& source) {
    scene.Clear();
    for (const CItem* item : source) scene.Add(PreparedCopy(*item));
}

// The canvas's background: the button face, or the window colour in high contrast.
std::uint32_t ButtonFacePixel() {
    const COLORREF c = ::GetSysColor(sys_colours::Pick(COLOR_BTNFACE, COLOR_WINDOW));
    return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

}  // namespace

CSettingsTreeDlg::~CSettingsTreeDlg() {
    if (m_hwnd && ::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
}

INT_PTR CSettingsTreeDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) return 0;
    if (msg == WM_DROPFILES) {
        const auto drop = reinterpret_cast<HDROP>(wParam);
        POINT at{};
        const bool inClient = ::DragQueryPoint(drop, &at) != FALSE;
        const std::vector<tstr> files = DroppedFiles(drop);
        ::DragFinish(drop);
        DropFiles(files, inClient ? &at : nullptr);
        return TRUE;
    }
    if (msg == kDpiChanged) {
        SetDpi(LOWORD(wParam));
        // A top-level page takes the suggested rectangle; a child's place is its parent's.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        if (suggested && !(::GetWindowLongPtrW(m_hwnd, GWL_STYLE) & WS_CHILD)) {
            ::SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                           suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return TRUE;
    }
    if (msg == kDpiChangedAfterParent) {
        SetDpi(Dpi::ForWindow(m_hwnd));
        return TRUE;
    }
    return CDialog::DialogProc(msg, wParam, lParam);
}

INT_PTR CSettingsTreeDlg::OnNotify(WPARAM id, NMHDR* hdr) { return CDialog::OnNotify(id, hdr); }

// --- opening and closing ---

void CSettingsTreeDlg::LoadToolPictures() {
    if (!m_gear.IsEmpty()) return;
    const std::pair<CBmp*, int> pictures[] = {
        {&m_gear, kGearBitmap}, {&m_eyeClosed, kEyeClosedBitmap}, {&m_eyeOpen, kEyeOpenBitmap}};
    for (const auto& [picture, id] : pictures) ToolPictureForDpi(Program(), id, PageDpi(), m_tint, *picture);
}

CItemsPaneItem* CSettingsTreeDlg::AddEntry(CItem* item, const tstr& caption) {
    if (!m_pane || !item) return nullptr;
    auto* entry = new CItemsPaneItem(item, caption);
    entry->AddTool(new CNavPaneItemTool(0, 0), true);  // the thumbnail
    entry->AddTool(new CNavPaneItemTool(CNavPaneItemTool::kPush, CItemsPaneItem::kSettingsCommand), false);
    auto* eye = new CNavPaneItemTool(CNavPaneItemTool::kCheck | CNavPaneItemTool::kEdge,
                                     CItemsPaneItem::kVisibilityCommand);
    eye->SetState(CNavPaneItemTool::kChecked, item->IsVisible());
    entry->AddTool(eye, false);
    DressEntry(entry);
    if (!m_pane->AddItem(entry)) {
        delete entry;
        return nullptr;
    }
    return entry;
}

void CSettingsTreeDlg::DressEntry(CItemsPaneItem* entry) {
    LoadToolPictures();
    const UINT dpi = PageDpi();
    // The caption bar's height is the system's, made at the system's DPI.
    const int large = 2 * ::GetSystemMetrics(SM_CYEDGE) + ::GetSystemMetrics(SM_CYCAPTION);
    entry->SetHeights(::MulDiv(large, static_cast<int>(dpi), static_cast<int>(Dpi::ForSystem())), RowHeight());
    if (CNavPaneItemTool* thumbnail = entry->LeadingTools().GetAt(0); thumbnail && entry->Item()) {
        CBmp picture;
        ThumbnailForDpi(*entry->Item(), dpi, picture);
        thumbnail->SetToolPicture(picture, 0);
    }
    if (CNavPaneItemTool* settings = entry->FindTool(CItemsPaneItem::kSettingsCommand)) {
        settings->SetToolPicture(m_gear, 0);
    }
    if (CNavPaneItemTool* eye = entry->FindTool(CItemsPaneItem::kVisibilityCommand)) {
        eye->SetToolPicture(m_eyeClosed, 0);
        eye->SetToolPicture(m_eyeOpen, 1);
    }
}

void CSettingsTreeDlg::SetUpToolBar() {
    if (auto* bar = dynamic_cast<CToolBarWnd*>(CWnd::FromHandle(::GetDlgItem(m_hwnd, kToolBarId)))) {
        for (const int command : {kAddCommand, kDeleteCommand, 0, kUndoCommand, kRedoCommand}) {
            const unsigned style = command ? CNavPaneItemTool::kPush : CNavPaneItemTool::kSeparator;
            bar->AddTool(new CNavPaneItemTool(style, command), true);
        }
    }
    DressToolBar();
}

void CSettingsTreeDlg::DressToolBar() {
    const UINT dpi = PageDpi();
    if (CUniqueIcon icon = LoadResourceIcon(kPageIcon, Dpi::Scale(16, dpi), Program())) {
        // The old icon goes only once the control shows the new one.
        ::SendDlgItemMessageW(m_hwnd, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
        m_icon = std::move(icon);
    }
    auto* bar = dynamic_cast<CToolBarWnd*>(CWnd::FromHandle(::GetDlgItem(m_hwnd, kToolBarId)));
    if (!bar) return;
    bar->SetDpi(dpi);
    bar->SetBackground(Program(), kToolBarBackBitmap, 0);
    for (CNavPaneItemTool* tool : bar->LeadingTools()) {
        int bitmap = 0;
        int large = 0;
        switch (tool->CommandId()) {
        case kAddCommand: bitmap = kPlusBitmap; break;
        case kDeleteCommand: bitmap = kMinusBitmap; break;
        case kUndoCommand: bitmap = kUndoBitmap; large = kUndoBitmap + kLargeToolOffset; break;
        case kRedoCommand: bitmap = kRedoBitmap; large = kRedoBitmap + kLargeToolOffset; break;
        default: continue;  // the separator
        }
        CBmp picture;
        if (ToolPictureForDpi(Program(), bitmap, dpi, m_tint, picture, large)) tool->SetToolPicture(picture, 0);
    }
    UpdateHistoryTools();
}

void CSettingsTreeDlg::UpdateHistoryTools() {
    auto* bar = m_hwnd ? dynamic_cast<CToolBarWnd*>(CWnd::FromHandle(::GetDlgItem(m_hwnd, kToolBarId))) : nullptr;
    if (!bar) return;
    bool changed = false;
    for (CNavPaneItemTool* tool : bar->LeadingTools()) {
        const int command = tool->CommandId();
        if (command != kUndoCommand && command != kRedoCommand) continue;
        const bool can = m_live && (command == kUndoCommand ? m_history.CanUndo() : m_history.CanRedo());
        if (tool->Has(CNavPaneItemTool::kDisabled) == !can) continue;
        tool->SetState(CNavPaneItemTool::kDisabled, !can);
        changed = true;
    }
    if (changed) ::InvalidateRect(bar->GetHwnd(), nullptr, FALSE);
}

void CSettingsTreeDlg::SetDpi(UINT dpi) {
    const SViewScale scale = SViewScale::ForDpi(static_cast<int>(dpi));
    if (!m_hwnd || scale == m_scale) return;
    m_scale = scale;
    m_pictures.Clear();
    for (CBmp* picture : {&m_gear, &m_eyeClosed, &m_eyeOpen}) picture->Free();
    DressToolBar();
    if (m_pane) {
        m_pane->SetDpi(PageDpi());
        for (CNavPaneItem* row : m_pane->Root().Children()) {
            if (auto* entry = dynamic_cast<CItemsPaneItem*>(row)) DressEntry(entry);
        }
        m_pane->UpdateScrollBar(nullptr);
    }
    ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

INT_PTR CSettingsTreeDlg::OnInitDialog() {
    m_scale = SViewScale::ForDpi(static_cast<int>(Dpi::ForWindow(m_hwnd)));
    if (ISceneHost* host = SceneHost()) m_tint = host->ToolTint();

    if (ISceneHost* host = SceneHost()) {
        m_tree.Assign(host->SceneTree());
        LoadItemPicture(m_tree);
        m_tree.Render();
        m_savedTree.Assign(host->SceneTree());
        for (const CItem* item : host->SceneItems()) {
            m_items.Add(PreparedCopy(*item));
            auto* saved = new CItem();
            saved->Assign(*item);
            m_savedItems.Add(saved);
        }
    }
    m_live = true;
    m_applied = false;
    m_canvasKeys.CreateIn(*this);
    ::DragAcceptFiles(m_hwnd, TRUE);
    SetUpToolBar();  // with the page's icon

    m_pane = dynamic_cast<CItemsPaneWnd*>(CWnd::FromHandle(::GetDlgItem(m_hwnd, kPaneId)));
    if (!m_pane) return FALSE;  // no list: the page shows the canvas only
    m_pane->SetPage(this);
    m_pane->SetPaneParent(this);
    m_pane->SetDpi(PageDpi());
    ::DragAcceptFiles(m_pane->GetHwnd(), TRUE);
    AddEntry(&m_tree, kTreeCaption);
    for (CItem* item : m_items) AddEntry(item, item->Caption.Get());
    SetOpenPageWindow(m_hwnd);
    return TRUE;
}

void CSettingsTreeDlg::OnDestroy() {
    if (m_pane) {
        // The pane goes with the page's window; it must not call back into a page being destroyed.
        m_pane->SetPaneParent(nullptr);
        m_pane->SetPage(nullptr);
        m_pane = nullptr;
    }
    ::SendDlgItemMessageW(m_hwnd, kIconId, STM_SETICON, 0, 0);
    m_icon.reset();
    if (OpenPageWindow() == m_hwnd) SetOpenPageWindow(nullptr);
}

void CSettingsTreeDlg::ReleaseCopies() {
    if (m_pane) {
        for (CNavPaneItem* row : m_pane->Root().Children()) {
            if (auto* entry = dynamic_cast<CItemsPaneItem*>(row)) entry->SetItem(nullptr);
        }
    }
    m_dragOrigins.clear();
    m_dragging = false;
    m_dragChange = false;
    m_changeDepth = 0;
    m_history.Clear();
    m_nudged.clear();
    UpdateHistoryTools();
    m_pictures.Clear();
    m_items.Clear();
    m_savedItems.Clear();
    m_tree.hover = 0;
    m_live = false;
}

// --- commands ---

INT_PTR CSettingsTreeDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Only plain commands (clicks, the toolbar's posts): not a button's focus notifications.
    if (HIWORD(wParam) == 0) {
        switch (LOWORD(wParam)) {
        case IDOK: Apply(true); break;
        case IDCANCEL: Restore(); break;
        case kApplyId: Apply(false); break;
        case kAddCommand: AddItem(); break;
        case kDeleteCommand: DeleteSelectedItems(); break;
        case kUndoCommand: Undo(); break;
        case kRedoCommand: Redo(); break;
        default: break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSettingsTreeDlg::Apply(bool closing) {
    // Once the copies are gone (after OK or Cancel) there is nothing to apply: a second OK must
    // not empty the scene.
    if (!m_live) return;
    ISceneHost* host = SceneHost();
    if (!host) {
        if (closing) ReleaseCopies();
        return;
    }
    host->BeginSceneChange();
    CopyItemsInto(host->SceneItems(), m_items);
    CItem& tree = host->SceneTree();
    tree.Assign(m_tree);
    LoadItemPicture(tree);
    tree.Render();
    m_applied = true;
    if (closing) ReleaseCopies();
    host->EndSceneChange();
}

void CSettingsTreeDlg::Restore() {
    if (!m_live) return;
    ISceneHost* host = SceneHost();
    // Without an Apply the application's scene was never touched: its items, their pictures and
    // the desktop's composition of them stay exactly as they are (no file is read again).
    if (!host || !m_applied) {
        ReleaseCopies();
        return;
    }
    // After an Apply the desktop shows the applied scene: it is redrawn from the restored one,
    // exactly as Apply draws, so it looks as it did when the page opened.
    host->BeginSceneChange();
    CopyItemsInto(host->SceneItems(), m_savedItems);
    CItem& tree = host->SceneTree();
    tree.Assign(m_savedTree);
    LoadItemPicture(tree);
    tree.Render();
    ReleaseCopies();
    m_applied = false;
    host->EndSceneChange();
}

void CSettingsTreeDlg::AddItem() {
    if (!m_live) return;
    BeginChange();
    auto* item = new CItem();
    if (ISceneHost* host = SceneHost()) item->Assign(host->NewItemTemplate());
    LoadItemPicture(*item);
    item->Render();
    m_items.Add(item);  // drawn last: on top
    CItemsPaneItem* entry = AddEntry(item, item->Caption.Get());
    if (m_pane && entry) {
        m_pane->ClearSelection();
        m_pane->SelectItem(entry);
        ::InvalidateRect(m_pane->GetHwnd(), nullptr, FALSE);
    }
    EndChange();
    RepaintCanvas();
}

void CSettingsTreeDlg::DeleteSelectedItems() {
    if (!m_live || !m_pane || m_pane->Selection().Empty()) return;
    const tstr question = LoadText(kDeleteQuestionString, L"Delete selected items?");
    const tstr title = LoadText(kConfirmationString, L"Confirmation");
    if (::MessageBoxW(m_hwnd, question.c_str(), title.c_str(), MB_ICONQUESTION | MB_YESNO) != IDYES) return;
    if (!m_pane) return;  // the page was closed while the question was open
    BeginChange();
    m_pane->DeleteSelected();
    EndChange();
    ::InvalidateRect(m_pane->GetHwnd(), nullptr, TRUE);
    RepaintCanvas();
}

std::vector<CItem*> CSettingsTreeDlg::SelectedItems() const {
    std::vector<CItem*> chosen;
    if (!m_live || !m_pane) return chosen;
    for (CItem* item : m_items) {
        const CItemsPaneItem* row = nullptr;
        for (CNavPaneItem* selected : m_pane->Selection()) {
            const auto* entry = dynamic_cast<const CItemsPaneItem*>(selected);
            if (entry && entry->Item() == item) row = entry;
        }
        if (row) chosen.push_back(item);
    }
    return chosen;
}

void CSettingsTreeDlg::DuplicateSelectedItems() {
    const std::vector<CItem*> originals = SelectedItems();
    if (originals.empty()) return;
    BeginChange();
    m_pane->ClearSelection();
    for (const CItem* original : originals) {
        CItem* copy = PreparedCopy(*original);
        copy->x += kDuplicateOffset;
        copy->y += kDuplicateOffset;
        m_items.Add(copy);  // drawn last: above every item
        if (CItemsPaneItem* entry = AddEntry(copy, copy->Caption.Get())) m_pane->SelectItem(entry);
    }
    EndChange();
    ::InvalidateRect(m_pane->GetHwnd(), nullptr, FALSE);
    RepaintCanvas();
}

void CSettingsTreeDlg::MoveSelectedItems(int dx, int dy) {
    const std::vector<CItem*> chosen = SelectedItems();
    BeginChange();
    for (CItem* item : chosen) {
        item->x += dx;
        item->y += dy;
    }
    EndChange();
    if (!chosen.empty()) RepaintCanvas();
}

void CSettingsTreeDlg::NudgeSelectedItems(int dx, int dy) {
    const std::vector<CItem*> chosen = SelectedItems();
    if (chosen.empty()) return;
    const std::vector<const CItem*> same(chosen.begin(), chosen.end());
    if (same == m_nudged && m_history.CanUndo()) {
        // The run goes on: its step already holds the scene from before its first nudge.
        for (CItem* item : chosen) {
            item->x += dx;
            item->y += dy;
        }
        RepaintCanvas();
        return;
    }
    MoveSelectedItems(dx, dy);
    m_nudged = same;
}

void CSettingsTreeDlg::DropFiles(const std::vector<tstr>& files, const POINT* at) {
    if (!m_live) return;
    SetStatus(tstr());
    std::vector<tstr> pictures, trees;
    for (const tstr& file : files) {
        if (IsPictureFileName(file)) pictures.push_back(file);
        if (IsTreeFileName(file)) trees.push_back(file);
    }
    if (!trees.empty()) {
        if (ISceneHost* host = SceneHost()) host->ImportTreeFiles(trees);
    }
    if (pictures.size() + trees.size() < files.size()) SetStatus(LoadText(kNotPicturesString, L"Only picture files become toys."));
    if (pictures.empty()) return;
    // The middle of the first toy, in the scene's 100 % units.
    POINT middle{m_tree.x + m_tree.Rendered().Width() / 2, m_tree.y + m_tree.Rendered().Height() / 2};
    const RECT canvas = CanvasRect();
    if (at && ::PtInRect(&canvas, *at)) {
        middle = POINT{m_scale.Unscale(at->x - canvas.left), m_scale.Unscale(at->y - canvas.top)};
    }
    BeginChange();
    if (m_pane) m_pane->ClearSelection();
    for (const tstr& file : pictures) {
        auto* item = new CItem();
        if (ISceneHost* host = SceneHost()) item->Assign(host->NewItemTemplate());
        item->type.Set(CItem::kToy);
        item->source.Set(CItem::kFile);
        item->path = file;
        item->Caption.Set(BaseNameOf(file));
        for (auto* edge : {&item->hue, &item->brig, &item->contr}) edge->Set(0);
        item->opaque.Set(100);
        item->size.Set(100);
        item->visible.Set(1);
        LoadItemPicture(*item);
        item->Render();
        item->x = middle.x - item->Rendered().Width() / 2;
        item->y = middle.y - item->Rendered().Height() / 2;
        middle.x += kDuplicateOffset;
        middle.y += kDuplicateOffset;
        m_items.Add(item);  // drawn last: on top
        CItemsPaneItem* entry = AddEntry(item, item->Caption.Get());
        if (m_pane && entry) m_pane->SelectItem(entry);
    }
    EndChange();
    if (m_pane) ::InvalidateRect(m_pane->GetHwnd(), nullptr, FALSE);
    RepaintCanvas();
}

void CSettingsTreeDlg::SetStatus(const tstr& text) {
    const HWND status = m_hwnd ? ::GetDlgItem(m_hwnd, kStatusId) : nullptr;
    if (!status) return;
    ::SetWindowTextW(status, text.c_str());
    ::ShowWindow(status, text.empty() ? SW_HIDE : SW_SHOWNA);
}

tstr CSettingsTreeDlg::StatusText() const {
    const HWND status = m_hwnd ? ::GetDlgItem(m_hwnd, kStatusId) : nullptr;
    if (!status || !::IsWindowVisible(status)) return tstr();
    const int length = ::GetWindowTextLengthW(status);
    tstr text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(status, text.data(), length + 1)));
    return text;
}

// --- undo and redo ---

void CSettingsTreeDlg::BeginChange() {
    if (!m_live) return;
    if (m_changeDepth++ == 0) {
        m_beforeChange = SceneSettingsOf(m_tree, m_items);
        m_nudged.clear();
    }
}

void CSettingsTreeDlg::EndChange() {
    if (!m_live || m_changeDepth == 0 || --m_changeDepth > 0) return;
    if (SceneSettingsOf(m_tree, m_items) != m_beforeChange) m_history.Record(std::move(m_beforeChange));
    UpdateHistoryTools();
}

bool CSettingsTreeDlg::Undo() { return StepHistory(false); }

bool CSettingsTreeDlg::Redo() { return StepHistory(true); }

bool CSettingsTreeDlg::StepHistory(bool forward) {
    // Not while a change is under way (a drag, a settings dialog): it would end on a scene that
    // is no longer there.
    if (!m_live || m_changeDepth > 0) return false;
    SSceneSettings current = SceneSettingsOf(m_tree, m_items);
    if (!(forward ? m_history.Redo(current) : m_history.Undo(current))) return false;
    m_nudged.clear();
    ShowSettings(current);
    UpdateHistoryTools();
    return true;
}

bool CSettingsTreeDlg::OnUndoKey(WPARAM vk) {
    if (::GetKeyState(VK_CONTROL) >= 0) return false;
    if (vk == 'Z' && ::GetKeyState(VK_SHIFT) < 0) {
        Redo();
    } else if (vk == 'Z') {
        Undo();
    } else if (vk == 'Y') {
        Redo();
    } else {
        return false;
    }
    return true;
}

void CSettingsTreeDlg::ShowSettings(const SSceneSettings& settings) {
    const SItemSettings treeBefore = SettingsOf(m_tree);
    PutSettings(settings.tree, m_tree);
    if (settings.tree.OtherPicture(treeBefore)) LoadItemPicture(m_tree);
    m_tree.Render();
    m_dragOrigins.clear();
    m_dragging = false;
    m_pictures.Clear();
    if (m_pane) {
        // The rows go first, so that nothing on screen points at an item being replaced.
        m_pane->ClearSelection();
        const std::vector<CNavPaneItem*> rows = m_pane->Root().Children().Items();
        for (CNavPaneItem* row : rows) {
            if (!m_pane->IsTreeRow(row)) m_pane->RemoveItem(row);
        }
    }
    m_items.Clear();
    for (const SItemSettings& one : settings.items) {
        auto* item = new CItem();
        PutSettings(one, *item);
        LoadItemPicture(*item);
        item->Render();
        m_items.Add(item);
        AddEntry(item, item->Caption.Get());
    }
    if (m_pane) {
        for (CNavPaneItem* row : m_pane->Root().Children()) {
            auto* entry = dynamic_cast<CItemsPaneItem*>(row);
            if (!entry || !m_pane->IsTreeRow(entry)) continue;
            if (CNavPaneItemTool* eye = entry->FindTool(CItemsPaneItem::kVisibilityCommand))
                eye->SetState(CNavPaneItemTool::kChecked, m_tree.IsVisible());
            DressEntry(entry);
        }
        m_pane->UpdateScrollBar(nullptr);
        ::InvalidateRect(m_pane->GetHwnd(), nullptr, FALSE);
    }
    RepaintCanvas();
}

// --- canvas ---

RECT CSettingsTreeDlg::CanvasRect() const {
    RECT rc{};
    const HWND frame = m_hwnd ? ::GetDlgItem(m_hwnd, kCanvasId) : nullptr;
    if (!frame) return rc;
    ::GetWindowRect(frame, &rc);
    ::MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void CSettingsTreeDlg::RepaintCanvas() {
    if (!m_hwnd) return;
    const RECT rc = CanvasRect();
    ::InvalidateRect(m_hwnd, &rc, FALSE);
}

bool CSettingsTreeDlg::DrawCanvas(CPixSurface& surface) const {
    const RECT rc = CanvasRect();
    if (!surface.Create(rc.right - rc.left, rc.bottom - rc.top)) return false;
    surface.Fill(ButtonFacePixel());
    if (!m_live) return true;
    if (m_tree.IsVisible()) DrawItem(m_tree, surface);  // never highlighted (the tree has no hover)
    for (const CItem* item : m_items) {
        if (item->IsVisible()) DrawItem(*item, surface);
    }
    m_pictures.Sweep();
    return true;
}

void CSettingsTreeDlg::DrawItem(const CItem& item, CPixSurface& surface) const {
    // The scene's 100 % rectangle lies between its scaled edges, as on the desktop.
    SViewPicture place;
    PlaceInView(item.x, item.y, item.Rendered().Width(), item.Rendered().Height(), SSceneBox{}, m_scale, place);
    const CBmp& picture = m_pictures.For(item, m_scale, place.width, place.height);
    if (!item.hover || &item == &m_tree) {
        picture.DrawAlpha(surface, place.x, place.y);
        return;
    }
    CBmp bright;
    if (!bright.CopyFrom(picture)) return;
    bright.AdjustBrightnessContrast(64, 0);
    bright.ScaleAlpha(255, 100);
    bright.DrawAlpha(surface, place.x, place.y);
}

void CSettingsTreeDlg::OnPaint() {
    CPaintDc paint(m_hwnd);
    if (!paint.get()) return;
    const RECT rc = CanvasRect();
    CPixSurface surface;
    if (!DrawCanvas(surface)) return;
    WriteDcPixels(paint.get(), rc.left, rc.top, surface.Width(), surface.Height(), surface.Bits());
    if (CanvasHasFocus()) {
        RECT focus = rc;
        ::InflateRect(&focus, -1, -1);
        ::DrawFocusRect(paint.get(), &focus);
    }
}

int CSettingsTreeDlg::OnHotItemChanged(CNavPaneItem* hot, CNavPaneItem* previous) {
    // Previous first: the same row in both ends marked.
    if (auto* entry = dynamic_cast<CItemsPaneItem*>(previous); entry && entry->Item()) entry->Item()->hover = 0;
    if (auto* entry = dynamic_cast<CItemsPaneItem*>(hot); entry && entry->Item()) entry->Item()->hover = 1;
    RepaintCanvas();
    return 0;
}

// --- moving items with the mouse ---

void CSettingsTreeDlg::OnLButtonDown(WPARAM, int x, int y) {
    EndNudgeRun();
    const RECT canvas = CanvasRect();
    if (::PtInRect(&canvas, POINT{x, y}) && m_canvasKeys.GetHwnd()) ::SetFocus(m_canvasKeys.GetHwnd());
    if (!m_pane) return;
    EndDragChange();
    BeginChange();
    m_dragChange = true;
    m_dragOrigins.clear();
    for (CNavPaneItem* row : m_pane->Selection()) {
        const auto* entry = dynamic_cast<const CItemsPaneItem*>(row);
        if (entry && entry->Item()) m_dragOrigins.push_back({entry->Item(), POINT{entry->Item()->x, entry->Item()->y}});
    }
    m_dragX = x;
    m_dragY = y;
    m_dragging = true;
    // The move ends when the mouse leaves the page; coming back with the button still down does
    // not take it up again.
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_hwnd;
    ::TrackMouseEvent(&track);
}

void CSettingsTreeDlg::EndDragChange() {
    if (!m_dragChange) return;
    m_dragChange = false;
    EndChange();
}

void CSettingsTreeDlg::OnLButtonUp(WPARAM keys, int x, int y) {
    m_dragging = false;
    EndDragChange();
    CDialog::OnLButtonUp(keys, x, y);
}

void CSettingsTreeDlg::OnMouseLeave() {
    m_dragging = false;
    EndDragChange();
}

void CSettingsTreeDlg::OnMouseMove(WPARAM, int x, int y) {
    if (!m_pane || !m_dragging) return;
    if (::GetKeyState(VK_LBUTTON) >= 0) {
        m_dragging = false;
        EndDragChange();
        return;
    }
    // Every selected item that was selected at the press moves by the mouse's offset in 100 %
    // units; positions are not bounded (the composition caps the desktop picture).
    const int dx = m_scale.Unscale(x - m_dragX);
    const int dy = m_scale.Unscale(y - m_dragY);
    bool moved = false;
    for (CNavPaneItem* row : m_pane->Selection()) {
        auto* entry = dynamic_cast<CItemsPaneItem*>(row);
        CItem* item = entry ? entry->Item() : nullptr;
        if (!item) continue;
        for (const SDragOrigin& origin : m_dragOrigins) {
            if (origin.item != item) continue;
            item->x = origin.at.x + dx;
            item->y = origin.at.y + dy;
            moved = true;
            break;
        }
    }
    if (moved) RepaintCanvas();
}
