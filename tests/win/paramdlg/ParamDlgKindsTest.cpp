// Every control kind with every value type: what the control shows for a value, and what the
// user's action makes of the value. Values are written in their storage text form.
#include "ParamDlgFixture.h"

#include "param/ParamValue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum class EType { Int, Uint, Bool, Text };
enum class EAct { None, Pick, Click, Command, HotKey };

struct SRow {
    const char* what;
    EType type;
    int kind;
    int id;
    std::wstring initial;
    std::vector<int> shown;  // combo: selection; radio: checks from id on; others: the state
    EAct act;
    int arg;  // Pick: index; Click, Command: control id; HotKey: the new hot key
    std::wstring after;
};

// Both combo boxes get five items, the radio buttons P, Q, R the properties 100, 200, 300; the
// radio button after the static and the check box after P, Q, R start checked.
void Prepare(CTestDlg& d) {
    const struct {
        const wchar_t* text;
        int data;
    } dataItems[] = {{L"ten", 10}, {L"twenty", 20}, {L"thirty", 30}, {L"minus one", -1}, {L"zero", 0}};
    for (const auto& item : dataItems) {
        const LRESULT i = ::SendMessageW(d.Item(IDC_COMBO_DATA), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text));
        ::SendMessageW(d.Item(IDC_COMBO_DATA), CB_SETITEMDATA, static_cast<WPARAM>(i), item.data);
    }
    for (const wchar_t* text : {L"5", L"15", L"25abc", L"alpha", L"0"}) {
        ::SendMessageW(d.Item(IDC_COMBO_TEXT), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    ::SetPropW(d.Item(IDC_PROP_A), L"RADIO_DATA", reinterpret_cast<HANDLE>(INT_PTR{100}));
    ::SetPropW(d.Item(IDC_PROP_B), L"RADIO_DATA", reinterpret_cast<HANDLE>(INT_PTR{200}));
    ::SetPropW(d.Item(IDC_PROP_C), L"RADIO_DATA", reinterpret_cast<HANDLE>(INT_PTR{300}));
    ::SendMessageW(d.Item(IDC_RADIO_AFTER), BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessageW(d.Item(IDC_PROP_STOP), BM_SETCHECK, BST_CHECKED, 0);
}

std::vector<int> Shown(CTestDlg& d, const SRow& row) {
    const HWND h = d.Item(row.id);
    switch (row.kind) {
    case kParamComboData:
    case kParamComboText: return {static_cast<int>(::SendMessageW(h, CB_GETCURSEL, 0, 0))};
    case kParamRadioPos:
    case kParamRadioProp: {
        std::vector<int> checks;
        for (std::size_t i = 0; i < row.shown.size(); ++i) {
            checks.push_back(static_cast<int>(
                ::SendMessageW(d.Item(row.id + static_cast<int>(i)), BM_GETCHECK, 0, 0)));
        }
        return checks;
    }
    case kParamCheckBox: return {static_cast<int>(::SendMessageW(h, BM_GETCHECK, 0, 0))};
    case kParamHotKey: return {static_cast<int>(::SendMessageW(h, HKM_GETHOTKEY, 0, 0))};
    case kParamTrackbar: return {static_cast<int>(::SendMessageW(h, TBM_GETPOS, 0, 0))};
    default: return {};
    }
}

void Act(CTestDlg& d, const SRow& row) {
    switch (row.act) {
    case EAct::None: break;
    case EAct::Pick:
        ::SendMessageW(d.Item(row.id), CB_SETCURSEL, static_cast<WPARAM>(row.arg), 0);
        NotifyCommand(d.GetHwnd(), row.id, CBN_SELCHANGE);
        break;
    case EAct::Click: ::SendMessageW(d.Item(row.arg), BM_CLICK, 0, 0); break;
    case EAct::Command: NotifyCommand(d.GetHwnd(), row.arg, BN_CLICKED); break;
    case EAct::HotKey:
        ::SendMessageW(d.Item(row.id), HKM_SETHOTKEY, static_cast<WPARAM>(row.arg), 0);
        NotifyCommand(d.GetHwnd(), row.id, EN_CHANGE);
        break;
    }
}

// Runs one row with a parameter of type T; answers the value's text after the action.
template <class T>
std::wstring RunRow(const SRow& row, std::vector<int>& shown) {
    CParam<T> param;
    param.Set(ParamValue<T>::Parse(row.initial));
    CTestDlg dlg;
    dlg.bind = [&](CTestDlg& d) {
        Prepare(d);
        EXPECT_TRUE(Bind(&d, param, row.kind, row.id));
    };
    EXPECT_TRUE(dlg.Open());
    shown = Shown(dlg, row);
    Act(dlg, row);
    std::wstring text;
    param.ToString(text);
    return text;
}

const int kCtrlK = MAKEWORD('K', HOTKEYF_CONTROL);
const int kAltJ = MAKEWORD('J', HOTKEYF_ALT);

const SRow kRows[] = {
    // Combo by item data: the first item whose data stands for the value; none when absent.
    {"int data shown, picked", EType::Int, kParamComboData, IDC_COMBO_DATA, L"20", {1}, EAct::Pick, 2, L"30"},
    {"int data absent, nothing picked", EType::Int, kParamComboData, IDC_COMBO_DATA, L"25", {-1}, EAct::Pick, -1, L"25"},
    {"uint all bits", EType::Uint, kParamComboData, IDC_COMBO_DATA, L"-1", {3}, EAct::Pick, 0, L"10"},
    {"bool true is any non-zero data", EType::Bool, kParamComboData, IDC_COMBO_DATA, L"1", {0}, EAct::Pick, 4, L"0"},
    {"bool false", EType::Bool, kParamComboData, IDC_COMBO_DATA, L"0", {4}, EAct::Pick, 2, L"1"},
    {"text data as %d", EType::Text, kParamComboData, IDC_COMBO_DATA, L"30", {2}, EAct::Pick, 3, L"-1"},
    {"text data, no such item", EType::Text, kParamComboData, IDC_COMBO_DATA, L"ten", {-1}, EAct::None, 0, L"ten"},
    // Combo by item text.
    {"int text parsed", EType::Int, kParamComboText, IDC_COMBO_TEXT, L"25", {2}, EAct::Pick, 1, L"15"},
    {"int text, letters read 0", EType::Int, kParamComboText, IDC_COMBO_TEXT, L"7", {-1}, EAct::Pick, 3, L"0"},
    {"text compared whole", EType::Text, kParamComboText, IDC_COMBO_TEXT, L"alpha", {3}, EAct::Pick, 2, L"25abc"},
    {"bool text", EType::Bool, kParamComboText, IDC_COMBO_TEXT, L"1", {0}, EAct::Pick, 4, L"0"},
    // Radio group by position; the walk stops at the static, so the button after it is never
    // touched nor read.
    {"int position", EType::Int, kParamRadioPos, IDC_RADIO_A, L"1", {0, 1, 0, 0, 1}, EAct::Click, IDC_RADIO_C, L"2"},
    {"int position beyond the group", EType::Int, kParamRadioPos, IDC_RADIO_A, L"3", {0, 0, 0, 0, 1}, EAct::Command,
     IDC_RADIO_A, L"3"},
    {"bool: first false, the next true", EType::Bool, kParamRadioPos, IDC_RADIO_A, L"1", {0, 1, 0, 0, 1}, EAct::Click,
     IDC_RADIO_A, L"0"},
    {"text position", EType::Text, kParamRadioPos, IDC_RADIO_A, L"2", {0, 0, 1, 0, 1}, EAct::Click, IDC_RADIO_B, L"1"},
    {"lone button checked", EType::Int, kParamRadioPos, IDC_LONE_RADIO, L"0", {1, 0}, EAct::None, 0, L"0"},
    {"lone button unchecked", EType::Int, kParamRadioPos, IDC_LONE_RADIO, L"1", {0, 0}, EAct::Command, IDC_LONE_RADIO,
     L"1"},
    // Radio group by "RADIO_DATA"; the check box after it ends the walk.
    {"int property", EType::Int, kParamRadioProp, IDC_PROP_A, L"200", {0, 1, 0, 1}, EAct::Click, IDC_PROP_C, L"300"},
    {"int property absent", EType::Int, kParamRadioProp, IDC_PROP_A, L"999", {0, 0, 0, 1}, EAct::Command, IDC_PROP_A,
     L"999"},
    {"text property", EType::Text, kParamRadioProp, IDC_PROP_A, L"300", {0, 0, 1, 1}, EAct::Click, IDC_PROP_A, L"100"},
    {"bool property: first true one", EType::Bool, kParamRadioProp, IDC_PROP_A, L"1", {1, 0, 0, 1}, EAct::None, 0,
     L"1"},
    // Check box.
    {"int checked", EType::Int, kParamCheckBox, IDC_CHECK, L"1", {1}, EAct::Click, IDC_CHECK, L"0"},
    {"int unchecked", EType::Int, kParamCheckBox, IDC_CHECK, L"0", {0}, EAct::Click, IDC_CHECK, L"1"},
    {"bool", EType::Bool, kParamCheckBox, IDC_CHECK, L"1", {1}, EAct::Click, IDC_CHECK, L"0"},
    {"text parsed", EType::Text, kParamCheckBox, IDC_CHECK, L"1", {1}, EAct::Click, IDC_CHECK, L"0"},
    {"text without a number", EType::Text, kParamCheckBox, IDC_CHECK, L"abc", {0}, EAct::Click, IDC_CHECK, L"1"},
    // Hot key.
    {"int hot key", EType::Int, kParamHotKey, IDC_HOTKEY, std::to_wstring(kCtrlK), {kCtrlK}, EAct::HotKey,
     kAltJ, std::to_wstring(kAltJ)},
    {"text hot key", EType::Text, kParamHotKey, IDC_HOTKEY, std::to_wstring(kCtrlK), {kCtrlK}, EAct::HotKey,
     kAltJ, std::to_wstring(kAltJ)},
    // A trackbar for a text shows the number; the kind without a control shows nothing.
    {"text trackbar", EType::Text, kParamTrackbar, IDC_PLAIN_TRACK, L"0", {0}, EAct::None, 0, L"0"},
    {"no control", EType::Int, kParamNoControl, IDC_CHECK, L"1", {}, EAct::Click, IDC_CHECK, L"1"},
};

}  // namespace

TEST(ParamDlgKinds, EveryKindShowsAndReadsEveryValueType) {
    InitControls();
    for (const SRow& row : kRows) {
        std::vector<int> shown;
        std::wstring after;
        switch (row.type) {
        case EType::Int: after = RunRow<int>(row, shown); break;
        case EType::Uint: after = RunRow<unsigned int>(row, shown); break;
        case EType::Bool: after = RunRow<bool>(row, shown); break;
        case EType::Text: after = RunRow<tstr>(row, shown); break;
        }
        EXPECT_EQ(shown, row.shown) << row.what;
        EXPECT_EQ(after, row.after) << row.what;
    }
}

// Edits: numbers as "%d" (unsigned ones as their bits), bool as 0 or 1, texts unchanged.
TEST(ParamDlgKinds, EditsShowAndReadEveryValueType) {
    InitControls();
    CParam<unsigned int> bits;
    bits.Set(0xFFFFFFFFu);
    CParam<bool> flag;
    CParam<tstr> text;
    text.Set(L"");
    CTestDlg dlg;
    dlg.bind = [&](CTestDlg& d) {
        Bind(&d, bits, kParamEdit, IDC_LEVEL_EDIT);
        Bind(&d, flag, kParamEdit, IDC_SHIFT_EDIT);
        Bind(&d, text, kParamEdit, IDC_TEXT_EDIT);
    };
    ASSERT_TRUE(dlg.Open());
    EXPECT_EQ(TextOf(dlg.Item(IDC_LEVEL_EDIT)), L"-1");
    EXPECT_EQ(TextOf(dlg.Item(IDC_SHIFT_EDIT)), L"0");
    EXPECT_EQ(TextOf(dlg.Item(IDC_TEXT_EDIT)), L"");
    ::SetWindowTextW(dlg.Item(IDC_LEVEL_EDIT), L"4000000000");
    EXPECT_EQ(bits.Get(), 0x7FFFFFFFu);
    ::SetWindowTextW(dlg.Item(IDC_SHIFT_EDIT), L"5");
    EXPECT_TRUE(flag.Get());
    EXPECT_EQ(TextOf(dlg.Item(IDC_SHIFT_EDIT)), L"1");
    ::SetWindowTextW(dlg.Item(IDC_TEXT_EDIT), L" -7 trees ");
    EXPECT_EQ(text.Get(), L" -7 trees ");
    ::SetWindowTextW(dlg.Item(IDC_TEXT_EDIT), L"");
    EXPECT_EQ(text.Get(), L"");
}
