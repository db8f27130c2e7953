// The application layers in-process: a small test application over the real layer chain, with the
// main dialog from template 101, an in-memory settings store, a recorded shell and scripted answers.
#include <windows.h>
#include "PinarboVersion.h"
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Autostart.h"
#include "app/CApp.h"
#include "app/CWpp.h"
#include "app/SystemIntegration.h"
#include "param/CMemoryBackend.h"
#include "resource.h"
#include "wnd/CDialog.h"

namespace {

constexpr UINT kTrayMsg = 40001;

void EnsureButtonClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), L"KW_ButtonWnd", &wc)) return;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KW_ButtonWnd";
    ::RegisterClassExW(&wc);
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // keep it for the test to see
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool TakeQuit() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

class CTestApp;

// The main dialog's part in the tray behaviour: it forwards its placement changes and the icon's
// callback to the application, as the program's main dialog does.
class CTestDlg : public CDialog {
public:
    explicit CTestDlg(CTestApp& app) : m_app(app) {}
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    CTestApp& m_app;
};

struct SShellCall {
    DWORD message;
    NOTIFYICONDATAW data;
};

class CTestApp : public CApp {
public:
    explicit CTestApp(CMemoryBackend& memory) : m_dlg(*this) {
        m_store.SetBackend(&memory);
        m_store.SetNames(L"Holverin", L"PinarboTest");
        m_displayName = L"Pinarbo";
    }
    ~CTestApp() override {
        if (m_dlg.GetHwnd()) ::DestroyWindow(m_dlg.GetHwnd());
    }

    bool CreateMainWindow(HWND parent) override {
        EnsureButtonClass();
        return m_dlg.Create(nullptr, IDD_MAIN, parent) != nullptr;
    }
    CDialog* MainDialog() override { return &m_dlg; }
    HWND TrayWindow() override { return m_dlg.GetHwnd(); }
    UINT TrayMessage() override { return kTrayMsg; }
    UINT TrayIcon() override { return IDI_APP; }

    int AskUser(const tstr& text, const tstr& caption, UINT flags) override {
        ++asked;
        lastQuestion = text;
        lastCaption = caption;
        lastFlags = flags;
        if (reenterWhileAsking) reentryAnswer = QueryExit();
        return answer;
    }
    tstr ShortcutPath() override { return shortcut; }
    bool NotifyShell(DWORD message, NOTIFYICONDATAW& data) override {
        calls.push_back({message, data});
        return !(message == NIM_SETVERSION && refuseVersion);
    }

    std::vector<SShellCall> Calls(DWORD message) const {
        std::vector<SShellCall> out;
        for (const SShellCall& c : calls)
            if (c.message == message) out.push_back(c);
        return out;
    }
    HWND Main() { return MainWindow(); }

    CTestDlg m_dlg;
    int answer = IDCANCEL;
    int asked = 0;
    tstr lastQuestion, lastCaption;
    UINT lastFlags = 0;
    bool reenterWhileAsking = false;
    bool reentryAnswer = true;
    tstr shortcut;
    std::vector<SShellCall> calls;
    bool refuseVersion = false;  // an older shell: no NOTIFYICON_VERSION_4
};

INT_PTR CTestDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_WINDOWPOSCHANGED) m_app.OnMainWindowMoved(kTrayMsg, IDI_APP, nullptr);
    if (msg == kTrayMsg) m_app.OnTrayNotify(wParam, lParam);
    return CDialog::DialogProc(msg, wParam, lParam);
}

class AppLayers : public ::testing::Test {
protected:
    void TearDown() override {
        Pump();
        TakeQuit();
    }
    // A store that already saw a clean end, so the next start is not a first start.
    void MarkStartedBefore() { m_memory.SetRaw(L"Software\\Holverin\\PinarboTest\\Options\\Windows\\Main", L"x", 1, {0, 0}); }
    tstr Read(const tstr& section, const tstr& key) {
        CSettingsStore store;
        store.SetBackend(&m_memory);
        store.SetNames(L"Holverin", L"PinarboTest");
        tstr v = L"<absent>";
        store.ReadString(section, key, v);
        return v;
    }

    CMemoryBackend m_memory;
};

}  // namespace

