// CViewDlg: the "View window" page: the desktop view's opacity through an edit, an up-down and a
// trackbar, and "Let clicks through" (live, as the icon's menu line). The view reads the option every frame, so the desktop follows the controls at once;
// Cancel puts back the value the page opened with.
#pragma once

#include "settings/CSettingsPage.h"
#include "wnd/Handles.h"

class CViewDlg : public CSettingsPage {
public:
    using CSettingsPage::CSettingsPage;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    CUniqueIcon m_dialogIcon;
    CUniqueIcon m_opacityIcon;  // shown by control 1044
};
