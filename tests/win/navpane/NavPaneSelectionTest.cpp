// Selection, focus and keyboard of the navigation pane, driven with the real mouse and keyboard.
#include "NavPaneTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Captions = std::vector<std::wstring>;

std::wstring Click(HWND pane, POINT p, const wchar_t* modifier = nullptr) {
    std::wstring s = MoveTo(pane, p) + L"sleep 0.1 ";
    if (modifier) s += std::wstring(L"keydown ") + modifier + L" ";
    s += L"click 1 sleep 0.1 ";
    if (modifier) s += std::wstring(L"keyup ") + modifier + L" ";
    return s + L"sleep 0.1 ";
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG ? TRUE : FALSE; }

// A dialog with no controls, made from a template in memory; the test adds its controls.
HWND EmptyDialog(HWND parent, DWORD style, int x, int y, int w, int h) {
    struct alignas(4) STemplate {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } tmpl{};
    tmpl.dialog.style = style;
    const HWND dialog =
        ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &tmpl.dialog, parent, PlainDialogProc, 0);
    if (dialog) ::SetWindowPos(dialog, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    return dialog;
}

HWND Button(HWND parent, const wchar_t* text, int id, int y) {
    return ::CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 5, y, 80, 20,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                             nullptr);
}

// Tab or Shift+Tab as the pane receives it (the key state is what it reads for Shift).
void SendTab(HWND pane, bool shift) {
    BYTE keys[256]{};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(keys);
    ::SendMessageW(pane, WM_KEYDOWN, VK_TAB, 0);
    keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
}

}  // namespace

TEST(NavPaneSelection, ClicksCtrlShiftCtrlAAndEmptySpace) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    SPaneFixture f;
    ASSERT_TRUE(f.Create(6, false, 100, 100, 240, 200));
    const HWND pane = f.pane.GetHwnd();
    auto& r = f.rows;
    struct SStep {
        const char* what;
        int row;  // -1: empty space below the rows
        const wchar_t* modifier;
        Captions selected;
        int focused;  // row index, -1 none
    };
    const SStep steps[] = {
        {"plain click selects only that row", 2, nullptr, {L"Row 2"}, 2},
        {"another plain click moves the selection", 1, nullptr, {L"Row 1"}, 1},
        {"ctrl+click adds a row", 4, L"ctrl", {L"Row 1", L"Row 4"}, 4},
        {"ctrl+click again removes it", 4, L"ctrl", {L"Row 1"}, 4},
        {"ctrl+click a third row", 3, L"ctrl", {L"Row 1", L"Row 3"}, 3},
        {"shift+click selects the range from the anchor", 5, L"shift", {L"Row 3", L"Row 4", L"Row 5"}, 5},
        {"shift+click upwards from the same anchor", 0, L"shift", {L"Row 0", L"Row 1", L"Row 2", L"Row 3"}, 0},
        {"empty space clears selection and focus", -1, nullptr, {}, -1},
    };
    for (const SStep& step : steps) {
        const POINT p = step.row >= 0 ? f.RowPoint(r[static_cast<std::size_t>(step.row)]) : POINT{60, 190};
        ASSERT_TRUE(Xdo(Click(pane, p, step.modifier), 700)) << step.what;
        Captions selected = f.SelectedCaptions();
        std::sort(selected.begin(), selected.end());
        EXPECT_EQ(selected, step.selected) << step.what;
        CNavPaneItem* focused = step.focused >= 0 ? r[static_cast<std::size_t>(step.focused)] : nullptr;
        EXPECT_EQ(f.pane.FocusedItem(), focused) << step.what;
        for (CNavPaneItem* row : r) {
            EXPECT_EQ(row->IsSelected(), f.pane.Selection().Contains(row)) << step.what << ": flag and list agree";
        }
    }
    EXPECT_EQ(::GetFocus(), pane) << "a click takes the keyboard focus";

    // Ctrl+A from the keyboard selects every row.
    ASSERT_TRUE(Xdo(Click(pane, f.RowPoint(r[2])) + L"key ctrl+a sleep 0.2", 900));
    EXPECT_EQ(f.pane.Selection().Count(), 6);
}

