#include "app/CShellWatchWnd.h"

CShellWatchWnd::~CShellWatchWnd() { Destroy(); }

bool& CShellWatchWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

UINT CShellWatchWnd::TaskbarCreatedMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

bool CShellWatchWnd::Watch(Callback callback, void* context) {
    m_callback = callback;
    m_context = context;
    if (IsValid()) return true;
    // A top-level popup that is never shown: message-only windows do not receive broadcasts.
    return Create(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
}

LRESULT CShellWatchWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == TaskbarCreatedMessage() && msg != 0) {
        if (m_callback) m_callback(m_context);
        return 0;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
