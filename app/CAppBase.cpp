#include "app/CAppBase.h"

#include "app/Autostart.h"
#include "app/WindowPlacement.h"
#include "app/SystemIntegration.h"
#include "wnd/ComApartment.h"
#include "wnd/Handles.h"


bool CAppBase::s_exitQuestionOpen = false;

CAppBase::CAppBase() : m_instance(::GetModuleHandleW(nullptr)), m_common(&m_store) {
    m_store.SetMode(true);
    m_store.SetNames(L"", L"");
    m_store.SetBackend(&m_registry);
    m_autostart.Set(false);
    m_autostart.SetDefault(false);
    m_confirmExit.Set(true);
    m_confirmExit.SetDefault(true);
}

CAppBase::~CAppBase() = default;

bool CAppBase::Init() {
    if (m_displayName.empty()) return false;
    // The common controls are registered when the first dialog that may hold them opens
    // (wnd/CommonControls.h), not here: the main window has none.
    // A first start: no main-window section, or one that holds only the "Handle" of a run that
    // never ended cleanly (a clean end removes it and saves the main window's placement), so a
    // first run that was killed does not turn the next start into a later one.
    tstr handle;
    m_firstStart = !m_store.SectionExists(kMainSection) ||
                   (m_store.ReadString(kMainSection, kHandleValue, handle) && !HasWindowPlacement(m_store, kMainSection));
    if (m_firstStart) {
        // A shortcut left from an earlier installation goes: the option starts false. One that
        // starts this very file was made by its installer's "Start with Windows" and stays.
        m_autostart.Set(false);
        if (!ShortcutStartsThisProgram()) ApplyAutostart();
    }
    if (m_autostartAtInit) RefreshAutostart();
    m_confirmExit.SetName(L"ConfirmExit");
    m_common.Add(&m_confirmExit);
    return true;
}

bool CAppBase::Exit() {
    m_common.DetachAll();
    ::PostQuitMessage(0);
    return true;
}

bool CAppBase::LoadOptions() {
    m_common.LoadAll(kCommonSection);
    return true;
}

bool CAppBase::SaveOptions() {
    m_common.SaveAll(kCommonSection);
    return true;
}

bool CAppBase::WipeAndQuit(bool wipe) {
    if (wipe) {
        m_store.DeleteSection(L"");
        m_autostart.Set(false);
        ApplyAutostart();
    }
    ::PostQuitMessage(0);
    return true;
}

bool CAppBase::Query() { return false; }

bool CAppBase::OnCancel() { return QueryExit(); }

bool CAppBase::QueryExit() {
    if (s_exitQuestionOpen) return false;
    if (m_confirmExit.Get()) {
        s_exitQuestionOpen = true;
        const int answer = AskUser(L"Quit program?", m_displayName, MB_OKCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL);
        s_exitQuestionOpen = false;
        if (answer != IDOK) return false;
    }
    Close();
    return true;
}

bool CAppBase::Close() {
    Exit();
    if (const HWND main = MainWindow(); main && ::IsWindow(main)) ::DestroyWindow(main);
    return true;
}

void CAppBase::Hook() {}

HWND CAppBase::MainWindow() { return nullptr; }

bool CAppBase::ShowMainWindow() { return MainWindow() != nullptr; }

bool CAppBase::OnMainWindowMoved(UINT, UINT, const wchar_t*) { return false; }

bool CAppBase::OnTrayNotify(WPARAM, LPARAM) { return false; }

HMENU CAppBase::CreateTrayMenu() { return nullptr; }

void CAppBase::AfterTrayMenu() {}

bool CAppBase::OnTrayCommand(UINT) { return false; }

tstr CAppBase::TrayNote() { return tstr(); }

void CAppBase::DestroyWindows() {
    if (const HWND main = MainWindow(); main && ::IsWindow(main)) ::DestroyWindow(main);
}

void CAppBase::AbandonStart() { DestroyWindows(); }

bool CAppBase::EnumProfiles(std::vector<tstr>*) { return false; }

int CAppBase::AskUser(const tstr& text, const tstr& caption, UINT flags) {
    return ::MessageBoxW(MainWindow(), text.c_str(), caption.c_str(), flags);
}

tstr CAppBase::ShortcutPath() { return Autostart::ShortcutPath(m_displayName); }

bool CAppBase::ShortcutStartsThisProgram() {
    Autostart::SShortcut link;
    const tstr path = ShortcutPath();
    if (path.empty() || !Autostart::ReadShortcut(path, link)) return false;
    const tstr self = SysIntegration::ModulePath();
    return !self.empty() &&
           ::CompareStringOrdinal(link.target.c_str(), -1, self.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool CAppBase::RefreshAutostart() {
    const tstr link = ShortcutPath();
    m_autostart.Set(!link.empty() && ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES);
    return true;
}

bool CAppBase::ApplyAutostart() {
    const tstr link = ShortcutPath();
    if (link.empty()) return false;
    if (m_autostart.Get()) {
        return SUCCEEDED(Autostart::CreateShortcut(SysIntegration::ModulePath(), link, m_displayName, 0, L""));
    }
    ::DeleteFileW(link.c_str());
    return true;
}

int RunApplication(CAppBase& app) {
    if (!app.Init()) {
        // Each layer that fails after creating something undoes it before answering false.
        if (!app.m_errorText.empty())
            ::MessageBoxW(nullptr, app.m_errorText.c_str(), L"Error", MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
        return 1;
    }
    // COM on the UI thread for the rest of the run, joined once the first windows show: the
    // controls' accessible objects are handed to other processes (screen readers) through it, and
    // calls from them arrive on this thread. (A request during the start joins it itself.)
    com_apartment::Join();
    MSG msg;
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;  // quit message (or a broken queue)
        const HWND main = app.MainWindow();
        if (main && ::IsDialogMessageW(main, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    app.DestroyWindows();
    return 0;
}
