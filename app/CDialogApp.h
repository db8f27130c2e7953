// CDialogApp<TBase>: a modeless dialog as the main window, its start placement, and the single
// instance check through the main window's handle stored in the settings.
#pragma once

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <cwctype>

#include "app/InstanceMutex.h"
#include "app/ScreenGeometry.h"
#include "app/WindowPlacement.h"
#include "param/CParam.h"
#include "wnd/CDialog.h"

// Start placements of the main window ("StartMinimize").
enum EStartPlacement { kStartShow = 0, kStartMinimized = 1, kStartAsLastExit = 2 };

template <class TBase>
class CDialogApp : public TBase {
public:
    CDialogApp() {
        m_startPlacement.Set(kStartAsLastExit);
        m_startPlacement.SetDefault(kStartAsLastExit);
        m_closeMinimize.Set(false);
    }

    bool Init() override {
        m_startPlacement.SetName(L"StartMinimize");
        this->m_common.Add(&m_startPlacement);
        m_closeMinimize.SetName(L"CloseMinimize");
        this->m_common.Add(&m_closeMinimize);
        if (!TBase::Init()) return false;
        if (!m_singleInstance) return true;
        // Exactly one copy per user and session goes on; a later one hands over to it. When the
        // mutex is held by another copy that has not shown its window yet, wait for it a while.
        const CInstanceMutex::EClaim claim = m_instanceMutex.Claim(this->m_store.GetFirmName(), this->m_store.GetAppName());
        if (claim == CInstanceMutex::kTaken) {
            for (DWORD waited = 0; !BringOtherInstanceForward() && waited < m_handOverWaitMs; waited += 100) ::Sleep(100);
            return false;
        }
        // Owning the mutex, a stored "Handle" can still name a copy that runs without one.
        if (BringOtherInstanceForward()) {
            m_instanceMutex.Release();
            return false;
        }
        return true;
    }

    void AbandonStart() override {
        TBase::AbandonStart();  // the windows first: nothing may write after the store is tidied
        if (m_handleWritten) {
            // A first start leaves no trace (so the next start is a first start again); a later
            // one only takes back its "Handle".
            if (this->m_firstStart) {
                this->m_store.DeleteSection(TBase::kMainSection);
            } else {
                this->m_store.WriteString(TBase::kMainSection, TBase::kHandleValue, static_cast<const wchar_t*>(nullptr));
            }
            m_handleWritten = false;
        }
        m_instanceMutex.Release();
    }

    bool Exit() override {
        if (const HWND main = MainWindow(); main && ::IsWindow(main)) {
            // The placement is saved here as well as when the dialog is destroyed: when the logon
            // ends, the system may end the process before the dialog is ever destroyed.
            SaveTemplateWindowPlacement(this->m_store, main, TBase::kMainSection);
            ::EndDialog(main, 2);
        }
        return TBase::Exit();
    }

    bool SaveOptions() override {
        if (m_singleInstance) this->m_store.WriteString(TBase::kMainSection, TBase::kHandleValue, static_cast<const wchar_t*>(nullptr));
        return TBase::SaveOptions();
    }

    HWND MainWindow() override {
        CDialog* dlg = this->MainDialog();
        return dlg ? dlg->GetHwnd() : nullptr;
    }

    bool ShowMainWindow() override {
        this->CreateMainWindow(nullptr);
        const HWND main = MainWindow();
        if (main && this->m_firstStart) {
            if (this->m_centreOnFirstStart) CentreOnDesktop(main);
            if (this->m_showOnFirstStart) ::ShowWindow(main, SW_SHOWNORMAL);
        }
        if (main) {
            switch (m_startPlacement.Get()) {
            case kStartMinimized:
                ::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
                if (::SendMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0) != 0) ::ShowWindow(main, SW_MINIMIZE);
                ::SendMessageW(main, WM_ACTIVATEAPP, FALSE, 0);
                break;
            case kStartShow:
                ::ShowWindow(main, SW_SHOWNORMAL);
                ::SetForegroundWindow(main);
                break;
            default:  // as at the last exit: the dialog restored its own placement
                break;
            }
            // Written on every start, the first one included, so that a second copy started
            // during the very first run finds this one.
            if (m_singleInstance) {
                m_handleWritten = this->m_store.WriteInt(TBase::kMainSection, TBase::kHandleValue,
                                                         static_cast<int>(reinterpret_cast<INT_PTR>(main)));
            }
        }
        return main && ::IsWindow(main);
    }

    // Places the window's centre on the desktop's centre, kept on the primary screen.
    static void CentreOnDesktop(HWND window) {
        RECT rc{}, desk{};
        ::GetWindowRect(window, &rc);
        ::GetWindowRect(::GetDesktopWindow(), &desk);
        const RECT to = ScreenGeometry::CentreOn(rc, desk, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        ::SetWindowPos(window, nullptr, to.left, to.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // A stored handle of another running copy: a window whose title is the display name.
    static HWND ParseInstanceHandle(const tstr& text) {
        const wchar_t* p = text.c_str();
        while (std::iswspace(*p)) ++p;
        wchar_t* end = nullptr;
        const long long v = std::wcstoll(p, &end, 10);
        if (end == p) return nullptr;
        return reinterpret_cast<HWND>(static_cast<INT_PTR>(v));
    }

    // The main window of another running copy, found through "Handle": a dialog window whose
    // title is the display name; null when there is none.
    HWND FindOtherInstance() const {
        tstr text;
        if (!this->m_store.ReadString(TBase::kMainSection, TBase::kHandleValue, text)) return nullptr;
        const HWND other = ParseInstanceHandle(text);
        if (!other || !::IsWindow(other)) return nullptr;
        wchar_t name[64] = {};
        if (::GetClassNameW(other, name, 64) <= 0 || std::wcscmp(name, L"#32770") != 0) return nullptr;
        wchar_t title[256] = {};
        if (::InternalGetWindowText(other, title, 256) <= 0) return nullptr;
        return this->m_displayName == title ? other : nullptr;
    }
    // After a save while the program runs on: the save took back "Handle" (as at the end), which
    // later copies look for.
    void RewriteInstanceHandle() {
        const HWND main = MainWindow();
        if (m_singleInstance && main)
            this->m_store.WriteInt(TBase::kMainSection, TBase::kHandleValue, static_cast<int>(reinterpret_cast<INT_PTR>(main)));
    }

    bool m_singleInstance = true;
    // How long a copy that found the mutex taken waits for the first copy's window to appear.
    DWORD m_handOverWaitMs = 5000;
    CParam<int> m_startPlacement;  // "StartMinimize": EStartPlacement
    CParam<bool> m_closeMinimize;  // "CloseMinimize": stored only

protected:
    // Finds another running copy through "Handle": a dialog window whose title is the display
    // name. Shows it and answers true when there is one. Nothing here waits for the other window's
    // thread (it may hang, or a stale handle may now be someone else's hung window): the title is
    // read without a message and the show request is posted.
    bool BringOtherInstanceForward() {
        const HWND other = FindOtherInstance();
        if (!other) return false;
        ::ShowWindowAsync(other, SW_SHOWNORMAL);
        ::SetForegroundWindow(other);
        return true;
    }

private:
    CInstanceMutex m_instanceMutex;
    bool m_handleWritten = false;  // this start wrote "Handle"
};
