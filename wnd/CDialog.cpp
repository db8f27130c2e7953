#include "wnd/CDialog.h"

#include "wnd/CommonControls.h"

#include "wnd/SystemColours.h"

#include <windowsx.h>

CDialog::~CDialog() {
    if (m_hwnd && ::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
}

CDialog* CDialog::FromHandle(HWND hwnd) noexcept {
    return hwnd ? static_cast<CDialog*>(::GetPropW(hwnd, kDlgEntityProp)) : nullptr;
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_SETFONT) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_INITDIALOG) {
        if (!lParam) return FALSE;
        CDialog* dlg = reinterpret_cast<CDialog*>(lParam);
        ::SetPropW(hwnd, kDlgEntityProp, dlg);
        dlg->m_hwnd = hwnd;
    }
    CDialog* dlg = FromHandle(hwnd);
    if (!dlg) return FALSE;
    const INT_PTR result = dlg->DialogProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // Last message of the window: unlink, so the object never touches a dead (reusable) handle.
        ::RemovePropW(hwnd, kDlgEntityProp);
        if (dlg->m_hwnd == hwnd) dlg->m_hwnd = nullptr;
    }
    return result;
}

HWND CDialog::Create(HINSTANCE instance, UINT templateId, HWND parent) {
    if (!instance) instance = ::GetModuleHandleW(nullptr);
    if (UsesCommonControls()) CommonControls::Ensure();
    m_hwnd = ::CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), parent, &CDialog::StaticDialogProc,
                                  reinterpret_cast<LPARAM>(this));
    return m_hwnd;
}

INT_PTR CDialog::DoModal(HINSTANCE instance, UINT templateId, HWND parent) {
    if (!instance) instance = ::GetModuleHandleW(nullptr);
    if (UsesCommonControls()) CommonControls::Ensure();
    m_modal = 1;
    return ::DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), parent, &CDialog::StaticDialogProc,
                             reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::DefDialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CDialog::DialogProc(msg, wParam, lParam);
}

INT_PTR CDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_MOVE: OnMove(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SIZE: OnSize(wParam, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_SHOWWINDOW: OnShowWindow(wParam, lParam); return 0;
    case WM_SETCURSOR:
        return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_DRAWITEM: OnDrawItem(wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam)); return 0;
    case WM_NOTIFY: return OnNotify(wParam, reinterpret_cast<NMHDR*>(lParam));
    case WM_KEYDOWN: OnKeyDown(wParam, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_KEYUP: OnKeyUp(wParam, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONUP: OnLButtonUp(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_RBUTTONUP: OnRButtonUp(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_SIZING: OnSizing(wParam, reinterpret_cast<RECT*>(lParam)); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    default:
        // Colours or high contrast changed: the controls drawn by the program paint anew.
        if (sys_colours::IsColourChange(msg, wParam)) {
            ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
        return 0;
    }
}

INT_PTR CDialog::OnCommand(WPARAM wParam, LPARAM) {
    if (wParam == IDOK) {
        OnOK();
    } else if (wParam == IDCANCEL) {
        OnCancel();
    }
    return 0;
}

INT_PTR CDialog::OnSysCommand(WPARAM, LPARAM) { return 0; }
INT_PTR CDialog::OnNotify(WPARAM, NMHDR*) { return 1; }
INT_PTR CDialog::OnSetCursor(HWND, UINT, UINT) { return 0; }
void CDialog::OnSize(WPARAM, UINT, UINT) {}
void CDialog::OnMove(UINT, UINT) {}
void CDialog::OnSizing(WPARAM, RECT*) {}
void CDialog::OnShowWindow(WPARAM, LPARAM) {}
void CDialog::OnOK() { ::EndDialog(m_hwnd, 1); }
void CDialog::OnCancel() { ::EndDialog(m_hwnd, 2); }
INT_PTR CDialog::OnInitDialog() { return 1; }
void CDialog::OnDestroy() {}
INT_PTR CDialog::OnCreate(CREATESTRUCTW*) { return 0; }
void CDialog::OnLButtonDown(WPARAM, int, int) {}
void CDialog::OnLButtonUp(WPARAM, int, int) {}
void CDialog::OnRButtonDown(WPARAM, int, int) {}
void CDialog::OnRButtonUp(WPARAM, int, int) {}
void CDialog::OnMouseMove(WPARAM, int, int) {}
void CDialog::OnMouseLeave() {}
void CDialog::OnKeyDown(WPARAM, UINT, UINT) {}
void CDialog::OnKeyUp(WPARAM, UINT, UINT) {}
void CDialog::OnTimer(UINT_PTR) {}
void CDialog::OnPaint() {}
void CDialog::OnDrawItem(WPARAM, DRAWITEMSTRUCT*) {}
