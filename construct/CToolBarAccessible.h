// CToolBarAccessible: the toolbar as a screen reader reads it: a tool bar whose children are its
// tools, left to right, as push buttons named by their tool tips; the default action clicks.
#pragma once

#include "wnd/CAccessible.h"

#include <vector>

class CNavPaneItemTool;
class CToolBarWnd;

class CToolBarAccessible : public CAccessible {
public:
    explicit CToolBarAccessible(CToolBarWnd& bar);

protected:
    long ChildCount() const override;
    long Role(long id) const override;
    std::wstring Name(long id) const override;
    long State(long id) const override;
    std::wstring KeyboardShortcut(long id) const override;
    std::wstring DefaultAction(long id) const override;
    bool DoDefaultAction(long id) override;
    bool Rect(long id, RECT& client) const override;

private:
    // The tools that are buttons (no separators), in screen order.
    std::vector<CNavPaneItemTool*> Tools() const;
    CNavPaneItemTool* Tool(long id) const;

    CToolBarWnd* m_bar;  // not owned; used only while connected
};
