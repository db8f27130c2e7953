// CMainDlg: the program's main window (dialog 101), a small modeless dialog holding the animated
// image button (control 1002). It asks the application object to quit, minimise or save, forwards
// its placement changes and the notification-area icon's messages, and offers "E&xit" in its
// window menu.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "app/IMainDlgHost.h"
#include "resource.h"
#include "wnd/CDialog.h"
#include "wnd/Handles.h"

class CButtonWnd;
class CSettingsDlg;

class CMainDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = IDD_MAIN;
    static constexpr int kButtonId = IDC_MAIN_BUTTON;
    static constexpr WPARAM kCmdClose = 1000;  // end without a question
    static constexpr WPARAM kCmdExit = 1001;   // the window menu's exit entry: ask, then end
    // The request a dropped tree file makes of the host (the hand-over's import, app/TreeFileCommand.h).
    static constexpr ULONG_PTR kDropImport = 0x50540001;
    // Store section of the dialog's placement.
    static constexpr wchar_t kPlacementSection[] = L"Options\\Windows\\Main";

    explicit CMainDlg(IMainDlgHost& host) noexcept;
    ~CMainDlg() override;

    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnSysCommand(WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnInitDialog() override;
    // The main window holds only the image button: no common controls to register at start.
    bool UsesCommonControls() const override { return false; }
    void OnDestroy() override;

    // The image button's object, null before initialisation, without control 1002 and after
    // the dialog is destroyed (the control's window owns it).
    CButtonWnd* Button() const noexcept { return m_button; }
    // The settings dialog while it is open over this one, else null.
    CSettingsDlg* SettingsDialog() const noexcept { return m_settings; }
    // A failed start destroys the dialog without saving its placement.
    void DiscardPlacement() noexcept { m_savePlacement = false; }
    // The program is to end while dialogs run their own message loops over this one (Settings and
    // what it opened, a message box): destroying this dialog now would free them under their
    // loops. The option pages drop their unconfirmed edits, each such dialog is ended, innermost
    // first, and a posted kWmCloseProgram asks the application to close once their loops have
    // returned. False, doing nothing, when no dialog is open over this one.
    bool DeferClose();

protected:
    // Tree files (".pinarbo") among the dropped files are imported one after the other; the
    // host tells the user each outcome. Frees the drop.
    void ImportDroppedFiles(HDROP drop);
    // Enter and the button: the settings dialog, modal over this one; while it is open, a
    // further request (a command posted from the notification-area icon) brings it forward.
    virtual void OpenSettings();

private:
    IMainDlgHost& m_host;
    CButtonWnd* m_button = nullptr;  // not owned
    CSettingsDlg* m_settings = nullptr;  // not owned: lives on OpenSettings' stack
    bool m_savePlacement = true;
    bool m_closePending = false;  // DeferClose ended the dialogs; the close follows
    CUniqueIcon m_smallIcon;
    CUniqueIcon m_bigIcon;
};
