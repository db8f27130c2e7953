#include "app/CHotkeyWnd.h"

#include <commctrl.h>

CHotkeyWnd::~CHotkeyWnd() {
    Release();
    Destroy();
}

bool& CHotkeyWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

UINT CHotkeyWnd::Modifiers(WORD hotkey) noexcept {
    const UINT f = HIBYTE(hotkey);
    return ((f & HOTKEYF_ALT) ? MOD_ALT : 0u) | ((f & HOTKEYF_CONTROL) ? MOD_CONTROL : 0u) |
           ((f & HOTKEYF_SHIFT) ? MOD_SHIFT : 0u);
}

bool CHotkeyWnd::Hold(WORD hotkey, Callback callback, void* context) {
    m_callback = callback;
    m_context = context;
    Release();
    if (LOBYTE(hotkey) == 0) return true;
    if (!IsValid() && !Create(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr)) return false;
    // Without MOD_NOREPEAT: some systems (Wine) then take it for another hotkey than the same keys
    // held by another program, and the refusal would go unseen. Repeats are ignored below.
    if (!::RegisterHotKey(m_hwnd, kHotkeyId, Modifiers(hotkey), LOBYTE(hotkey))) return false;
    m_held = hotkey;
    return true;
}

void CHotkeyWnd::Release() {
    if (m_held && m_hwnd) ::UnregisterHotKey(m_hwnd, kHotkeyId);
    if (m_keyDown && m_hwnd) ::KillTimer(m_hwnd, kReleaseTimer);
    m_keyDown = false;
    m_held = 0;
}

LRESULT CHotkeyWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HOTKEY && wParam == static_cast<WPARAM>(kHotkeyId)) {
        // Keys held down repeat the hotkey: one press is one toggle. Until the key is let go
        // (watched by a short timer), its repeats are ignored.
        if (m_keyDown) return 0;
        m_keyDown = ::SetTimer(m_hwnd, kReleaseTimer, kReleasePollMs, nullptr) != 0;
        if (m_callback) m_callback(m_context);
        return 0;
    }
    if (msg == WM_TIMER && wParam == kReleaseTimer) {
        if (!(::GetAsyncKeyState(LOBYTE(m_held)) & 0x8000)) {
            ::KillTimer(m_hwnd, kReleaseTimer);
            m_keyDown = false;
        }
        return 0;
    }
    if (msg == WM_DESTROY) Release();
    return CWnd::WindowProc(msg, wParam, lParam);
}
