// IMainDlgHost: what the main dialog asks of the application object. The application object's
// base layer implements it (its exit, tray and store operations carry these names and results);
// tests put a recording stand-in in its place.
#pragma once

#include <windows.h>

class CSettingsStore;

class IMainDlgHost {
public:
    // The user's logon ends: save everything, end the main dialog, post the quit message.
    virtual bool Exit() = 0;
    // Esc or Cancel: minimise (when Esc minimises) or ask whether to quit; true when the program ends.
    virtual bool OnCancel() = 0;
    // End the program without a question.
    virtual bool Close() = 0;
    // Ask "Quit program?" when exits are confirmed, then Close; true when the program ends.
    virtual bool QueryExit() = 0;
    // The main dialog's position or show state changed.
    virtual bool OnMainWindowMoved(UINT message, UINT iconId, const wchar_t* text) = 0;
    // The notification-area icon's callback message reached the main dialog.
    virtual bool OnTrayNotify(WPARAM id, LPARAM event) = 0;
    // The settings store that keeps the dialog's placement.
    virtual CSettingsStore& Store() noexcept = 0;
    // Another copy of the program hands over a tree file request (WM_COPYDATA, see
    // app/TreeFileCommand.h); answers the message's result. Without tree files: 0, not handled.
    virtual LRESULT OnTreeFileRequest(const COPYDATASTRUCT& /*data*/) { return 0; }
    // The note of the last request handed over, shown once the sender has its answer.
    virtual void ShowTreeFileNote() {}
    // Settings has closed (confirmed: with OK): runs the tree command one of its pages kept for
    // this moment, if any; true when it ran, and Settings is then opened again on that page.
    virtual bool RunQueuedTreeCommand(bool /*confirmed*/) { return false; }

protected:
    ~IMainDlgHost() = default;
};
