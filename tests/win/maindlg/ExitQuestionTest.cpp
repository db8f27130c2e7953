// Esc and the window menu's "E&xit" through the application's real layers: the exit question is a
// real message box, answered by clicking one of its buttons.
#include "MainDlgTestSupport.h"

#include "app/CApp.h"
#include "param/CMemoryBackend.h"
#include "resource.h"
#include "app/FactoryClasses.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

using namespace test_input;

namespace {

// The dialog's view of an application object: its operations answered by the application's layers.
class CAppHost : public IMainDlgHost {
public:
    explicit CAppHost(CApp& app) : m_app(app) {}
    bool Exit() override { return m_app.Exit(); }
    bool OnCancel() override { return m_app.OnCancel(); }
    bool Close() override { return m_app.Close(); }
    bool QueryExit() override { return m_app.QueryExit(); }
    bool OnMainWindowMoved(UINT message, UINT iconId, const wchar_t* text) override {
        return m_app.OnMainWindowMoved(message, iconId, text);
    }
    bool OnTrayNotify(WPARAM id, LPARAM event) override { return m_app.OnTrayNotify(id, event); }
    CSettingsStore& Store() noexcept override { return m_app.Store(); }

private:
    CApp& m_app;
};

class CExitApp : public CApp {
public:
    CExitApp() : m_host(*this), m_dlg(m_host) {
        m_store.SetBackend(&m_memory);
        m_store.SetNames(L"Holverin", L"PinarboTest");
        m_displayName = L"Pinarbo";
    }
    ~CExitApp() override {
        if (m_dlg.GetHwnd()) ::DestroyWindow(m_dlg.GetHwnd());
    }
    bool CreateMainWindow(HWND parent) override {
        RegisterFactoryWindowClasses();
        return m_dlg.Create(nullptr, IDD_MAIN, parent) != nullptr;
    }
    CDialog* MainDialog() override { return &m_dlg; }
    HWND TrayWindow() override { return m_dlg.GetHwnd(); }
    UINT TrayMessage() override { return 40001; }
    UINT TrayIcon() override { return IDI_APP; }

protected:
    bool NotifyShell(DWORD, NOTIFYICONDATAW&) override { return true; }  // leave the notification area alone

public:
    CMemoryBackend m_memory;
    CAppHost m_host;
    CRecordingMainDlg m_dlg;
};

// What the box showed and which button the timer clicked.
struct SBoxSeen {
    HWND owner = nullptr;
    int button = IDCANCEL;
    bool inMenu = false;  // once a popup menu shows: End (its last entry) and Enter
    bool menuSeen = false;
    int boxes = 0;
    std::wstring caption, text;
    int ticks = 0;
} g_box;

void PressKeys(std::initializer_list<WORD> vks) {
    for (WORD vk : vks) {
        INPUT in[2]{};
        in[0].type = INPUT_KEYBOARD;
        in[0].ki.wVk = vk;
        in[1] = in[0];
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, in, sizeof(INPUT));
    }
}

