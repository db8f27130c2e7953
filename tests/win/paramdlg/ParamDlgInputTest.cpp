// Real keyboard and mouse input (xdotool on the test's X display) through bound controls.
#include "ParamDlgFixture.h"

#include "param/CEdges.h"

#include <colordlg.h>

#include <gtest/gtest.h>

#include <string>

namespace {
std::wstring At(POINT p) { return std::to_wstring(p.x) + L" " + std::to_wstring(p.y); }
}  // namespace

TEST(ParamDlgInput, TypingMinusThirtyKeyByKey) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    InitControls();
    CEdges<> shift;
    shift.SetRange(-100, 100);
    shift.Set(30);
    CTestDlg dlg;
    dlg.bind = [&](CTestDlg& d) { Bind(&d, shift, kParamEdit, IDC_SHIFT_EDIT); };
    ASSERT_TRUE(dlg.Open());
    const HWND edit = dlg.Item(IDC_SHIFT_EDIT);
    ASSERT_EQ(TextOf(edit), L"30");

    ASSERT_TRUE(Xdo(L"mousemove " + At(CentreOf(edit)) + L" click 1", 800));
    ASSERT_EQ(::GetFocus(), edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);  // the whole "30" selected, as the user would
    struct SStep {
        const wchar_t* key;
        const wchar_t* text;
        int value;
    };
    const SStep steps[] = {{L"minus", L"-", 30}, {L"3", L"-3", -3}, {L"0", L"-30", -30}};
    for (const SStep& s : steps) {
        ASSERT_TRUE(Xdo(std::wstring(L"key ") + s.key, 500));
        PumpUntil([&] { return TextOf(edit) == s.text; }, 2000);
        EXPECT_EQ(TextOf(edit), s.text) << "after key " << testing::PrintToString(std::wstring(s.key));
        EXPECT_EQ(shift.Get(), s.value) << "after key " << testing::PrintToString(std::wstring(s.key));
    }
    DWORD start = 0, end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 3u);
}

// Dragging the trackbar's thumb with the mouse feeds the parameter; the edit of the same
// parameter shows the new value without its caret moving.
TEST(ParamDlgInput, DraggingTheTrackbarWritesTheEdit) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    InitControls();
    CEdges<> level;
    level.SetRange(0, 240);
    level.Set(200);
    CTestDlg dlg;
    dlg.bind = [&](CTestDlg& d) {
        Bind(&d, level, kParamEdit, IDC_LEVEL_EDIT);
        Bind(&d, level, kParamTrackbar, IDC_LEVEL_TRACK);
    };
    ASSERT_TRUE(dlg.Open());
    const HWND edit = dlg.Item(IDC_LEVEL_EDIT), track = dlg.Item(IDC_LEVEL_TRACK);
    ::SendMessageW(edit, EM_SETSEL, 2, 2);

    RECT thumb{}, channel{};
    ::SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    ::SendMessageW(track, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    ::MapWindowPoints(track, nullptr, reinterpret_cast<POINT*>(&thumb), 2);
    ::MapWindowPoints(track, nullptr, reinterpret_cast<POINT*>(&channel), 2);
    const POINT from{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    // Where the thumb's centre stands for 80: its travel is the channel less one thumb width.
    const int half = (thumb.right - thumb.left) / 2;
    const int to = channel.left + half + (channel.right - channel.left - 2 * half) * 80 / 240;
    ASSERT_TRUE(Xdo(L"mousemove " + At(from) + L" sleep 0.2 mousedown 1 sleep 0.2 mousemove " +
                               std::to_wstring((from.x + to) / 2) + L" " + std::to_wstring(from.y) +
                               L" sleep 0.2 mousemove " + std::to_wstring(to) + L" " + std::to_wstring(from.y) +
                               L" sleep 0.3 mouseup 1",
                           2500));
    PumpMessages(200);
    const int pos = static_cast<int>(::SendMessageW(track, TBM_GETPOS, 0, 0));
    EXPECT_NEAR(pos, 80, 2);
    EXPECT_EQ(level.Get(), pos);
    EXPECT_EQ(TextOf(edit), std::to_wstring(pos));
    DWORD start = 0, end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 2u);
}

namespace {
// Drives the system colour dialog from inside its modal loop: reads the colour it starts with,
// then either enters a new one and confirms, or cancels.
struct SColourDriver {
    COLORREF enter = 0;
    bool confirm = true;
    COLORREF started = 0xFFFFFFFF;
    bool found = false;
};
SColourDriver* g_driver = nullptr;

BOOL CALLBACK FindColourDialog(HWND hwnd, LPARAM out) {
    wchar_t name[16] = {};
    ::GetClassNameW(hwnd, name, 16);
    if (std::wstring(name) == L"#32770" && ::GetDlgItem(hwnd, COLOR_RED) && ::IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK DriveColourDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindColourDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;  // not up yet
    ::KillTimer(nullptr, id);
    SColourDriver& d = *g_driver;
    d.found = true;
    d.started = RGB(::GetDlgItemInt(dialog, COLOR_RED, nullptr, FALSE),
                    ::GetDlgItemInt(dialog, COLOR_GREEN, nullptr, FALSE),
                    ::GetDlgItemInt(dialog, COLOR_BLUE, nullptr, FALSE));
    if (d.confirm) {
        ::SetDlgItemInt(dialog, COLOR_RED, GetRValue(d.enter), FALSE);
        ::SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(d.enter), FALSE);
        ::SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(d.enter), FALSE);
    }
    ::PostMessageW(dialog, WM_COMMAND, d.confirm ? IDOK : IDCANCEL, 0);
}
}  // namespace

// The colour swatch opens the system colour dialog at the parameter's colour; a confirmed
// colour is stored, a cancelled dialog changes nothing. Focus changes never open it.
TEST(ParamDlgInput, ColourSwatchChoosesThroughTheColourDialog) {
    InitControls();
    CParam<unsigned long> colour;
    colour.Set(RGB(0x99, 0x66, 0x33));
    CParam<tstr> colourText;
    colourText.Set(std::to_wstring(RGB(1, 2, 3)));
    CTestDlg dlg;
    dlg.bind = [&](CTestDlg& d) { Bind(&d, colour, kParamColour, IDC_SWATCH); };
    ASSERT_TRUE(dlg.Open());
    const HWND swatch = dlg.Item(IDC_SWATCH);

    struct SCase {
        bool confirm;
        COLORREF enter, started, after;
    };
    const SCase cases[] = {
        {true, RGB(10, 200, 30), RGB(0x99, 0x66, 0x33), RGB(10, 200, 30)},
        {false, RGB(1, 1, 1), RGB(10, 200, 30), RGB(10, 200, 30)},
    };
    for (const SCase& c : cases) {
        SColourDriver driver{c.enter, c.confirm};
        g_driver = &driver;
        ::SetTimer(nullptr, 0, 100, &DriveColourDialog);
        ::SendMessageW(swatch, BM_CLICK, 0, 0);  // returns when the colour dialog has ended
        EXPECT_TRUE(driver.found);
        EXPECT_EQ(driver.started, c.started);
        EXPECT_EQ(colour.Get(), c.after);
    }
    // Notifications other than a click leave the dialog closed (nothing would end it here).
    NotifyCommand(dlg.GetHwnd(), IDC_SWATCH, BN_SETFOCUS);
    NotifyCommand(dlg.GetHwnd(), IDC_SWATCH, BN_DBLCLK);
    EXPECT_EQ(colour.Get(), RGB(10, 200, 30));
    g_driver = nullptr;
}