TEST_F(AppLayers, FirstStartCentresAndShowsTheMainDialogAndWritesItsHandle) {
    CTestApp app(m_memory);
    ASSERT_TRUE(app.Init());
    EXPECT_TRUE(app.IsFirstStart());
    ASSERT_TRUE(app.ShowMainWindow());
    const HWND main = app.Main();
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_FALSE(::IsIconic(main));
    RECT r{};
    ::GetWindowRect(main, &r);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN) / 2, cy = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    EXPECT_LE(std::abs((r.left + r.right) / 2 - cx), 1) << r.left << "," << r.right;
    EXPECT_LE(std::abs((r.top + r.bottom) / 2 - cy), 1) << r.top << "," << r.bottom;
    // Also on a first start, so a copy started meanwhile finds this one.
    EXPECT_EQ(Read(L"Options\\Windows\\Main", L"Handle"), std::to_wstring(reinterpret_cast<INT_PTR>(main)));
}

TEST_F(AppLayers, SecondCopyBringsTheFirstForwardAndStops) {
    CTestApp first(m_memory);
    ASSERT_TRUE(first.Init());
    ASSERT_TRUE(first.ShowMainWindow());
    ::ShowWindow(first.Main(), SW_HIDE);

    CTestApp second(m_memory);
    EXPECT_FALSE(second.Init());
    EXPECT_TRUE(::IsWindowVisible(first.Main())) << "the first copy's window is shown";
    EXPECT_EQ(second.Main(), nullptr) << "no main window of its own";
}

