// The main dialog shown for the screenshot script (screenshots.sh), which moves the real pointer
// with xdotool and photographs the three looks. Not run on its own (DISABLED_): the script starts
// it, reads the button's screen rectangle from its output and ends it with a click on the button.
#include "MainDlgTestSupport.h"

#include "app/FactoryClasses.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(MainDlgShowcase, DISABLED_ShowUntilClicked) {
    RegisterFactoryWindowClasses();
    CRecordingHost host;
    CRecordingMainDlg dlg(host);
    const HWND hwnd = dlg.Create(nullptr, CMainDlg::kTemplateId, nullptr);
    ASSERT_NE(hwnd, nullptr);
    ::SetWindowPos(hwnd, HWND_TOP, 200, 150, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(hwnd);
    test_input::Pump(hwnd, 300);
    const RECT r = test_input::ButtonScreenRect(hwnd);
    std::printf("BUTTON %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    std::fflush(stdout);

    const DWORD end = ::GetTickCount() + 90000;
    while (dlg.settingsOpened == 0 && static_cast<int>(end - ::GetTickCount()) > 0) test_input::Pump(hwnd, 50);
    // The script pressed the button and released it outside once before its final click.
    EXPECT_EQ(dlg.settingsOpened, 1);
    EXPECT_EQ(dlg.Count(CMainDlg::kButtonId), 1);
    ::DestroyWindow(hwnd);
}
