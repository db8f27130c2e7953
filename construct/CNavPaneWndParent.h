// CNavPaneWndParent: what the owner of a navigation pane hears from it. Every operation answers 0
// by default.
#pragma once

#include <windows.h>

class CNavPaneItem;

class CNavPaneWndParent {
public:
    virtual ~CNavPaneWndParent() = default;
    // An entry without its own command handling got a tool command; the answer goes to the entry.
    virtual int OnItemCommand(int commandId, CNavPaneItem* item) {
        (void)commandId;
        (void)item;
        return 0;
    }
    // Before the pane handles a key; non-zero: the pane does nothing more.
    virtual int OnPaneKey(UINT msg, WPARAM vk, LPARAM flags) {
        (void)msg;
        (void)vk;
        (void)flags;
        return 0;
    }
    virtual int OnMouseBefore(UINT msg, POINT* point, CNavPaneItem* item) {
        (void)msg;
        (void)point;
        (void)item;
        return 0;
    }
    virtual int OnMouseAfter(UINT msg, POINT* point, CNavPaneItem* item) {
        (void)msg;
        (void)point;
        (void)item;
        return 0;
    }
    // An entry was added, selected or deselected, or is about to be focused; for focusing,
    // non-zero keeps the old focused entry.
    virtual int OnItemState(CNavPaneItem* item, int reserved) {
        (void)item;
        (void)reserved;
        return 0;
    }
    // The entry under the mouse changed (either may be null).
    virtual int OnHotItemChanged(CNavPaneItem* hot, CNavPaneItem* previous) {
        (void)hot;
        (void)previous;
        return 0;
    }
    // A dragged row was released over another; non-zero: the owner moved it.
    virtual int OnItemDrop(CNavPaneItem* target, CNavPaneItem* source, bool before) {
        (void)target;
        (void)source;
        (void)before;
        return 0;
    }
};