TEST_F(AppLayers, StaleOrForeignHandlesLetANewCopyRun) {
    const HWND foreign = ::CreateWindowExW(0, L"STATIC", L"Notepad", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const HWND untitled = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    // Someone else's window with the program's title: not a dialog, so not ours; never shown.
    const HWND lookalike = ::CreateWindowExW(0, L"STATIC", L"Pinarbo", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const std::wstring cases[] = {
        L"0", L"123456789", L"garbage", L"-1", L"99999999999999999999",
        std::to_wstring(reinterpret_cast<INT_PTR>(foreign)), std::to_wstring(reinterpret_cast<INT_PTR>(untitled)),
        std::to_wstring(reinterpret_cast<INT_PTR>(lookalike)),
    };
    for (const std::wstring& handle : cases) {
        m_memory.Clear();
        CSettingsStore store;
        store.SetBackend(&m_memory);
        store.SetNames(L"Holverin", L"PinarboTest");
        store.WriteString(L"Options\\Windows\\Main", L"Handle", handle);
        CTestApp app(m_memory);
        EXPECT_TRUE(app.Init()) << std::string(handle.begin(), handle.end());
        EXPECT_TRUE(app.IsFirstStart()) << "only the Handle of a run that never ended";
    }
    EXPECT_FALSE(::IsWindowVisible(lookalike));
    ::DestroyWindow(foreign);
    ::DestroyWindow(untitled);
    ::DestroyWindow(lookalike);
}

TEST_F(AppLayers, OfTwoCopiesStartedTogetherOnlyTheFirstGoesOn) {
    CTestApp first(m_memory);
    ASSERT_TRUE(first.Init());  // no window and no "Handle" yet
    {
        CTestApp second(m_memory);
        second.m_handOverWaitMs = 0;
        EXPECT_FALSE(second.Init()) << "the first copy holds the claim";
        EXPECT_EQ(second.Main(), nullptr);
    }
    // A "Handle" naming another program's window with our title while the first copy starts:
    // the second copy still ends, and the look-alike is left alone.
    const HWND lookalike = ::CreateWindowExW(0, L"STATIC", L"Pinarbo", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    {
        CSettingsStore store;
        store.SetBackend(&m_memory);
        store.SetNames(L"Holverin", L"PinarboTest");
        store.WriteString(L"Options\\Windows\\Main", L"Handle", std::to_wstring(reinterpret_cast<INT_PTR>(lookalike)));
        CTestApp second(m_memory);
        second.m_handOverWaitMs = 0;
        EXPECT_FALSE(second.Init());
        EXPECT_FALSE(::IsWindowVisible(lookalike));
    }
    ::DestroyWindow(lookalike);
    first.AbandonStart();
    CTestApp later(m_memory);
    EXPECT_TRUE(later.Init()) << "the claim ends with the copy that held it";
}

TEST_F(AppLayers, FirstStartUntilAFirstRunHasEndedCleanly) {
    struct Case {
        const char* what;
        std::vector<const wchar_t*> values;  // in "Options\\Windows\\Main"; empty: no section
        bool section;
        bool first;
    } cases[] = {
        {"nothing stored", {}, false, true},
        {"a killed first run's Handle only", {L"Handle"}, true, true},
        {"Handle and a placement: a killed later run", {L"Handle", L"plmnt"}, true, false},
        {"a placement: a clean end", {L"plmnt"}, true, false},
        {"an empty section", {}, true, false},
        {"another value", {L"x"}, true, false},
    };
    for (const Case& c : cases) {
        m_memory.Clear();
        CSettingsStore store;
        store.SetBackend(&m_memory);
        store.SetNames(L"Holverin", L"PinarboTest");
        if (c.section) store.WriteString(L"Options\\Windows\\Main", L"x", static_cast<const wchar_t*>(nullptr));
        for (const wchar_t* v : c.values) {
            const WINDOWPLACEMENT wp{sizeof(WINDOWPLACEMENT)};
            if (std::wstring(v) == L"plmnt") {
                store.WriteStruct(L"Options\\Windows\\Main", v, &wp, sizeof(wp));
            } else {
                store.WriteString(L"Options\\Windows\\Main", v, L"12345");
            }
        }
        CTestApp app(m_memory);
        ASSERT_TRUE(app.Init()) << c.what;
        EXPECT_EQ(app.IsFirstStart(), c.first) << c.what;
    }
}

namespace {

// The program's own application object whose desktop view cannot be created.
class CNoViewApp : public CWpp {
protected:
    bool CreateViewWindow(bool) override { return false; }
    tstr ShortcutPath() override { return tstr(); }
};

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ThreadWindows() {
    int n = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

}  // namespace

TEST_F(AppLayers, AFailedStartDestroysWhatItMadeAndWritesNothing) {
    const tstr main = L"Software\\Holverin\\Pinarbo\\Options\\Windows\\Main";
    for (bool first : {true, false}) {
        m_memory.Clear();
        if (!first) m_memory.SetRaw(main, L"x", 1, {0, 0});
        const int windows = ThreadWindows();
        {
            CNoViewApp app;
            app.Store().SetBackend(&m_memory);
            EXPECT_FALSE(app.Init()) << first;
            EXPECT_EQ(app.IsFirstStart(), first);
            EXPECT_EQ(app.MainDlg().GetHwnd(), nullptr) << first;
            EXPECT_EQ(app.View().GetHwnd(), nullptr) << first;
            EXPECT_EQ(ThreadWindows(), windows) << first << ": every window it made is gone";

            CSettingsStore store;
            store.SetBackend(&m_memory);
            store.SetNames(L"Holverin", L"Pinarbo");
            tstr value;
            EXPECT_FALSE(store.ReadString(L"Options\\Windows\\Main", L"Handle", value)) << first;
            EXPECT_FALSE(HasWindowPlacement(store, L"Options\\Windows\\Main")) << first;
            EXPECT_EQ(store.SectionExists(L"Options\\Windows\\Main"), !first) << first;
            EXPECT_FALSE(store.SectionExists(L"Profiles")) << first;
            EXPECT_FALSE(store.SectionExists(L"Options\\Common")) << first;

            // Nothing holds the claim: the next copy starts (and is a first start again).
            CNoViewApp next;
            next.Store().SetBackend(&m_memory);
            EXPECT_FALSE(next.Init());
            EXPECT_EQ(next.IsFirstStart(), first) << first;
        }
        EXPECT_EQ(ThreadWindows(), windows);
    }
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
}

TEST_F(AppLayers, QuitQuestionCancelKeepsRunningOkCloses) {
    CTestApp app(m_memory);
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.ShowMainWindow());

    app.answer = IDCANCEL;
    EXPECT_FALSE(app.QueryExit());
    EXPECT_EQ(app.asked, 1);
    EXPECT_EQ(app.lastQuestion, L"Quit program?");
    EXPECT_EQ(app.lastCaption, L"Pinarbo");
    EXPECT_EQ(app.lastFlags, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL));
    EXPECT_FALSE(TakeQuit());
    EXPECT_TRUE(::IsWindow(app.Main()));

    // While the question is open, a second request answers false at once.
    app.reenterWhileAsking = true;
    EXPECT_FALSE(app.QueryExit());
    EXPECT_EQ(app.asked, 2);
    EXPECT_FALSE(app.reentryAnswer);
    app.reenterWhileAsking = false;

    const HWND main = app.Main();
    app.answer = IDOK;
    EXPECT_TRUE(app.QueryExit());
    EXPECT_FALSE(::IsWindow(main)) << "Close destroys the main window";
    EXPECT_TRUE(TakeQuit());
}

TEST_F(AppLayers, WithoutConfirmationTheProgramEndsAtOnce) {
    CTestApp app(m_memory);
    app.m_confirmExit.Set(false);
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.ShowMainWindow());
    EXPECT_TRUE(app.OnCancel());
    EXPECT_EQ(app.asked, 0);
    EXPECT_TRUE(TakeQuit());
}

TEST_F(AppLayers, EscMinimisesIntoTheIconInsteadOfEnding) {
    MarkStartedBefore();
    CTestApp app(m_memory);
    ASSERT_TRUE(app.Init());
    app.m_escMin.Set(1);
    ASSERT_TRUE(app.ShowMainWindow());
    ::ShowWindow(app.Main(), SW_SHOWNORMAL);
    EXPECT_FALSE(app.OnCancel());
    EXPECT_EQ(app.asked, 0);
    EXPECT_TRUE(::IsIconic(app.Main()));
    EXPECT_FALSE(::IsWindowVisible(app.Main()));
    EXPECT_EQ(app.Calls(NIM_ADD).size(), 1u);
    EXPECT_FALSE(TakeQuit());
}

TEST_F(AppLayers, MinimiseIntoTheIconWithTipAndFirstStartBalloon) {
    CTestApp app(m_memory);
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.ShowMainWindow());
    EXPECT_TRUE(app.calls.empty()) << "the program starts without an icon";
    ::SendMessageW(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(::IsWindowVisible(app.Main()));

    const auto adds = app.Calls(NIM_ADD);
    ASSERT_EQ(adds.size(), 1u);
    const NOTIFYICONDATAW& add = adds[0].data;
    EXPECT_EQ(add.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
    EXPECT_EQ(add.hWnd, app.Main());
    EXPECT_EQ(add.uID, 0u);
    // The standard tip is asked for: with version 4 (set right after the add) it shows only then.
    EXPECT_EQ(add.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP));
    EXPECT_EQ(add.uCallbackMessage, kTrayMsg);
    EXPECT_TRUE(add.hIcon != nullptr);
    EXPECT_STREQ(add.szTip, L"Pinarbo\n" PINARBO_VERSION_WTEXT L" ver.");

    const auto mods = app.Calls(NIM_MODIFY);
    ASSERT_EQ(mods.size(), 1u) << "the balloon of a first start";
    EXPECT_EQ(mods[0].data.uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_STREQ(mods[0].data.szInfo, L"Pinarbo\n" PINARBO_VERSION_WTEXT L" ver.");
    EXPECT_STREQ(mods[0].data.szInfoTitle, L"");
    EXPECT_EQ(mods[0].data.uTimeout, 15000u);

    EXPECT_TRUE(app.Exit());
    ASSERT_EQ(app.Calls(NIM_DELETE).size(), 1u) << "Exit removes the icon";
    EXPECT_EQ(app.Calls(NIM_DELETE)[0].data.hWnd, app.Main());
    EXPECT_TRUE(TakeQuit());
}

TEST_F(AppLayers, LaterRunsShowNoBalloon) {
    MarkStartedBefore();
    CTestApp app(m_memory);
    ASSERT_TRUE(app.Init());
    EXPECT_FALSE(app.IsFirstStart());
    ASSERT_TRUE(app.ShowMainWindow());
    ::ShowWindow(app.Main(), SW_SHOWNORMAL);
    ::SendMessageW(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(app.Calls(NIM_ADD).size(), 1u);
    EXPECT_TRUE(app.Calls(NIM_MODIFY).empty());
}

TEST_F(AppLayers, MinimiseWithoutTheTrayOptionMinimisesNormally) {
    MarkStartedBefore();
    CTestApp app(m_memory);
    ASSERT_TRUE(app.Init());
    app.m_minimizeToTray.Set(0);
    ASSERT_TRUE(app.ShowMainWindow());
    ::ShowWindow(app.Main(), SW_SHOWNORMAL);
    ::SendMessageW(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(::IsIconic(app.Main()));
    EXPECT_TRUE(::IsWindowVisible(app.Main()));
    EXPECT_TRUE(app.Calls(NIM_ADD).empty());
}

TEST_F(AppLayers, RestoringKeepsOrRemovesTheIconByKeepInTray) {
    for (int keep : {1, 0}) {
        m_memory.Clear();
        MarkStartedBefore();
        CTestApp app(m_memory);
        ASSERT_TRUE(app.Init());
        app.m_keepInTray.Set(keep);
        ASSERT_TRUE(app.ShowMainWindow());
        ::ShowWindow(app.Main(), SW_SHOWNORMAL);
        ::SendMessageW(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_EQ(app.Calls(NIM_ADD).size(), 1u);
        ::ShowWindow(app.Main(), SW_RESTORE);
        EXPECT_TRUE(::IsWindowVisible(app.Main()));
        EXPECT_EQ(app.Calls(NIM_DELETE).empty(), keep != 0) << "KeepInTray " << keep;
        EXPECT_EQ(app.IsIconWanted(), keep != 0);
    }
}

TEST_F(AppLayers, IconClickTogglesTheMainWindow) {
    MarkStartedBefore();
    CTestApp app(m_memory);
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.ShowMainWindow());
    const HWND main = app.Main();
    ::ShowWindow(main, SW_SHOWNORMAL);
    ::SendMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_FALSE(::IsWindowVisible(main));

    // Hidden: a click shows it in front.
    ::SendMessageW(main, kTrayMsg, 0, WM_MOUSEMOVE);
    ::SendMessageW(main, kTrayMsg, 0, WM_LBUTTONUP);
    Pump();
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_FALSE(::IsIconic(main));
    EXPECT_EQ(::GetForegroundWindow(), main);

    // In front (remembered as the foreground when the pointer passed): a click hides it.
    ::SendMessageW(main, kTrayMsg, 0, WM_MOUSEMOVE);
    EXPECT_EQ(app.LastForeground(), main);
    ::SendMessageW(main, kTrayMsg, 0, WM_LBUTTONUP);
    EXPECT_FALSE(::IsWindowVisible(main));

    // Another icon id is not ours (the shell took version 4: the id is lParam's high word).
    ::SendMessageW(main, kTrayMsg, MAKEWPARAM(20, 20), MAKELPARAM(WM_LBUTTONUP, 7));
    EXPECT_FALSE(::IsWindowVisible(main));
    // Version 4: wParam is the icon's anchor point, not an id.
    ::SendMessageW(main, kTrayMsg, MAKEWPARAM(20, 20), MAKELPARAM(WM_LBUTTONUP, 0));
    EXPECT_TRUE(::IsWindowVisible(main));
    ASSERT_EQ(app.Calls(NIM_SETVERSION).size(), 1u);
    EXPECT_EQ(app.Calls(NIM_SETVERSION)[0].data.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));
    EXPECT_NE(app.Calls(NIM_ADD)[0].data.uFlags & NIF_SHOWTIP, 0u) << "version 4 icons show the tip only when asked";
}

TEST_F(AppLayers, AShellWithoutVersion4SendsTheIdInWParam) {
    MarkStartedBefore();
    CTestApp app(m_memory);
    app.refuseVersion = true;
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.ShowMainWindow());
    const HWND main = app.Main();
    ::ShowWindow(main, SW_SHOWNORMAL);
    ::SendMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_FALSE(::IsWindowVisible(main));
    ::SendMessageW(main, kTrayMsg, 7, WM_LBUTTONUP);
    EXPECT_FALSE(::IsWindowVisible(main)) << "id 7 is not ours";
    ::SendMessageW(main, kTrayMsg, 0, WM_LBUTTONUP);
    EXPECT_TRUE(::IsWindowVisible(main));
}

TEST_F(AppLayers, ShellRestartAddsTheIconAgainOnlyWhenItShouldBeThere) {
    MarkStartedBefore();
    CTestApp app(m_memory);
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.ShowMainWindow());
    EXPECT_FALSE(app.OnTaskbarCreated()) << "no icon yet";
    ::ShowWindow(app.Main(), SW_SHOWNORMAL);
    ::SendMessageW(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_EQ(app.Calls(NIM_ADD).size(), 1u);
    // The shell announces its new taskbar to every top-level window.
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    ::SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_NORMAL, 2000, nullptr);
    ASSERT_EQ(app.Calls(NIM_ADD).size(), 2u);
    EXPECT_TRUE(app.Calls(NIM_MODIFY).empty()) << "no balloon for a re-add";
    EXPECT_EQ(app.Calls(NIM_ADD)[1].data.hWnd, app.Main());
    EXPECT_STREQ(app.Calls(NIM_ADD)[1].data.szTip, L"Pinarbo\n" PINARBO_VERSION_WTEXT L" ver.");
    app.DeleteTrayIcon(app.Main(), 0);
    ::SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_NORMAL, 2000, nullptr);
    EXPECT_EQ(app.Calls(NIM_ADD).size(), 2u);
}

