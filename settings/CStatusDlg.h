// CStatusDlg<TBase>: a dialog layer that adds a status bar. The status window is made when the
// dialog initialises, before the dialog's own initialisation; it lies along the bottom of the
// client area and the template's controls that reach below its top are shortened to end there.
// When the dialog is resized, the status bar is laid out again (the controls are left alone).
#pragma once

#include <windows.h>

#include "resource.h"

namespace StatusBar {
// Makes the status window (no text) of the dialog; null when it cannot be made.
HWND Create(HWND dialog, int id);
// Places the status bar along the bottom of the dialog's client area; with shortenOthers, every
// other child of the dialog whose bottom lies below the bar's top is made to end there.
void Layout(HWND dialog, HWND status, bool shortenOthers);
}  // namespace StatusBar

template <class TBase>
class CStatusDlg : public TBase {
public:
    static constexpr int kStatusId = IDC_SETTINGS_STATUS;

    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_INITDIALOG) {
            m_status = StatusBar::Create(this->m_hwnd, kStatusId);
            StatusBar::Layout(this->m_hwnd, m_status, true);
        } else if (msg == WM_SIZE) {
            StatusBar::Layout(this->m_hwnd, m_status, false);
        } else if (msg == WM_NCDESTROY) {
            m_status = nullptr;
        }
        return TBase::DialogProc(msg, wParam, lParam);
    }

    // The status window, a child of the dialog (destroyed with it); null before initialisation.
    HWND StatusWindow() const noexcept { return m_status; }

private:
    HWND m_status = nullptr;  // not owned: a child window of the dialog
};