TEST(NavPaneSelection, ArrowKeysWrapAndAreSwappedInReversedPane) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    for (const bool reversed : {false, true}) {
        SPaneFixture f;
        ASSERT_TRUE(f.Create(4, reversed, 100, 100, 240, 200));
        const HWND pane = f.pane.GetHwnd();
        auto& r = f.rows;
        ASSERT_TRUE(Xdo(Click(pane, f.RowPoint(r[0])), 600));
        ASSERT_EQ(f.pane.FocusedItem(), r[0]);
        // On screen, Up always moves one row up: in a reversed pane that is the next entry.
        struct SKey {
            const wchar_t* key;
            int normal;
            int reversedPane;
        };
        const SKey keys[] = {{L"Up", 3, 1}, {L"Up", 2, 2}, {L"Down", 3, 1}, {L"Down", 0, 0}, {L"Down", 1, 3}};
        for (const SKey& k : keys) {
            ASSERT_TRUE(Xdo(std::wstring(L"key ") + k.key, 400));
            const int want = reversed ? k.reversedPane : k.normal;
            EXPECT_EQ(f.pane.FocusedItem(), r[static_cast<std::size_t>(want)])
                << (reversed ? "reversed " : "normal ") << "after " << (k.key[0] == L'U' ? "Up" : "Down");
            EXPECT_EQ(f.SelectedCaptions(), Captions{L"Row " + std::to_wstring(want)});
        }
        // Shift extends the selection instead of replacing it.
        ASSERT_TRUE(Xdo(L"key shift+Down", 400));
        EXPECT_EQ(f.pane.Selection().Count(), 2);
    }
}

TEST(NavPaneSelection, ProgramSelectionOperations) {
    SPaneFixture f;
    ASSERT_TRUE(f.Create(5, false));
    auto& r = f.rows;
    f.pane.SelectItem(r[1]);
    f.pane.SelectItem(r[3]);
    f.pane.SelectItem(r[3]);
    EXPECT_EQ(f.SelectedCaptions(), (Captions{L"Row 1", L"Row 3"})) << "in the order selected, no duplicates";
    f.pane.SelectAll(nullptr, false, true);
    EXPECT_TRUE(f.pane.Selection().Empty());
    f.pane.SetMultipleSelection(false);
    f.pane.SelectItem(r[0]);
    f.pane.SelectItem(r[2]);
    EXPECT_EQ(f.SelectedCaptions(), Captions{L"Row 2"}) << "single selection replaces";
    f.pane.SetSelectionEnabled(false);
    f.pane.SelectItem(r[4]);
    f.pane.SelectAll(nullptr, true, true);
    EXPECT_EQ(f.SelectedCaptions(), Captions{L"Row 2"}) << "selection disabled";

    // Removing the focused, selected row hands the focus to its next sibling, else the previous.
    f.pane.SetSelectionEnabled(true);
    ASSERT_TRUE(f.pane.FocusItem(r[2]));
    ASSERT_TRUE(f.pane.RemoveItem(r[2]));
    EXPECT_TRUE(f.pane.Selection().Empty());
    EXPECT_EQ(f.pane.FocusedItem(), r[3]);
    ASSERT_TRUE(f.pane.FocusItem(r[4]));
    ASSERT_TRUE(f.pane.RemoveItem(r[4]));
    EXPECT_EQ(f.pane.FocusedItem(), r[3]);
    EXPECT_FALSE(f.pane.RemoveItem(nullptr));
    EXPECT_FALSE(f.pane.RemoveItem(&f.pane.Root()));
    EXPECT_EQ(f.Order(), (Captions{L"Row 0", L"Row 1", L"Row 3"}));
}