TEST_F(AppLayers, CallerTipTextIsCut) {
    MarkStartedBefore();
    CTestApp app(m_memory);
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.ShowMainWindow());
    const std::wstring text(61, L't');
    EXPECT_TRUE(app.AddTrayIcon(app.Main(), kTrayMsg, nullptr, text.c_str(), 0));
    EXPECT_EQ(std::wstring(app.Calls(NIM_ADD).back().data.szTip), std::wstring(60, L't') + L"...");
    EXPECT_FALSE(app.AddTrayIcon(nullptr, kTrayMsg, nullptr, nullptr, 0));
}

TEST_F(AppLayers, ProfileChoiceAndRewriteAtSave) {
    {
        CSettingsStore store;
        store.SetBackend(&m_memory);
        store.SetNames(L"Holverin", L"PinarboTest");
        store.WriteString(L"Profiles", L"Profile", L"Work");
        store.WriteString(L"Profiles\\Work\\Items\\005", L"type", L"1");  // stale section
        store.WriteString(L"Profiles\\Other\\Items\\000", L"type", L"1");
    }
    CTestApp app(m_memory);
    ASSERT_TRUE(app.Init());
    EXPECT_EQ(app.ProfileName(), L"Work");
    EXPECT_EQ(app.Store().Expand(L"*prof*Options\\Blinks"), L"Profiles\\Work\\Options\\Blinks");
    std::vector<tstr> names;
    EXPECT_TRUE(app.EnumProfiles(&names));
    EXPECT_EQ(names, (std::vector<tstr>{L"Other", L"Work"}));
    EXPECT_FALSE(app.EnumProfiles(nullptr));

    EXPECT_TRUE(app.SaveOptions());
    EXPECT_EQ(Read(L"Profiles\\Work\\Items\\005", L"type"), L"<absent>") << "the profile is rewritten";
    EXPECT_EQ(Read(L"Profiles\\Other\\Items\\000", L"type"), L"1") << "other profiles stay";
    EXPECT_EQ(Read(L"Profiles", L"Profile"), L"Work");
}

