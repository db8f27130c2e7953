// CNavPaneAccessible: the navigation pane as a screen reader reads it: a list whose children are
// the rows on screen, top to bottom, named by their captions. A row of the items pane also tells
// whether its item is hidden ("invisible") and offers its settings as the default action.
#pragma once

#include "wnd/CAccessible.h"

#include <vector>

class CNavPaneItem;
class CNavPaneWnd;

class CNavPaneAccessible : public CAccessible {
public:
    explicit CNavPaneAccessible(CNavPaneWnd& pane);

    // The pane's rows in screen order: child id i is element i - 1.
    static std::vector<CNavPaneItem*> ScreenRows(const CNavPaneWnd& pane);
    // The child id of row (0 when it is not a row on screen).
    static long ChildId(const CNavPaneWnd& pane, const CNavPaneItem* row);

protected:
    long ChildCount() const override;
    long Role(long id) const override;
    std::wstring Name(long id) const override;
    long State(long id) const override;
    std::wstring Description(long id) const override;
    std::wstring DefaultAction(long id) const override;
    bool DoDefaultAction(long id) override;
    bool Rect(long id, RECT& client) const override;
    long FocusedChild() const override;
    std::vector<long> SelectedChildren() const override;
    bool Select(long id, long flags) override;

private:
    CNavPaneItem* Row(long id) const;

    CNavPaneWnd* m_pane;  // not owned; used only while connected
};
