// The program's own application object in-process: while nobody can see the tree, or it should
// keep still (battery saver, the screen saver, battery power when chosen, Windows' animations
// off), its frame timer
// stops, and frames go on from where they stopped (the garland colour index continues); the
// user's hiding hides it and shows it again in its place. Wine sends no session or power
// notices, so the test sends them to the desktop watch as the system would.
#include "../wnd/Pump.h"
#include "TestWpp.h"
#include "app/CWpp.h"
#include "param/CMemoryBackend.h"
#include "view/ViewPauseRules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr GUID kConsoleDisplay = {0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};
constexpr GUID kPowerSaving = {0xE00958C0, 0xC213, 0x4ACE, {0xAC, 0x77, 0xFE, 0xCC, 0xED, 0x2E, 0xEE, 0xA5}};
constexpr GUID kAcDcSource = {0x5D3E9A59, 0xE9D5, 0x4B00, {0xA6, 0xBD, 0xFF, 0x34, 0xFF, 0x51, 0x65, 0x48}};

// Posts (or sends) a power-setting notice as the system would: the setting's GUID, the data
// length, then the data. A posted record must live until the notice is handled: the caller's.
struct SPowerRecord {
    POWERBROADCAST_SETTING head;
    BYTE more[8];
};
void SendPowerSetting(HWND watch, const GUID& id, DWORD value) {
    SPowerRecord setting{};
    setting.head.PowerSetting = id;
    setting.head.DataLength = sizeof(DWORD);
    std::memcpy(setting.head.Data, &value, sizeof(value));
    ::SendMessageW(watch, WM_POWERBROADCAST, 0x8013 /* PBT_POWERSETTINGCHANGE */, reinterpret_cast<LPARAM>(&setting));
}
void SendDisplayState(HWND watch, DWORD state) { SendPowerSetting(watch, kConsoleDisplay, state); }

constexpr UINT kSpiGetClientAreaAnimation = 0x1042, kSpiSetClientAreaAnimation = 0x1043;
void SetWindowsAnimations(bool on) {
    ::SystemParametersInfoW(kSpiSetClientAreaAnimation, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(on)),
                            SPIF_SENDCHANGE);
}

constexpr UINT kSessionChange = 0x02B1;

}  // namespace