BOOL CALLBACK FindMenu(HWND window, LPARAM found) {
    wchar_t cls[16] = {};
    ::GetClassNameW(window, cls, 16);
    if (std::wstring(cls) == L"#32768" && ::IsWindowVisible(window)) *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

BOOL CALLBACK FindChildText(HWND child, LPARAM found) {
    wchar_t text[64] = {};
    ::GetWindowTextW(child, text, 64);
    if (std::wstring(text) == L"Quit program?") *reinterpret_cast<std::wstring*>(found) = text;
    return TRUE;
}

BOOL CALLBACK AnswerBox(HWND window, LPARAM) {
    wchar_t cls[16] = {};
    ::GetClassNameW(window, cls, 16);
    if (window == g_box.owner || std::wstring(cls) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
    wchar_t caption[64] = {};
    ::GetWindowTextW(window, caption, 64);
    g_box.caption = caption;
    ::EnumChildWindows(window, &FindChildText, reinterpret_cast<LPARAM>(&g_box.text));
    ++g_box.boxes;
    ::SendMessageW(::GetDlgItem(window, g_box.button), BM_CLICK, 0, 0);
    return FALSE;
}

// Thread timer (it runs inside the menu's and the box's own message loops): chooses the last
// entry once a popup menu shows, then answers the first message box of this thread; gives up after
// 5 s. ("x" would not do for "E&xit": the window menu's "Ma&ximize" has the same mnemonic.)
void CALLBACK OnBoxTimer(HWND, UINT, UINT_PTR id, DWORD) {
    if (g_box.inMenu && !g_box.menuSeen) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindMenu, reinterpret_cast<LPARAM>(&g_box.menuSeen));
        if (g_box.menuSeen) {
            PressKeys({VK_END, VK_RETURN});
            return;
        }
    }
    const int before = g_box.boxes;
    ::EnumThreadWindows(::GetCurrentThreadId(), &AnswerBox, 0);
    if (g_box.boxes != before) {
        ::KillTimer(nullptr, id);
    } else if (++g_box.ticks > 50) {
        ::EndMenu();  // never leave a test stuck in a menu
        ::KillTimer(nullptr, id);
    }
}

class ExitQuestion : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.CreateMainWindow(nullptr));
        main = app.MainWindow();
        ::SetWindowPos(main, HWND_TOP, 200, 150, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(main);
        ::SetFocus(::GetDlgItem(main, IDC_MAIN_BUTTON));
        Pump(main, 100);
        TakeQuit();
        g_box = SBoxSeen{};
        g_box.owner = main;
    }
    void Answer(int button) {
        g_box.button = button;
        ::SetTimer(nullptr, 0, 100, &OnBoxTimer);
    }

    CExitApp app;
    HWND main = nullptr;
};

}  // namespace

TEST_F(ExitQuestion, EscAsksQuitProgramAndCancelKeepsTheDialog) {
    ASSERT_EQ(app.m_escMin.Get(), 0);
    ASSERT_TRUE(app.m_confirmExit.Get());
    Answer(IDCANCEL);
    Key(main, VK_ESCAPE);
    EXPECT_EQ(g_box.boxes, 1);
    EXPECT_EQ(g_box.text, L"Quit program?");
    EXPECT_EQ(g_box.caption, L"Pinarbo");
    EXPECT_TRUE(::IsWindow(main));
    EXPECT_TRUE(::IsWindowVisible(main));
    Pump(main, 50);
    EXPECT_FALSE(TakeQuit());
}

TEST_F(ExitQuestion, WindowMenuExitAsksTheSameAndOkEndsTheProgram) {
    // Alt+Space opens the window menu; its last entry is "E&xit".
    g_box.inMenu = true;
    Answer(IDCANCEL);
    INPUT keys[4]{};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_MENU;
    keys[1].ki.wVk = VK_SPACE;
    keys[2] = keys[1];
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3] = keys[0];
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, keys, sizeof(INPUT));
    Pump(main, 500);
    EXPECT_TRUE(g_box.menuSeen);
    EXPECT_EQ(g_box.boxes, 1);
    EXPECT_EQ(g_box.text, L"Quit program?");
    EXPECT_EQ(g_box.caption, L"Pinarbo");
    EXPECT_TRUE(::IsWindow(main));
    EXPECT_FALSE(TakeQuit());

    // The same question again, answered OK: the program ends.
    g_box = SBoxSeen{};
    g_box.owner = main;
    Answer(IDOK);
    ::SendMessageW(main, WM_SYSCOMMAND, CMainDlg::kCmdExit, 0);
    EXPECT_EQ(g_box.boxes, 1);
    EXPECT_EQ(g_box.text, L"Quit program?");
    EXPECT_FALSE(::IsWindow(main));
    Pump(nullptr, 50);
    EXPECT_TRUE(TakeQuit());
}
