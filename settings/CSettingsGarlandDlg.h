// CSettingsGarlandDlg: the "Garland options" page: an owner-drawn combo box that shows each garland
// gradient as a 10-pixel band. Choosing an entry switches the desktop garlands to it at once;
// Cancel switches them back to the stored gradient.
#pragma once

#include "settings/CSettingsPage.h"

class CSettingsGarlandDlg : public CSettingsPage {
public:
    // The gradients offered, as bitmap resource ids, in list order.
    static constexpr unsigned int kGradients[] = {119, 120, 121};
    // Height of a list entry: the band with 5 pixels around it.
    static constexpr int kItemHeight = 20;

    using CSettingsPage::CSettingsPage;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDrawItem(WPARAM id, DRAWITEMSTRUCT* dis) override;
};