TEST(FramePause, EveryRuleStopsTheFramesAndTheyGoOnWhereTheyStopped) {
    CMemoryBackend memory;
    memory.SetRaw(L"Software\\Holverin\\Pinarbo\\Options\\Windows\\Main", L"x", 1, {0, 0});  // not a first start
    {
        CTestWpp app;
        app.Store().SetBackend(&memory);
        ASSERT_TRUE(app.Init());
        CViewWnd& view = app.View();
        const HWND watch = app.Watch().GetHwnd();
        ASSERT_TRUE(watch);
        ASSERT_TRUE(PumpUntil([&] { return view.FramesShown() >= 3; }, 3000)) << "frames at start";

        // Each rule in turn: frames stop at once, nothing moves while stopped, and the frames
        // that follow continue the garland colours from the index where they stopped.
        struct Rule {
            const char* what;
            void (*on)(CTestWpp&, HWND);
            void (*off)(CTestWpp&, HWND);
        } rules[] = {
            {"locked", [](CTestWpp&, HWND w) { ::SendMessageW(w, kSessionChange, 7, 0); },
             [](CTestWpp&, HWND w) { ::SendMessageW(w, kSessionChange, 8, 0); }},
            {"disconnected", [](CTestWpp&, HWND w) { ::SendMessageW(w, kSessionChange, 4, 0); },
             [](CTestWpp&, HWND w) { ::SendMessageW(w, kSessionChange, 3, 0); }},
            {"display off", [](CTestWpp&, HWND w) { SendDisplayState(w, 0); },
             [](CTestWpp&, HWND w) { SendDisplayState(w, 1); }},
            {"battery saver", [](CTestWpp&, HWND w) { SendPowerSetting(w, kPowerSaving, 1); },
             [](CTestWpp&, HWND w) { SendPowerSetting(w, kPowerSaving, 0); }},
            {"on battery, pausing chosen",
             [](CTestWpp& a, HWND w) {
                 a.PauseOnBattery().Set(true);
                 SendPowerSetting(w, kAcDcSource, 1);
             },
             [](CTestWpp& a, HWND w) {
                 SendPowerSetting(w, kAcDcSource, 0);
                 a.PauseOnBattery().Set(false);
             }},
            // The screen saver is looked at by the once-a-second check, run here at once.
            {"screen saver",
             [](CTestWpp&, HWND w) {
                 ::SystemParametersInfoW(0x0061 /* SPI_SETSCREENSAVERRUNNING */, TRUE, nullptr, 0);
                 ::SendMessageW(w, WM_TIMER, CDesktopWatchWnd::kPollTimer, 0);
             },
             [](CTestWpp&, HWND w) {
                 ::SystemParametersInfoW(0x0061, FALSE, nullptr, 0);
                 ::SendMessageW(w, WM_TIMER, CDesktopWatchWnd::kPollTimer, 0);
             }},
            {"hidden by the user", [](CTestWpp& a, HWND) { a.SetTreeHidden(true); },
             [](CTestWpp& a, HWND) { a.SetTreeHidden(false); }},
            {"scene swapped by the page", [](CTestWpp& a, HWND) { a.BeginSceneChange(); },
             [](CTestWpp& a, HWND) { a.EndSceneChange(); }},
        };
        RECT placed{};
        ::GetWindowRect(view.GetHwnd(), &placed);
        for (const Rule& r : rules) {
            r.on(app, watch);
            EXPECT_FALSE(view.FrameTimerRunning()) << r.what;
            const bool hidden = std::strcmp(r.what, "hidden by the user") == 0;
            EXPECT_EQ(::IsWindowVisible(view.GetHwnd()) != FALSE, !hidden) << r.what << ": only the user's hiding hides";
            const int frames = view.FramesShown();
            const int index = view.GradientIndex();
            PumpMessages(300);
            EXPECT_EQ(view.FramesShown(), frames) << r.what << ": no frame while stopped";
            EXPECT_EQ(view.GradientIndex(), index) << r.what;
            r.off(app, watch);
            EXPECT_TRUE(view.FrameTimerRunning()) << r.what;
            EXPECT_TRUE(::IsWindowVisible(view.GetHwnd())) << r.what;
            RECT now{};
            ::GetWindowRect(view.GetHwnd(), &now);
            EXPECT_TRUE(::EqualRect(&now, &placed)) << r.what << ": the tree stays where it was";
            ASSERT_TRUE(PumpUntil([&] { return view.FramesShown() >= frames + 3; }, 3000)) << r.what;
            EXPECT_EQ(view.GradientIndex(), (index + view.FramesShown() - frames) % 256)
                << r.what << ": the colours continue from where they stopped";
        }

        // A dimmed display still shows the tree; a notice whose record is not there is ignored.
        SendDisplayState(watch, 2);
        EXPECT_TRUE(view.FrameTimerRunning());
        ::SendMessageW(watch, WM_POWERBROADCAST, 0x8013, 0);
        ::SendMessageW(watch, WM_POWERBROADCAST, 0x8013, 16);
        EXPECT_TRUE(view.FrameTimerRunning());

        // Rules overlap: the page's end does not restart frames while the session is locked,
        // and unlocking does not restart them while the display is off.
        app.BeginSceneChange();
        ::SendMessageW(watch, kSessionChange, 7, 0);
        app.EndSceneChange();
        EXPECT_FALSE(view.FrameTimerRunning()) << "the page ended while locked";
        EXPECT_FALSE(view.IsPaused()) << "the page's own pause is clear";
        SendDisplayState(watch, 0);
        ::SendMessageW(watch, kSessionChange, 8, 0);
        EXPECT_FALSE(view.FrameTimerRunning()) << "unlocked, display still off";
        SendDisplayState(watch, 1);
        EXPECT_TRUE(view.FrameTimerRunning());

        // On battery without the option: frames go on.
        SendPowerSetting(watch, kAcDcSource, 1);
        EXPECT_TRUE(view.FrameTimerRunning()) << "on battery, pausing not chosen";
        SendPowerSetting(watch, kAcDcSource, 0);

        // A full-screen window of this program itself (a dialog of ours, a test's popup) is no
        // full-screen program: the tree stays shown and animated. Other programs' windows are
        // the end-to-end scenario's.
        const HWND popup = ::CreateWindowExW(0, L"STATIC", L"full screen", WS_POPUP | WS_VISIBLE, 0, 0,
                                             ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                             nullptr, nullptr, nullptr);
        ASSERT_TRUE(popup);
        ::SetForegroundWindow(popup);
        const int before = view.FramesShown();
        ASSERT_TRUE(PumpUntil([&] { return view.FramesShown() >= before + 40; }, 5000)) << "over a second of frames";
        EXPECT_FALSE(app.Watch().FullScreen());
        EXPECT_TRUE(::IsWindowVisible(view.GetHwnd()));
        ::DestroyWindow(popup);

        // After the exit no notice restarts the frames.
        app.Exit();
        EXPECT_FALSE(view.FrameTimerRunning());
        EXPECT_EQ(app.Watch().GetHwnd(), nullptr) << "the watch is gone with the exit";
        PumpMessages(100);
    }
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
}

