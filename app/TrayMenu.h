// The notification-area icon's context menu: "Settings..." (the main window's button command,
// greyed while the main window is disabled by a modal dialog), "Show Pinarbo" or "Hide Pinarbo"
// (the default line, as the icon's click), "Show tree" or "Hide tree", "Let clicks through"
// (checked while on), "Trees" (the stored trees, the one shown checked, then "New tree...",
// "Duplicate...", "Rename...", "Delete...", "Import..." and "Export..."; greyed while a modal dialog is open), a separator
// and "Exit" (the main window's exit command, greyed while a
// modal dialog is open, so the program never ends under a dialog in use).
#pragma once

#include <windows.h>

#include "resource.h"

#include <cstddef>
#include <string>
#include <vector>

namespace TrayMenu {

// Commands the tray layer carries out itself: they are never sent to the main window.
constexpr UINT kCmdShow = 40002;
constexpr UINT kCmdHide = 40003;
// Commands the application carries out itself (CAppBase::OnTrayCommand).
constexpr UINT kCmdTree = IDM_TRAY_TREE;
constexpr UINT kCmdClickThrough = IDM_TRAY_CLICKS;
constexpr UINT kCmdTreeFirst = IDM_TRAY_TREE_FIRST;  // + the tree's index in STreeState::trees
constexpr std::size_t kMaxTreeLines = 100;
// Commands sent to the main window as WM_COMMAND.
constexpr UINT kCmdSettings = 1002;  // the main button
constexpr UINT kCmdExit = 1001;      // the window menu's exit: asks "Quit program?" when that is on

// Whether the main window counts as shown (visible and not minimised): the menu then offers "Hide".
bool IsMainShown(HWND main);

// The tree's state the menu shows.
struct STreeState {
    bool hidden = false;        // hidden by the user: the menu offers "Show tree"
    bool clickThrough = false;  // "Let clicks through" is on
    std::vector<std::wstring> trees;  // the stored trees, listed in this order (the first 100)
    std::wstring current;             // the one shown
};

// A tree's name as a menu line: an ampersand is shown, not taken as a mnemonic.
std::wstring MenuText(const std::wstring& name);

// Builds the popup menu for the main window's and the tree's current state; the caller destroys
// it. Null when there is no main window or the menu cannot be made. Texts come from the string
// table of module.
HMENU Build(HINSTANCE module, HWND main, STreeState tree = {});

}  // namespace TrayMenu
