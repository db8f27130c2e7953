// Shared pieces of the main dialog tests: a recording application stand-in, a dialog that records
// its commands, real pointer and key input, and a message pump with dialog keyboard handling.
#pragma once

#include "app/CButtonWnd.h"
#include "app/CMainDlg.h"
#include "app/IMainDlgHost.h"
#include "param/CMemoryBackend.h"
#include "param/CSettingsStore.h"

#include <windows.h>

#include <string>
#include <vector>

class CRecordingHost : public IMainDlgHost {
public:
    CRecordingHost() { store.SetBackend(&backend); }
    bool Exit() override { ++exits; return true; }
    bool OnCancel() override { ++cancels; return answer; }
    bool Close() override { ++closes; return true; }
    bool QueryExit() override { ++queries; return answer; }
    bool OnMainWindowMoved(UINT message, UINT iconId, const wchar_t* text) override {
        ++moves;
        movedMessage = message;
        movedIcon = iconId;
        movedText = text;
        return true;
    }
    bool OnTrayNotify(WPARAM id, LPARAM event) override {
        ++trayNotes;
        trayId = id;
        trayEvent = event;
        return true;
    }
    CSettingsStore& Store() noexcept override { return store; }

    bool answer = false;  // what OnCancel and QueryExit answer
    int exits = 0, cancels = 0, closes = 0, queries = 0, moves = 0, trayNotes = 0;
    UINT movedMessage = 0, movedIcon = 0;
    const wchar_t* movedText = L"unset";
    WPARAM trayId = 0;
    LPARAM trayEvent = 0;
    CMemoryBackend backend;
    CSettingsStore store;
};

class CRecordingMainDlg : public CMainDlg {
public:
    using CMainDlg::CMainDlg;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(wParam);
        return CMainDlg::OnCommand(wParam, lParam);
    }
    int Count(WPARAM command) const {
        int n = 0;
        for (WPARAM c : commands) n += c == command ? 1 : 0;
        return n;
    }

    std::vector<WPARAM> commands;
    int settingsOpened = 0;

protected:
    void OpenSettings() override { ++settingsOpened; }
};

namespace test_input {

// Runs the thread's messages for ms milliseconds, giving the dialog its keyboard handling.
void Pump(HWND dialog, int ms);
// Whether Pump met a quit message since the last call.
bool TakeQuit();
// Moves the pointer (screen coordinates) and lets the windows see it.
void MoveTo(HWND dialog, POINT screen);
void LeftDown(HWND dialog);
void LeftUp(HWND dialog);
void Key(HWND dialog, WORD vk);
// The button's window rectangle in screen coordinates.
RECT ButtonScreenRect(HWND dialog);

}  // namespace test_input
