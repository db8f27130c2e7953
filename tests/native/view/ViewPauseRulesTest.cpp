#include "view/ViewPauseRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The inputs of the view, one bit each.
enum : unsigned {
    kStarted = 1u << 0,
    kSessionAway = 1u << 1,
    kDisplayOff = 1u << 2,
    kFullScreen = 1u << 3,
    kPagePause = 1u << 4,
    kHiddenByUser = 1u << 5,
    kBatterySaver = 1u << 6,
    kOnBattery = 1u << 7,
    kScreenSaver = 1u << 8,
    kAnimationsOff = 1u << 9,
    kHideForFullScreen = 1u << 10,
    kPauseOnBattery = 1u << 11,
    kAnimateAnyway = 1u << 12,
    kAllInputs = 1u << 13,
};

SViewPauseState FromBits(unsigned bits) {
    SViewPauseState s;
    s.started = bits & kStarted;
    s.sessionAway = bits & kSessionAway;
    s.displayOff = bits & kDisplayOff;
    s.fullScreen = bits & kFullScreen;
    s.pagePause = bits & kPagePause;
    s.hiddenByUser = bits & kHiddenByUser;
    s.batterySaver = bits & kBatterySaver;
    s.onBattery = bits & kOnBattery;
    s.screenSaver = bits & kScreenSaver;
    s.animationsOff = bits & kAnimationsOff;
    s.hideForFullScreen = bits & kHideForFullScreen;
    s.pauseOnBattery = bits & kPauseOnBattery;
    s.animateAnyway = bits & kAnimateAnyway;
    return s;
}

}  // namespace

// Every combination of the thirteen inputs, with the timer running and stopped. The rules, as the
// user sees them: each holds when all of its facts are set and none of its "unless" facts; the
// strongest rule that holds wins (hidden over still), and the tree animates only when started
// and no rule holds. The timer runs only while animating and is touched only when that changes.
TEST(ViewPauseRules, EveryCombinationOfInputsAndTimer) {
    struct Rule {
        const char* what;
        unsigned all, unless;
        EViewShow makes;
    };
    const Rule rules[] = {
        {"not started", 0, kStarted, EViewShow::Still},
        {"hidden by the user", kHiddenByUser, 0, EViewShow::Hidden},
        {"full screen, hiding chosen", kFullScreen | kHideForFullScreen, 0, EViewShow::Hidden},
        {"full screen, hiding not chosen", kFullScreen, kHideForFullScreen, EViewShow::Still},
        {"session away", kSessionAway, 0, EViewShow::Still},
        {"display off", kDisplayOff, 0, EViewShow::Still},
        {"the page swaps the scene", kPagePause, 0, EViewShow::Still},
        {"battery saver", kBatterySaver, 0, EViewShow::Still},
        {"screen saver", kScreenSaver, 0, EViewShow::Still},
        {"on battery, pausing chosen", kOnBattery | kPauseOnBattery, 0, EViewShow::Still},
        {"animations off, no override", kAnimationsOff, kAnimateAnyway, EViewShow::Still},
    };
    int counts[3] = {};
    for (unsigned bits = 0; bits < kAllInputs; ++bits) {
        EViewShow expected = EViewShow::Animating;
        for (const Rule& r : rules) {
            if ((bits & r.all) != r.all || (bits & r.unless) != 0) continue;
            if (r.makes == EViewShow::Hidden || expected == EViewShow::Animating) expected = r.makes;
        }
        const SViewPauseState s = FromBits(bits);
        ASSERT_EQ(ViewShow(s), expected) << "inputs 0x" << std::hex << bits;
        const bool run = expected == EViewShow::Animating;
        EXPECT_EQ(FramesShouldRun(s), run);
        EXPECT_EQ(FrameTimerChange(true, s), run ? ETimerChange::Keep : ETimerChange::Stop) << std::hex << bits;
        EXPECT_EQ(FrameTimerChange(false, s), run ? ETimerChange::Start : ETimerChange::Keep) << std::hex << bits;
        ++counts[static_cast<int>(expected)];
    }
    // The options alone change nothing: with only started and any options the tree animates.
    for (unsigned options : {0u, unsigned{kHideForFullScreen}, unsigned{kPauseOnBattery}, unsigned{kAnimateAnyway},
                             unsigned{kHideForFullScreen | kPauseOnBattery | kAnimateAnyway}})
        EXPECT_EQ(ViewShow(FromBits(kStarted | options)), EViewShow::Animating) << options;
    // Animating, counted by hand: started, every fact that stills or hides clear; the full-screen
    // option free (2 ways), on battery and pausing not both set (3), animations off and no
    // override not both (3).
    EXPECT_EQ(counts[static_cast<int>(EViewShow::Animating)], 2 * 3 * 3);
}

