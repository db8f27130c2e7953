// CItemsPaneItem: one row of the items pane, bound to one working item of the construction page
// (the tree or a toy or garland). Its settings tool opens the item's settings dialog, its eye
// tool shows or hides the item.
#pragma once

#include "construct/CNavPaneItem.h"

class CItem;

class CItemsPaneItem : public CNavPaneItem {
public:
    static constexpr int kSettingsCommand = 1002;
    static constexpr int kVisibilityCommand = 1009;

    // item is not owned: the page's working tree or one of its working items.
    CItemsPaneItem(CItem* item, const tstr& caption) : CNavPaneItem(caption), m_item(item) {}

    // 1002: the item (or tree) settings dialog; on OK the caption and the new-item template
    // follow the item. 1009: the item's visible flag follows the eye. Nothing without the tool.
    int OnToolCommand(int commandId) override;

    // Null once the page has let go of its copies.
    CItem* Item() const noexcept { return m_item; }
    void SetItem(CItem* item) noexcept { m_item = item; }
    // The entry's tool with the command id, or null.
    CNavPaneItemTool* FindTool(int commandId);

private:
    // The command itself; OnToolCommand makes it one step of the page's undo history.
    void RunToolCommand(int commandId);

    CItem* m_item;  // not owned
};
