#include "construct/CCanvasAccessible.h"

#include "construct/CSettingsTreeDlg.h"

CCanvasAccessible::CCanvasAccessible(HWND focusWindow, CSettingsTreeDlg& page)
    : CAccessible(focusWindow), m_page(&page) {}

long CCanvasAccessible::Role(long) const { return ROLE_SYSTEM_GRAPHIC; }

std::wstring CCanvasAccessible::Name(long) const { return L"Canvas"; }

std::wstring CCanvasAccessible::Description(long) const {
    const int count = m_page->WorkingItems().Count();
    return L"Tree with " + std::to_wstring(count) + (count == 1 ? L" item" : L" items");
}

bool CCanvasAccessible::Rect(long, RECT& client) const {
    // The focus window has no size: the canvas's rectangle on the page, in its coordinates.
    client = m_page->CanvasRect();
    ::MapWindowPoints(m_page->GetHwnd(), Window(), reinterpret_cast<POINT*>(&client), 2);
    return client.right > client.left;
}
