// CSettingsPage: base of the option pages of the settings dialog: a parameter-bound child dialog
// with the program's settings host. The settings dialog forwards its OK and Cancel to every page;
// a page stores or discards its changes then, and ends with its parent (never by itself).
#pragma once

#include "param/win/CDialogParam.h"
#include "settings/ISettingsHost.h"

class CSettingsPage : public CDialogParam {
public:
    explicit CSettingsPage(ISettingsHost* host) noexcept : m_host(host) {}

    // A child page does not end on OK or Cancel: the settings dialog ends and destroys it.
    void OnOK() override {}
    void OnCancel() override {}

    ISettingsHost* Host() const noexcept { return m_host; }

protected:
    ISettingsHost* m_host;  // not owned; null: the page binds nothing
};
