// When the desktop view builds frames. The frame timer runs only while the program has started
// its frames and nobody is kept from seeing the tree: not while the session is locked or
// disconnected from its display, the display is off, a full-screen application covers the
// tree's monitor, or the construction page swaps the scene. The platform side only gathers the
// facts into SViewPauseState; every decision about them is here, so it can be tested natively.
#pragma once

#include <cstdint>

struct SViewPauseState {
    bool started = false;      // the program runs its frames (after start-up, until the exit)
    bool sessionAway = false;  // the session is locked or disconnected from its display
    bool displayOff = false;   // the console display is off (dimmed still shows the tree)
    bool fullScreen = false;   // a full-screen application or presentation covers the tree's monitor
    bool pagePause = false;    // the construction page is replacing the scene
};

// Whether frames are built: started, and no rule holds.
bool FramesShouldRun(const SViewPauseState& state) noexcept;

enum class ETimerChange { Keep, Start, Stop };
// What to do with the frame timer, given whether it runs now.
ETimerChange FrameTimerChange(bool running, const SViewPauseState& state) noexcept;

// The session notices that matter (their values are the system's session-change codes).
enum ESessionEvent : std::uint32_t {
    kSessionConsoleConnect = 1,
    kSessionConsoleDisconnect = 2,
    kSessionRemoteConnect = 3,
    kSessionRemoteDisconnect = 4,
    kSessionLock = 7,
    kSessionUnlock = 8,
};

struct SSessionState {
    bool locked = false;
    bool disconnected = false;
    bool Away() const noexcept { return locked || disconnected; }
};
// The session after one notice; notices that say nothing about being seen change nothing.
SSessionState AfterSessionEvent(SSessionState state, std::uint32_t event) noexcept;

// The console display state of a power-setting notice: 0 off, 1 on, 2 dimmed. Only "off" hides the
// tree; an unknown value counts as on, so frames never stop on a value nobody defined.
bool DisplayIsOff(std::uint32_t consoleDisplayState) noexcept;

// The shell's answer about the user's notification state (the system's QUNS_ values 1..7).
enum class EFullScreenHint {
    None,             // nothing full screen
    ForegroundOnly,   // a full-screen (or busy) application: it covers the foreground window's monitor
    Everywhere,       // presentation mode: the user asked not to be disturbed on any monitor
};
EFullScreenHint ClassifyNotificationState(int state) noexcept;

// Whether a full-screen application covers the tree's monitor, from the shell's hint, whether
// the foreground window covers its whole monitor, and whether that monitor is the tree's.
bool FullScreenOverTree(EFullScreenHint hint, bool foregroundCoversItsMonitor, bool foregroundOnTreeMonitor) noexcept;
