#include "view/ViewPauseRules.h"

#include <cwchar>
#include <initializer_list>

EViewShow ViewShow(const SViewPauseState& s) noexcept {
    if (s.hiddenByUser || (s.fullScreen && s.hideForFullScreen)) return EViewShow::Hidden;
    // Nobody sees the tree, or it should keep still: one steady frame and no timer.
    const bool unseen = s.sessionAway || s.displayOff || s.fullScreen;
    const bool sparePower = s.batterySaver || s.screenSaver || (s.onBattery && s.pauseOnBattery);
    const bool noAnimations = s.animationsOff && !s.animateAnyway;
    if (!s.started || s.pagePause || unseen || sparePower || noAnimations) return EViewShow::Still;
    return EViewShow::Animating;
}

bool ScreenUnseen(const SViewPauseState& s) noexcept { return s.sessionAway || s.displayOff || s.screenSaver; }

bool FramesShouldRun(const SViewPauseState& state) noexcept { return ViewShow(state) == EViewShow::Animating; }

ETimerChange FrameTimerChange(bool running, const SViewPauseState& state) noexcept {
    const bool run = FramesShouldRun(state);
    if (run == running) return ETimerChange::Keep;
    return run ? ETimerChange::Start : ETimerChange::Stop;
}

SSessionState AfterSessionEvent(SSessionState state, std::uint32_t event) noexcept {
    switch (event) {
    case kSessionLock: state.locked = true; break;
    case kSessionUnlock: state.locked = false; break;
    case kSessionConsoleDisconnect:
    case kSessionRemoteDisconnect: state.disconnected = true; break;
    // Connected again, to the console or remotely: the session has a display again.
    case kSessionConsoleConnect:
    case kSessionRemoteConnect: state.disconnected = false; break;
    default: break;
    }
    return state;
}

bool DisplayIsOff(std::uint32_t consoleDisplayState) noexcept { return consoleDisplayState == 0; }

EFullScreenHint ClassifyNotificationState(int state) noexcept {
    switch (state) {
    case 2:  // QUNS_BUSY: a full-screen application runs
    case 3:  // QUNS_RUNNING_D3D_FULL_SCREEN
        return EFullScreenHint::ForegroundOnly;
    case 4:  // QUNS_PRESENTATION_MODE
        return EFullScreenHint::Everywhere;
    default:  // not present, accepts notifications, quiet time, an app of the new shell, unknown
        return EFullScreenHint::None;
    }
}

bool FullScreenOverTree(EFullScreenHint hint, bool foregroundCoversItsMonitor, bool foregroundOnTreeMonitor) noexcept {
    if (hint == EFullScreenHint::Everywhere) return true;
    // The shell's busy answer and our own look at the foreground window both concern the
    // foreground window's monitor: a game on one screen leaves a tree on another running.
    return (hint == EFullScreenHint::ForegroundOnly || foregroundCoversItsMonitor) && foregroundOnTreeMonitor;
}

bool PowerSourceIsBattery(std::uint32_t acDcSource) noexcept { return acDcSource == 1 || acDcSource == 2; }

bool BatterySaverIsOn(std::uint32_t savingStatus) noexcept { return savingStatus == 1; }

bool IsFullScreenOver(const SForegroundWindow& w, const SScreenRect& monitor) noexcept {
    constexpr std::uint32_t kCaption = 0x00C00000;  // WS_CAPTION: a title bar (border and dialog frame)
    if (w.ownProcess || w.desktopOrShell || !w.visible || w.minimised) return false;
    if ((w.style & kCaption) == kCaption) return false;
    for (const wchar_t* shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"})
        if (w.className && std::wcscmp(w.className, shell) == 0) return false;
    return monitor.right > monitor.left && monitor.bottom > monitor.top && w.rect.left <= monitor.left &&
           w.rect.top <= monitor.top && w.rect.right >= monitor.right && w.rect.bottom >= monitor.bottom;
}

bool CaptureExclusionAvailable(std::uint32_t major, std::uint32_t minor, std::uint32_t build) noexcept {
    if (major != 10) return major > 10;
    return minor > 0 || build >= 19041;
}
