// Opening and closing a bound dialog a thousand times leaves nothing behind: no binding, no
// window, no handle held by our owners, no heap growth.
#include "HeapUse.h"
#include "ParamDlgFixture.h"

#include "param/CEdges.h"
#include "wnd/Handles.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The parameters of a small settings page.
struct SPage {
    CEdges<> level;
    CParam<bool> flag;
    CParam<int> choice, place;
    CParam<tstr> name;
    SPage() {
        level.SetRange(0, 240);
        level.Set(120);
        choice.Set(20);
        name.Set(L"fir");
    }
    int Bindings() const {
        return level.Bindings().Count() + flag.Bindings().Count() + choice.Bindings().Count() +
               place.Bindings().Count() + name.Bindings().Count();
    }
};

// Binds every control, types a digit into the level edit and ends itself with OK or Cancel.
class CSoakDlg : public CTestDlg {
public:
    CSoakDlg(SPage& page, WPARAM end) : m_page(page), m_end(end) {}
    INT_PTR OnInitDialog() override {
        const HWND combo = Item(IDC_COMBO_DATA);
        for (int data : {10, 20, 30}) {
            const LRESULT i = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
            ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(i), data);
        }
        Bind(this, m_page.level, kParamEdit, IDC_LEVEL_EDIT);
        Bind(this, m_page.level, kParamUpDown, IDC_LEVEL_SPIN);
        Bind(this, m_page.level, kParamTrackbar, IDC_LEVEL_TRACK);
        Bind(this, m_page.flag, kParamCheckBox, IDC_CHECK);
        Bind(this, m_page.choice, kParamComboData, IDC_COMBO_DATA);
        Bind(this, m_page.place, kParamRadioPos, IDC_RADIO_A);
        Bind(this, m_page.name, kParamEdit, IDC_TEXT_EDIT);
        const INT_PTR result = CDialogParam::OnInitDialog();
        ::SendMessageW(Item(IDC_LEVEL_EDIT), EM_SETSEL, 0, -1);
        ::PostMessageW(Item(IDC_LEVEL_EDIT), WM_CHAR, L'7', 1);
        ::PostMessageW(Item(IDC_CHECK), BM_CLICK, 0, 0);
        ::PostMessageW(m_hwnd, WM_COMMAND, m_end, 0);
        return result;
    }

private:
    SPage& m_page;
    WPARAM m_end;
};

}  // namespace

TEST(ParamDlgSoak, AThousandBoundDialogsLeaveNothingBehind) {
    InitControls();
    SPage page;
    auto cycle = [&](int count) {
        for (int i = 0; i < count; ++i) {
            const WPARAM end = (i % 2) ? IDOK : IDCANCEL;
            CSoakDlg dlg(page, end);
            ASSERT_EQ(dlg.DoModal(nullptr, IDD_PARAMS, nullptr), static_cast<INT_PTR>(end));
            // Cancel undid the typing and the click; OK kept them.
            ASSERT_EQ(page.level.Get(), end == IDOK ? 7 : 120) << "cycle " << i;
            ASSERT_EQ(page.flag.Get(), end == IDOK) << "cycle " << i;
            page.level.Set(120);
            page.flag.Set(false);
        }
    };
    cycle(20);  // warm-up: classes registered, heaps grown once
    PumpMessages(20);
    const long handles = CHandleTally::LiveTotal();
    const long bindings = CParamDlgBase::Live();
    const int windows = ThreadWindowCount();
    const DWORD gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    const unsigned long long heap = HeapBytesInUse();

    cycle(1000);
    PumpMessages(20);
    EXPECT_EQ(page.Bindings(), 0);
    EXPECT_EQ(CParamDlgBase::Live(), bindings);
    EXPECT_EQ(CHandleTally::LiveTotal(), handles);
    EXPECT_EQ(ThreadWindowCount(), windows);
    EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), gdi);
    EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), user);
    const unsigned long long heapAfter = HeapBytesInUse();
    std::printf("bindings alive %ld, windows %d, heap in use %llu -> %llu bytes\n", CParamDlgBase::Live(),
                ThreadWindowCount(), heap, heapAfter);
    EXPECT_LE(heapAfter, heap + 64 * 1024) << "heap grew by " << (heapAfter - heap);
}
