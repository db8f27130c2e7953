// CCanvasAccessible: the construction page's canvas as a screen reader reads it: a graphic named
// "Canvas" whose description tells what the scene holds ("Tree with 20 items"). It answers for
// the canvas's focus window, which holds the keyboard focus while the canvas has it.
#pragma once

#include "wnd/CAccessible.h"

class CSettingsTreeDlg;

class CCanvasAccessible : public CAccessible {
public:
    CCanvasAccessible(HWND focusWindow, CSettingsTreeDlg& page);

protected:
    long Role(long id) const override;
    std::wstring Name(long id) const override;
    std::wstring Description(long id) const override;
    bool Rect(long id, RECT& client) const override;

private:
    CSettingsTreeDlg* m_page;  // not owned; used only while connected
};
