// CDesktopWatchWnd: a hidden top-level window that gathers the facts deciding whether anybody
// can see the desktop tree (the session locked or disconnected, the console display off, a
// full-screen application over the tree's monitor) and whether it should keep still (battery
// saver, the power source, the screen saver, Windows' animations), and hears the displays change. It tells its
// sink when a fact changes; the decisions themselves are view/ViewPauseRules.h.
//
// Sources: session-change notices (WTSRegisterSessionNotification), the power settings of the
// console display, battery saver and the power source (RegisterPowerSettingNotification), the
// screen saver (asked at each check), Windows' animations (asked at start and on every setting
// change), the shell's notification state
// (SHQueryUserNotificationState) and the foreground window, checked when it changes (an
// out-of-context foreground event hook) and once a second otherwise. The optional calls are
// looked up at run time; without them the facts they give stay "seen".
#pragma once

#include <windows.h>

#include "view/ViewPauseRules.h"
#include "wnd/CWnd.h"

class IDesktopWatchSink {
public:
    // The session, the display, the full-screen fact or a power or animation fact changed.
    virtual void OnSeeingChanged() = 0;
    // The displays, their work areas or their resolution changed (settled for a moment).
    virtual void OnDisplaysChanged() = 0;
    // The desktop tree's window, whose monitor counts (may be null: the primary monitor).
    virtual HWND WatchedWindow() = 0;

protected:
    ~IDesktopWatchSink() = default;
};

class CDesktopWatchWnd : public CWnd {
public:
    static constexpr UINT_PTR kPollTimer = 1;
    static constexpr UINT kPollMs = 1000;
    static constexpr UINT_PTR kDisplayTimer = 2;
    // Display changes come in bursts (mode, then work area): act once they have settled.
    static constexpr UINT kDisplaySettleMs = 250;

    CDesktopWatchWnd() = default;
    ~CDesktopWatchWnd() override;

    bool& RegisteredFlag() override;
    const wchar_t* GetWndClassName() const override { return L"KW_DesktopWatch"; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Creates the window, registers for the notices, hooks foreground changes and starts the
    // once-a-second check. The sink must outlive the watch or Stop must come first.
    bool Start(IDesktopWatchSink* sink);
    // Unregisters everything and destroys the window; no call reaches the sink afterwards.
    void Stop();

    bool SessionAway() const noexcept { return m_session.Away(); }
    bool DisplayOff() const noexcept { return m_displayOff; }
    bool FullScreen() const noexcept { return m_fullScreen; }
    bool BatterySaver() const noexcept { return m_batterySaver; }
    bool OnBattery() const noexcept { return m_onBattery; }
    bool ScreenSaver() const noexcept { return m_screenSaver; }
    bool AnimationsOff() const noexcept { return m_animationsOff; }

    // Looks at the foreground window and the shell's state again; tells the sink on a change.
    void CheckFullScreen();

protected:
    // Whether a full-screen application covers the watched window's monitor now (a seam).
    virtual bool ComputeFullScreen();

private:
    void Changed();
    // A power-setting notice's record (any program could post a bad pointer: checked first).
    void OnPowerSetting(LPARAM record);
    // Reads the screen saver's and the animations' state; answers whether either changed.
    bool ReadSystemFacts();

    IDesktopWatchSink* m_sink = nullptr;  // not owned
    SSessionState m_session;
    bool m_displayOff = false;
    bool m_fullScreen = false;
    bool m_batterySaver = false;
    bool m_onBattery = false;
    bool m_screenSaver = false;
    bool m_animationsOff = false;
    bool m_sessionRegistered = false;
    HANDLE m_powerNotify[3] = {};    // HPOWERNOTIFY per setting; unregistered in Stop
    HWINEVENTHOOK m_hook = nullptr;  // unhooked in Stop
};