// Windows' "Show animations": off stills the tree at once (shown, one steady frame, no timer), on
// animates it again; the user's override animates it regardless. Wine stores the setting and
// broadcasts the change, as Windows does. The setting is restored afterwards.
TEST(FramePause, WindowsAnimationsStillTheTreeUnlessOverridden) {
    BOOL original = TRUE;
    ::SystemParametersInfoW(kSpiGetClientAreaAnimation, 0, &original, 0);
    CMemoryBackend memory;
    memory.SetRaw(L"Software\\Holverin\\Pinarbo\\Options\\Windows\\Main", L"x", 1, {0, 0});
    {
        // Off before the start: the tree shows one steady frame and no timer runs.
        SetWindowsAnimations(false);
        CTestWpp app;
        app.Store().SetBackend(&memory);
        ASSERT_TRUE(app.Init());
        CViewWnd& view = app.View();
        EXPECT_TRUE(app.Watch().AnimationsOff());
        EXPECT_FALSE(view.FrameTimerRunning());
        EXPECT_TRUE(::IsWindowVisible(view.GetHwnd()));
        EXPECT_EQ(view.FramesShown(), 1) << "one steady frame at start";
        PumpMessages(300);
        EXPECT_EQ(view.FramesShown(), 1) << "and no more";

        SetWindowsAnimations(true);
        EXPECT_TRUE(PumpUntil([&] { return view.FramesShown() >= 4; }, 3000)) << "on again: animated";
        SetWindowsAnimations(false);
        EXPECT_TRUE(PumpUntil([&] { return !view.FrameTimerRunning(); }, 3000)) << "off: still at once";
        const int frames = view.FramesShown();
        PumpMessages(300);
        EXPECT_EQ(view.FramesShown(), frames);

        // The override animates while Windows' animations are off; cleared, the tree is still.
        app.AnimateAnyway().Set(true);
        app.ApplyViewOptions();
        EXPECT_TRUE(PumpUntil([&] { return view.FramesShown() >= frames + 3; }, 3000)) << "overridden";
        app.AnimateAnyway().Set(false);
        app.ApplyViewOptions();
        EXPECT_FALSE(view.FrameTimerRunning());

        // The page's scene swap while still: one steady frame of the new scene afterwards.
        const int beforeSwap = view.FramesShown();
        app.BeginSceneChange();
        app.EndSceneChange();
        EXPECT_FALSE(view.FrameTimerRunning());
        EXPECT_EQ(view.FramesShown(), beforeSwap + 1) << "the new scene drawn once";

        app.Exit();
        PumpMessages(100);  // the exit's quit message, which would end the next test's modal loops
    }
    ::SystemParametersInfoW(kSpiSetClientAreaAnimation, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(original)),
                            SPIF_SENDCHANGE);
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
}

// Keeping the tree out of captures is offered only where the system's version has it (Windows 10
// build 19041 on) and the view's window takes it; where offered, the option sets and clears the
// window's display affinity. Wine reports an older system and refuses the call: not offered.
TEST(FramePause, CaptureExclusionOfferedOnlyWhereTheSystemTakesIt) {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    using GetAffinityFn = BOOL(WINAPI*)(HWND, DWORD*);
    const auto version = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    const auto getAffinity = reinterpret_cast<GetAffinityFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetWindowDisplayAffinity")));
    ASSERT_TRUE(version);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_EQ(version(&info), 0);
    CMemoryBackend memory;
    memory.SetRaw(L"Software\\Holverin\\Pinarbo\\Options\\Windows\\Main", L"x", 1, {0, 0});
    {
        CTestWpp app;
        app.Store().SetBackend(&memory);
        ASSERT_TRUE(app.Init());
        const bool offered = app.CanHideFromCapture();
        std::printf("system %lu.%lu.%lu: capture exclusion %s\n", info.dwMajorVersion, info.dwMinorVersion,
                    info.dwBuildNumber, offered ? "offered" : "not offered");
        if (!CaptureExclusionAvailable(info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber)) {
            EXPECT_FALSE(offered) << "an older system";
        }
        if (offered && getAffinity) {
            DWORD affinity = 0;
            app.HideFromCapture().Set(true);
            app.ApplyViewOptions();
            EXPECT_TRUE(getAffinity(app.View().GetHwnd(), &affinity));
            EXPECT_EQ(affinity, 0x11u);
            app.HideFromCapture().Set(false);
            app.ApplyViewOptions();
            EXPECT_TRUE(getAffinity(app.View().GetHwnd(), &affinity));
            EXPECT_EQ(affinity, 0u);
        }
        app.Exit();
        PumpMessages(100);
    }
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
}
