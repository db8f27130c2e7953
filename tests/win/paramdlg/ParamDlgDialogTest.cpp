// A bound dialog's life: attaching and ranges, controls of one parameter in step, the trackbar's
// focus rule, Cancel and OK, and input that must not break it.
#include "ParamDlgFixture.h"

#include "param/CEdges.h"
#include "param/win/CParamDlg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

DWORD Caret(HWND edit) {
    DWORD start = 0, end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end ? start : 0xFFFFFFFFu;
}
std::pair<int, int> UpDownRange(HWND spin) {
    int lo = -1, hi = -1;
    ::SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    return {lo, hi};
}
std::pair<int, int> TrackRange(HWND track) {
    return {static_cast<int>(::SendMessageW(track, TBM_GETRANGEMIN, 0, 0)),
            static_cast<int>(::SendMessageW(track, TBM_GETRANGEMAX, 0, 0))};
}
int TrackPos(HWND track) { return static_cast<int>(::SendMessageW(track, TBM_GETPOS, 0, 0)); }

struct ParamDlg : testing::Test {
    ParamDlg() { InitControls(); }
    long liveBefore = CParamDlgBase::Live();
};

}  // namespace

// One bounded parameter on an edit, an up-down and a trackbar: each follows the others.
TEST_F(ParamDlg, ControlsOfOneParameterStayInStep) {
    CEdges<> level;
    level.SetRange(0, 240);
    level.Set(120);
    CTestDlg dlg;
    dlg.bind = [&](CTestDlg& d) {
        EXPECT_TRUE(Bind(&d, level, kParamEdit, IDC_LEVEL_EDIT));
        EXPECT_TRUE(Bind(&d, level, kParamTrackbar, IDC_LEVEL_TRACK));
        EXPECT_TRUE(Bind(&d, level, kParamUpDown, IDC_LEVEL_SPIN));
    };
    ASSERT_TRUE(dlg.Open());
    const HWND edit = dlg.Item(IDC_LEVEL_EDIT), track = dlg.Item(IDC_LEVEL_TRACK), spin = dlg.Item(IDC_LEVEL_SPIN);
    EXPECT_EQ(level.Bindings().Count(), 3);
    EXPECT_EQ(UpDownRange(spin), std::make_pair(0, 240));
    EXPECT_EQ(TrackRange(track), std::make_pair(0, 240));
    EXPECT_EQ(TextOf(edit), L"120");
    EXPECT_EQ(TrackPos(track), 120);

    // "300" typed into the edit: 3, 30, then 300 clamped to 240 in all three.
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    TypeChars(edit, L"300");
    PumpMessages(30);
    EXPECT_EQ(level.Get(), 240);
    EXPECT_EQ(TextOf(edit), L"240");
    EXPECT_EQ(TrackPos(track), 240);
    EXPECT_EQ(static_cast<int>(::SendMessageW(spin, UDM_GETPOS32, 0, 0)), 240);

    // The program moves the trackbar while it lacks the focus: the parameter does not follow.
    ::SendMessageW(track, TBM_SETPOS, TRUE, 50);
    ::UpdateWindow(track);
    PumpMessages(30);
    EXPECT_EQ(level.Get(), 240);
    EXPECT_EQ(TextOf(edit), L"240");

    // The trackbar moved while it has the focus (its own redraw): the edit shows it, its caret kept.
    ::SendMessageW(edit, EM_SETSEL, 1, 1);
    ::SetFocus(track);
    ::SendMessageW(track, TBM_SETPOS, TRUE, 80);
    ::UpdateWindow(track);
    PumpMessages(30);
    EXPECT_EQ(level.Get(), 80);
    EXPECT_EQ(TextOf(edit), L"80");
    EXPECT_EQ(Caret(edit), 1u);

    // The up-down's arrow steps through its buddy edit.
    ::SetFocus(edit);
    ::SendMessageW(edit, WM_KEYDOWN, VK_UP, 0);
    ::SendMessageW(edit, WM_KEYUP, VK_UP, 0);
    PumpMessages(30);
    EXPECT_EQ(level.Get(), 81);
    EXPECT_EQ(TrackPos(track), 81);
}

