// IParamDlg: a binding of one parameter to one dialog control. Parameters call WriteToControl
// when their value changes and SetRange when their bounds change; the dialog side calls the rest.
// Declared without the system headers: the window, message-argument and notification-header
// types below are the very types <windows.h> uses, so implementations may spell them HWND,
// WPARAM, LPARAM and NMHDR*.
#pragma once

#include "param/Tstr.h"

#include <cstdint>

struct HWND__;
struct tagNMHDR;

using ParamDlgWnd = HWND__*;
using ParamDlgWParam = std::uintptr_t;
#if defined(_WIN64)
using ParamDlgLParam = long long;
#elif defined(_WIN32)
using ParamDlgLParam = long;
#else
using ParamDlgLParam = std::intptr_t;
#endif

class IParam;

class IParamDlg {
public:
    virtual ~IParamDlg() = default;

    // Control type code (check box 1, edit 2, combo by data 4, radio by position 5, ...) and id.
    virtual void Init(int type, int id) = 0;
    virtual int Attach(ParamDlgWnd dialog) = 0;
    virtual int OnCommand(ParamDlgWnd dialog, ParamDlgWParam wParam, ParamDlgLParam lParam) = 0;
    virtual int OnNotify(ParamDlgWnd dialog, ParamDlgWParam wParam, tagNMHDR* header) = 0;
    // Shows the bound parameter's current value.
    virtual int WriteToControl() = 0;
    virtual int SetParam(IParam* param) = 0;
    virtual IParam* GetParam() = 0;

    // New bounds, in the bound parameter's value type. A binding overrides the form for its own
    // type (add "using IParamDlg::SetRange;" beside the override); the others do nothing.
    virtual void SetRange(int, int) {}
    virtual void SetRange(unsigned int, unsigned int) {}
    virtual void SetRange(unsigned long, unsigned long) {}
    virtual void SetRange(bool, bool) {}
    virtual void SetRange(const tstr&, const tstr&) {}
};
