// The page's own controls for screen readers and in high contrast, in this process: many requests
// leave the objects' references and our handles as they were, an object a client still holds
// after its window went answers every call with CO_E_OBJNOTCONNECTED, and high contrast switches
// the colours of the list, the toolbar and the canvas at once, both ways.
#include "PageTestSupport.h"
#include "WindowSearch.h"
#include "construct/CNavPaneAccessible.h"
#include "wnd/CAccessible.h"
#include "wnd/SystemColours.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>
#include <vector>

namespace {

CComPtr<IAccessible> ObjectOf(HWND hwnd) {
    CComPtr<IAccessible> acc;
    if (FAILED(::AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible, acc.put_void()))) {
        acc.reset();
    }
    return acc;
}

ULONG References(IAccessible* acc) {
    acc->AddRef();
    return acc->Release();
}

unsigned Pixel(HWND hwnd, POINT p) {
    const HDC dc = ::GetDC(hwnd);
    const COLORREF c = ::GetPixel(dc, p.x, p.y);
    ::ReleaseDC(hwnd, dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

unsigned System(int index) {
    const COLORREF c = ::GetSysColor(index);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

std::vector<std::pair<DWORD, long>>& Heard() {
    static std::vector<std::pair<DWORD, long>> heard;
    return heard;
}

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) Heard().emplace_back(event, static_cast<long>(child));
}

struct SForcedContrast {
    ~SForcedContrast() { sys_colours::ForceHighContrast(-1); }
};

}  // namespace

TEST(PageAccessibility, ObjectsStayFlatAndOutliveTheirWindows) {
    const CComScope com;
    SPageFixture f;
    f.scene.UseScene(nullptr);
    ASSERT_TRUE(f.Open());
    const HWND windows[] = {f.PaneWnd(), ::GetDlgItem(f.PageWnd(), CSettingsTreeDlg::kToolBarId),
                            FindChild(f.PageWnd(), 0, L"PinarboCanvasKeys")};
    std::vector<CComPtr<IAccessible>> kept;
    std::vector<ULONG> references;
    for (const HWND hwnd : windows) {
        kept.push_back(ObjectOf(hwnd));
        ASSERT_TRUE(kept.back()) << "no object for a control";
        references.push_back(References(kept.back().get()));
    }
    const long live = CHandleTally::LiveTotal();
    for (int i = 0; i < 334; ++i) {  // a thousand requests
        for (const HWND hwnd : windows) {
            CComPtr<IAccessible> acc = ObjectOf(hwnd);
            long count = -1;
            ASSERT_TRUE(acc && SUCCEEDED(acc->get_accChildCount(&count))) << "request " << i;
        }
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(References(kept[i].get()), references[i]) << "control " << i << ": references piled up";
    }
    EXPECT_EQ(CHandleTally::LiveTotal(), live) << "handles left behind";

    f.Close(2);  // the windows go; the clients still hold the objects
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const std::function<HRESULT(IAccessible*)> calls[] = {
        [](IAccessible* a) { long n = 0; return a->get_accChildCount(&n); },
        [&](IAccessible* a) { BSTR s = nullptr; return a->get_accName(self, &s); },
        [&](IAccessible* a) { VARIANT v; return a->get_accRole(self, &v); },
        [&](IAccessible* a) { VARIANT v; return a->get_accState(self, &v); },
        [&](IAccessible* a) { long l, t, w, h; return a->accLocation(&l, &t, &w, &h, self); },
        [](IAccessible* a) { VARIANT v; return a->accHitTest(50, 50, &v); },
        [&](IAccessible* a) { VARIANT v; return a->accNavigate(NAVDIR_FIRSTCHILD, self, &v); },
        [](IAccessible* a) { VARIANT v; return a->get_accSelection(&v); },
        [](IAccessible* a) { VARIANT v; return a->get_accFocus(&v); },
        [&](IAccessible* a) { return a->accDoDefaultAction(self); },
        [&](IAccessible* a) { return a->accSelect(SELFLAG_TAKEFOCUS, self); },
        [](IAccessible* a) { IDispatch* d = nullptr; return a->get_accParent(&d); },
    };
    for (std::size_t i = 0; i < kept.size(); ++i) {
        for (std::size_t c = 0; c < std::size(calls); ++c) {
            EXPECT_EQ(calls[c](kept[i].get()), CO_E_OBJNOTCONNECTED) << "control " << i << ", call " << c;
        }
    }
}

TEST(PageAccessibility, HighContrastColoursFollowLive) {
    const SForcedContrast restore;
    SPageFixture f;
    f.scene.UseScene(nullptr);
    ASSERT_TRUE(f.Open());
    const std::vector<CNavPaneItem*> rows = CNavPaneAccessible::ScreenRows(f.Pane());  // top first
    ASSERT_GE(rows.size(), 3u);
    f.Pane().ClearSelection();
    f.Pane().SelectItem(rows[0]);
    const auto top = [](const CNavPaneItem* row) {
        const RECT& r = row->HeaderRect();
        return POINT{(r.left + r.right) / 2, r.top + 2};
    };
    const HWND bar = ::GetDlgItem(f.PageWnd(), CSettingsTreeDlg::kToolBarId);
    RECT strip{};
    ::GetClientRect(bar, &strip);
    const RECT canvas = f.page->CanvasRect();
    const POINT corner{canvas.left + 4, canvas.bottom - 4};

    struct SLook {
        int contrast;
        unsigned row, selected, canvas, toolbar;
    };
    // The toolbar's usual picture is not one system colour: it is checked in high contrast only.
    const SLook looks[] = {
        {0, System(COLOR_BTNFACE), System(COLOR_HIGHLIGHT), System(COLOR_BTNFACE), 0},
        {1, System(COLOR_WINDOW), System(COLOR_HIGHLIGHT), System(COLOR_WINDOW), System(COLOR_BTNFACE)},
        {0, System(COLOR_BTNFACE), System(COLOR_HIGHLIGHT), System(COLOR_BTNFACE), 0},
    };
    for (const SLook& look : looks) {
        sys_colours::ForceHighContrast(look.contrast);
        ::SendMessageW(f.PageWnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);  // as the system tells
        PumpMessages(100);
        const char* mode = look.contrast ? "high contrast" : "normal";
        EXPECT_EQ(Pixel(f.PaneWnd(), top(rows[2])), look.row) << mode << ": an unselected row";
        EXPECT_EQ(Pixel(f.PaneWnd(), top(rows[0])), look.selected) << mode << ": the selected row";
        EXPECT_EQ(Pixel(f.PageWnd(), corner), look.canvas) << mode << ": the canvas background";
        if (look.toolbar) {
            EXPECT_EQ(Pixel(bar, POINT{strip.right - 6, strip.bottom / 2}), look.toolbar) << mode << ": the toolbar";
        }
    }
}

TEST(PageAccessibility, CaptionChangeIsHeard) {
    SPageFixture f;
    f.scene.UseScene(nullptr);
    ASSERT_TRUE(f.Open());
    CNavPaneItem* third = CNavPaneAccessible::ScreenRows(f.Pane())[2];
    Heard().clear();
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, Hear,
                                                 ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    third->SetCaption(L"Renamed");
    third->SetCaption(L"Renamed");  // no change: nothing to tell
    PumpMessages(100);
    ::UnhookWinEvent(hook);
    EXPECT_EQ(Heard(), (std::vector<std::pair<DWORD, long>>{{EVENT_OBJECT_NAMECHANGE, 3}}));
}
