#include "view/ViewPauseRules.h"

bool FramesShouldRun(const SViewPauseState& state) noexcept {
    return state.started && !state.sessionAway && !state.displayOff && !state.fullScreen && !state.pagePause;
}

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
