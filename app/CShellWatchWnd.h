// CShellWatchWnd: a hidden top-level window of the tray layer that listens for the shell's
// "TaskbarCreated" broadcast (sent to top-level windows when the shell starts or restarts), so
// that the notification-area icon can be added again.
#pragma once

#include <windows.h>

#include "wnd/CWnd.h"

class CShellWatchWnd : public CWnd {
public:
    using Callback = void (*)(void* context);

    CShellWatchWnd() = default;
    ~CShellWatchWnd() override;

    bool& RegisteredFlag() override;
    const wchar_t* GetWndClassName() const override { return L"KW_ShellWatch"; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Creates the hidden window (once); callback(context) runs for every "TaskbarCreated".
    bool Watch(Callback callback, void* context);

    // The message id the shell broadcasts when its taskbar is created.
    static UINT TaskbarCreatedMessage();

private:
    Callback m_callback = nullptr;
    void* m_context = nullptr;  // not owned
};
