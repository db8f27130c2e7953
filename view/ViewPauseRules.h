// What the desktop view does: shown and animating, shown still (one steady frame, no timer), or
// hidden. The frame timer runs only while the program has started its frames and nobody is kept
// from seeing the tree or asked it to keep still: not while the session is locked or disconnected
// from its display, the display is off, a full-screen application covers the tree's monitor, the
// construction page swaps the scene, battery saver is on, the screen saver runs, the computer
// runs on battery (when the user asked for that), or Windows' animations are off (unless the user
// asked to animate anyway). The tree is hidden while the user hid it, and while a full-screen
// application covers its monitor (when the user asked for that). The platform side only gathers
// the facts into SViewPauseState; every decision about them is here, so it can be tested natively.
#pragma once

#include <cstdint>

struct SViewPauseState {
    bool started = false;      // the program runs its frames (after start-up, until the exit)
    bool sessionAway = false;  // the session is locked or disconnected from its display
    bool displayOff = false;   // the console display is off (dimmed still shows the tree)
    bool fullScreen = false;   // a full-screen application or presentation covers the tree's monitor
    bool pagePause = false;    // the construction page is replacing the scene
    bool hiddenByUser = false;   // the user hid the tree (until they show it again)
    bool batterySaver = false;   // the system's battery saver is on
    bool onBattery = false;      // the computer runs on battery (or another short-term source)
    bool screenSaver = false;    // the screen saver runs
    bool animationsOff = false;  // Windows' "Show animations" is off
    // The user's options.
    bool hideForFullScreen = true;  // hide the tree (not only keep it still) under a full-screen program
    bool pauseOnBattery = false;    // keep the tree still while on battery
    bool animateAnyway = false;     // animate even when Windows' animations are off
};

enum class EViewShow { Animating, Still, Hidden };
// What the view does in this state.
EViewShow ViewShow(const SViewPauseState& state) noexcept;

// Whether frames are built: the view animates.
bool FramesShouldRun(const SViewPauseState& state) noexcept;

// Whether nobody can see the screen: the session locked or away from its display, the display off,
// or the screen saver over it. The main window's own animation holds then too.
bool ScreenUnseen(const SViewPauseState& state) noexcept;

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

// The power-setting values that matter: the power source (0 AC, 1 battery, 2 a short-term source
// such as a UPS) and battery saver (1 on). Unknown values count as mains and saver off.
bool PowerSourceIsBattery(std::uint32_t acDcSource) noexcept;
bool BatterySaverIsOn(std::uint32_t savingStatus) noexcept;

// A rectangle in screen coordinates (right and bottom exclusive).
struct SScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The foreground window as the platform side sees it.
struct SForegroundWindow {
    SScreenRect rect;
    std::uint32_t style = 0;              // its window style bits
    const wchar_t* className = L"";       // its window class
    bool ownProcess = false;              // one of this program's windows
    bool desktopOrShell = false;          // the desktop window or the shell's window
    bool visible = true;
    bool minimised = false;
};

// Whether the window is a full-screen program over the monitor: a visible window of another
// program, with no caption, covering the whole monitor (a borderless "windowed full screen"
// game or video, topmost or not). The desktop and the shell's windows never count, nor does a
// maximised window with a caption, whose frame may reach past the monitor's edges.
bool IsFullScreenOver(const SForegroundWindow& window, const SScreenRect& monitor) noexcept;

// Whether the system can keep a window out of screenshots and screen sharing (display affinity
// "exclude from capture"): Windows 10 version 2004 (build 19041) and later.
bool CaptureExclusionAvailable(std::uint32_t major, std::uint32_t minor, std::uint32_t build) noexcept;
