// CCanvasKeysWnd: the construction page's canvas as a keyboard target. The page draws the canvas
// itself; this window has no size and no picture, it only holds the focus once the canvas is
// clicked or reached with Tab, so that the arrow keys, with or without Alt, move the selected items (Shift: ten units),
// Ctrl+Z and Ctrl+Y undo and redo, and Insert and Delete add and delete as the toolbar does. It tells the page
// when it gains or loses the focus, so the page draws or removes the canvas's focus rectangle.
#pragma once

#include "wnd/CAccessible.h"
#include "wnd/CWnd.h"

class CSettingsTreeDlg;

class CCanvasKeysWnd : public CWnd {
public:
    static constexpr wchar_t kClassName[] = L"PinarboCanvasKeys";

    // A child of the page's window, placed at its top-left corner with no size.
    bool CreateIn(CSettingsTreeDlg& page);
    bool HasFocus() const;

    bool& RegisteredFlag() override;
    const wchar_t* GetWndClassName() const override { return kClassName; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    CSettingsTreeDlg* m_page = nullptr;  // not owned
    CAccessibleSlot m_accessible;        // what screen readers read of the canvas
};
