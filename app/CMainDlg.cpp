#include "app/CMainDlg.h"

#include <shellapi.h>

#include "app/CButtonWnd.h"
#include "app/WindowPlacement.h"
#include "resource.h"
#include "scene/CItem.h"
#include "scene/IPictureSource.h"
#include "settings/CSettingsDlg.h"
#include "wnd/CWnd.h"
#include "wnd/Messages.h"
#include "wnd/OwnedDialogs.h"
#include "wnd/ResourceText.h"

#include <string>
#include <vector>

CMainDlg::CMainDlg(IMainDlgHost& host) noexcept : m_host(host) {}

CMainDlg::~CMainDlg() = default;

INT_PTR CMainDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_QUERYENDSESSION:
        // The logon may end: everything is saved when it does.
        ::SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_ENDSESSION:
        // wParam is FALSE when the shutdown or log-off was cancelled: then the program runs on.
        // Option edits in an open settings dialog were never confirmed: they are not saved.
        if (wParam) {
            if (m_settings) m_settings->DiscardOptionEdits();
            m_host.Exit();
        }
        break;
    case WM_WINDOWPOSCHANGED:
        m_host.OnMainWindowMoved(kWmTrayNotify, IDI_APP, nullptr);
        break;
    case kWmTrayNotify:
        m_host.OnTrayNotify(wParam, lParam);
        break;
    case WM_COPYDATA:
        if (lParam) {
            ::SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, m_host.OnTreeFileRequest(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)));
            return TRUE;
        }
        break;
    case WM_DROPFILES:
        ImportDroppedFiles(reinterpret_cast<HDROP>(wParam));
        return TRUE;
    case kWmTreeFileNote:
        m_host.ShowTreeFileNote();
        return TRUE;
    case kWmCloseProgram:
        // The dialogs DeferClose ended have returned (or, when one is still open, it is ended again
        // and this message comes back).
        m_closePending = false;
        m_host.Close();
        return TRUE;
    default:
        break;
    }
    return CDialog::DialogProc(msg, wParam, lParam);
}

INT_PTR CMainDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
    case IDOK:
    case kButtonId:
        OpenSettings();
        return 0;
    case IDCANCEL:
        if (!m_host.OnCancel()) return 0;
        if (m_closePending) return 0;  // the dialog stays as it is until the close
        break;
    case kCmdClose:
        m_host.Close();
        break;
    case kCmdExit:
        if (!m_host.QueryExit()) return 0;
        break;
    default:
        break;
    }
    return CDialog::OnCommand(wParam, lParam);
}

INT_PTR CMainDlg::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam == kCmdExit) {
        OnCommand(kCmdExit, 0);
        return TRUE;
    }
    return CDialog::OnSysCommand(wParam, lParam);
}

void CMainDlg::ImportDroppedFiles(HDROP drop) {
    if (!drop) return;
    std::vector<std::wstring> files;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        if (length == 0 || ::DragQueryFileW(drop, i, name.data(), length + 1) != length) continue;
        name.resize(length);
        // Only tree files; other files dropped with them are left alone.
        if (length > 8 && ::CompareStringOrdinal(name.c_str() + length - 8, 8, L".pinarbo", 8, TRUE) == CSTR_EQUAL)
            files.push_back(name);
    }
    ::DragFinish(drop);
    for (const std::wstring& file : files) {
        COPYDATASTRUCT data{kDropImport, static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)),
                            const_cast<wchar_t*>(file.c_str())};
        m_host.OnTreeFileRequest(data);
    }
}

INT_PTR CMainDlg::OnInitDialog() {
    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    // Tree files dropped on the window are imported. The style is what DragAcceptFiles sets; set
    // here, making the window does not load the shell's DLLs (they load later in the start).
    ::SetWindowLongPtrW(m_hwnd, GWL_EXSTYLE, ::GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);

    if (const HMENU menu = ::GetSystemMenu(m_hwnd, FALSE)) {  // the window's own menu: not ours to free
        const std::wstring entry = ResourceText(IDS_EXIT, L"E&xit");
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(menu, MF_STRING, kCmdExit, entry.c_str());
    }

    // Restoring the placement shows the window; its icons and the button's looks are made after
    // that but before the first paint, which is the first moment either is needed (the looks
    // invalidate the button). So the window is on the screen sooner and is drawn complete.
    RestoreWindowPlacement(&m_host.Store(), m_hwnd, kPlacementSection, true);
    m_smallIcon.reset(static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 16, 16, 0)));
    m_bigIcon.reset(static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 32, 32, 0)));
    ::SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));
    ::SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.get()));

    m_button = dynamic_cast<CButtonWnd*>(CWnd::FromHandle(::GetDlgItem(m_hwnd, kButtonId)));
    if (m_button) m_button->LoadLooks(module, IDB_BUTTON_BASE, IDR_BUTTON_TEXTURE, IDB_BUTTON_GLOSS);
    return TRUE;
}

void CMainDlg::OnDestroy() {
    ::SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, 0);
    ::SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, 0);
    m_smallIcon.reset();
    m_bigIcon.reset();
    if (m_savePlacement) SaveTemplateWindowPlacement(m_host.Store(), m_hwnd, kPlacementSection);
    m_button = nullptr;  // deleted with its window, right after ours
    CDialog::OnDestroy();
}

bool CMainDlg::DeferClose() {
    const std::vector<HWND> open = DialogsOwnedBy(m_hwnd);
    if (open.empty()) return false;
    if (m_settings) m_settings->DiscardOptionEdits();
    for (const HWND dialog : open) ::EndDialog(dialog, IDCANCEL);
    m_closePending = true;
    ::PostMessageW(m_hwnd, kWmCloseProgram, 0, 0);
    return true;
}

void CMainDlg::OpenSettings() {
    if (m_closePending) return;  // the program is ending
    if (m_settings) {
        if (const HWND open = m_settings->GetHwnd()) ::SetForegroundWindow(open);
        return;
    }
    UINT startPage = 0;
    for (;;) {
        CSettingsDlg settings;
        settings.StartOn(startPage);
        m_settings = &settings;
        const INT_PTR result = settings.DoModal(nullptr, CSettingsDlg::kTemplateId, m_hwnd);
        m_settings = nullptr;
        // The pictures the dialog decoded (the choosers show every built-in one) go with it.
        if (IPictureSource* pictures = CItem::PictureSource()) pictures->ForgetDecoded();
        // A tree command of the Common page runs with Settings closed, then Settings shows its
        // outcome on that page.
        if (!m_host.RunQueuedTreeCommand(result == IDOK) || m_closePending || !m_hwnd) return;
        startPage = IDD_SETTINGS_COMMON;
    }
}
