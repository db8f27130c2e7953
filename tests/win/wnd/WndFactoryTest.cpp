#include "wnd/CDialog.h"
#include "wnd/CWndFactory.h"

#include "Pump.h"
#include "WndTestRes.h"

#include <gtest/gtest.h>

namespace {

// A control that dialog templates name as "KT_TestCtl"; counts live objects and OnDestroy calls.
class CTestCtl : public CWnd {
public:
    static inline int s_live = 0;
    static inline int s_destroyed = 0;
    CTestCtl() { ++s_live; }
    ~CTestCtl() override { --s_live; }
    bool& RegisteredFlag() override {
        static bool registered = false;
        return registered;
    }
    const wchar_t* GetWndClassName() const override { return L"KT_TestCtl"; }
    LRESULT OnDestroy() override {
        ++s_destroyed;
        return 0;
    }
};

// Registered later under the same class name: hides CTestCtl's factory.
class CLaterCtl : public CTestCtl {};

// A class with a window class but no factory.
class CBareCtl : public CWnd {
public:
    bool& RegisteredFlag() override {
        static bool registered = false;
        return registered;
    }
    const wchar_t* GetWndClassName() const override { return L"KT_BareCtl"; }
};

void RegisterTestClasses() {
    ASSERT_TRUE(RegisterWndClassWithFactory<CTestCtl>());
    RegisterWndFactoryOnly<CLaterCtl>(L"KT_TestCtl");
    CBareCtl bare;
    ASSERT_TRUE(bare.EnsureRegistered());
}

}  // namespace

TEST(WndFactory, TemplateControlGetsTheLatestFactorysObjectAndLosesItWithTheDialog) {
    RegisterTestClasses();
    const int live = CTestCtl::s_live;
    const int destroyed = CTestCtl::s_destroyed;

    CDialog dlg;
    const HWND hwnd = dlg.Create(nullptr, IDD_FACTORY, nullptr);
    ASSERT_NE(hwnd, nullptr) << "error " << ::GetLastError();
    PumpMessages(20);
    EXPECT_EQ(CDialog::FromHandle(hwnd), &dlg);

    const HWND ctl = ::GetDlgItem(hwnd, IDC_TESTCTL);
    ASSERT_NE(ctl, nullptr);
    auto* wnd = static_cast<CWnd*>(::GetPropW(ctl, L"WND_ENTITY"));
    ASSERT_NE(wnd, nullptr);
    EXPECT_NE(dynamic_cast<CLaterCtl*>(wnd), nullptr) << "the factory registered last must win";
    EXPECT_EQ(wnd->GetHwnd(), ctl);
    EXPECT_TRUE(wnd->IsAttached());
    EXPECT_TRUE(wnd->IsAutoDelete());
    EXPECT_EQ(CTestCtl::s_live, live + 1);

    // A control of a class without a factory is a bare window.
    const HWND bare = ::GetDlgItem(hwnd, IDC_BARECTL);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(::GetPropW(bare, L"WND_ENTITY"), nullptr);

    ASSERT_TRUE(::DestroyWindow(hwnd));
    EXPECT_EQ(CTestCtl::s_destroyed, destroyed + 1) << "OnDestroy runs before the object goes";
    EXPECT_EQ(CTestCtl::s_live, live) << "the factory-made object is deleted with its window";
    EXPECT_EQ(dlg.GetHwnd(), nullptr);
}

TEST(WndFactory, WindowsMadeWithCreateAreLinkedDirectly) {
    RegisterTestClasses();
    EXPECT_EQ(FindWndFactory(nullptr), nullptr);
    const int live = CTestCtl::s_live;
    CTestCtl probe;
    ASSERT_TRUE(probe.Create(0, WS_POPUP, nullptr, nullptr));
    const SWndFactory* entry = FindWndFactory(probe.GetHwnd());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->className, L"KT_TestCtl");
    EXPECT_FALSE(probe.IsAutoDelete());
    EXPECT_EQ(CWnd::FromHandle(probe.GetHwnd()), &probe);
    EXPECT_EQ(CTestCtl::s_live, live + 1) << "no second object from the factory";
}
