// CSettingsCommonDlg: the "Common options" page: "Start with Windows" (the autostart shortcut in
// the user's Startup folder) and how the main window shows when the program starts. The check box
// shows whether the shortcut exists when the page opens; OK creates or deletes it. The hotkey that
// hides and shows the tree is a hotkey control: a change takes effect at once (Cancel takes it
// back), and a hotkey the system refuses is told on the dialog's status bar.
#pragma once

#include "settings/CSettingsPage.h"

class CSettingsCommonDlg : public CSettingsPage {
public:
    static constexpr int kDroppedWidth = 240;

    using CSettingsPage::CSettingsPage;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The status bar of the settings dialog tells whether the hotkey was refused.
    void ShowHotkeyState();
};
