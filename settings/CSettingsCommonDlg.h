// CSettingsCommonDlg: the "Common options" page: "Start with Windows" (the autostart shortcut in
// the user's Startup folder) and how the main window shows when the program starts. The check box
// shows whether the shortcut exists when the page opens; OK creates or deletes it. The hotkey that
// hides and shows the tree is a hotkey control: a change takes effect at once (Cancel takes it
// back), and a hotkey the system refuses is told on the dialog's status bar. The stored trees are
// listed with the buttons of the icon menu's "Trees": each closes Settings as OK does (so the
// tree shown keeps the changes made here), acts, and Settings opens again on this page.
#pragma once

#include "settings/CSettingsPage.h"

#include <string>
#include <vector>

class CSettingsCommonDlg : public CSettingsPage {
public:
    static constexpr int kDroppedWidth = 240;

    using CSettingsPage::CSettingsPage;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void FillTrees();
    // The tree chosen in the list (empty when none).
    std::wstring ChosenTree() const;
    // Hands a tree command to the host and closes the dialog as with OK.
    void RunTreeCommand(unsigned command);

    std::vector<std::wstring> m_trees;  // the list's lines, in order
    std::wstring m_shown;

    // The status bar of the settings dialog tells whether the hotkey was refused.
    void ShowHotkeyState();
};
