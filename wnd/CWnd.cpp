#include "wnd/CWnd.h"

#include "wnd/CWndFactory.h"
#include "wnd/Handles.h"

#include <windowsx.h>

// Unlinks the object from a window that is going away: removes the property, deletes an object
// the factory list made, and makes an owner-held object forget the handle so that it never acts
// on a dead (and possibly reused) window handle.
void CWnd::Unlink(HWND hwnd, CWnd* wnd) noexcept {
    ::RemovePropW(hwnd, kWndEntityProp);
    if (wnd->m_autoDelete) {
        if (const SWndFactory* entry = FindWndFactory(hwnd)) {
            entry->deleter(wnd);
        } else {
            delete wnd;
        }
    } else if (wnd->m_hwnd == hwnd) {
        wnd->m_hwnd = nullptr;
        wnd->m_attached = false;
        wnd->m_prevProc = nullptr;
    }
}

CWnd::~CWnd() {
    if (!m_hwnd) return;
    if (FromHandle(m_hwnd) == this) ::RemovePropW(m_hwnd, kWndEntityProp);
    if (m_attached) {
        m_hwnd = nullptr;
        m_attached = false;
    } else {
        Destroy();
    }
}

CWnd* CWnd::FromHandle(HWND hwnd) noexcept {
    return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, kWndEntityProp)) : nullptr;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
    case WM_DESTROY: {
        if (CWnd* wnd = FromHandle(hwnd)) {
            wnd->WindowProc(WM_DESTROY, wParam, lParam);
            // An object the factory list made goes with WM_DESTROY; an owner-held one keeps its
            // handle until WM_NCDESTROY, the window's very last message.
            if (wnd->m_autoDelete) Unlink(hwnd, wnd);
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    case WM_NCDESTROY:
        if (CWnd* wnd = FromHandle(hwnd)) Unlink(hwnd, wnd);
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_SETFONT:
        return 0;  // these windows choose their own fonts
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (!cs) return 0;
        if (cs->lpCreateParams) {
            CWnd* wnd = static_cast<CWnd*>(cs->lpCreateParams);
            wnd->m_hwnd = hwnd;
            ::SetPropW(hwnd, kWndEntityProp, wnd);
        } else if (const SWndFactory* entry = FindWndFactory(hwnd)) {
            CWnd* wnd = entry->factory(hwnd);
            if (wnd) {
                wnd->m_autoDelete = true;
                ::SetPropW(hwnd, kWndEntityProp, wnd);
            }
        }
        break;
    }
    default:
        break;
    }
    if (CWnd* wnd = FromHandle(hwnd)) return wnd->WindowProc(msg, wParam, lParam);
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool CWnd::EnsureRegistered() {
    bool& registered = RegisteredFlag();
    if (!registered) registered = RegisterWndClass() != 0;
    return registered;
}

ATOM CWnd::RegisterWndClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &CWnd::StaticWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = GetWndClassName();
    PreRegisterClass(wc);
    return ::RegisterClassExW(&wc);
}

void CWnd::PreRegisterClass(WNDCLASSEXW&) {}

bool CWnd::Create(DWORD exStyle, DWORD style, int x, int y, int cx, int cy, HWND parent, HMENU menuOrId) {
    if (IsValid()) return false;
    EnsureRegistered();
    Destroy();
    const HWND hwnd = ::CreateWindowExW(exStyle, GetWndClassName(), L"", style, x, y, cx, cy, parent, menuOrId,
                                        ::GetModuleHandleW(nullptr), this);
    if (!hwnd) {
        m_hwnd = nullptr;
        return false;
    }
    if (parent) {
        ::SendMessageW(hwnd, WM_SETFONT, static_cast<WPARAM>(::SendMessageW(parent, WM_GETFONT, 0, 0)), 0);
    }
    return true;
}

bool CWnd::Create(DWORD exStyle, DWORD style, HWND parent, HMENU menuOrId) {
    return Create(exStyle, style, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, parent, menuOrId);
}

