#include "construct/CItemsPaneItem.h"

#include "construct/CItemsPaneWnd.h"
#include "construct/CSettingsTreeDlg.h"
#include "construct/ISceneHost.h"
#include "scene/CItem.h"

CNavPaneItemTool* CItemsPaneItem::FindTool(int commandId) {
    for (auto* list : {&LeadingTools(), &TrailingTools()}) {
        for (CNavPaneItemTool* tool : *list) {
            if (tool->IsClickable() && tool->CommandId() == commandId) return tool;
        }
    }
    return nullptr;
}

int CItemsPaneItem::OnToolCommand(int commandId) {
    auto* pane = dynamic_cast<CItemsPaneWnd*>(Pane());
    const HWND paneWnd = pane ? pane->GetHwnd() : nullptr;
    if (pane && pane->Page()) pane->Page()->BeginChange();
    RunToolCommand(commandId);
    // A settings dialog is modal: the page may have gone while it was open.
    auto* after = paneWnd && ::IsWindow(paneWnd) ? dynamic_cast<CItemsPaneWnd*>(CWnd::FromHandle(paneWnd)) : nullptr;
    if (after && after->Page()) after->Page()->EndChange();
    return 0;
}

void CItemsPaneItem::RunToolCommand(int commandId) {
    CNavPaneItemTool* tool = FindTool(commandId);
    if (!tool || !m_item) return;
    auto* pane = dynamic_cast<CItemsPaneWnd*>(Pane());
    const HWND paneWnd = pane ? pane->GetHwnd() : nullptr;
    if (commandId == kSettingsCommand) {
        if (!pane) return;
        if (m_item->Type() != CItem::kTree) {
            if (pane->RunItemDialog(this, m_item) != 1) return;
            SetCaption(m_item->Caption.Get());
            // The next added item starts as a copy of the one just confirmed.
            if (ISceneHost* host = SceneHost()) host->NewItemTemplate().Assign(*m_item);
        } else if (pane->RunTreeDialog(this, m_item) != 1) {
            return;
        }
        if (paneWnd) ::InvalidateRect(paneWnd, nullptr, FALSE);
    } else if (commandId == kVisibilityCommand) {
        m_item->visible.Set(tool->Has(CNavPaneItemTool::kChecked) ? 1 : 0);
        if (paneWnd) {
            if (const HWND page = ::GetParent(paneWnd)) ::InvalidateRect(page, nullptr, FALSE);
        }
    }
}
