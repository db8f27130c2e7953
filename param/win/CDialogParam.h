// CDialogParam: a dialog whose controls are bound to parameters. A derived dialog fills its
// combo boxes and calls Bind for every control in its OnInitDialog, then calls this one, which
// snapshots each parameter and shows it. User input flows into the parameters at once; OK keeps
// the values, Cancel returns every bound parameter to its snapshot; either way every binding is
// detached and destroyed before the dialog ends.
#pragma once

#include "param/CParamDlgSet.h"
#include "wnd/CDialog.h"

#include <windows.h>

class CDialogParam : public CDialog, public CParamDlgSet {
public:
    CDialogParam() = default;
    // While the dialog window still exists, its bindings are detached and destroyed first.
    ~CDialogParam() override;

    // Unbinds what is left when the window goes without OK or Cancel (its controls are gone).
    // A derived dialog that overrides DialogProc passes the messages it does not handle here.
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // For every binding: snapshot its parameter, attach it to its control, send the bounds.
    INT_PTR OnInitDialog() override;
    // Cancel reverts and unbinds, OK takes the focus (finishing an edit) and unbinds, any other
    // command goes to every binding; then the base handling ends the dialog for OK and Cancel.
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Every binding sees the notification, then the base handling.
    INT_PTR OnNotify(WPARAM id, NMHDR* hdr) override;
};
