#include "view/ViewPauseRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

SViewPauseState FromBits(unsigned bits) {
    SViewPauseState s;
    s.started = bits & 1;
    s.sessionAway = bits & 2;
    s.displayOff = bits & 4;
    s.fullScreen = bits & 8;
    s.pagePause = bits & 16;
    return s;
}

}  // namespace

// Every combination of the five facts, with the timer running and stopped: frames run only when
// started and no rule holds, and the timer is touched only when that answer differs from now.
TEST(ViewPauseRules, EveryCombinationOfRulesAndTimer) {
    int runs = 0;
    for (unsigned bits = 0; bits < 32; ++bits) {
        const SViewPauseState s = FromBits(bits);
        const bool expected = bits == 1;  // started, nothing else
        EXPECT_EQ(FramesShouldRun(s), expected) << "bits " << bits;
        runs += FramesShouldRun(s) ? 1 : 0;
        EXPECT_EQ(FrameTimerChange(true, s), expected ? ETimerChange::Keep : ETimerChange::Stop) << "bits " << bits;
        EXPECT_EQ(FrameTimerChange(false, s), expected ? ETimerChange::Start : ETimerChange::Keep) << "bits " << bits;
    }
    EXPECT_EQ(runs, 1);
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