TEST_F(AppLayers, UnusableStoredProfileNamesFallBackToDefault) {
    // Two stored profiles; a name that is not one key name would reach into them ("Work\\Items"
    // is Work's items, deleted at exit) or above them.
    const tstr names[] = {L"", L"\\", L"a\\\\b", tstr(300, L'p'), L"Work\\Items", L"Work\\", L"\\Work",
                          L"Other\\Items\\000", L"Work\\Options"};
    for (const tstr& name : names) {
        m_memory.Clear();
        CSettingsStore store;
        store.SetBackend(&m_memory);
        store.SetNames(L"Holverin", L"PinarboTest");
        store.WriteString(L"Profiles", L"Profile", name);
        store.WriteString(L"Profiles\\Work\\Items\\000", L"type", L"1");
        store.WriteString(L"Profiles\\Work\\Options\\Blinks", L"num", L"7");
        store.WriteString(L"Profiles\\Other\\Items\\000", L"type", L"2");
        CTestApp app(m_memory);
        ASSERT_TRUE(app.Init());
        EXPECT_EQ(app.ProfileName(), L"Default") << name.size();
        app.SaveOptions();
        EXPECT_EQ(Read(L"Profiles\\Work\\Items\\000", L"type"), L"1") << "no other profile is lost";
        EXPECT_EQ(Read(L"Profiles\\Work\\Options\\Blinks", L"num"), L"7");
        EXPECT_EQ(Read(L"Profiles\\Other\\Items\\000", L"type"), L"2");
        EXPECT_EQ(Read(L"Profiles", L"Profile"), L"Default");
    }
}

