// The binding interface is declared without the system headers; a binding written with the
// system's own types must override it exactly (checked by "override" on both word sizes) and
// receive full-width message arguments.
#include "param/CEdges.h"
#include "param/IParamDlg.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <type_traits>

static_assert(std::is_same_v<ParamDlgWnd, HWND>);
static_assert(std::is_same_v<ParamDlgWParam, WPARAM>);
static_assert(std::is_same_v<ParamDlgLParam, LPARAM>);

namespace {
class CWin32Binding : public IParamDlg {
public:
    void Init(int, int) override {}
    int Attach(HWND dialog) override {
        attached = dialog;
        return 0;
    }
    int OnCommand(HWND, WPARAM wParam, LPARAM lParam) override {
        lastW = wParam;
        lastL = lParam;
        return 0;
    }
    int OnNotify(HWND, WPARAM, NMHDR* header) override {
        code = header ? header->code : 0;
        return 0;
    }
    int WriteToControl() override { return ++shown; }
    int SetParam(IParam* p) override {
        param = p;
        return 0;
    }
    IParam* GetParam() override { return param; }
    using IParamDlg::SetRange;
    void SetRange(int min, int max) override {
        lo = min;
        hi = max;
    }

    HWND attached = nullptr;
    WPARAM lastW = 0;
    LPARAM lastL = 0;
    UINT code = 0;
    int shown = 0, lo = 0, hi = 0;
    IParam* param = nullptr;
};
}  // namespace

TEST(ParamDlgTypes, SystemTypedBindingOverridesTheInterface) {
    CEdges<> edges;
    auto* binding = new CWin32Binding;  // owned by edges once attached
    binding->SetParam(&edges);
    ASSERT_TRUE(edges.AddBinding(binding));
    IParamDlg* side = binding;
    const HWND fake = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    side->Attach(fake);
    side->OnCommand(fake, MAKEWPARAM(1001, EN_UPDATE), static_cast<LPARAM>(-2));
    NMHDR header{fake, 7, static_cast<UINT>(NM_RELEASEDCAPTURE)};
    side->OnNotify(fake, 7, &header);
    EXPECT_EQ(binding->attached, fake);
    EXPECT_EQ(binding->lastW, MAKEWPARAM(1001, EN_UPDATE));
    EXPECT_EQ(binding->lastL, -2);
    EXPECT_EQ(binding->code, static_cast<UINT>(NM_RELEASEDCAPTURE));
    edges.SetRange(0, 240);
    edges.Set(300);
    EXPECT_EQ(binding->lo, 0);
    EXPECT_EQ(binding->hi, 240);
    EXPECT_EQ(binding->shown, 2);
    EXPECT_EQ(edges.Get(), 240);
}