// A plain parameter has no bounds: range controls get 0..0, and its value is kept even where
// the trackbar cannot show it.
TEST_F(ParamDlg, UnboundedParameterGetsTheEmptyRange) {
    CParam<int> plain;
    plain.Set(5);
    CTestDlg dlg;
    dlg.bind = [&](CTestDlg& d) {
        Bind(&d, plain, kParamUpDown, IDC_PLAIN_SPIN);
        Bind(&d, plain, kParamTrackbar, IDC_PLAIN_TRACK);
    };
    ASSERT_TRUE(dlg.Open());
    EXPECT_EQ(UpDownRange(dlg.Item(IDC_PLAIN_SPIN)), std::make_pair(0, 0));
    EXPECT_EQ(TrackRange(dlg.Item(IDC_PLAIN_TRACK)), std::make_pair(0, 0));
    ::SetFocus(dlg.Item(IDC_PLAIN_TRACK));
    ::InvalidateRect(dlg.Item(IDC_PLAIN_TRACK), nullptr, TRUE);
    PumpMessages(30);
    EXPECT_EQ(plain.Get(), 5) << "focusing the trackbar must not rewrite a value it cannot show";
}

// Cancel brings back every bound parameter as it was at OnInitDialog (changes by the program
// too) and its controls follow; OK keeps what was typed last. Either way no binding is left.
TEST_F(ParamDlg, CancelRevertsEverythingOkKeepsTheLastText) {
    for (const WPARAM end : {WPARAM{IDCANCEL}, WPARAM{IDOK}}) {
        CEdges<> level;
        level.SetRange(0, 240);
        level.Set(120);
        CParam<bool> flag;
        CParam<tstr> name;
        name.Set(L"fir");
        CParam<int> choice;
        choice.Set(20);
        CTestDlg dlg;
        dlg.bind = [&](CTestDlg& d) {
            const HWND combo = d.Item(IDC_COMBO_DATA);
            for (int data : {10, 20, 30}) {
                const LRESULT i = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
                ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(i), data);
            }
            Bind(&d, level, kParamEdit, IDC_LEVEL_EDIT);
            Bind(&d, level, kParamTrackbar, IDC_LEVEL_TRACK);
            Bind(&d, flag, kParamCheckBox, IDC_CHECK);
            Bind(&d, name, kParamEdit, IDC_TEXT_EDIT);
            Bind(&d, choice, kParamComboData, IDC_COMBO_DATA);
        };
        ASSERT_TRUE(dlg.Open());
        const HWND hwnd = dlg.GetHwnd();
        ::SendMessageW(dlg.Item(IDC_CHECK), BM_CLICK, 0, 0);
        EXPECT_TRUE(flag.Get());
        ::SendMessageW(dlg.Item(IDC_TEXT_EDIT), EM_SETSEL, 0, -1);
        TypeChars(dlg.Item(IDC_TEXT_EDIT), L"pine");
        EXPECT_EQ(name.Get(), L"pine");
        choice.Set(30);  // by the program
        EXPECT_EQ(::SendMessageW(dlg.Item(IDC_COMBO_DATA), CB_GETCURSEL, 0, 0), 2);
        const HWND edit = dlg.Item(IDC_LEVEL_EDIT);
        ::SetFocus(edit);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        TypeChars(edit, L"77");
        EXPECT_EQ(level.Get(), 77);

        ::SendMessageW(hwnd, WM_COMMAND, end, 0);
        if (end == IDCANCEL) {
            EXPECT_EQ(level.Get(), 120);
            EXPECT_FALSE(flag.Get());
            EXPECT_EQ(name.Get(), L"fir");
            EXPECT_EQ(choice.Get(), 20);
            // The controls followed the reverted values before the bindings went.
            EXPECT_EQ(TextOf(edit), L"120");
            EXPECT_EQ(TrackPos(dlg.Item(IDC_LEVEL_TRACK)), 120);
            EXPECT_EQ(::SendMessageW(dlg.Item(IDC_CHECK), BM_GETCHECK, 0, 0), BST_UNCHECKED);
            EXPECT_EQ(::SendMessageW(dlg.Item(IDC_COMBO_DATA), CB_GETCURSEL, 0, 0), 1);
        } else {
            EXPECT_EQ(level.Get(), 77);
            EXPECT_TRUE(flag.Get());
            EXPECT_EQ(name.Get(), L"pine");
            EXPECT_EQ(choice.Get(), 30);
        }
        EXPECT_EQ(dlg.BindingCount(), 0);
        EXPECT_EQ(level.Bindings().Count() + flag.Bindings().Count() + name.Bindings().Count() +
                      choice.Bindings().Count(),
                  0);
        EXPECT_EQ(CParamDlgBase::Live(), liveBefore);
        // A later change reaches no control of the ended dialog.
        level.Set(5);
        EXPECT_NE(TextOf(edit), L"5");
    }
}