int CWnd::RunMessageLoop() {
    bool quit = false;
    int quitCode = 0;
    MSG msg;
    while (::IsWindow(m_hwnd)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            // The quit request belongs to the outer loop: keep it and hand it on once this one ends.
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (quit) ::PostQuitMessage(quitCode);
    return 1;
}

void CWnd::Destroy() {
    if (m_hwnd) {
        if (m_attached) {
            Detach();
        } else if (!m_destroying) {
            // The handle stays set while the window goes, so that handlers running meanwhile
            // (OnDestroy, position and activation changes) still see their window; WM_NCDESTROY
            // clears it. A second Destroy from such a handler does nothing.
            const HWND hwnd = m_hwnd;
            if (m_autoDelete) {  // this object is deleted with its window: touch nothing after
                ::DestroyWindow(hwnd);
                return;
            }
            m_destroying = true;
            if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
            m_destroying = false;
        } else {
            return;
        }
    }
    m_hwnd = nullptr;
    m_attached = false;
    m_prevProc = nullptr;
}

int CWnd::Attach(HWND hwnd) {
    if (m_attached) {
        Detach();
    } else if (m_hwnd) {
        Destroy();  // a window we own would otherwise be abandoned
    }
    m_hwnd = hwnd;
    m_attached = true;
    return 1;
}

bool CWnd::Detach() {
    if (!m_attached) return false;
    m_hwnd = nullptr;
    m_attached = false;
    return true;
}

bool CWnd::IsValid() const { return m_hwnd && ::IsWindow(m_hwnd); }

bool CWnd::BlocksInput(UINT msg, WPARAM wParam) {
    if (!m_blocker) return false;
    if (!::IsWindow(m_blocker)) {
        m_blocker = nullptr;
        return false;
    }
    switch (msg) {
    case WM_ACTIVATE:
        if (wParam == 0) return false;
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        break;
    default:
        return false;
    }
    ::SetForegroundWindow(m_blocker);
    FLASHWINFO flash{};
    flash.cbSize = sizeof(flash);
    flash.hwnd = m_blocker;
    flash.dwFlags = FLASHW_CAPTION | FLASHW_TIMER;
    flash.uCount = 5;
    flash.dwTimeout = 200;
    ::FlashWindowEx(&flash);
    return true;
}

LRESULT CWnd::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_prevProc) return ::CallWindowProcW(m_prevProc, m_hwnd, msg, wParam, lParam);
    return ::DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (BlocksInput(msg, wParam)) return 0;

    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (msg) {
    // Handlers whose result is the answer.
    case WM_NCCREATE: return OnNcCreate(wParam, lParam);
    case WM_CREATE: return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_DESTROY: return OnDestroy();
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_SYSKEYDOWN: return OnSysKeyDown(wParam, lParam);
    case WM_SYSKEYUP: return OnSysKeyUp(wParam, lParam);
    case WM_MOUSEWHEEL:
        return OnMouseWheel(static_cast<short>(LOWORD(wParam)), HIWORD(wParam), x, y);
    // Handlers followed by default processing.
    case WM_SIZE: OnSize(wParam, static_cast<short>(LOWORD(lParam)), HIWORD(lParam)); break;
    case WM_PAINT: OnPaint(); break;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_KEYDOWN: OnKeyDown(wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_KEYUP: OnKeyUp(wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_TIMER: OnTimer(wParam); break;
    case WM_MOUSEMOVE: OnMouseMove(wParam, x, y); break;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, x, y); break;
    case WM_LBUTTONUP: OnLButtonUp(wParam, x, y); break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, x, y); break;
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, x, y); break;
    case WM_RBUTTONUP: OnRButtonUp(wParam, x, y); break;
    case WM_SIZING: OnSizing(wParam, reinterpret_cast<RECT*>(lParam)); break;
    case WM_MOUSELEAVE: OnMouseLeave(); break;
    default: break;
    }
    return DefaultProc(msg, wParam, lParam);
}

LRESULT CWnd::OnNcCreate(WPARAM, LPARAM) { return 1; }
LRESULT CWnd::OnCreate(CREATESTRUCTW*) { return 0; }
LRESULT CWnd::OnDestroy() { return 0; }
LRESULT CWnd::OnCommand(WPARAM, LPARAM) { return 0; }

void CWnd::OnPaint() {
    CPaintDc dc(m_hwnd);  // validates
}

int CWnd::Redraw(bool erase) {
    ::InvalidateRect(m_hwnd, nullptr, erase ? TRUE : FALSE);
    ::UpdateWindow(m_hwnd);
    return 0;
}

void CWnd::SetBlocker(HWND blocker) { m_blocker = blocker; }
void CWnd::ClearBlocker() { m_blocker = nullptr; }
void CWnd::OnMouseMove(WPARAM, int, int) {}
LRESULT CWnd::OnMouseWheel(int, WORD, int, int) { return 1; }
void CWnd::OnLButtonDown(WPARAM, int, int) {}
void CWnd::OnLButtonUp(WPARAM, int, int) {}
void CWnd::OnRButtonDown(WPARAM, int, int) {}
void CWnd::OnRButtonUp(WPARAM, int, int) {}
void CWnd::OnMouseLeave() {}
void CWnd::OnLButtonDblClk(WPARAM, int, int) {}
void CWnd::OnKeyDown(WPARAM, UINT, UINT) {}
void CWnd::OnKeyUp(WPARAM, UINT, UINT) {}
LRESULT CWnd::OnSysKeyDown(WPARAM, LPARAM) { return 0; }
LRESULT CWnd::OnSysKeyUp(WPARAM, LPARAM) { return 0; }
void CWnd::OnSize(WPARAM, int, int) {}
void CWnd::OnSizing(WPARAM, RECT*) {}
void CWnd::OnWindowPosChanging(WINDOWPOS*) {}
void CWnd::OnTimer(UINT_PTR) {}
