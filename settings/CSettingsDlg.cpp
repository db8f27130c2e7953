#include "settings/CSettingsDlg.h"

#include <commctrl.h>

#include "construct/CSettingsTreeDlg.h"
#include "settings/CSettingsBlinkDlg.h"
#include "settings/CSettingsCommonDlg.h"
#include "settings/CSettingsGarlandDlg.h"
#include "settings/CSettingsPage.h"
#include "settings/CViewDlg.h"
#include "wnd/Dpi.h"
#include "wnd/ResourceIcon.h"

namespace {

template <class TPage>
std::unique_ptr<CDialog> MakePage(ISettingsHost* host) {
    return std::make_unique<TPage>(host);
}

// The construction page works on the program's scene through its own host.
std::unique_ptr<CDialog> MakeTreePage(ISettingsHost*) { return std::make_unique<CSettingsTreeDlg>(); }

const SSettingsPageSpec kPages[] = {
    {L"XMas Tree", CSettingsTreeDlg::kTemplateId, &MakeTreePage},
    {L"View window", IDD_SETTINGS_VIEW, &MakePage<CViewDlg>},
    {L"Garland options", IDD_SETTINGS_GARLAND, &MakePage<CSettingsGarlandDlg>},
    {L"Blinks options", IDD_SETTINGS_BLINK, &MakePage<CSettingsBlinkDlg>},
    {L"Common options", IDD_SETTINGS_COMMON, &MakePage<CSettingsCommonDlg>},
};

}  // namespace

std::span<const SSettingsPageSpec> CSettingsDlg::DefaultPages() noexcept { return kPages; }

CSettingsDlg::CSettingsDlg(ISettingsHost* host) : CSettingsDlg(host, DefaultPages()) {}

CSettingsDlg::CSettingsDlg(ISettingsHost* host, std::span<const SSettingsPageSpec> pages)
    : m_host(host), m_specs(pages) {}

CSettingsDlg::~CSettingsDlg() {
    // The dialog window (and with it the pages' windows) goes before the page objects.
    if (m_hwnd && ::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
}

CDialog* CSettingsDlg::Page(int i) const noexcept {
    return i >= 0 && i < PageCount() ? m_pages[static_cast<size_t>(i)].object.get() : nullptr;
}

HWND CSettingsDlg::PageWindow(int i) const noexcept {
    if (i < 0 || i >= PageCount()) return nullptr;
    const SPage& page = m_pages[static_cast<size_t>(i)];
    // Null once the page's window is gone (its object lets go of it with its last message).
    return page.object && page.object->GetHwnd() == page.hwnd ? page.hwnd : nullptr;
}

INT_PTR CSettingsDlg::OnInitDialog() {
    const UINT dpi = Dpi::ForWindow(m_hwnd);
    m_smallIcon = LoadResourceIcon(IDI_SETTINGS, Dpi::Scale(16, dpi));
    m_bigIcon = LoadResourceIcon(IDI_SETTINGS, Dpi::Scale(32, dpi));
    ::SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));
    ::SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.get()));

    // The display area of the tab control, taken before the tabs are in it, in client coordinates.
    const HWND tabs = ::GetDlgItem(m_hwnd, kTabId);
    RECT area{};
    if (tabs) {
        ::GetWindowRect(tabs, &area);
        ::MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&area), 2);
        ::SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        for (size_t i = 0; i < m_specs.size(); ++i) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(m_specs[i].label);
            ::SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        }
        // Below every row of tabs.
        RECT tab{};
        const LRESULT rows = ::SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0);
        if (::SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab))) {
            area.top += static_cast<LONG>(rows) * (tab.bottom - tab.top);
        }
        area.left -= 2;
    }
    m_pageRect = area;

    size_t start = 0;
    for (size_t i = 0; i < m_specs.size(); ++i) {
        if (m_specs[i].templateId == m_startTemplate) start = i;
    }
    if (tabs) ::SendMessageW(tabs, TCM_SETCURSEL, start, 0);
    m_pages.clear();
    m_pages.resize(m_specs.size());
    for (size_t i = 0; i < m_specs.size(); ++i) {
        SPage& page = m_pages[i];
        page.object = m_specs[i].make ? m_specs[i].make(m_host) : nullptr;
        // A page that cannot be made leaves its tab empty; the others work.
        if (!page.object) continue;
        page.hwnd = page.object->Create(nullptr, m_specs[i].templateId, m_hwnd);
        if (!page.hwnd) continue;
        ::SetWindowPos(page.hwnd, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(page.hwnd, i == start ? SW_SHOW : SW_HIDE);
    }
    // Under the pages, so they draw over the tab control's display area.
    if (tabs) ::SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

void CSettingsDlg::ShowPage(int index, bool show) {
    if (const HWND page = PageWindow(index)) ::ShowWindow(page, show ? SW_SHOW : SW_HIDE);
}

INT_PTR CSettingsDlg::OnNotify(WPARAM id, NMHDR* hdr) {
    if (hdr && hdr->idFrom == static_cast<UINT_PTR>(kTabId)) {
        const int current = static_cast<int>(::SendMessageW(hdr->hwndFrom, TCM_GETCURSEL, 0, 0));
        if (hdr->code == TCN_SELCHANGING) {
            ShowPage(current, false);
            // Allow the change (a result left from an earlier message would refuse it).
            ::SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, FALSE);
            return TRUE;
        }
        if (hdr->code == TCN_SELCHANGE) {
            ShowPage(current, true);
            return TRUE;
        }
    }
    return CStatusDlg<CDialog>::OnNotify(id, hdr);
}

INT_PTR CSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const INT_PTR result = CStatusDlg<CDialog>::OnCommand(wParam, lParam);
    if (wParam == IDOK || wParam == IDCANCEL) {
        // A page whose window is already gone is skipped.
        for (int i = 0; i < PageCount(); ++i) {
            if (const HWND page = PageWindow(i)) ::SendMessageW(page, WM_COMMAND, wParam, lParam);
        }
    }
    return result;
}

void CSettingsDlg::DiscardOptionEdits() {
    for (int i = 0; i < PageCount(); ++i) {
        const HWND page = PageWindow(i);
        if (page && dynamic_cast<CSettingsPage*>(Page(i))) {
            ::SendMessageW(page, WM_COMMAND, IDCANCEL, 0);
        }
    }
}

void CSettingsDlg::OnDestroy() {
    ::SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, 0);
    ::SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, 0);
    m_smallIcon.reset();
    m_bigIcon.reset();
    CStatusDlg<CDialog>::OnDestroy();
}
