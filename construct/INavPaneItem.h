// INavPaneItem: what a navigation pane entry and the toolbar offer their tools: commands, the
// expanded state, the window that shows them, tool lists and an attached child window.
#pragma once

#include <windows.h>

class CNavPaneItemTool;

class INavPaneItem {
public:
    // A clickable tool was released over itself.
    virtual int OnToolCommand(int commandId) = 0;
    // 1 expands, 0 collapses, -1 toggles.
    virtual int SetExpanded(int how) = 0;
    virtual HWND GetPaneWindow() = 0;
    // Appends a tool to the leading (true) or trailing list and takes ownership of it; false (and
    // the tool deleted) when it cannot be added.
    virtual bool AddTool(CNavPaneItemTool* tool, bool leading) = 0;
    // A child window shown under the header while expanded; false when one is attached already.
    virtual bool AttachWindow(HWND window) = 0;
    // Forgets the attached window without destroying it; false when none is attached.
    virtual bool DetachWindow(HWND window) = 0;
    // A radio tool became checked.
    virtual void OnToolChecked(CNavPaneItemTool* tool, int flag) {
        (void)tool;
        (void)flag;
    }
    // Side of the square a tool takes.
    virtual int GetRowHeight() = 0;

protected:
    ~INavPaneItem() = default;
};
