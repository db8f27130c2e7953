// Start-up registration: windows of the pane and toolbar classes made by the system (as a dialog
// template makes them) get their objects from the factory list, which the window owns.
#include "NavPaneTestSupport.h"

#include "app/FactoryClasses.h"
#include "construct/CItemsPaneWnd.h"

#include <gtest/gtest.h>

TEST(NavPaneRegistration, TemplateWindowsGetTheirObjects) {
    RegisterFactoryWindowClasses();
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost(50, 50, 300, 300));
    struct SCase {
        const wchar_t* className;
        bool pane;
    };
    for (const SCase c : {SCase{L"KV_NavigatePane", true}, SCase{L"KV_ToolBar", false}}) {
        const HWND hwnd = ::CreateWindowExW(0, c.className, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100,
                                            host.GetHwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(hwnd, nullptr) << "class registered at start-up";
        CWnd* wnd = CWnd::FromHandle(hwnd);
        ASSERT_NE(wnd, nullptr);
        EXPECT_TRUE(wnd->IsAutoDelete());
        EXPECT_TRUE(wnd->IsAttached());
        if (c.pane) {
            auto* pane = dynamic_cast<CNavPaneWnd*>(wnd);
            ASSERT_NE(pane, nullptr);
            EXPECT_NE(dynamic_cast<CItemsPaneWnd*>(wnd), nullptr) << "the items pane's factory comes first";
            EXPECT_TRUE(pane->IsReversed());
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            ASSERT_TRUE(::GetClassInfoExW(::GetModuleHandleW(nullptr), c.className, &wc));
            EXPECT_TRUE(wc.style & CS_DBLCLKS);
            EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CLIPCHILDREN);
            EXPECT_EQ(::SendMessageW(hwnd, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTTAB);
            pane->AddItem(new CNavPaneItem(L"kept until the window goes"));
        } else {
            EXPECT_NE(dynamic_cast<CToolBarWnd*>(wnd), nullptr);
        }
        Pump(30);
        ::DestroyWindow(hwnd);  // deletes the object and what it owns
        EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
    }
}