// The screen is unseen exactly while the session is away, the display off or the screen saver on,
// whatever else holds (the main button's animation keeps still then; a full-screen program, battery
// saver or the user's options do not stop it).
TEST(ViewPauseRules, ScreenUnseenOverEveryCombination) {
    for (unsigned bits = 0; bits < kAllInputs; ++bits) {
        const bool unseen = (bits & (kSessionAway | kDisplayOff | kScreenSaver)) != 0;
        ASSERT_EQ(ScreenUnseen(FromBits(bits)), unseen) << "inputs 0x" << std::hex << bits;
    }
}

// Sequences of session notices: lock and disconnect are independent, either keeps the session away,
// and notices about logons or remote control change nothing.
TEST(ViewPauseRules, SessionNoticeSequences) {
    struct Case {
        std::vector<std::uint32_t> events;
        bool locked, disconnected;
    };
    const Case cases[] = {
        {{}, false, false},
        {{kSessionLock}, true, false},
        {{kSessionLock, kSessionUnlock}, false, false},
        {{kSessionUnlock}, false, false},
        {{kSessionConsoleDisconnect}, false, true},
        {{kSessionRemoteDisconnect}, false, true},
        {{kSessionConsoleDisconnect, kSessionRemoteConnect}, false, false},  // taken over remotely
        {{kSessionRemoteDisconnect, kSessionConsoleConnect}, false, false},
        {{kSessionLock, kSessionConsoleDisconnect, kSessionConsoleConnect}, true, false},  // still locked
        {{kSessionLock, kSessionConsoleDisconnect, kSessionUnlock}, false, true},         // still away
        {{kSessionLock, 5, 6, 9, 10, 11, 0, 0xFFFFFFFFu}, true, false},  // logon, logoff, remote control, ...
    };
    for (const Case& c : cases) {
        SSessionState s;
        for (std::uint32_t e : c.events) s = AfterSessionEvent(s, e);
        EXPECT_EQ(s.locked, c.locked) << "case with " << c.events.size() << " notices";
        EXPECT_EQ(s.disconnected, c.disconnected) << "case with " << c.events.size() << " notices";
        EXPECT_EQ(s.Away(), c.locked || c.disconnected);
    }
}

TEST(ViewPauseRules, DisplayStateAndShellHints) {
    EXPECT_TRUE(DisplayIsOff(0));
    for (std::uint32_t on : {1u, 2u, 3u, 0xFFFFFFFFu}) EXPECT_FALSE(DisplayIsOff(on)) << on;  // dimmed draws

    const EFullScreenHint hints[] = {EFullScreenHint::None,           EFullScreenHint::None,
                                     EFullScreenHint::None,           EFullScreenHint::ForegroundOnly,
                                     EFullScreenHint::ForegroundOnly, EFullScreenHint::Everywhere,
                                     EFullScreenHint::None,           EFullScreenHint::None,
                                     EFullScreenHint::None};
    for (int state = -1; state <= 7; ++state)
        EXPECT_EQ(ClassifyNotificationState(state), hints[state + 1]) << "state " << state;
    EXPECT_EQ(ClassifyNotificationState(1000), EFullScreenHint::None);

    // hint x foreground covers its monitor x that monitor is the tree's.
    struct Row {
        EFullScreenHint hint;
        bool covers, onTree, expected;
    };
    const Row rows[] = {
        {EFullScreenHint::None, false, false, false},          {EFullScreenHint::None, false, true, false},
        {EFullScreenHint::None, true, false, false},           {EFullScreenHint::None, true, true, true},
        {EFullScreenHint::ForegroundOnly, false, false, false}, {EFullScreenHint::ForegroundOnly, false, true, true},
        {EFullScreenHint::ForegroundOnly, true, false, false},  {EFullScreenHint::ForegroundOnly, true, true, true},
        {EFullScreenHint::Everywhere, false, false, true},      {EFullScreenHint::Everywhere, false, true, true},
        {EFullScreenHint::Everywhere, true, false, true},       {EFullScreenHint::Everywhere, true, true, true},
    };
    for (const Row& r : rows)
        EXPECT_EQ(FullScreenOverTree(r.hint, r.covers, r.onTree), r.expected)
            << static_cast<int>(r.hint) << r.covers << r.onTree;
}

