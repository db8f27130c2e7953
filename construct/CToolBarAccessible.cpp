#include "construct/CToolBarAccessible.h"

#include "construct/CToolBarWnd.h"
#include "construct/ToolText.h"

#include <algorithm>

CToolBarAccessible::CToolBarAccessible(CToolBarWnd& bar) : CAccessible(bar.GetHwnd()), m_bar(&bar) {}

std::vector<CNavPaneItemTool*> CToolBarAccessible::Tools() const {
    RECT client{};
    ::GetClientRect(Window(), &client);
    std::vector<CNavPaneItemTool*> tools;
    for (auto* list : {&m_bar->LeadingTools(), &m_bar->TrailingTools()}) {
        for (CNavPaneItemTool* tool : *list) {
            if (!(tool->Style() & CNavPaneItemTool::kSeparator)) tools.push_back(tool);
        }
    }
    std::stable_sort(tools.begin(), tools.end(), [&](const CNavPaneItemTool* a, const CNavPaneItemTool* b) {
        return m_bar->ToolRect(client, a).left < m_bar->ToolRect(client, b).left;
    });
    return tools;
}

CNavPaneItemTool* CToolBarAccessible::Tool(long id) const {
    const std::vector<CNavPaneItemTool*> tools = Tools();
    return id >= 1 && static_cast<std::size_t>(id) <= tools.size() ? tools[static_cast<std::size_t>(id) - 1] : nullptr;
}

long CToolBarAccessible::ChildCount() const { return static_cast<long>(Tools().size()); }

long CToolBarAccessible::Role(long id) const {
    return id == CHILDID_SELF ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON;
}

std::wstring CToolBarAccessible::Name(long id) const {
    const CNavPaneItemTool* tool = Tool(id);
    return tool ? tool_text::Tip(tool->CommandId()) : std::wstring();
}

long CToolBarAccessible::State(long id) const {
    const CNavPaneItemTool* tool = Tool(id);
    if (!tool) return 0;
    long state = 0;
    if (tool->Has(CNavPaneItemTool::kDisabled)) state |= STATE_SYSTEM_UNAVAILABLE;
    if (tool->Has(CNavPaneItemTool::kPressed)) state |= STATE_SYSTEM_PRESSED;
    if (tool->Has(CNavPaneItemTool::kChecked)) state |= STATE_SYSTEM_CHECKED;
    if (tool->Has(CNavPaneItemTool::kHot)) state |= STATE_SYSTEM_HOTTRACKED;
    return state;
}

std::wstring CToolBarAccessible::KeyboardShortcut(long id) const {
    const CNavPaneItemTool* tool = Tool(id);
    return tool ? tool_text::Key(tool->CommandId()) : std::wstring();
}

std::wstring CToolBarAccessible::DefaultAction(long id) const {
    const CNavPaneItemTool* tool = Tool(id);
    return tool && tool->IsClickable() && !tool->Has(CNavPaneItemTool::kDisabled) ? L"Press" : L"";
}

bool CToolBarAccessible::DoDefaultAction(long id) {
    CNavPaneItemTool* tool = Tool(id);
    if (!tool || !tool->IsClickable() || tool->Has(CNavPaneItemTool::kDisabled)) return false;
    m_bar->OnToolCommand(tool->CommandId());  // posted to the page, as a click's command is
    return true;
}

bool CToolBarAccessible::Rect(long id, RECT& client) const {
    if (id == CHILDID_SELF) return CAccessible::Rect(id, client);
    const CNavPaneItemTool* tool = Tool(id);
    if (!tool) return false;
    RECT whole{};
    ::GetClientRect(Window(), &whole);
    client = m_bar->ToolRect(whole, tool);
    return true;
}
