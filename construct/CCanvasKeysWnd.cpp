#include "construct/CCanvasKeysWnd.h"

#include "construct/CCanvasAccessible.h"
#include "construct/CSettingsTreeDlg.h"
#include "construct/NavPaneLogic.h"

bool& CCanvasKeysWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

bool CCanvasKeysWnd::CreateIn(CSettingsTreeDlg& page) {
    m_page = &page;
    // A tab stop: the keyboard alone reaches the canvas too.
    return Create(0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, page.GetHwnd(), nullptr);
}

bool CCanvasKeysWnd::HasFocus() const { return m_hwnd && ::GetFocus() == m_hwnd; }

LRESULT CCanvasKeysWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        // The arrow keys move items here instead of moving the focus through the dialog.
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        int dx = 0, dy = 0;
        if (m_page && navpane::ArrowMove(static_cast<int>(wParam), ::GetKeyState(VK_SHIFT) < 0, dx, dy)) {
            m_page->NudgeSelectedItems(dx, dy);
            return 0;
        }
        if (m_page && !navpane::IsModifierKey(wParam)) m_page->EndNudgeRun();
        if (msg == WM_KEYDOWN && m_page && m_page->OnUndoKey(wParam)) return 0;
        if (msg == WM_KEYDOWN && m_page && (wParam == VK_INSERT || wParam == VK_DELETE)) {
            wParam == VK_INSERT ? m_page->AddItem() : m_page->DeleteSelectedItems();
            return 0;
        }
        break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (m_page) m_page->RepaintCanvas();
        break;
    case WM_GETOBJECT:
        if (!m_page) break;
        if (const LRESULT answer =
                m_accessible.Answer(wParam, lParam, [this] { return new CCanvasAccessible(m_hwnd, *m_page); })) {
            return answer;
        }
        break;
    case WM_DESTROY:
        m_accessible.Disconnect();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
