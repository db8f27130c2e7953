// The tabbed dialog itself: its tabs and pages, the page rectangle, the status bar, OK and Cancel
// reaching every page, and what happens when a page cannot be made.
#include "SettingsTestSupport.h"

#include "resource.h"
#include "settings/CSettingsBlinkDlg.h"
#include "wnd/Handles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace settings_test;

namespace {

RECT ClientRectOf(HWND dialog, HWND child) {
    RECT rc{};
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::wstring TabText(HWND tabs, int i) {
    wchar_t buf[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = 64;
    ::SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    return buf;
}

// A page that records the commands it receives, in the order pages receive them.
std::vector<std::pair<int, WPARAM>> g_received;
class CRecordingPage : public CSettingsBlinkDlg {
public:
    explicit CRecordingPage(ISettingsHost* host, int index) : CSettingsBlinkDlg(host), m_index(index) {}
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (wParam == IDOK || wParam == IDCANCEL) g_received.emplace_back(m_index, wParam);
        return CSettingsBlinkDlg::OnCommand(wParam, lParam);
    }
    int m_index;
};
template <int N>
std::unique_ptr<CDialog> MakeRecording(ISettingsHost* host) {
    return std::make_unique<CRecordingPage>(host, N);
}
std::unique_ptr<CDialog> MakeNothing(ISettingsHost*) { return nullptr; }

const SSettingsPageSpec kRecordingPages[] = {
    {L"First", IDD_SETTINGS_BLINK, &MakeRecording<0>},
    {L"Missing", IDD_SETTINGS_BLINK, &MakeNothing},
    {L"Third", IDD_SETTINGS_BLINK, &MakeRecording<2>},
    {L"Bad template", 9999, &MakeRecording<3>},
    {L"Fifth", IDD_SETTINGS_BLINK, &MakeRecording<4>},
};

const SSettingsPageSpec kManyPages[] = {
    {L"A long first label", IDD_SETTINGS_BLINK, &MakeRecording<0>},
    {L"A long second label", IDD_SETTINGS_BLINK, &MakeRecording<1>},
    {L"A long third label", IDD_SETTINGS_BLINK, &MakeRecording<2>},
    {L"A long fourth label", IDD_SETTINGS_BLINK, &MakeRecording<3>},
    {L"A long fifth label", IDD_SETTINGS_BLINK, &MakeRecording<4>},
    {L"A long sixth label", IDD_SETTINGS_BLINK, &MakeRecording<5>},
    {L"A long seventh label", IDD_SETTINGS_BLINK, &MakeRecording<6>},
};

}  // namespace

TEST(SettingsDlg, TabsStatusBarAndOnePageAtATimeUnderRealClicks) {
    ASSERT_TRUE(HaveXdotool());
    const long iconsBefore = CHandleTally::Live(EHandleKind::Icon);
    CFakeSettingsHost host;
    {
        CShownSettings shown(&host);
        ASSERT_NE(shown.hwnd, nullptr);
        const HWND dlg = shown.hwnd;
        const HWND tabs = shown.Tabs();
        const auto pages = CSettingsDlg::DefaultPages();
        wchar_t caption[32] = {};
        ::GetWindowTextW(dlg, caption, 32);
        EXPECT_STREQ(caption, L"Settings");
        EXPECT_NE(::SendMessageW(dlg, WM_GETICON, ICON_SMALL, 0), 0);
        EXPECT_NE(::SendMessageW(dlg, WM_GETICON, ICON_BIG, 0), 0);

        // Tabs in table order, ending with the four option pages.
        ASSERT_EQ(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(pages.size()));
        ASSERT_EQ(shown.dlg.PageCount(), static_cast<int>(pages.size()));
        const wchar_t* lastFour[] = {L"View window", L"Garland options", L"Blinks options", L"Common options"};
        for (int k = 0; k < 4; ++k) EXPECT_EQ(TabText(tabs, static_cast<int>(pages.size()) - 4 + k), lastFour[k]);

        // The status bar along the bottom; nothing of the template reaches under it.
        const HWND status = ::GetDlgItem(dlg, IDC_SETTINGS_STATUS);
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status, shown.dlg.StatusWindow());
        RECT client{};
        ::GetClientRect(dlg, &client);
        const RECT bar = ClientRectOf(dlg, status);
        EXPECT_EQ(bar.bottom, client.bottom);
        EXPECT_GT(bar.bottom - bar.top, 10);
        for (int id : {IDOK, IDCANCEL, CSettingsDlg::kTabId}) {
            const RECT rc = ClientRectOf(dlg, ::GetDlgItem(dlg, id));
            EXPECT_LE(rc.bottom, bar.top) << "control " << id;
            EXPECT_GT(rc.bottom - rc.top, 10) << "control " << id << " keeps its height";
        }

        // Pages in the page rectangle, inside the tab control and below its row; the tab
        // control lies under everything.
        const RECT page = shown.dlg.PageRect();
        const RECT tabRc = ClientRectOf(dlg, tabs);
        RECT item{};
        ::SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_GE(page.top, tabRc.top + item.bottom);
        EXPECT_LE(page.top, tabRc.top + item.bottom + 6);
        EXPECT_GE(page.left, tabRc.left);
        EXPECT_LE(page.bottom, tabRc.bottom);
        EXPECT_LE(page.right, tabRc.right);
        EXPECT_EQ(::GetWindow(tabs, GW_HWNDNEXT), nullptr);
        for (int i = 0; i < shown.dlg.PageCount(); ++i) {
            const RECT rc = ClientRectOf(dlg, shown.dlg.PageWindow(i));
            EXPECT_EQ(rc.left, page.left);
            EXPECT_EQ(rc.top, page.top);
            EXPECT_EQ(::GetParent(shown.dlg.PageWindow(i)), dlg);
        }

        // Each tab clicked shows exactly its own page; then back to the first.
        const std::string none(pages.size(), '0');
        std::string want = none;
        want[0] = '1';
        EXPECT_EQ(VisiblePages(shown.dlg), want);
        std::vector<int> order;
        for (int i = 1; i < static_cast<int>(pages.size()); ++i) order.push_back(i);
        order.push_back(0);
        for (int i : order) {
            ASSERT_TRUE(shown.ShowTab(i)) << "tab " << i;
            want = none;
            want[static_cast<size_t>(i)] = '1';
            EXPECT_EQ(VisiblePages(shown.dlg), want) << "after clicking tab " << i;
            EXPECT_EQ(::SendMessageW(tabs, TCM_GETCURSEL, 0, 0), i);
        }
        // The keyboard on the focused tab strip does the same.
        ::SetFocus(tabs);
        Keys(dlg, L"key Right");
        want = none;
        want[1] = '1';
        EXPECT_EQ(VisiblePages(shown.dlg), want) << "after Right on the tabs";
    }
    EXPECT_EQ(CHandleTally::Live(EHandleKind::Icon), iconsBefore) << "every icon is released";
}

