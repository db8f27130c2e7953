// The tray icon's menu for each state of the main window and of the tree: its seven lines with their
// mnemonics, which of them is the default, which is checked, and which are greyed while a modal
// dialog disables the main window; the "Trees" submenu lists the stored trees, the shown one checked.
#include "app/TrayMenu.h"
#include "app/TreeNames.h"

#include <gtest/gtest.h>

#include <vector>

#include <string>

namespace {

struct SLine {
    UINT id;
    std::wstring text;
    bool grey, separator, isDefault, checked;
};

std::vector<SLine> Lines(HMENU menu) {
    std::vector<SLine> lines;
    const int n = ::GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = 64;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
        lines.push_back({mii.wID, text, (mii.fState & MFS_GRAYED) != 0, (mii.fType & MFT_SEPARATOR) != 0,
                         (mii.fState & MFS_DEFAULT) != 0, (mii.fState & MFS_CHECKED) != 0});
    }
    return lines;
}

}  // namespace

TEST(TrayMenu, LinesFollowTheMainWindowsState) {
    const HWND main = ::CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW, 100, 100, 200, 150, nullptr,
                                        nullptr, nullptr, nullptr);
    ASSERT_TRUE(main);
    struct Case {
        const char* what;
        int show;
        bool enabled;
        UINT toggle;
        const wchar_t* toggleText;
        TrayMenu::STreeState tree;
        const wchar_t* treeText;
    } cases[] = {
        {"shown", SW_SHOWNORMAL, true, TrayMenu::kCmdHide, L"Hide &Pinarbo", {false, false}, L"Hide &tree"},
        {"hidden in the icon", SW_HIDE, true, TrayMenu::kCmdShow, L"Show &Pinarbo", {true, false}, L"Show &tree"},
        {"minimised on the taskbar", SW_SHOWMINNOACTIVE, true, TrayMenu::kCmdShow, L"Show &Pinarbo", {false, true}, L"Hide &tree"},
        {"shown with a modal dialog open", SW_SHOWNORMAL, false, TrayMenu::kCmdHide, L"Hide &Pinarbo", {true, true}, L"Show &tree"},
        {"hidden with a modal dialog open", SW_HIDE, false, TrayMenu::kCmdShow, L"Show &Pinarbo", {false, false}, L"Hide &tree"},
    };
    for (const Case& c : cases) {
        ::ShowWindow(main, SW_RESTORE);
        ::ShowWindow(main, c.show);
        ::EnableWindow(main, c.enabled);
        TrayMenu::STreeState tree = c.tree;
        tree.trees = {L"Default", L"A&B"};
        tree.current = L"a&b";  // names ignore case
        const HMENU menu = TrayMenu::Build(::GetModuleHandleW(nullptr), main, tree);
        ASSERT_TRUE(menu) << c.what;
        std::vector<SLine> lines = Lines(menu);
        const std::vector<SLine> trees = Lines(::GetSubMenu(menu, 4));
        ::DestroyMenu(menu);
        ASSERT_EQ(lines.size(), 7u) << c.what;
        EXPECT_EQ(lines[4].text, L"T&rees") << c.what;
        ASSERT_EQ(trees.size(), 10u) << c.what << ": two trees, New, Duplicate, Rename, Delete, Import, Export";
        EXPECT_TRUE(trees[2].separator) << c.what;
        EXPECT_EQ(trees[3].text, L"&New tree...") << c.what;
        EXPECT_EQ(trees[6].id, static_cast<UINT>(IDM_TRAY_TREE_DELETE)) << c.what;
        EXPECT_EQ(trees[6].grey, !c.enabled) << c.what;
        EXPECT_EQ(trees[1].text, L"A&&B") << c.what << ": an ampersand shown, not a mnemonic";
        EXPECT_EQ(trees[1].id, TrayMenu::kCmdTreeFirst + 1) << c.what;
        EXPECT_TRUE(trees[1].checked && !trees[0].checked) << c.what;
        EXPECT_EQ(trees[0].grey, !c.enabled) << c.what << ": no switch under a dialog that edits the tree";
        lines.erase(lines.begin() + 4);
        EXPECT_EQ(lines[0].id, TrayMenu::kCmdSettings) << c.what;
        EXPECT_EQ(lines[0].text, L"&Settings...") << c.what;
        EXPECT_EQ(lines[0].grey, !c.enabled) << c.what << ": Settings greyed only under a modal dialog";
        EXPECT_EQ(lines[1].id, c.toggle) << c.what;
        EXPECT_EQ(lines[1].text, c.toggleText) << c.what;
        EXPECT_FALSE(lines[1].grey) << c.what;
        EXPECT_TRUE(lines[1].isDefault) << c.what << ": the toggle is what a click on the icon does";
        // The tree's lines work under a modal dialog too: they change nothing the dialog edits.
        EXPECT_EQ(lines[2].id, TrayMenu::kCmdTree) << c.what;
        EXPECT_EQ(lines[2].text, c.treeText) << c.what;
        EXPECT_EQ(lines[3].id, TrayMenu::kCmdClickThrough) << c.what;
        EXPECT_EQ(lines[3].text, L"&Let clicks through") << c.what;
        EXPECT_EQ(lines[3].checked, c.tree.clickThrough) << c.what;
        EXPECT_FALSE(lines[2].grey || lines[3].grey || lines[2].checked) << c.what;
        EXPECT_TRUE(lines[4].separator) << c.what;
        EXPECT_EQ(lines[5].id, TrayMenu::kCmdExit) << c.what;
        EXPECT_EQ(lines[5].text, L"E&xit") << c.what;
        EXPECT_EQ(lines[5].grey, !c.enabled) << c.what << ": no exit under a dialog in use";
        EXPECT_FALSE(lines[0].isDefault || lines[2].isDefault || lines[3].isDefault || lines[5].isDefault) << c.what;
    }
    ::DestroyWindow(main);
    EXPECT_EQ(TrayMenu::Build(::GetModuleHandleW(nullptr), main), nullptr) << "no main window, no menu";
    EXPECT_EQ(TrayMenu::Build(::GetModuleHandleW(nullptr), nullptr), nullptr);
}