// An edit left with a text that is not a number yet shows the value again when it loses the
// focus; OK, which takes the focus, therefore ends with the value shown.
TEST_F(ParamDlg, UnfinishedNumberIsShownAgainWhenTheEditIsLeft) {
    CEdges<> shift;
    shift.SetRange(-100, 100);
    shift.Set(30);
    CTestDlg dlg;
    dlg.bind = [&](CTestDlg& d) { Bind(&d, shift, kParamEdit, IDC_SHIFT_EDIT); };
    ASSERT_TRUE(dlg.Open());
    const HWND edit = dlg.Item(IDC_SHIFT_EDIT);
    for (const wchar_t* unfinished : {L"-", L"+", L"", L"  "}) {
        ::SetFocus(edit);
        ::SetWindowTextW(edit, unfinished);
        EXPECT_EQ(shift.Get(), 30) << testing::PrintToString(std::wstring(unfinished));
        EXPECT_EQ(TextOf(edit), unfinished);
        ::SetFocus(dlg.Item(IDCANCEL));
        EXPECT_EQ(TextOf(edit), L"30");
    }
    ::SetFocus(edit);
    ::SetWindowTextW(edit, L"-");
    ::SendMessageW(dlg.GetHwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(shift.Get(), 30);
    EXPECT_EQ(TextOf(edit), L"30");
}

// Bad input gives a clear, safe outcome: clamped values, idle bindings, nothing written
// anywhere else.
TEST_F(ParamDlg, BadInputIsClampedOrIgnored) {
    CEdges<> level;
    level.SetRange(0, 240);
    level.Set(100);
    CParam<tstr> name;
    CParam<int> lost, plain;
    plain.Set(7);
    CTestDlg dlg;
    dlg.bind = [&](CTestDlg& d) {
        EXPECT_TRUE(Bind(&d, level, kParamEdit, IDC_LEVEL_EDIT));
        EXPECT_TRUE(Bind(&d, name, kParamEdit, IDC_TEXT_EDIT));
        EXPECT_TRUE(Bind(&d, lost, kParamEdit, IDC_MISSING));  // not in the template: idle
        EXPECT_TRUE(Bind(&d, lost, kParamEdit, 0));
        EXPECT_TRUE(Bind(&d, lost, 0, IDC_SHIFT_EDIT));
        EXPECT_TRUE(Bind(&d, plain, kParamNoControl, IDC_SHIFT_EDIT));
        EXPECT_FALSE(Bind(nullptr, lost, kParamEdit, IDC_SHIFT_EDIT));
    };
    ASSERT_TRUE(dlg.Open());
    const HWND shiftEdit = dlg.Item(IDC_SHIFT_EDIT);
    EXPECT_EQ(TextOf(shiftEdit), L"") << "no binding may write into a control it does not own";

    // Ten thousand characters: a number saturates and is clamped; a text is kept whole.
    ::SetWindowTextW(dlg.Item(IDC_LEVEL_EDIT), std::wstring(10000, L'9').c_str());
    EXPECT_EQ(level.Get(), 240);
    EXPECT_EQ(TextOf(dlg.Item(IDC_LEVEL_EDIT)), L"240");
    ::SetWindowTextW(dlg.Item(IDC_LEVEL_EDIT), (L"-" + std::wstring(10000, L'9')).c_str());
    EXPECT_EQ(level.Get(), 0);
    const std::wstring longText(10000, L'x');
    ::SetWindowTextW(dlg.Item(IDC_TEXT_EDIT), longText.c_str());
    EXPECT_EQ(name.Get(), longText);

    // Idle bindings: the program's changes and the dialog's commands pass them by.
    lost.Set(42);
    plain.Set(8);
    NotifyCommand(dlg.GetHwnd(), IDC_SHIFT_EDIT, EN_UPDATE);
    EXPECT_EQ(TextOf(shiftEdit), L"");
    EXPECT_EQ(lost.Get(), 42);
    EXPECT_EQ(plain.Get(), 8);
    // Cancel still reverts them (their snapshots were taken) and destroys every binding.
    ::SendMessageW(dlg.GetHwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(lost.Get(), 0);
    EXPECT_EQ(plain.Get(), 7);
    EXPECT_EQ(level.Get(), 100);
    EXPECT_EQ(CParamDlgBase::Live(), liveBefore);
}

// The dialog unbinds everything while a parameter is telling its bindings (a control's
// notification reaches the dialog): the binding that is running goes when it returns, the
// others at once, and the ones not yet told are skipped.
TEST_F(ParamDlg, UnbindingWhileAParameterNotifiesIsSafe) {
    CEdges<> level;
    level.SetRange(0, 240);
    level.Set(10);
    bool unbindOnUpdate = false;
    CTestDlg dlg;
    dlg.bind = [&](CTestDlg& d) {
        Bind(&d, level, kParamEdit, IDC_LEVEL_EDIT);
        Bind(&d, level, kParamTrackbar, IDC_LEVEL_TRACK);
    };
    dlg.onCommand = [&](CTestDlg& d, WPARAM wParam) {
        if (unbindOnUpdate && wParam == MAKEWPARAM(IDC_LEVEL_EDIT, EN_UPDATE)) d.UnbindAll();
    };
    ASSERT_TRUE(dlg.Open());
    unbindOnUpdate = true;
    level.Set(50);  // the edit's echo notifies the dialog, which unbinds both bindings
    EXPECT_EQ(level.Get(), 50);
    EXPECT_EQ(level.Bindings().Count(), 0);
    EXPECT_EQ(dlg.BindingCount(), 0);
    EXPECT_EQ(CParamDlgBase::Live(), liveBefore);
    EXPECT_EQ(TrackPos(dlg.Item(IDC_LEVEL_TRACK)), 10) << "a binding detached before its turn is not told";
    level.Set(60);
    EXPECT_EQ(TextOf(dlg.Item(IDC_LEVEL_EDIT)), L"50");
}

// A dialog that goes without OK or Cancel leaves no binding on its parameters.
TEST_F(ParamDlg, DestroyedDialogLetsGoOfItsParameters) {
    CEdges<> level;
    level.SetRange(0, 240);
    {
        CTestDlg dlg;
        dlg.bind = [&](CTestDlg& d) { Bind(&d, level, kParamEdit, IDC_LEVEL_EDIT); };
        ASSERT_TRUE(dlg.Open());
        ::DestroyWindow(dlg.GetHwnd());
        EXPECT_EQ(level.Bindings().Count(), 0);
        EXPECT_EQ(dlg.BindingCount(), 0);
    }
    {
        CTestDlg dlg;
        dlg.bind = [&](CTestDlg& d) { Bind(&d, level, kParamEdit, IDC_LEVEL_EDIT); };
        ASSERT_TRUE(dlg.Open());
    }  // the object deleted with its window alive
    EXPECT_EQ(level.Bindings().Count(), 0);
    EXPECT_EQ(CParamDlgBase::Live(), liveBefore);
    level.Set(3);  // reaches no dead control
    EXPECT_EQ(level.Get(), 3);
}

// OK and Cancel unbind only when they end the dialog: a notification code from those buttons
// leaves the bindings working.
TEST_F(ParamDlg, ButtonNotificationsDoNotStripTheDialog) {
    CEdges<> level;
    level.SetRange(0, 240);
    level.Set(9);
    CTestDlg dlg;
    dlg.bind = [&](CTestDlg& d) { Bind(&d, level, kParamEdit, IDC_LEVEL_EDIT); };
    ASSERT_TRUE(dlg.Open());
    NotifyCommand(dlg.GetHwnd(), IDOK, BN_SETFOCUS);
    NotifyCommand(dlg.GetHwnd(), IDCANCEL, BN_KILLFOCUS);
    EXPECT_EQ(dlg.BindingCount(), 1);
    level.Set(11);
    EXPECT_EQ(TextOf(dlg.Item(IDC_LEVEL_EDIT)), L"11");
    EXPECT_TRUE(::IsWindowVisible(dlg.GetHwnd()));
}
