// CSettingsDlg: the modal, tabbed "Settings" dialog (template 103) with a status bar. Its pages
// come from a table (label, template, maker), are made as child dialogs in the tab control's
// display area and shown one at a time. OK and Cancel end the dialog and then reach every page in
// tab order, so that each page stores or discards its changes.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <vector>

#include "resource.h"
#include "settings/CStatusDlg.h"
#include "settings/ISettingsHost.h"
#include "wnd/CDialog.h"
#include "wnd/Handles.h"

// One tab of the settings dialog: its label, the page's dialog template and what makes the page
// object (given the program's settings host, which may be null).
struct SSettingsPageSpec {
    const wchar_t* label;
    UINT templateId;
    std::unique_ptr<CDialog> (*make)(ISettingsHost* host);
};

class CSettingsDlg : public CStatusDlg<CDialog> {
public:
    static constexpr UINT kTemplateId = IDD_SETTINGS;
    static constexpr int kTabId = IDC_SETTINGS_TABS;

    // The program's pages, in tab order.
    static std::span<const SSettingsPageSpec> DefaultPages() noexcept;

    explicit CSettingsDlg(ISettingsHost* host = SettingsHost());
    CSettingsDlg(ISettingsHost* host, std::span<const SSettingsPageSpec> pages);
    ~CSettingsDlg() override;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnNotify(WPARAM id, NMHDR* hdr) override;
    void OnDestroy() override;

    // The end of the session with the dialog open: the option pages drop the edits that were
    // never confirmed (as with Cancel); pages that changed the program's scene keep it.
    void DiscardOptionEdits();

    // The page (by its template) the dialog opens on, instead of the first; before DoModal.
    void StartOn(UINT templateId) noexcept { m_startTemplate = templateId; }

    int PageCount() const noexcept { return static_cast<int>(m_pages.size()); }
    // The page object and window of tab i (null when that page could not be made).
    CDialog* Page(int i) const noexcept;
    HWND PageWindow(int i) const noexcept;
    // Where the pages lie, in the dialog's client coordinates.
    const RECT& PageRect() const noexcept { return m_pageRect; }

private:
    struct SPage {
        std::unique_ptr<CDialog> object;
        HWND hwnd = nullptr;  // the page's window as made, a child of the dialog (destroyed with it)
    };
    void ShowPage(int index, bool show);

    ISettingsHost* m_host;  // not owned
    std::span<const SSettingsPageSpec> m_specs;
    std::vector<SPage> m_pages;
    RECT m_pageRect{};
    UINT m_startTemplate = 0;
    CUniqueIcon m_smallIcon;
    CUniqueIcon m_bigIcon;
};