// An installer's "Start with Windows" shortcut starts this very file: the first start keeps it and
// the option reads on. A shortcut to another file, or one whose target differs only in case, is
// told apart correctly.
TEST_F(AppLayers, FirstStartKeepsAShortcutToItself) {
    wchar_t tmp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, tmp);
    const tstr link = tstr(tmp) + L"Pinarbo-installed-test.lnk";
    tstr self = SysIntegration::ModulePath();
    tstr upper = self;
    ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    struct Case {
        tstr target;
        bool kept;
    } cases[] = {{self, true}, {upper, true}, {tstr(tmp) + L"Other.exe", false}};
    for (const Case& c : cases) {
        m_memory.Clear();
        ASSERT_TRUE(SUCCEEDED(Autostart::CreateShortcut(c.target, link, L"Pinarbo", 0, L"")));
        CTestApp app(m_memory);
        app.shortcut = link;
        ASSERT_TRUE(app.Init());
        EXPECT_TRUE(app.IsFirstStart());
        EXPECT_EQ(::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES, c.kept);
        EXPECT_EQ(app.m_autostart.Get(), c.kept);
        app.AbandonStart();
    }
    ::DeleteFileW(link.c_str());
}

TEST_F(AppLayers, CommonOptionsAtTheirRecordedDefaultsAreNotStored) {
    CTestApp app(m_memory);
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.SaveOptions());
    struct Expect {
        const wchar_t* key;
        const wchar_t* value;
    } expected[] = {
        {L"MinimizeToTray", L"<absent>"}, {L"HideInTray", L"<absent>"}, {L"KeepInTray", L"1"},
        {L"EscMin", L"0"},                {L"StartMinimize", L"<absent>"}, {L"CloseMinimize", L"0"},
        {L"ConfirmExit", L"<absent>"},
    };
    for (const Expect& e : expected) EXPECT_EQ(Read(L"Options\\Common", e.key), e.value) << e.key;

    app.m_minimizeToTray.Set(0);
    app.m_startPlacement.Set(1);
    app.m_confirmExit.Set(false);
    ASSERT_TRUE(app.SaveOptions());
    EXPECT_EQ(Read(L"Options\\Common", L"MinimizeToTray"), L"0");
    EXPECT_EQ(Read(L"Options\\Common", L"StartMinimize"), L"1");
    EXPECT_EQ(Read(L"Options\\Common", L"ConfirmExit"), L"0");
    EXPECT_EQ(Read(L"Options\\Windows\\Main", L"Handle"), L"<absent>") << "removed when options are saved";
    app.AbandonStart();  // ends this copy (and its claim), as the end of its process would

    CTestApp again(m_memory);
    ASSERT_TRUE(again.Init());
    ASSERT_TRUE(again.LoadOptions());
    EXPECT_EQ(again.m_minimizeToTray.Get(), 0);
    EXPECT_EQ(again.m_startPlacement.Get(), 1);
    EXPECT_FALSE(again.m_confirmExit.Get());
}

TEST_F(AppLayers, FirstStartDeletesAnOldAutostartShortcutLaterStartsKeepIt) {
    wchar_t tmp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, tmp);
    const tstr link = tstr(tmp) + L"Pinarbo-autostart-test.lnk";
    for (bool first : {true, false}) {
        m_memory.Clear();
        if (!first) MarkStartedBefore();
        const HANDLE f = ::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ::CloseHandle(f);
        CTestApp app(m_memory);
        app.shortcut = link;
        ASSERT_TRUE(app.Init());
        const bool exists = ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(exists, !first) << "first start " << first;
        EXPECT_EQ(app.m_autostart.Get(), !first) << "the option follows the file";
    }
    CTestApp app(m_memory);
    app.shortcut = link;
    ASSERT_TRUE(app.Init());
    app.m_autostart.Set(true);
    EXPECT_TRUE(app.ApplyAutostart());
    EXPECT_NE(::GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);
    app.m_autostart.Set(false);
    app.ApplyAutostart();
    EXPECT_EQ(::GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);
    app.RefreshAutostart();
    EXPECT_FALSE(app.m_autostart.Get());
}
