#include "wnd/CDialog.h"

#include "Pump.h"
#include "WndTestRes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Posts the given commands from OnInitDialog, so DoModal ends by itself.
class CScriptedDlg : public CDialog {
public:
    std::vector<WPARAM> commands;
    bool linked = false;
    INT_PTR OnInitDialog() override {
        linked = FromHandle(m_hwnd) == this && IsModal();
        for (WPARAM c : commands) ::PostMessageW(m_hwnd, WM_COMMAND, c, 0);
        return CDialog::OnInitDialog();
    }
};

}  // namespace

TEST(Dialog, DoModalAnswersWhatOkOrCancelEndedItWith) {
    struct SCase {
        std::vector<WPARAM> commands;
        INT_PTR result;
    };
    const SCase cases[] = {
        {{IDOK}, 1},
        {{IDCANCEL}, 2},
        // A notification code in the high word is not a command to end the dialog.
        {{MAKEWPARAM(IDOK, BN_SETFOCUS), IDCANCEL}, 2},
        {{MAKEWPARAM(IDCANCEL, 1), IDOK}, 1},
    };
    for (const SCase& c : cases) {
        CScriptedDlg dlg;
        dlg.commands = c.commands;
        EXPECT_EQ(dlg.DoModal(nullptr, IDD_PLAIN, nullptr), c.result) << "first command " << c.commands[0];
        EXPECT_TRUE(dlg.linked);
        EXPECT_EQ(dlg.GetHwnd(), nullptr) << "the ended dialog's handle must be forgotten";
    }
}

TEST(Dialog, ModelessDialogIsDestroyedWithItsObject) {
    HWND hwnd = nullptr;
    {
        CDialog dlg;
        hwnd = dlg.Create(nullptr, IDD_PLAIN, nullptr);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(::GetPropW(hwnd, L"DLG_ENTITY"), static_cast<HANDLE>(&dlg));
        EXPECT_FALSE(dlg.IsModal());
        PumpMessages(20);
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}
