// CItemsPaneWnd: the construction page's list of scene items (a reversed navigation pane: the
// tree is the bottom row, the item drawn last the top row). Rows are CItemsPaneItem entries bound
// to the page's working items. Adds to the pane: Enter, F2 and double click open an item's
// settings, Space shows or hides it, Delete, Insert and Ctrl+D delete, add and duplicate through
// the page, Alt+arrow keys move the selected items, dragging a row reorders the page's items (the
// tree row stays where it is), and deleting the selected rows deletes their items but never the tree.
#pragma once

#include "construct/CItemsPaneItem.h"
#include "construct/CNavPaneWnd.h"

class CItem;
class CSettingsTreeDlg;

class CItemsPaneWnd : public CNavPaneWnd {
public:
    CItemsPaneWnd();
    ~CItemsPaneWnd() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Enter and F2: the focused item's settings; Space: show or hide it; Delete: the page's delete
    // (with its question); Insert: the page's add; Ctrl+D: the page's duplicate.
    void OnKeyDown(WPARAM vk, UINT repeat, UINT flags) override;
    // Alt+arrow keys move the selected items by one pixel (in 100 % units), with Shift by ten.
    LRESULT OnSysKeyDown(WPARAM vk, LPARAM lParam) override;
    void OnLButtonDblClk(WPARAM keys, int x, int y) override;
    void OnLButtonDown(WPARAM keys, int x, int y) override;
    void OnLButtonUp(WPARAM keys, int x, int y) override;

    // The page whose working items the rows show (not owned; null when it goes).
    void SetPage(CSettingsTreeDlg* page) noexcept { m_page = page; }
    CSettingsTreeDlg* Page() const noexcept { return m_page; }
    // Deletes the selected rows and their items; the tree's row stays. Empties the selection.
    void DeleteSelected();
    // Whether the row shows the scene's tree (its row is never dragged, dropped on or deleted).
    bool IsTreeRow(const CNavPaneItem* row) const;

    // The item and tree settings dialogs, modal, with the pane as parent; 1 for OK.
    virtual INT_PTR RunItemDialog(CItemsPaneItem* entry, CItem* item);
    virtual INT_PTR RunTreeDialog(CItemsPaneItem* entry, CItem* tree);

private:
    CSettingsTreeDlg* m_page = nullptr;  // not owned
};
