#include "construct/CItemsPaneItem.h"

#include "construct/CItemsPaneWnd.h"
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
    CNavPaneItemTool* tool = FindTool(commandId);
    if (!tool || !m_item) return 0;
    auto* pane = dynamic_cast<CItemsPaneWnd*>(Pane());
    const HWND paneWnd = pane ? pane->GetHwnd() : nullptr;
    if (commandId == kSettingsCommand) {
        if (!pane) return 0;
        if (m_item->Type() != CItem::kTree) {
            if (pane->RunItemDialog(this, m_item) != 1) return 0;
            SetCaption(m_item->Caption.Get());
            // The next added item starts as a copy of the one just confirmed.
            if (ISceneHost* host = SceneHost()) host->NewItemTemplate().Assign(*m_item);
        } else if (pane->RunTreeDialog(this, m_item) != 1) {
            return 0;
        }
        if (paneWnd) ::InvalidateRect(paneWnd, nullptr, FALSE);
    } else if (commandId == kVisibilityCommand) {
        m_item->visible.Set(tool->Has(CNavPaneItemTool::kChecked) ? 1 : 0);
        if (paneWnd) {
            if (const HWND page = ::GetParent(paneWnd)) ::InvalidateRect(page, nullptr, FALSE);
        }
    }
    return 0;
}
