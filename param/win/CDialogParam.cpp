#include "param/win/CDialogParam.h"

CDialogParam::~CDialogParam() {
    // A dialog object deleted with its window alive: its parameters are still in use by the
    // window's controls, so they are alive; let go of them before the window goes.
    if (m_hwnd && ::IsWindow(m_hwnd)) UnbindAll();
}

INT_PTR CDialogParam::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const INT_PTR result = CDialog::DialogProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) UnbindAll();
    return result;
}

INT_PTR CDialogParam::OnInitDialog() {
    // By index, re-reading the list: showing a value may notify the dialog.
    for (int i = 0; i < BindingCount(); ++i) {
        IParamDlg* binding = BindingAt(i);
        if (IParam* param = binding->GetParam()) param->Snapshot();
        binding->Attach(m_hwnd);
        if (BindingAt(i) != binding) break;  // the dialog unbound meanwhile
        if (IParam* param = binding->GetParam()) param->ApplyRange(m_hwnd);
    }
    return 1;
}

INT_PTR CDialogParam::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Only the commands that end the dialog (the whole wParam, as the base compares it): a
    // notification from the OK or Cancel button must not strip a dialog that stays open.
    if (wParam == IDCANCEL) {
        for (int i = 0; i < BindingCount(); ++i) {
            if (IParam* param = BindingAt(i)->GetParam()) param->Revert();
        }
        UnbindAll();
    } else if (wParam == IDOK) {
        // An edit losing the focus finishes what it shows before the bindings go.
        const HWND ok = ::GetDlgItem(m_hwnd, IDOK);
        ::SetFocus(ok ? ok : m_hwnd);
        UnbindAll();
    }
    for (int i = 0; i < BindingCount(); ++i) BindingAt(i)->OnCommand(m_hwnd, wParam, lParam);
    return CDialog::OnCommand(wParam, lParam);
}

INT_PTR CDialogParam::OnNotify(WPARAM id, NMHDR* hdr) {
    for (int i = 0; i < BindingCount(); ++i) BindingAt(i)->OnNotify(m_hwnd, id, hdr);
    return CDialog::OnNotify(id, hdr);
}