// The power-setting values: only "battery" and "short-term source" are battery; only 1 is saver on.
TEST(ViewPauseRules, PowerSettingValues) {
    const struct {
        std::uint32_t value;
        bool battery, saver;
    } rows[] = {{0, false, false}, {1, true, true}, {2, true, false}, {3, false, false}, {0xFFFFFFFFu, false, false}};
    for (const auto& r : rows) {
        EXPECT_EQ(PowerSourceIsBattery(r.value), r.battery) << r.value;
        EXPECT_EQ(BatterySaverIsOn(r.value), r.saver) << r.value;
    }
}

// Which foreground windows are full-screen programs over a 1920 x 1080 monitor at (1920, 0).
TEST(ViewPauseRules, FullScreenForegroundWindows) {
    constexpr std::uint32_t kPopup = 0x80000000u, kCaption = 0x00C00000u, kBorder = 0x00800000u, kThick = 0x00040000u;
    const SScreenRect monitor{1920, 0, 3840, 1080};
    const SScreenRect exact = monitor, larger{1900, -20, 3860, 1100}, short1{1920, 0, 3840, 1079},
                      otherMonitor{0, 0, 1920, 1080}, both{0, 0, 3840, 1080};
    struct Row {
        const char* what;
        SScreenRect rect;
        std::uint32_t style;
        const wchar_t* cls;
        bool own, shell, visible, minimised, expected;
    };
    const Row rows[] = {
        {"borderless popup exactly over the monitor", exact, kPopup, L"Game", false, false, true, false, true},
        {"borderless, larger than the monitor", larger, kPopup, L"Game", false, false, true, false, true},
        {"over both monitors", both, kPopup, L"Video", false, false, true, false, true},
        {"a thin border but no title bar", exact, kPopup | kBorder, L"Game", false, false, true, false, true},
        {"a sizing frame, no title bar", exact, kThick, L"Game", false, false, true, false, true},
        {"one pixel short", short1, kPopup, L"Game", false, false, true, false, false},
        {"on the other monitor", otherMonitor, kPopup, L"Game", false, false, true, false, false},
        {"maximised with a caption (frame past the edges)", larger, kCaption | kThick, L"Editor", false, false, true,
         false, false},
        {"captioned, covering", exact, kCaption, L"Editor", false, false, true, false, false},
        {"this program's own window", exact, kPopup, L"Game", true, false, true, false, false},
        {"the desktop or the shell's window", exact, kPopup, L"Game", false, true, true, false, false},
        {"Progman", exact, kPopup, L"Progman", false, false, true, false, false},
        {"WorkerW", exact, kPopup, L"WorkerW", false, false, true, false, false},
        {"the taskbar", exact, kPopup, L"Shell_TrayWnd", false, false, true, false, false},
        {"a secondary taskbar", exact, kPopup, L"Shell_SecondaryTrayWnd", false, false, true, false, false},
        {"invisible", exact, kPopup, L"Game", false, false, false, false, false},
        {"minimised", exact, kPopup, L"Game", false, false, true, true, false},
        {"no class name", exact, kPopup, nullptr, false, false, true, false, true},
    };
    for (const Row& r : rows) {
        SForegroundWindow w;
        w.rect = r.rect;
        w.style = r.style;
        w.className = r.cls;
        w.ownProcess = r.own;
        w.desktopOrShell = r.shell;
        w.visible = r.visible;
        w.minimised = r.minimised;
        EXPECT_EQ(IsFullScreenOver(w, monitor), r.expected) << r.what;
    }
    SForegroundWindow any;
    any.rect = both;
    EXPECT_FALSE(IsFullScreenOver(any, SScreenRect{})) << "an empty monitor is covered by nothing";
}

// Exclusion from capture: Windows 10 build 19041 and later, and any later major version.
TEST(ViewPauseRules, CaptureExclusionByVersion) {
    const struct {
        std::uint32_t major, minor, build;
        bool expected;
    } rows[] = {{6, 1, 7601, false}, {6, 3, 9600, false},  {10, 0, 10240, false}, {10, 0, 19040, false},
                {10, 0, 19041, true}, {10, 0, 22631, true}, {11, 0, 0, true},       {0, 0, 0, false}};
    for (const auto& r : rows)
        EXPECT_EQ(CaptureExclusionAvailable(r.major, r.minor, r.build), r.expected)
            << r.major << "." << r.minor << "." << r.build;
}
