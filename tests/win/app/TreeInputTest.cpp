// The tree and the user's input, on the program's own application object: a hide hotkey another
// program holds is refused and told (and the rest works: the tree still hides and shows, and the
// hotkey is taken once it is free); hiding stops the frames; "Let clicks through" changes the
// tree's window style live; a place stored on a monitor that is not attached is kept as it was,
// while the tree shows on the monitor there is.
#include "../wnd/Pump.h"
#include "TestWpp.h"
#include "app/CWpp.h"
#include "param/CMemoryBackend.h"
#include "resource.h"
#include "settings/CSettingsDlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

constexpr wchar_t kRoot[] = L"Software\\Holverin\\Pinarbo\\";
constexpr wchar_t kView[] = L"Software\\Holverin\\Pinarbo\\Profiles\\Default\\Options\\ViewWnd";

tstr Text(CMemoryBackend& memory, const tstr& path, const wchar_t* name) {
    tstr out;
    return memory.ReadText(path, name, out) ? out : tstr(L"<absent>");
}

}  // namespace

TEST(TreeInput, HotkeyHeldElsewhereIsToldAndTheRestWorks) {
    // Another holder of Ctrl+Alt+Shift+T, first.
    const HWND other = ::CreateWindowExW(0, L"STATIC", L"holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other);
    ASSERT_TRUE(::RegisterHotKey(other, 7, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'T'));

    CMemoryBackend memory;
    memory.SetRaw(tstr(kRoot) + L"Options\\Windows\\Main", L"x", 1, {0, 0});  // not a first start
    memory.SetRaw(kView, L"mon", 1, {'\\', 0, '\\', 0, '.', 0, '\\', 0, 'G', 0, 'O', 0, 'N', 0, 'E', 0, 0, 0});
    memory.SetRaw(kView, L"monx", 1, {'5', 0, 0, 0});
    memory.SetRaw(kView, L"mony", 1, {'7', 0, 0, 0});
    {
        CTestWpp app;
        app.Store().SetBackend(&memory);
        ASSERT_TRUE(app.Init());
        CViewWnd& view = app.View();
        EXPECT_TRUE(app.HideHotkeyRefused());
        EXPECT_NE(app.TrayNote().find(L"another program"), tstr::npos) << "the icon's tip tells it";
        {
            CSettingsDlg dlg(&app);
            const HWND hwnd = dlg.Create(nullptr, CSettingsDlg::kTemplateId, app.MainWindow());
            ASSERT_TRUE(hwnd);
            wchar_t status[256] = {};
            ::GetWindowTextW(::GetDlgItem(hwnd, IDC_SETTINGS_STATUS), status, 256);
            EXPECT_NE(tstr(status).find(L"another program"), tstr::npos) << "the settings dialog's status bar tells it";
            const HWND box = ::GetDlgItem(dlg.PageWindow(1), IDC_VIEW_CLICKTHROUGH);
            EXPECT_EQ(::SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
            EXPECT_TRUE(app.OnTrayCommand(TrayMenu::kCmdClickThrough));
            EXPECT_EQ(::SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "the View page's box follows the menu";
            ::SendMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
            EXPECT_FALSE(app.m_clickThrough.Get()) << "Cancel takes it back";
            ::DestroyWindow(hwnd);
        }

        // Hidden by the user (the icon's menu): no window, no frames; shown again, frames go on.
        ASSERT_TRUE(PumpUntil([&] { return view.FramesShown() >= 2; }));
        EXPECT_TRUE(app.OnTrayCommand(TrayMenu::kCmdTree));
        EXPECT_FALSE(::IsWindowVisible(view.GetHwnd()));
        EXPECT_FALSE(view.FrameTimerRunning());
        const int frames = view.FramesShown();
        PumpMessages(200);
        EXPECT_EQ(view.FramesShown(), frames) << "no frame while hidden";
        EXPECT_TRUE(app.OnTrayCommand(TrayMenu::kCmdTree));
        EXPECT_TRUE(::IsWindowVisible(view.GetHwnd()));
        EXPECT_TRUE(PumpUntil([&] { return view.FramesShown() > frames; })) << "frames again once shown";

        // Let clicks through, live, from the menu and from the option alike.
        const auto through = [&] { return (::GetWindowLongPtrW(view.GetHwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; };
        EXPECT_FALSE(through());
        EXPECT_TRUE(app.OnTrayCommand(TrayMenu::kCmdClickThrough));
        EXPECT_TRUE(through());
        EXPECT_TRUE(app.m_clickThrough.Get());
        app.m_clickThrough.Set(false);
        EXPECT_FALSE(through());
        EXPECT_FALSE(app.OnTrayCommand(TrayMenu::kCmdExit)) << "other commands go to the main window";

        // Once free, the hotkey is taken; another one is taken at once, none holds nothing.
        ::UnregisterHotKey(other, 7);
        app.m_hideHotkey.Set(((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8) | 'Y');
        EXPECT_FALSE(app.HideHotkeyRefused());
        EXPECT_TRUE(app.TrayNote().empty());
        EXPECT_FALSE(::RegisterHotKey(other, 8, MOD_CONTROL | MOD_ALT, 'Y')) << "the program holds it";
        app.m_hideHotkey.Set(0);
        EXPECT_FALSE(app.HideHotkeyRefused());
        EXPECT_TRUE(::RegisterHotKey(other, 8, MOD_CONTROL | MOD_ALT, 'Y')) << "let go";
        ::UnregisterHotKey(other, 8);

        // The stored monitor is not attached: the tree shows on this one, and its own place stays.
        EXPECT_TRUE(app.ViewPlaceIsFallback());
        app.m_clickThrough.Set(true);
        app.Exit();
    }
    EXPECT_EQ(Text(memory, kView, L"mon"), L"\\\\.\\GONE");
    EXPECT_EQ(Text(memory, kView, L"monx"), L"5");
    EXPECT_EQ(Text(memory, kView, L"mony"), L"7");
    EXPECT_EQ(Text(memory, tstr(kRoot) + L"Options\\Common", L"ClickThrough"), L"1");
    EXPECT_EQ(Text(memory, tstr(kRoot) + L"Options\\Common", L"HideHotkey"), L"0") << "none is stored as 0";
    ::DestroyWindow(other);
}
