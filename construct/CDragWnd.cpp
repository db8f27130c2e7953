#include "construct/CDragWnd.h"

#include "wnd/WindowServices.h"

#include <cstdlib>

CDragWnd::~CDragWnd() {
    m_originX = 0;
    m_originY = 0;
    m_started = false;
    Destroy();
}

bool& CDragWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

LRESULT CDragWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;  // a ghost never takes the activation
    return CWnd::WindowProc(msg, wParam, lParam);
}

void CDragWnd::SetDragOrigin(const POINT& point) {
    m_originX = point.x;
    m_originY = point.y;
}

void CDragWnd::ResetDrag() {
    m_originX = 0;
    m_originY = 0;
    m_started = false;
}

bool CDragWnd::IsDragStarted(const POINT& current) {
    if (m_started) return true;
    const int dx = std::abs(current.x - m_originX);
    const int dy = std::abs(current.y - m_originY);
    if (dx <= ::GetSystemMetrics(SM_CXDRAG) && dy <= ::GetSystemMetrics(SM_CYDRAG)) return false;
    m_started = true;
    return true;
}

bool CDragWnd::CreateGhost(HWND owner, const RECT& screenRect) {
    if (IsValid()) return false;
    if (!Create(kExStyle, kStyle & ~WS_VISIBLE, owner, nullptr)) return false;
    WndServices::SetConstantOpacity(m_hwnd, kOpacity);
    ::SetWindowPos(m_hwnd, nullptr, screenRect.left, screenRect.top, screenRect.right - screenRect.left,
                   screenRect.bottom - screenRect.top, SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
    return true;
}

void CDragWnd::MoveGhost(const RECT& screenRect) {
    if (!IsValid()) return;
    ::SetWindowPos(m_hwnd, nullptr, screenRect.left, screenRect.top, screenRect.right - screenRect.left,
                   screenRect.bottom - screenRect.top, SWP_NOACTIVATE | SWP_NOZORDER);
}
