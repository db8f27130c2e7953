// CHotkeyWnd: a hidden window of the program that holds one system-wide hotkey (RegisterHotKey)
// and runs a callback when it is pressed. The hotkey is given as a hotkey control's value: the
// virtual key in the low byte, HOTKEYF_* modifiers in the high byte; 0 is none.
#pragma once

#include <windows.h>

#include "wnd/CWnd.h"

class CHotkeyWnd : public CWnd {
public:
    using Callback = void (*)(void* context);
    static constexpr int kHotkeyId = 1;
    static constexpr UINT_PTR kReleaseTimer = 1;
    static constexpr UINT kReleasePollMs = 50;

    CHotkeyWnd() = default;
    ~CHotkeyWnd() override;

    bool& RegisteredFlag() override;
    const wchar_t* GetWndClassName() const override { return L"KW_Hotkey"; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Lets go of the held hotkey and takes the new one (none for 0); the window is made on first
    // use. False when the system refuses the hotkey (another program holds it): none is held then.
    bool Hold(WORD hotkey, Callback callback, void* context);
    // Lets go of the hotkey (the window stays).
    void Release();
    WORD Held() const noexcept { return m_held; }

    // RegisterHotKey's modifiers (MOD_*) for a hotkey control's HOTKEYF_* modifiers.
    static UINT Modifiers(WORD hotkey) noexcept;

private:
    Callback m_callback = nullptr;
    void* m_context = nullptr;  // not owned
    WORD m_held = 0;
    bool m_keyDown = false;  // the hotkey's key is still held since its last press
};
