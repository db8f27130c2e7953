// Ending the program while Settings and an item dialog over it run their own message loops: the
// close command (1000) and WM_CLOSE reach the main dialog inside the item dialog's loop. The
// dialogs end first, every window object still alive (a checking allocator fails the test on any
// touch of a freed one), then the program ends: main dialog destroyed, quit posted, the scene saved
// and the opacity typed on the "View window" page but never confirmed left at its stored value.
#include "../wnd/Pump.h"
#include "GuardedHeapOperators.h"
#include "TestWpp.h"
#include "WindowSearch.h"
#include "app/CWpp.h"
#include "param/CMemoryBackend.h"
#include "res/resource.h"
#include "wnd/OwnedDialogs.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

// What the steps do and saw. They run from a thread timer, so each runs inside whichever modal
// loop is current: the first in Settings' loop, the second in the item dialog's.
struct SScript {
    HWND main;
    UINT endMessage;
    WPARAM endParam;
    CParam<int>* opacity;
    int step = 0;
    int ticks = 0;
    int editedOpacity = 0;
    bool endedInItemLoop = false;
};
SScript* g_script = nullptr;

void CALLBACK Step(HWND, UINT, UINT_PTR, DWORD) {
    SScript& s = *g_script;
    if (++s.ticks > 400) {  // about 12 s: give up, ending what is open so the test goes on
        for (const HWND dialog : DialogsOwnedBy(s.main)) ::EndDialog(dialog, IDCANCEL);
        s.step = 2;
    }
    if (s.step == 0) {
        const HWND settings = FindShownThreadWindow(L"Settings");
        const HWND edit = settings ? FindChild(settings, IDC_VIEW_OPAQUE_EDIT, nullptr) : nullptr;
        const HWND pane = settings ? FindChild(settings, 0, L"KV_NavigatePane") : nullptr;
        if (!edit || !pane) return;
        ::SetWindowTextW(edit, L"40");  // typed, not confirmed
        s.editedOpacity = s.opacity->Get();
        RECT r{};
        ::GetClientRect(pane, &r);
        ::PostMessageW(pane, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.right / 2, 8));  // the top row's settings
        s.step = 1;
    } else if (s.step == 1 && FindShownThreadWindow(L"Item settings")) {
        ::PostMessageW(s.main, s.endMessage, s.endParam, 0);
        s.endedInItemLoop = true;
        s.step = 2;
    }
}

}  // namespace

TEST(ExitWithDialogs, TheCloseCommandAndWmCloseEndTheDialogsFirstAndStoreNoUnconfirmedOption) {
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
    } ways[] = {{"close command 1000", WM_COMMAND, 1000}, {"WM_CLOSE (no exit question)", WM_CLOSE, 0}};
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        CMemoryBackend memory;
        memory.SetRaw(L"Software\\Holverin\\Pinarbo\\Options\\Windows\\Main", L"x", 1, {0, 0});  // not a first start
        CTestWpp app;
        app.Store().SetBackend(&memory);
        ASSERT_TRUE(app.Init());
        app.m_confirmExit.Set(false);
        const HWND main = app.MainWindow();
        ASSERT_TRUE(main);
        ASSERT_EQ(app.ViewOpacity().Get(), 75);

        SScript script{main, way.message, way.wParam, &app.ViewOpacity()};
        g_script = &script;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, Step);
        {
            // Settings and every window over it are made and freed on guarded pages.
            GuardedHeap::CArmed guard;
            ::SendMessageW(main, WM_COMMAND, IDOK, 0);  // Settings, modal: returns when its loop has ended
        }
        ::KillTimer(nullptr, timer);
        g_script = nullptr;
        EXPECT_EQ(script.editedOpacity, 40) << "the typed opacity is live while Settings is open";
        EXPECT_TRUE(script.endedInItemLoop) << "the end request reached the program inside the item dialog's loop";

        bool quit = false;
        PumpUntil([&] {
            MSG msg;
            while (!quit && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    quit = true;
                } else {
                    ::DispatchMessageW(&msg);
                }
            }
            return quit;
        }, 5000);
        EXPECT_TRUE(quit) << "the program ends once the dialogs have returned";
        EXPECT_FALSE(::IsWindow(main));
        EXPECT_EQ(app.ViewOpacity().Get(), 75);
        tstr stored;
        EXPECT_TRUE(app.Store().ReadString(CWpp::kViewSection, L"opaque", stored));
        EXPECT_EQ(stored, L"75");
        EXPECT_TRUE(app.Store().SectionExists(CWpp::kTreeSection)) << "the scene was saved";
    }
}
