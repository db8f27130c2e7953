// CSettingsCommonDlg: the "Common options" page: "Start with Windows" (the autostart shortcut in
// the user's Startup folder) and how the main window shows when the program starts. The check box
// shows whether the shortcut exists when the page opens; OK creates or deletes it.
#pragma once

#include "settings/CSettingsPage.h"

class CSettingsCommonDlg : public CSettingsPage {
public:
    static constexpr int kDroppedWidth = 240;

    using CSettingsPage::CSettingsPage;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
};
