// CDialog: base of every dialog and dialog page. Creates modal and modeless dialogs from resource
// templates, links the dialog window to the object through the "DLG_ENTITY" property and
// dispatches dialog messages to virtual handlers. Handlers without a result make the dispatcher
// answer 0 (FALSE: the dialog manager's default processing).
#pragma once

#include <windows.h>

class CDialog {
public:
    CDialog() noexcept = default;
    // Destroys the dialog window if it still exists.
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs CDialog's own dispatcher, whatever a derived class made of DialogProc.
    virtual INT_PTR DefDialogProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // IDOK (exactly, notification code 0) → OnOK, IDCANCEL → OnCancel.
    virtual INT_PTR OnCommand(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR OnSysCommand(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR OnNotify(WPARAM id, NMHDR* hdr);
    virtual INT_PTR OnSetCursor(HWND hwnd, UINT hitTest, UINT mouseMsg);
    virtual void OnSize(WPARAM type, UINT cx, UINT cy);
    virtual void OnMove(UINT x, UINT y);
    virtual void OnSizing(WPARAM edge, RECT* rect);
    virtual void OnShowWindow(WPARAM show, LPARAM status);
    virtual void OnOK();
    virtual void OnCancel();
    virtual INT_PTR OnInitDialog();
    virtual void OnDestroy();
    virtual INT_PTR OnCreate(CREATESTRUCTW* cs);
    virtual void OnLButtonDown(WPARAM keys, int x, int y);
    virtual void OnLButtonUp(WPARAM keys, int x, int y);
    virtual void OnRButtonDown(WPARAM keys, int x, int y);
    virtual void OnRButtonUp(WPARAM keys, int x, int y);
    virtual void OnMouseMove(WPARAM keys, int x, int y);
    virtual void OnMouseLeave();
    virtual void OnKeyDown(WPARAM vk, UINT repeat, UINT flags);
    virtual void OnKeyUp(WPARAM vk, UINT repeat, UINT flags);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnPaint();
    virtual void OnDrawItem(WPARAM id, DRAWITEMSTRUCT* dis);

    // Whether the template may hold common controls, which are then registered before it is made.
    virtual bool UsesCommonControls() const { return true; }
    // Modeless dialog from the template; instance null means this program's module.
    HWND Create(HINSTANCE instance, UINT templateId, HWND parent);
    // Modal dialog: 1 after OnOK, 2 after OnCancel, or what a derived class passed to EndDialog.
    INT_PTR DoModal(HINSTANCE instance, UINT templateId, HWND parent);

    HWND GetHwnd() const noexcept { return m_hwnd; }
    bool IsModal() const noexcept { return m_modal != 0; }

    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    // The object linked to a dialog window, or null.
    static CDialog* FromHandle(HWND hwnd) noexcept;

protected:
    HWND m_hwnd = nullptr;  // owned: destroyed with the object
    int m_modal = 0;
};

// Window property that holds a dialog's CDialog pointer.
inline constexpr wchar_t kDlgEntityProp[] = L"DLG_ENTITY";
