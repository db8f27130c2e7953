// Shared pieces of the parameter binding tests: a bound test dialog, typing, real input through
// xdotool, and tallies of what a process holds.
#pragma once

#include "param/CParamDlgBase.h"
#include "param/win/Bind.h"
#include "param/win/CDialogParam.h"

#include "../wnd/Pump.h"
#include "XInput.h"
#include "ParamDlgTestRes.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

// The test dialog: bind() runs in OnInitDialog before the bindings are attached, as a real
// dialog binds its controls there.
class CTestDlg : public CDialogParam {
public:
    std::function<void(CTestDlg&)> bind;
    std::function<void(CTestDlg&, WPARAM)> onCommand;  // after the bindings' own handling

    INT_PTR OnInitDialog() override {
        if (bind) bind(*this);
        return CDialogParam::OnInitDialog();
    }
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override {
        const INT_PTR result = CDialogParam::OnCommand(wParam, lParam);
        if (onCommand) onCommand(*this, wParam);
        return result;
    }
    HWND Item(int id) const { return ::GetDlgItem(m_hwnd, id); }
    // Modeless, shown at (x, y) and active.
    bool Open(int x = 100, int y = 100) {
        if (!Create(nullptr, IDD_PARAMS, nullptr)) return false;
        ::SetWindowPos(m_hwnd, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(m_hwnd);
        PumpMessages(30);
        return true;
    }
};

void InitControls();
std::wstring TextOf(HWND control);
// Types text into a control as the keyboard would, one character message at a time.
void TypeChars(HWND control, const std::wstring& text);
// Sends WM_COMMAND to the dialog as the control with the id would.
void NotifyCommand(HWND dialog, int id, WORD code);
// Windows that belong to this thread, top-level and child.
int ThreadWindowCount();
