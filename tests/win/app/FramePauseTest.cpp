// The program's own application object in-process: while nobody can see the tree its frame timer
// stops, and frames go on from where they stopped (the garland colour index continues). Wine
// sends no session or display-power notices, so the test sends them to the desktop watch as the
// system would; the full-screen window is a real popup brought to the front.
#include "../wnd/Pump.h"
#include "TestWpp.h"
#include "app/CWpp.h"
#include "param/CMemoryBackend.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void SendDisplayState(HWND watch, DWORD state) {
    // The system's record: the setting's GUID, the data length, then the data.
    struct {
        POWERBROADCAST_SETTING head;
        BYTE more[8];
    } setting{};
    setting.head.PowerSetting = {0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};
    setting.head.DataLength = sizeof(DWORD);
    std::memcpy(setting.head.Data, &state, sizeof(state));
    ::SendMessageW(watch, WM_POWERBROADCAST, 0x8013 /* PBT_POWERSETTINGCHANGE */, reinterpret_cast<LPARAM>(&setting));
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
            {"scene swapped by the page", [](CTestWpp& a, HWND) { a.BeginSceneChange(); },
             [](CTestWpp& a, HWND) { a.EndSceneChange(); }},
        };
        for (const Rule& r : rules) {
            r.on(app, watch);
            EXPECT_FALSE(view.FrameTimerRunning()) << r.what;
            const int frames = view.FramesShown();
            const int index = view.GradientIndex();
            PumpMessages(300);
            EXPECT_EQ(view.FramesShown(), frames) << r.what << ": no frame while stopped";
            EXPECT_EQ(view.GradientIndex(), index) << r.what;
            r.off(app, watch);
            EXPECT_TRUE(view.FrameTimerRunning()) << r.what;
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

        // A full-screen window in front (found by the foreground hook or the once-a-second look).
        const HWND popup = ::CreateWindowExW(0, L"STATIC", L"full screen", WS_POPUP | WS_VISIBLE, 0, 0,
                                             ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                             nullptr, nullptr, nullptr);
        ASSERT_TRUE(popup);
        ::SetForegroundWindow(popup);
        EXPECT_TRUE(PumpUntil([&] { return !view.FrameTimerRunning(); }, 2500)) << "a full-screen window in front";
        EXPECT_TRUE(app.Watch().FullScreen());
        // A window that covers only part of the monitor does not count.
        ::SetWindowPos(popup, nullptr, 100, 100, 300, 200, SWP_NOZORDER);
        EXPECT_TRUE(PumpUntil([&] { return view.FrameTimerRunning(); }, 2500)) << "a smaller window in front";
        ::SetWindowPos(popup, nullptr, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), SWP_NOZORDER);
        EXPECT_TRUE(PumpUntil([&] { return !view.FrameTimerRunning(); }, 2500)) << "full screen again";
        ::DestroyWindow(popup);
        EXPECT_TRUE(PumpUntil([&] { return view.FrameTimerRunning(); }, 2500)) << "the full-screen window closed";

        // After the exit no notice restarts the frames.
        app.Exit();
        EXPECT_FALSE(view.FrameTimerRunning());
        EXPECT_EQ(app.Watch().GetHwnd(), nullptr) << "the watch is gone with the exit";
        PumpMessages(100);
    }
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
}