TEST(NavPaneSelection, TabLeavesThePaneAndRightLeftExpandAndClimb) {
    SPaneFixture f;
    ASSERT_TRUE(f.Create(3, false));
    const HWND pane = f.pane.GetHwnd();
    const HWND next = ::CreateWindowExW(0, L"BUTTON", L"next", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 215, 60, 20,
                                        f.host.GetHwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(next, nullptr);
    ::SetFocus(pane);
    ::SendMessageW(pane, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(::GetFocus(), next) << "Tab moves to the next tab stop";
    ::SetFocus(pane);
    ::DestroyWindow(next);
    ::SendMessageW(pane, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(::GetFocus(), pane) << "no other tab stop: the focus stays";

    CNavPaneItem* row = f.rows[1];
    auto* child = new CNavPaneItem(L"Child");
    ASSERT_TRUE(row->AddChild(child));
    ASSERT_TRUE(f.pane.FocusItem(row));
    ::SendMessageW(pane, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(row->IsExpanded());
    EXPECT_EQ(f.pane.Rows().size(), 4u);
    ::SendMessageW(pane, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(f.pane.FocusedItem(), child) << "Down enters the expanded entry";
    ::SendMessageW(pane, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(f.pane.FocusedItem(), row) << "Left climbs to the parent";
    ::SendMessageW(pane, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_FALSE(row->IsExpanded()) << "Left collapses";
    ::SendMessageW(pane, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(f.pane.FocusedItem(), row) << "top-level entries have no parent to climb to";
    ::SendMessageW(pane, WM_KEYDOWN, VK_RIGHT, 0);
    ASSERT_TRUE(row->IsExpanded());
    ASSERT_TRUE(f.pane.FocusItem(child));
    ASSERT_TRUE(f.pane.RemoveItem(row));  // the focused child goes with its parent
    EXPECT_EQ(f.pane.FocusedItem(), f.rows[2]);
}

TEST(NavPaneSelection, TabAndShiftTabFollowTheDialogsTabOrder) {
    // As on the construction page: a child page (a control parent) holding a toolbar without a tab
    // stop, the pane and an Apply button, inside a dialog with tab stops before and after the page.
    const HWND dialog = EmptyDialog(nullptr, WS_POPUP | WS_VISIBLE, 100, 100, 300, 320);
    ASSERT_NE(dialog, nullptr);
    const HWND first = Button(dialog, L"First", 11, 5);
    const HWND page = EmptyDialog(dialog, DS_CONTROL | WS_CHILD | WS_VISIBLE, 0, 30, 300, 250);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(::GetWindowLongPtrW(page, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    const HWND toolbar = ::CreateWindowExW(0, L"STATIC", L"toolbar", WS_CHILD | WS_VISIBLE, 5, 0, 200, 20, page,
                                           nullptr, ::GetModuleHandleW(nullptr), nullptr);
    CNavPaneWnd pane;
    ASSERT_TRUE(pane.Create(0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 25, 200, 180, page,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(1005))));
    const HWND apply = Button(page, L"Apply", 12, 210);
    const HWND last = Button(dialog, L"Last", 13, 290);
    ASSERT_TRUE(toolbar && apply && last);
    ::SetForegroundWindow(dialog);

    struct SCase {
        bool shift;
        HWND disabled;  // a tab stop switched off for this case
        HWND expected;
        const char* what;
    };
    const SCase cases[] = {
        {true, nullptr, first, "Shift+Tab: the previous tab stop, out of the page, not the toolbar"},
        {false, nullptr, apply, "Tab: the next tab stop"},
        {true, first, last, "Shift+Tab wraps to the dialog's last tab stop"},
        {false, apply, last, "Tab leaves the page for the dialog's next tab stop"},
    };
    for (const SCase& c : cases) {
        if (c.disabled) ::EnableWindow(c.disabled, FALSE);
        ::SetFocus(pane.GetHwnd());
        ASSERT_EQ(::GetFocus(), pane.GetHwnd());
        SendTab(pane.GetHwnd(), c.shift);
        EXPECT_EQ(::GetFocus(), c.expected) << c.what;
        if (c.disabled) ::EnableWindow(c.disabled, TRUE);
    }
    // A push button reached by Tab becomes the default one, as the dialog's own Tab makes it.
    ::SetFocus(pane.GetHwnd());
    SendTab(pane.GetHwnd(), false);
    ASSERT_EQ(::GetFocus(), apply);
    EXPECT_TRUE(::SendMessageW(apply, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) << "Enter presses Apply";
    ::DestroyWindow(dialog);
}