// Names a new tree can take: one plain file name of 1 to 64 characters, not a device, not taken
// whatever its case; the name offered for a copy is made unique with " (2)" and on.
TEST(TreeNames, WhatANewTreeMayBeCalled) {
    const std::vector<tstr> existing = {L"Default", L"Garden", L"Garden (2)"};
    const struct {
        const wchar_t* name;
        ETreeNameProblem problem;
    } cases[] = {
        {L"Kitchen", ETreeNameProblem::None},        {L"Tree & lights", ETreeNameProblem::None},
        {L"", ETreeNameProblem::Empty},              {L"garden", ETreeNameProblem::Taken},
        {L"a\\b", ETreeNameProblem::BadCharacter},   {L"a/b", ETreeNameProblem::BadCharacter},
        {L"what?", ETreeNameProblem::BadCharacter},  {L"tab\there", ETreeNameProblem::BadCharacter},
        {L"CON", ETreeNameProblem::Reserved},        {L"nul.txt", ETreeNameProblem::Reserved},
        {L"com7", ETreeNameProblem::Reserved},       {L"COM", ETreeNameProblem::None},
        {L"..", ETreeNameProblem::Reserved},         {L"end.", ETreeNameProblem::Reserved},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckTreeName(c.name, existing), c.problem) << testing::PrintToString(tstr(c.name));
    EXPECT_EQ(CheckTreeName(tstr(64, L'x'), existing), ETreeNameProblem::None);
    EXPECT_EQ(CheckTreeName(tstr(65, L'x'), existing), ETreeNameProblem::TooLong);
    EXPECT_EQ(TrimmedTreeName(L"  Kitchen \t"), L"Kitchen");
    EXPECT_EQ(UniqueTreeName(L"Garden", existing), L"Garden (3)");
    EXPECT_EQ(UniqueTreeName(L"Kitchen", existing), L"Kitchen");
    EXPECT_EQ(UniqueTreeName(tstr(64, L'y'), {tstr(64, L'y')}).size(), 64u) << "cut so that it fits";
}
