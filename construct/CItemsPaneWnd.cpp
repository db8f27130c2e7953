#include "construct/CItemsPaneWnd.h"

#include "construct/CItemDlg.h"
#include "construct/CSettingsTreeDlg.h"
#include "construct/CTreeDlg.h"
#include "construct/DroppedFiles.h"
#include "construct/ItemOrder.h"
#include "construct/NavPaneLogic.h"
#include "res/resource.h"
#include "scene/CItem.h"
#include "wnd/Messages.h"

#include <vector>

#include <shellapi.h>

CItemsPaneWnd::CItemsPaneWnd() { SetReversed(true); }

CItemsPaneWnd::~CItemsPaneWnd() { m_page = nullptr; }

bool CItemsPaneWnd::IsTreeRow(const CNavPaneItem* row) const {
    const auto* entry = dynamic_cast<const CItemsPaneItem*>(row);
    if (!entry || !entry->Item()) return false;
    if (m_page) return entry->Item() == &m_page->WorkingTree();
    return entry->Item()->Type() == CItem::kTree;
}

INT_PTR CItemsPaneWnd::RunItemDialog(CItemsPaneItem* entry, CItem* item) {
    CItemDlg dialog(entry, item);
    return dialog.DoModal(::GetModuleHandleW(nullptr), IDD_ITEM, m_hwnd);
}

INT_PTR CItemsPaneWnd::RunTreeDialog(CItemsPaneItem* entry, CItem* tree) {
    // The tree dialog moves and sizes the toys with the tree: the page's working items.
    CTreeDlg dialog(entry, m_page ? &m_page->WorkingItems() : nullptr, tree);
    return dialog.DoModal(::GetModuleHandleW(nullptr), IDD_TREE, m_hwnd);
}

LRESULT CItemsPaneWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DROPFILES) {
        // Dropped on the list: the page places the toys on the tree.
        const auto drop = reinterpret_cast<HDROP>(wParam);
        const std::vector<tstr> files = DroppedFiles(drop);
        ::DragFinish(drop);
        if (m_page) m_page->DropFiles(files, nullptr);
        return 0;
    }
    if (msg == WM_GETDLGCODE) {
        // Enter opens the focused item's settings: inside a dialog it must reach the pane instead
        // of pressing the dialog's default button.
        LRESULT code = CNavPaneWnd::WindowProc(msg, wParam, lParam);
        const MSG* m = reinterpret_cast<const MSG*>(lParam);
        if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
        return code;
    }
    if (msg == kWmRowDefaultAction) {
        // Posted by the accessible object: the row's settings, unless the row went meanwhile.
        const auto* asked = reinterpret_cast<const CNavPaneItem*>(lParam);
        for (CNavPaneItem* row : Rows()) {
            if (row == asked) {
                row->OnToolCommand(CItemsPaneItem::kSettingsCommand);
                break;
            }
        }
        return 0;
    }
    return CNavPaneWnd::WindowProc(msg, wParam, lParam);
}

void CItemsPaneWnd::OnKeyDown(WPARAM vk, UINT repeat, UINT flags) {
    if (m_page && !navpane::IsModifierKey(vk)) m_page->EndNudgeRun();
    CNavPaneItem* focused = FocusedItem();
    if ((vk == VK_RETURN || vk == VK_F2) && focused) {
        focused->OnToolCommand(CItemsPaneItem::kSettingsCommand);
    } else if (vk == VK_DELETE && m_page) {
        m_page->DeleteSelectedItems();
        return;
    } else if (vk == VK_INSERT && m_page) {
        m_page->AddItem();
        return;
    } else if (vk == 'D' && ::GetKeyState(VK_CONTROL) < 0 && m_page) {
        m_page->DuplicateSelectedItems();
        return;
    } else if (m_page && m_page->OnUndoKey(vk)) {
        return;
    } else if (vk == VK_SPACE && focused) {
        auto* entry = dynamic_cast<CItemsPaneItem*>(focused);
        CNavPaneItemTool* eye = entry ? entry->FindTool(CItemsPaneItem::kVisibilityCommand) : nullptr;
        if (eye && entry->Item()) {
            eye->SetState(CNavPaneItemTool::kChecked, !entry->Item()->IsVisible());
            entry->OnToolCommand(CItemsPaneItem::kVisibilityCommand);
            if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
        }
    }
    CNavPaneWnd::OnKeyDown(vk, repeat, flags);
}

LRESULT CItemsPaneWnd::OnSysKeyDown(WPARAM vk, LPARAM lParam) {
    int dx = 0, dy = 0;
    if (m_page && navpane::ArrowMove(static_cast<int>(vk), ::GetKeyState(VK_SHIFT) < 0, dx, dy)) {
        m_page->NudgeSelectedItems(dx, dy);
        return 0;
    }
    return CNavPaneWnd::OnSysKeyDown(vk, lParam);
}

void CItemsPaneWnd::OnLButtonDblClk(WPARAM keys, int x, int y) {
    const POINT point{x, y};
    if (CNavPaneItem* row = ItemAt(point)) {
        // A double click on a clickable tool belongs to the tool (its first click did the work).
        const CNavPaneItemTool* tool = row->ToolAt(point);
        if (!tool || !tool->IsClickable()) row->OnToolCommand(CItemsPaneItem::kSettingsCommand);
    }
    CNavPaneWnd::OnLButtonDblClk(keys, x, y);
}

void CItemsPaneWnd::OnLButtonDown(WPARAM keys, int x, int y) {
    if (m_page) m_page->EndNudgeRun();
    CNavPaneWnd::OnLButtonDown(keys, x, y);
    if (DragSource() && IsTreeRow(DragSource())) CancelDrag();  // the tree's row stays at the bottom
}

void CItemsPaneWnd::OnLButtonUp(WPARAM keys, int x, int y) {
    CNavPaneItem* source = DragSource();
    CNavPaneItem* target = DropTarget();
    if (m_page && source && target && source != target && DragWindow().Started()) {
        if (IsTreeRow(source) || IsTreeRow(target)) {
            // Nothing moves and nothing is selected: the drag just ends and frees the mouse.
            if (::GetCapture() == m_hwnd) ::ReleaseCapture();
            CancelDrag();
            ::InvalidateRect(m_hwnd, nullptr, FALSE);
            return;
        }
        const auto* from = dynamic_cast<const CItemsPaneItem*>(source);
        const auto* to = dynamic_cast<const CItemsPaneItem*>(target);
        if (from && to && from->Item() && to->Item()) {
            // The items take the order the rows are about to take (the base moves the row).
            const RECT& r = target->HeaderRect();
            const bool before = navpane::DropBefore(y, r.top, r.bottom, IsReversed());
            m_page->BeginChange();
            MoveBeside<CItem>(m_page->WorkingItems(), from->Item(), to->Item(), before);
            m_page->EndChange();
            m_page->RepaintCanvas();
        }
    }
    CNavPaneWnd::OnLButtonUp(keys, x, y);
}

void CItemsPaneWnd::DeleteSelected() {
    if (Selection().Empty()) return;
    const std::vector<CNavPaneItem*> chosen = Selection().Items();
    for (CNavPaneItem* row : chosen) {
        auto* entry = dynamic_cast<CItemsPaneItem*>(row);
        if (!entry || IsTreeRow(entry)) continue;
        CItem* item = entry->Item();
        if (!RemoveItem(entry)) continue;  // first the row, so nothing on screen points at the item
        if (m_page && item) m_page->WorkingItems().Remove(item);
    }
    ClearSelection();
}
