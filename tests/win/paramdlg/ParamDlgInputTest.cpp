// Real keyboard and mouse input (xdotool on the test's X display) through bound controls.
#include "ParamDlgFixture.h"

#include "param/CEdges.h"

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

    ASSERT_TRUE(RunXdotool(L"mousemove " + At(CentreOf(edit)) + L" click 1", 800));
    ASSERT_EQ(::GetFocus(), edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);  // the whole "30" selected, as the user would
    struct SStep {
        const wchar_t* key;
        const wchar_t* text;
        int value;
    };
    const SStep steps[] = {{L"minus", L"-", 30}, {L"3", L"-3", -3}, {L"0", L"-30", -30}};
    for (const SStep& s : steps) {
        ASSERT_TRUE(RunXdotool(std::wstring(L"key ") + s.key, 500));
        PumpUntil([&] { return TextOf(edit) == s.text; }, 2000);
        EXPECT_EQ(TextOf(edit), s.text) << "after key " << testing::PrintToString(std::wstring(s.key));
        EXPECT_EQ(shift.Get(), s.value) << "after key " << testing::PrintToString(std::wstring(s.key));
    }
    DWORD start = 0, end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 3u);
}