TEST(SettingsDlg, OkAndCancelReachEveryPageInTabOrderAfterTheDialogEnds) {
    struct SCase {
        int button;
        WPARAM command;
    };
    for (const SCase c : {SCase{IDOK, IDOK}, SCase{IDCANCEL, IDCANCEL}}) {
        g_received.clear();
        CFakeSettingsHost host;
        CShownSettings shown(&host, kRecordingPages);
        ASSERT_NE(shown.hwnd, nullptr);
        // A page that cannot be made, or whose template is missing, leaves its tab empty.
        EXPECT_EQ(shown.dlg.PageWindow(1), nullptr);
        EXPECT_EQ(shown.dlg.PageWindow(3), nullptr);
        EXPECT_EQ(::SendMessageW(shown.Tabs(), TCM_GETITEMCOUNT, 0, 0), 5);
        EXPECT_EQ(VisiblePages(shown.dlg), "10000");
        ASSERT_TRUE(shown.ShowTab(4));
        EXPECT_EQ(VisiblePages(shown.dlg), "00001");
        Click(shown.hwnd, shown.Tabs(), TabCentre(shown.Tabs(), 1));
        ASSERT_TRUE(PumpUntil(shown.hwnd, [&] { return ::SendMessageW(shown.Tabs(), TCM_GETCURSEL, 0, 0) == 1; }));
        EXPECT_EQ(VisiblePages(shown.dlg), "00000") << "the empty tab shows nothing";

        ClickCentre(shown.hwnd, ::GetDlgItem(shown.hwnd, c.button));
        ASSERT_TRUE(PumpUntil(shown.hwnd, [&] { return g_received.size() >= 3; }));
        const std::vector<std::pair<int, WPARAM>> want = {{0, c.command}, {2, c.command}, {4, c.command}};
        EXPECT_EQ(g_received, want);
        EXPECT_FALSE(::IsWindowVisible(shown.hwnd)) << "the dialog ended";
        EXPECT_EQ(::GetDlgItem(shown.dlg.PageWindow(0), IDC_BLINK_NUM_EDIT) != nullptr, true);
    }
}

TEST(SettingsDlg, TwoRowTabStripLowersThePagesByOneTabHeight) {
    CFakeSettingsHost host;
    RECT oneRow{}, twoRows{};
    int tabHeight = 0;
    {
        CShownSettings shown(&host, std::span(kManyPages, 3));
        ASSERT_EQ(::SendMessageW(shown.Tabs(), TCM_GETROWCOUNT, 0, 0), 1);
        oneRow = shown.dlg.PageRect();
        RECT item{};
        ::SendMessageW(shown.Tabs(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        tabHeight = item.bottom - item.top;
    }
    {
        CShownSettings shown(&host, kManyPages);
        const HWND tabs = shown.Tabs();
        ASSERT_EQ(::SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0), 2);
        twoRows = shown.dlg.PageRect();
        // Below the lowest tab of either row.
        int lowest = 0;
        for (int i = 0; i < 7; ++i) {
            RECT item{};
            ::SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            lowest = std::max(lowest, static_cast<int>(item.bottom));
        }
        const RECT tabRc = ClientRectOf(shown.hwnd, tabs);
        EXPECT_GE(twoRows.top, tabRc.top + lowest);
        // Every tab still shows its own page only.
        for (int i : {6, 2}) {
            ASSERT_TRUE(shown.ShowTab(i));
            std::string want(7, '0');
            want[static_cast<size_t>(i)] = '1';
            EXPECT_EQ(VisiblePages(shown.dlg), want);
        }
    }
    EXPECT_GT(tabHeight, 10);
    EXPECT_EQ(twoRows.top, oneRow.top + tabHeight);
    EXPECT_EQ(twoRows.left, oneRow.left);
    EXPECT_EQ(twoRows.bottom, oneRow.bottom);
}
