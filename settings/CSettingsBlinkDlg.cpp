#include "settings/CSettingsBlinkDlg.h"

#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "resource.h"

INT_PTR CSettingsBlinkDlg::OnInitDialog() {
    if (m_host) {
        struct SRow {
            CParam<int>& param;
            int edit, track, spin;
        };
        const SRow rows[] = {
            {m_host->BlinkNum(), IDC_BLINK_NUM_EDIT, IDC_BLINK_NUM_TRACK, IDC_BLINK_NUM_SPIN},
            {m_host->BlinkFreq(), IDC_BLINK_FREQ_EDIT, IDC_BLINK_FREQ_TRACK, IDC_BLINK_FREQ_SPIN},
            {m_host->BlinkSize(), IDC_BLINK_SIZE_EDIT, IDC_BLINK_SIZE_TRACK, IDC_BLINK_SIZE_SPIN},
        };
        for (const SRow& row : rows) {
            Bind(this, row.param, kParamEdit, row.edit);
            Bind(this, row.param, kParamTrackbar, row.track);
            Bind(this, row.param, kParamUpDown, row.spin);
        }
    }
    return CSettingsPage::OnInitDialog();
}
