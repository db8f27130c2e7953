// CSettingsBlinkDlg: the "Blinks options" page: the number of blink lights and their frequency,
// each through an edit, an up-down and a trackbar; the size controls are bound but stay hidden.
// The lights read the values when they are next advanced or placed.
#pragma once

#include "settings/CSettingsPage.h"

class CSettingsBlinkDlg : public CSettingsPage {
public:
    using CSettingsPage::CSettingsPage;

    INT_PTR OnInitDialog() override;
};
