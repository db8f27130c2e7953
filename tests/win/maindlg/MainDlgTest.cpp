#include "MainDlgTestSupport.h"

#include "app/CButtonWndLooks.h"
#include "scene/CBmp.h"
#include "scene/win/DcPixels.h"
#include "app/FactoryClasses.h"
#include "wnd/Handles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

using namespace test_input;

namespace {

class MainDlg : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterFactoryWindowClasses();
        gdiBefore = CHandleTally::Live(EHandleKind::Gdi);
        dcsBefore = CHandleTally::Live(EHandleKind::Dc) + CHandleTally::Live(EHandleKind::WindowDc);
        iconsBefore = CHandleTally::Live(EHandleKind::Icon);
        dlg = std::make_unique<CRecordingMainDlg>(host);
        hwnd = dlg->Create(nullptr, CMainDlg::kTemplateId, nullptr);
        ASSERT_NE(hwnd, nullptr);
        ::SetWindowPos(hwnd, HWND_TOP, 200, 150, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(hwnd);
        ::SetFocus(::GetDlgItem(hwnd, CMainDlg::kButtonId));
        MoveTo(hwnd, Away());
        Pump(hwnd, 150);
        dlg->commands.clear();
    }
    void TearDown() override {
        if (hwnd && ::IsWindow(hwnd)) ::DestroyWindow(hwnd);
        Pump(nullptr, 20);
    }

    POINT Away() const { return POINT{20, 1000}; }
    POINT ButtonPoint(int fx, int fy) const {  // fx, fy in 0..100 % of the button
        const RECT r = ButtonScreenRect(hwnd);
        return POINT{r.left + (r.right - r.left - 1) * fx / 100, r.top + (r.bottom - r.top - 1) * fy / 100};
    }

    CRecordingHost host;
    std::unique_ptr<CRecordingMainDlg> dlg;
    HWND hwnd = nullptr;
    long gdiBefore = 0, dcsBefore = 0, iconsBefore = 0;
};

// Colour bytes of a bitmap (alpha bytes left out) and its alpha bytes.
std::vector<std::uint8_t> Channels(const CBmp& bmp, bool alpha) {
    std::vector<std::uint8_t> out;
    const std::uint8_t* p = bmp.Bits();
    for (int i = 0; i < bmp.Width() * bmp.Height(); ++i, p += 4) {
        if (alpha) {
            out.push_back(p[3]);
        } else {
            out.insert(out.end(), p, p + 3);
        }
    }
    return out;
}

// Whether now equals before with every pixel moved forward by a whole number of steps of
// `step` pixels (cyclically, in row order), for some count 1..maxSteps.
bool RotatedForwardBySteps(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& now,
                           int step, int maxSteps) {
    const size_t pixels = before.size() / 3;
    for (int n = 1; n <= maxSteps; ++n) {
        const size_t shift = static_cast<size_t>(step) * static_cast<size_t>(n) % pixels;
        bool same = true;
        for (size_t i = 0; i < pixels && same; ++i) {
            same = std::memcmp(&before[3 * i], &now[3 * ((i + shift) % pixels)], 3) == 0;
        }
        if (same) return true;
    }
    return false;
}

}  // namespace

