// CViewDlg: the "View window" page: the desktop view's opacity through an edit, an up-down and a
// trackbar, how the view behaves among other programs (hidden under full-screen programs,
// still on battery, animated despite Windows' animations being off, kept out of captures) and
// "Let clicks through" (live, as the icon's menu line). The desktop follows the controls at once;
// Cancel puts back the values the page opened with. The capture option is greyed, with a tooltip
// saying why, where the system cannot do it.
#pragma once

#include "settings/CSettingsPage.h"
#include "wnd/Handles.h"

#include <string>

class CViewDlg : public CSettingsPage {
public:
    using CSettingsPage::CSettingsPage;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    CUniqueIcon m_dialogIcon;
    CUniqueIcon m_opacityIcon;  // shown by control 1044
    HWND m_tip = nullptr;        // tooltip of the greyed capture option; destroyed with the page
    std::wstring m_tipText;

    // The options of the block below the opacity, in the page's order.
    static bool IsBehaviourOption(int id) noexcept;
    void AddCaptureTip();
};
