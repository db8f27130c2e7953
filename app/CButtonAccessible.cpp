#include "app/CButtonAccessible.h"

#include "app/CButtonWnd.h"

CButtonAccessible::CButtonAccessible(CButtonWnd& button) : CAccessible(button.GetHwnd()), m_button(&button) {}

long CButtonAccessible::Role(long) const { return ROLE_SYSTEM_PUSHBUTTON; }

std::wstring CButtonAccessible::Name(long) const { return L"Settings"; }

std::wstring CButtonAccessible::KeyboardShortcut(long) const { return L"Enter"; }  // the dialog's OK

std::wstring CButtonAccessible::DefaultAction(long) const { return L"Press"; }

bool CButtonAccessible::DoDefaultAction(long) {
    // Posted, as a click's command is: the settings open after this call has returned.
    m_button->Notify(static_cast<UINT>(::GetDlgCtrlID(Window())));
    return true;
}
