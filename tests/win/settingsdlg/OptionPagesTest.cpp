// The four option pages driven as a user would (clicks, typing, keys on trackbars and combo
// boxes) against a settings host that keeps its own options: each control moves its option
// live, OK keeps what was chosen and Cancel brings back what the page opened with.
#include "SettingsTestSupport.h"

#include "resource.h"
#include "settings/CSettingsGarlandDlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

using namespace settings_test;

namespace {

int PageIndex(UINT templateId) {
    const auto pages = CSettingsDlg::DefaultPages();
    for (size_t i = 0; i < pages.size(); ++i) {
        if (pages[i].templateId == templateId) return static_cast<int>(i);
    }
    return -1;
}

std::wstring TextOf(HWND control) {
    wchar_t buf[256] = {};
    ::GetWindowTextW(control, buf, 256);
    return buf;
}

// Replaces an edit's text by typing, as a user does: select all, type.
void TypeInto(HWND dlg, HWND edit, const std::wstring& text) {
    Click(dlg, edit, POINT{4, 4});
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    Keys(dlg, L"type " + text);
}

// The tooltip window that has a tool for the capture option on a page.
struct SFindTip {
    HWND page, tip;
};
BOOL CALLBACK FindTip(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<SFindTip*>(p);
    wchar_t cls[64] = {};
    ::GetClassNameW(w, cls, 64);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = f->page;
    tool.uId = IDC_VIEW_NO_CAPTURE;
    if (std::wstring(cls) == TOOLTIPS_CLASSW && ::SendMessageW(w, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
        f->tip = w;
    return f->tip == nullptr;
}

class OptionPages : public ::testing::Test {
protected:
    // Opens the dialog on the page of the template (by a click on its tab).
    void Open(UINT templateId) {
        ASSERT_TRUE(HaveXdotool());
        shown = std::make_unique<CShownSettings>(&host);
        ASSERT_NE(shown->hwnd, nullptr);
        page = PageIndex(templateId);
        ASSERT_GE(page, 0);
        if (page != 0) {
            ASSERT_TRUE(shown->ShowTab(page));
        }
    }
    HWND Item(int id) const { return shown->PageItem(page, id); }
    void Press(int button) {
        ClickCentre(shown->hwnd, ::GetDlgItem(shown->hwnd, button));
        ASSERT_TRUE(PumpUntil(shown->hwnd, [&] { return !::IsWindowVisible(shown->hwnd); })) << "the dialog ends";
    }

    CFakeSettingsHost host;
    std::unique_ptr<CShownSettings> shown;
    int page = -1;
};

}  // namespace

TEST_F(OptionPages, ViewOpacityFollowsEditAndTrackbarCancelRestoresOkKeeps) {
    for (int button : {IDCANCEL, IDOK}) {
        host.opaque.Set(75);
        Open(IDD_SETTINGS_VIEW);
        const HWND edit = Item(IDC_VIEW_OPAQUE_EDIT), track = Item(IDC_VIEW_OPAQUE_TRACK);
        EXPECT_EQ(TextOf(edit), L"75");
        EXPECT_EQ(::SendMessageW(track, TBM_GETPOS, 0, 0), 75);
        EXPECT_EQ(::SendMessageW(track, TBM_GETRANGEMIN, 0, 0), 10);
        EXPECT_EQ(::SendMessageW(track, TBM_GETRANGEMAX, 0, 0), 100);
        int low = 0, high = 0;
        ::SendMessageW(Item(IDC_VIEW_OPAQUE_SPIN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 10);
        EXPECT_EQ(high, 100);
        EXPECT_NE(::SendDlgItemMessageW(shown->dlg.PageWindow(page), IDC_VIEW_ICON, STM_GETICON, 0, 0), 0);

        TypeInto(shown->hwnd, edit, L"40");
        EXPECT_EQ(host.opaque.Get(), 40) << "typing moves the option at once";
        EXPECT_EQ(::SendMessageW(track, TBM_GETPOS, 0, 0), 40);
        TypeInto(shown->hwnd, edit, L"5");
        EXPECT_EQ(host.opaque.Get(), 10) << "clamped to the lower bound";

        Click(shown->hwnd, track, POINT{6, 8});
        EXPECT_EQ(TextOf(edit), L"10") << "leaving the edit shows the clamped value";
        Keys(shown->hwnd, L"key End");
        EXPECT_EQ(host.opaque.Get(), 100) << "End on the trackbar";
        EXPECT_EQ(TextOf(edit), L"100");
        Keys(shown->hwnd, L"key Left Left");
        EXPECT_EQ(host.opaque.Get(), 98);

        Press(button);
        EXPECT_EQ(host.opaque.Get(), button == IDOK ? 98 : 75) << "button " << button;
        shown.reset();
    }
}

// The block of options below the opacity: each click moves its option at once and tells the
// host, so the desktop follows; Cancel brings back what the page opened with, OK keeps the clicks.
// Where the system cannot keep windows out of captures, that option is greyed and a tooltip on its
// place says why.
TEST_F(OptionPages, ViewBehaviourOptionsFollowClicksAndGreyWhereUnsupported) {
    struct Option {
        int id;
        CParam<bool>* param;
        bool initial;
    } options[] = {{IDC_VIEW_HIDE_FULLSCREEN, &host.hideFullScreen, true},
                   {IDC_VIEW_PAUSE_BATTERY, &host.pauseBattery, false},
                   {IDC_VIEW_ANIMATE_ALWAYS, &host.animateAnyway, false},
                   {IDC_VIEW_NO_CAPTURE, &host.noCapture, false}};
    for (int button : {IDCANCEL, IDOK}) {
        for (const Option& o : options) o.param->Set(o.initial);
        host.viewApplies = 0;
        Open(IDD_SETTINGS_VIEW);
        for (const Option& o : options) {
            const HWND box = Item(o.id);
            ASSERT_TRUE(box) << o.id;
            EXPECT_TRUE(::IsWindowEnabled(box)) << o.id;
            EXPECT_EQ(::SendMessageW(box, BM_GETCHECK, 0, 0), o.initial ? BST_CHECKED : BST_UNCHECKED) << o.id;
            const int applies = host.viewApplies;
            ClickCentre(shown->hwnd, box);
            EXPECT_EQ(o.param->Get(), !o.initial) << o.id << ": a click moves the option at once";
            EXPECT_GT(host.viewApplies, applies) << o.id << ": and the view is told";
        }
        Press(button);
        for (const Option& o : options)
            EXPECT_EQ(o.param->Get(), button == IDOK ? !o.initial : o.initial) << o.id << " after button " << button;
        if (button == IDCANCEL) {
            EXPECT_GT(host.viewApplies, 4) << "Cancel tells the view too";
        }
        shown.reset();
    }

    host.captureSupported = false;
    host.noCapture.Set(false);
    Open(IDD_SETTINGS_VIEW);
    const HWND capture = Item(IDC_VIEW_NO_CAPTURE);
    EXPECT_FALSE(::IsWindowEnabled(capture)) << "greyed where the system cannot";
    ClickCentre(shown->hwnd, capture);
    EXPECT_FALSE(host.noCapture.Get()) << "a click on the greyed option changes nothing";
    // The tooltip's tool covers the greyed box on the page and says why.
    const HWND pageWnd = shown->dlg.PageWindow(page);
    SFindTip find{pageWnd, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindTip, reinterpret_cast<LPARAM>(&find));
    ASSERT_TRUE(find.tip) << "a tooltip with a tool on the page";
    wchar_t text[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = pageWnd;
    tool.uId = IDC_VIEW_NO_CAPTURE;
    tool.lpszText = text;
    ::SendMessageW(find.tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    EXPECT_NE(std::wstring(text).find(L"Windows 10 version 2004"), std::wstring::npos) << "tip: " << std::string(text, text + std::wcslen(text));
    ASSERT_TRUE(::SendMessageW(find.tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
    RECT box{};
    ::GetWindowRect(capture, &box);
    ::MapWindowPoints(nullptr, pageWnd, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_TRUE(::EqualRect(&box, &tool.rect)) << "the tool lies on the greyed box";
    Press(IDOK);
    shown.reset();
}

TEST_F(OptionPages, GarlandEntriesShowTheGradientsAsBandsAndSwitchAtOnce) {
    Open(IDD_SETTINGS_GARLAND);
    const HWND combo = Item(IDC_GARLAND_GRADIENT);
    ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0), 119 + i);
        EXPECT_EQ(::SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(i), 0), CSettingsGarlandDlg::kItemHeight);
    }
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);

    // The selection field shows the gradient as a band: varied colours, not the background.
    RECT rc{};
    ::GetClientRect(combo, &rc);
    POINT at{5, rc.bottom / 2};
    ::ClientToScreen(combo, &at);
    Pump(shown->hwnd, 100);
    const COLORREF back = ::GetSysColor(COLOR_WINDOW);
    const std::uint32_t window = (GetRValue(back) << 16) | (GetGValue(back) << 8) | GetBValue(back);
    int drawn = 0, changes = 0;
    const std::uint32_t first = ScreenPixel(at.x + 2, at.y);
    for (int x = 2; x < 200; x += 10) {
        const std::uint32_t p = ScreenPixel(at.x + x, at.y);
        drawn += p != window ? 1 : 0;
        changes += p != first ? 1 : 0;
    }
    EXPECT_GE(drawn, 15) << "the band is drawn";
    EXPECT_GE(changes, 5) << "and it runs through colours";

    // Keys on the focused combo: the third gradient, reloaded at once.
    ::SetFocus(combo);
    Keys(shown->hwnd, L"key Down Down");
    EXPECT_EQ(host.gradient.Get(), 121u);
    EXPECT_EQ(host.reloadedId, 121u);
    Press(IDCANCEL);
    EXPECT_EQ(host.gradient.Get(), 119u);
    EXPECT_EQ(host.reloadedId, 119u) << "Cancel reloads the stored gradient";
}

TEST_F(OptionPages, CommonStartWithWindowsAndStartPlacement) {
    struct SCase {
        bool linkBefore;
        int button;
        bool linkAfter;
        int placementAfter;
    };
    // The box shows the link's existence; a click flips it; OK applies it, Cancel leaves the link.
    for (const SCase c : {SCase{false, IDOK, true, 1}, SCase{true, IDOK, false, 1}, SCase{true, IDCANCEL, true, 2}}) {
        host.shortcutExists = c.linkBefore;
        host.autostart.Set(!c.linkBefore);  // stale: the page must look at the link
        host.placement.Set(2);
        host.applies = 0;
        Open(IDD_SETTINGS_COMMON);
        const HWND box = Item(IDC_COMMON_AUTOSTART), combo = Item(IDC_COMMON_PLACEMENT);
        EXPECT_EQ(TextOf(box), L"Start with Windows");
        EXPECT_EQ(::SendMessageW(box, BM_GETCHECK, 0, 0), c.linkBefore ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_GE(::SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0), 240);
        const wchar_t* texts[] = {L"Show main window, when the program starts",
                                  L"Minimize main window, when the program starts",
                                  L"Show main window, as it was shown on last exit"};
        ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
        for (int i = 0; i < 3; ++i) {
            wchar_t buf[128] = {};
            ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
            EXPECT_STREQ(buf, texts[i]);
            EXPECT_EQ(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0), i);
        }
        EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);

        ClickCentre(shown->hwnd, box);
        EXPECT_EQ(host.autostart.Get(), !c.linkBefore);
        EXPECT_EQ(host.applies, 0) << "nothing happens to the link before OK";
        ::SetFocus(combo);
        Keys(shown->hwnd, L"key Up");
        EXPECT_EQ(host.placement.Get(), 1);

        Press(c.button);
        EXPECT_EQ(host.applies, c.button == IDOK ? 1 : 0);
        EXPECT_EQ(host.shortcutExists, c.linkAfter);
        EXPECT_EQ(host.placement.Get(), c.placementAfter);
        shown.reset();
    }
}
