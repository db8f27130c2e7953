// CAppBase: the bottom layer of the application object: instance handle, texts, the settings
// store, the common options, the exit question and autostart. The layers above (CDialogApp,
// CTrayApp, CMultiApp, CProfileApp) each add one concern and call the layer below explicitly.
#pragma once

#include <windows.h>

#include <vector>

#include "param/CParam.h"
#include "param/CParamRegSet.h"
#include "param/CSettingsStore.h"
#include "param/Tstr.h"
#include "param/win/CRegistryBackend.h"

class CDialog;

class CAppBase {
public:
    // Sections of the store (relative to the program's root key).
    static constexpr wchar_t kCommonSection[] = L"Options\\Common";
    static constexpr wchar_t kMainSection[] = L"Options\\Windows\\Main";
    // The running copy's main window handle, in kMainSection; removed by a clean end.
    static constexpr wchar_t kHandleValue[] = L"Handle";

    CAppBase();
    virtual ~CAppBase();
    CAppBase(const CAppBase&) = delete;
    CAppBase& operator=(const CAppBase&) = delete;

    // Start-up; the first failing step makes it answer false (see each layer).
    virtual bool Init();
    // Ends the program: saves (in the application's own layer), ends the main dialog, posts quit.
    virtual bool Exit();
    virtual bool LoadOptions();
    virtual bool SaveOptions();
    // With wipe, deletes the program's whole key and the autostart shortcut; then posts quit.
    virtual bool WipeAndQuit(bool wipe);
    // Placeholder slot kept in its place; answers false.
    virtual bool Query();
    // Esc / Cancel in the main dialog: ask whether to quit.
    virtual bool OnCancel();
    // Asks "Quit program?" when exits are confirmed, then closes; true when the program ends.
    virtual bool QueryExit();
    // Exit, then destroy the main window.
    virtual bool Close();
    // Placeholder slot kept in its place; no effect.
    virtual void Hook();
    virtual HWND MainWindow();
    virtual bool CreateMainWindow(HWND parent) = 0;
    // Answers whether a main window exists.
    virtual bool ShowMainWindow();
    virtual CDialog* MainDialog() = 0;
    virtual HWND TrayWindow() = 0;
    virtual UINT TrayMessage() = 0;
    virtual UINT TrayIcon() = 0;
    virtual bool OnMainWindowMoved(UINT message, UINT iconId, const wchar_t* text);
    virtual bool OnTrayNotify(WPARAM id, LPARAM event);
    // The icon's context menu (none in this program) and the hook after it.
    virtual HMENU CreateTrayMenu();
    virtual void AfterTrayMenu();
    // A command of the icon's menu the application carries out itself; false: not one of those
    // (it goes to the main window).
    virtual bool OnTrayCommand(UINT command);
    // A line the icon's tip adds below its own text (a problem the user should know of); empty: none.
    virtual tstr TrayNote();
    virtual bool EnumProfiles(std::vector<tstr>* list);

    // After the message loop: destroys the program's windows while everything they use still
    // exists (the static application object and the window factory list end with the process).
    virtual void DestroyWindows();
    // After Init has failed part way: destroys what the start created, in reverse order, and
    // takes back what it wrote, so that a failed start leaves things as they were.
    virtual void AbandonStart();

    // Autostart: the option follows the shortcut's existence / the shortcut follows the option.
    bool RefreshAutostart();
    bool ApplyAutostart();
    // Whether the autostart shortcut exists and starts the running program's own file.
    bool ShortcutStartsThisProgram();

    CSettingsStore& Store() noexcept { return m_store; }
    const tstr& DisplayName() const noexcept { return m_displayName; }
    bool IsFirstStart() const noexcept { return m_firstStart; }

    HINSTANCE m_instance;
    tstr m_errorText;        // shown by the entry function when start-up fails (nothing sets it)
    tstr m_displayName;      // the main dialog's title, the exit question's caption, the shortcut's name
    CParamRegSet m_common;   // "Options\Common"
    CParam<bool> m_autostart;    // true while the Startup shortcut exists; not stored
    CParam<bool> m_confirmExit;  // "ConfirmExit"
    bool m_firstStart = false;   // no earlier run has ended cleanly (see Init)
    int m_showOnFirstStart = 1;
    int m_centreOnFirstStart = 1;
    // Whether Init reads the autostart option from the shortcut. An application that shows its
    // main window first clears it and calls RefreshAutostart itself before its Init ends: naming
    // the Startup folder loads the shell's DLLs, which the first window does not need.
    bool m_autostartAtInit = true;

protected:
    // Shows a question or error box; a seam so tests can answer it.
    virtual int AskUser(const tstr& text, const tstr& caption, UINT flags);
    // The shortcut's path; empty when the Startup folder cannot be named.
    virtual tstr ShortcutPath();

    CSettingsStore m_store;
    CRegistryBackend m_registry;  // the store's storage: HKEY_CURRENT_USER

private:
    static bool s_exitQuestionOpen;  // guards QueryExit against re-entry while the box is open
};

// Runs the application: Init (exit code 1 when it fails, after showing a set error text), then the
// message loop, offering each message to the main dialog first. Exit code 0 after the quit message.
int RunApplication(CAppBase& app);