TEST_F(MainDlg, InitialisationSetsIconsExitEntryAndLooks) {
    EXPECT_NE(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(::SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);

    const HMENU menu = ::GetSystemMenu(hwnd, FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(CMainDlg::kCmdExit));
    wchar_t text[32] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(CMainDlg::kCmdExit), text, 32, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"E&xit");
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &separator));
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);

    CButtonWnd* button = dlg->Button();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetHwnd(), ::GetDlgItem(hwnd, CMainDlg::kButtonId));
    EXPECT_EQ(button->Image().LayerCount(kLookNormal), 2);
    EXPECT_EQ(button->Image().LayerCount(kLookHot), 4);
    EXPECT_EQ(button->Image().LayerCount(kLookPressed), 4);
    EXPECT_EQ(::SendMessageW(button->GetHwnd(), WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
    EXPECT_EQ(::SendMessageW(button->GetHwnd(), WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(MainDlg, DestroySavesPlacementAndReleasesEveryHandle) {
    EXPECT_EQ(CHandleTally::Live(EHandleKind::Icon), iconsBefore + 2);
    // A hover leaves a background copy and a running timer; destruction must free them too.
    MoveTo(hwnd, ButtonPoint(90, 50));
    Pump(hwnd, 120);
    ASSERT_TRUE(dlg->Button()->HasBackgroundCopy());
    ::DestroyWindow(hwnd);
    Pump(nullptr, 20);
    WINDOWPLACEMENT wp{};
    std::size_t read = 0;
    ASSERT_TRUE(host.store.ReadStruct(L"Options\\Windows\\Main", L"plmnt", &wp, sizeof(wp), &read));
    EXPECT_EQ(read, 44u);
    EXPECT_EQ(wp.rcNormalPosition.left, 200);
    EXPECT_EQ(wp.rcNormalPosition.top, 150);
    EXPECT_EQ(dlg->Button(), nullptr);
    EXPECT_EQ(CHandleTally::Live(EHandleKind::Icon), iconsBefore);
    EXPECT_EQ(CHandleTally::Live(EHandleKind::Gdi), gdiBefore);
    EXPECT_EQ(CHandleTally::Live(EHandleKind::Dc) + CHandleTally::Live(EHandleKind::WindowDc), dcsBefore);
}

TEST_F(MainDlg, StoredPlacementIsRestoredKeepingTheDialogsSize) {
    RECT made;
    ::GetWindowRect(hwnd, &made);
    ::DestroyWindow(hwnd);
    Pump(nullptr, 20);

    // A record with another size: only its position is taken.
    CRecordingHost h;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    wp.showCmd = SW_SHOWNORMAL;
    wp.ptMaxPosition = POINT{-1, -1};
    wp.rcNormalPosition = RECT{333, 222, 383, 262};
    ASSERT_TRUE(h.store.WriteStruct(L"Options\\Windows\\Main", L"plmnt", &wp, 44));
    CRecordingMainDlg d(h);
    const HWND w = d.Create(nullptr, CMainDlg::kTemplateId, nullptr);
    ASSERT_NE(w, nullptr);
    Pump(w, 50);
    RECT r;
    ::GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 333);
    EXPECT_EQ(r.top, 222);
    EXPECT_EQ(r.right - r.left, made.right - made.left);
    EXPECT_EQ(r.bottom - r.top, made.bottom - made.top);
    EXPECT_TRUE(::IsWindowVisible(w));
    ::DestroyWindow(w);
}

TEST_F(MainDlg, ClickOnTheButtonSendsItsCommand) {
    MoveTo(hwnd, ButtonPoint(50, 50));
    LeftDown(hwnd);
    LeftUp(hwnd);
    EXPECT_EQ(dlg->Count(CMainDlg::kButtonId), 1);
    EXPECT_EQ(dlg->settingsOpened, 1);
    EXPECT_TRUE(::IsWindow(hwnd));
}

TEST_F(MainDlg, PressThenReleaseOutsideSendsNothing) {
    MoveTo(hwnd, ButtonPoint(50, 50));
    LeftDown(hwnd);
    MoveTo(hwnd, ButtonPoint(130, 50));  // beside the button, still over the dialog
    LeftUp(hwnd);
    MoveTo(hwnd, ButtonPoint(50, 50));  // coming back afterwards does not click either
    Pump(hwnd, 100);
    EXPECT_EQ(dlg->Count(CMainDlg::kButtonId), 0);
    EXPECT_EQ(dlg->settingsOpened, 0);
}

TEST_F(MainDlg, ReleaseOverTheButtonOfAPressThatBeganElsewhereSendsNothing) {
    MoveTo(hwnd, ButtonPoint(50, 115));  // the dialog below the button
    LeftDown(hwnd);
    MoveTo(hwnd, ButtonPoint(50, 50));
    LeftUp(hwnd);
    EXPECT_EQ(dlg->Count(CMainDlg::kButtonId), 0);
    EXPECT_EQ(dlg->settingsOpened, 0);
}

TEST_F(MainDlg, EnterSendsCommandOne) {
    Key(hwnd, VK_RETURN);
    EXPECT_EQ(dlg->Count(IDOK), 1);
    EXPECT_EQ(dlg->settingsOpened, 1);
    EXPECT_TRUE(::IsWindow(hwnd));
}

TEST_F(MainDlg, EscAsksTheApplicationAndARefusalKeepsTheDialog) {
    host.answer = false;
    Key(hwnd, VK_ESCAPE);
    EXPECT_EQ(dlg->Count(IDCANCEL), 1);
    EXPECT_EQ(host.cancels, 1);
    EXPECT_EQ(host.queries, 0);
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_TRUE(::IsWindowVisible(hwnd));
}

TEST_F(MainDlg, AltF4OnTheFocusedButtonActsLikeEsc) {
    host.answer = false;
    INPUT keys[4]{};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_MENU;
    keys[1].ki.wVk = VK_F4;
    keys[2] = keys[1];
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3] = keys[0];
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, keys, sizeof(INPUT));
    Pump(hwnd, 200);
    EXPECT_EQ(host.cancels, 1);
    EXPECT_TRUE(::IsWindow(hwnd));
}

TEST_F(MainDlg, WindowMenuExitAsksLikeCommand1001) {
    host.answer = false;
    ::SendMessageW(hwnd, WM_SYSCOMMAND, CMainDlg::kCmdExit, 0);
    EXPECT_EQ(host.queries, 1);
    ::SendMessageW(hwnd, WM_COMMAND, CMainDlg::kCmdExit, 0);
    EXPECT_EQ(host.queries, 2);
    EXPECT_EQ(host.closes, 0);
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_TRUE(::IsWindowVisible(hwnd));
}

TEST_F(MainDlg, Command1000ClosesWithoutAsking) {
    ::SendMessageW(hwnd, WM_COMMAND, CMainDlg::kCmdClose, 0);
    EXPECT_EQ(host.closes, 1);
    EXPECT_EQ(host.queries, 0);
}

TEST_F(MainDlg, EndOfSessionIsAllowedAndSavesThroughExitOnlyWhenItHappens) {
    EXPECT_EQ(::SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(host.exits, 0);
    ::SendMessageW(hwnd, WM_ENDSESSION, FALSE, 0);  // the shutdown was cancelled
    EXPECT_EQ(host.exits, 0);
    ::SendMessageW(hwnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(host.exits, 1);
}

TEST_F(MainDlg, PlacementChangesAndIconMessagesReachTheApplication) {
    const int before = host.moves;
    ::SetWindowPos(hwnd, nullptr, 240, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_GT(host.moves, before);
    EXPECT_EQ(host.movedMessage, 40001u);
    EXPECT_EQ(host.movedIcon, 102u);
    EXPECT_EQ(host.movedText, nullptr);

    ::SendMessageW(hwnd, 40001, 0, WM_LBUTTONUP);
    EXPECT_EQ(host.trayNotes, 1);
    EXPECT_EQ(host.trayId, 0u);
    EXPECT_EQ(host.trayEvent, WM_LBUTTONUP);
}

TEST_F(MainDlg, HoverScrollsTheTextureTowardThePointerAndStandsStillAtTheCentre) {
    CButtonWnd* button = dlg->Button();
    ASSERT_NE(button, nullptr);
    const CBmp* face = button->Image().Layer(kLookNormal, 0);
    ASSERT_NE(face, nullptr);
    const std::vector<std::uint8_t> alpha = Channels(*face, true);

    // Right edge: the largest step to the right.
    MoveTo(hwnd, ButtonPoint(99, 50));
    EXPECT_TRUE(button->IsHovering());
    EXPECT_TRUE(button->HasBackgroundCopy());
    EXPECT_EQ(button->StepX(), 8);
    EXPECT_EQ(button->StepY(), 0);
    std::vector<std::uint8_t> before = Channels(*face, false);
    Pump(hwnd, 250);
    EXPECT_TRUE(RotatedForwardBySteps(before, Channels(*face, false), 8, 40));
    EXPECT_EQ(Channels(*face, true), alpha);  // the shape stays put

    // Left and up: steps toward the pointer, negative.
    MoveTo(hwnd, ButtonPoint(0, 0));
    EXPECT_EQ(button->StepX(), -8);
    EXPECT_EQ(button->StepY(), -8);

    // The centre: still.
    const RECT r = ButtonScreenRect(hwnd);
    MoveTo(hwnd, POINT{r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2});
    EXPECT_EQ(button->StepX(), 0);
    EXPECT_EQ(button->StepY(), 0);
    before = Channels(*face, false);
    Pump(hwnd, 250);
    EXPECT_EQ(Channels(*face, false), before);

    // Leaving ends the hover: no background copy, no more scrolling.
    // (Wine notices a pointer that left for a window of another program on a timer of the
    // system's hover time, 400 ms.)
    MoveTo(hwnd, ButtonPoint(99, 50));
    MoveTo(hwnd, Away());
    Pump(hwnd, 700);
    EXPECT_FALSE(button->IsHovering());
    EXPECT_FALSE(button->HasBackgroundCopy());
    before = Channels(*face, false);
    Pump(hwnd, 250);
    EXPECT_EQ(Channels(*face, false), before);
}

// The hover's ticks: the picture a tick sets into the window is the one a full paint of the same
// moment draws, the ticks make no GDI object or memory context, and the animation stops while the
// dialog is minimised and while it is held (nobody sees the screen), starting again on the next
// move over the button afterwards.
TEST_F(MainDlg, HoverTicksDrawAsAPaintMakeNoObjectAndStopWhileMinimisedOrHeld) {
    CButtonWnd* button = dlg->Button();
    ASSERT_NE(button, nullptr);
    const HWND bw = button->GetHwnd();
    const CBmp* face = button->Image().Layer(kLookHot, 2);
    ASSERT_NE(face, nullptr);
    const auto windowColours = [bw] {
        RECT rc{};
        ::GetClientRect(bw, &rc);
        std::vector<std::uint8_t> px(static_cast<size_t>(rc.right) * static_cast<size_t>(rc.bottom) * 4);
        CWindowDc dc(bw);
        EXPECT_TRUE(ReadDcPixels(dc.get(), 0, 0, rc.right, rc.bottom, px.data()));
        for (size_t i = 3; i < px.size(); i += 4) px[i] = 0;  // the window's alpha means nothing
        return px;
    };

    MoveTo(hwnd, ButtonPoint(95, 30));
    ASSERT_TRUE(button->IsAnimating());
    Pump(hwnd, 120);  // the first tick composes what stays still
    const long gdi = CHandleTally::Made(EHandleKind::Gdi);
    const long dcs = CHandleTally::Made(EHandleKind::Dc);
    std::vector<std::uint8_t> before = Channels(*face, false);
    Pump(hwnd, 300);
    EXPECT_NE(Channels(*face, false), before);  // ticks ran
    EXPECT_EQ(CHandleTally::Made(EHandleKind::Gdi), gdi);
    EXPECT_EQ(CHandleTally::Made(EHandleKind::Dc), dcs);

    const std::vector<std::uint8_t> ticked = windowColours();
    ::RedrawWindow(bw, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);  // a full paint, no tick between
    EXPECT_EQ(windowColours(), ticked);

    ::ShowWindow(hwnd, SW_MINIMIZE);
    Pump(hwnd, 200);
    EXPECT_FALSE(button->IsAnimating());
    EXPECT_FALSE(button->HasBackgroundCopy());
    ::ShowWindow(hwnd, SW_RESTORE);
    ::SetWindowPos(hwnd, HWND_TOP, 200, 150, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    Pump(hwnd, 100);
    MoveTo(hwnd, ButtonPoint(80, 50));
    MoveTo(hwnd, ButtonPoint(95, 50));
    EXPECT_TRUE(button->IsAnimating());

    button->HoldAnimation(true);
    EXPECT_FALSE(button->IsAnimating());
    MoveTo(hwnd, ButtonPoint(90, 60));
    EXPECT_FALSE(button->IsAnimating());
    before = Channels(*face, false);
    Pump(hwnd, 200);
    EXPECT_EQ(Channels(*face, false), before);
    button->HoldAnimation(false);
    MoveTo(hwnd, ButtonPoint(95, 60));
    EXPECT_TRUE(button->IsAnimating());
}
