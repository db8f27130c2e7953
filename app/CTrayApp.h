// CTrayApp<TBase>: the notification-area icon and how the main dialog moves between the screen
// and the icon: minimising can hide it into the icon, a click on the icon shows or hides it, Esc
// can minimise instead of ending. The icon comes back when the shell restarts.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

#include "app/CShellWatchWnd.h"
#include "app/SystemIntegration.h"
#include "app/TrayTip.h"
#include "param/CParam.h"
#include "wnd/Handles.h"

template <class TBase>
class CTrayApp : public TBase {
public:
    static constexpr UINT kIconId = 0;
    static constexpr UINT kBalloonTimeout = 15000;

    CTrayApp() {
        m_minimizeToTray.Set(1);
        m_minimizeToTray.SetDefault(1);
        m_hideInTray.Set(0);
        m_hideInTray.SetDefault(0);
        m_keepInTray.Set(1);
        m_escMin.Set(0);
    }

    bool Init() override {
        this->m_common.Add(&m_minimizeToTray, L"MinimizeToTray");
        this->m_common.Add(&m_hideInTray, L"HideInTray");
        this->m_common.Add(&m_keepInTray, L"KeepInTray");
        this->m_common.Add(&m_escMin, L"EscMin");
        const bool ok = TBase::Init();
        // The main dialog does not exist yet here, so in this program the start has no icon.
        if (m_keepInTray.Get() != 0) {
            if (const HWND tray = this->TrayWindow()) AddLoadedIcon(tray, this->TrayMessage(), this->TrayIcon(), nullptr);
        }
        return ok;
    }

    bool Exit() override {
        DeleteTrayIcon(this->MainWindow(), kIconId);
        return TBase::Exit();
    }

    bool WipeAndQuit(bool wipe) override {
        DeleteTrayIcon(this->MainWindow(), kIconId);
        return TBase::WipeAndQuit(wipe);
    }

    bool OnCancel() override {
        if (m_escMin.Get() != 0) {
            if (const HWND main = this->MainWindow()) ::SendMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return false;
        }
        return this->QueryExit();
    }

    // Adds the icon (owner window, id, callback message, icon, tip); during a first-start run also
    // shows the tip as a balloon. False without a window.
    bool AddTrayIcon(HWND window, UINT message, HICON icon, const wchar_t* text, UINT id) {
        const tstr tip = TrayTip::Build(this->m_displayName,
                                        text ? tstr() : SysIntegration::GetVersionText(SysIntegration::ModulePath(), L"FileVersion"),
                                        text);
        if (!window) return false;
        NOTIFYICONDATAW nid = Data(window, id);
        nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        nid.uCallbackMessage = message;
        nid.hIcon = icon;
        std::wcsncpy(nid.szTip, tip.c_str(), TrayTip::kMaxTip);
        NotifyShell(NIM_ADD, nid);
        m_iconWanted = true;
        m_iconWindow = window;
        m_iconMessage = message;
        m_iconTip = text ? tstr(text) : tstr();
        m_iconHasText = text != nullptr;
        m_shellWatch.Watch([](void* self) { static_cast<CTrayApp*>(self)->OnTaskbarCreated(); }, this);
        if (this->m_firstStart) {
            NOTIFYICONDATAW balloon = Data(window, id);
            balloon.uFlags = NIF_INFO;
            std::wcsncpy(balloon.szInfo, tip.c_str(), TrayTip::kMaxBalloon);
            balloon.szInfoTitle[0] = 0;
            balloon.uTimeout = kBalloonTimeout;
            balloon.dwInfoFlags = NIIF_NONE;
            NotifyShell(NIM_MODIFY, balloon);
        }
        return true;
    }

    bool DeleteTrayIcon(HWND window, UINT id) {
        m_iconWanted = false;
        if (!window) return false;
        NOTIFYICONDATAW nid = Data(window, id);
        return NotifyShell(NIM_DELETE, nid);
    }

    bool OnMainWindowMoved(UINT message, UINT iconId, const wchar_t* text) override {
        HWND main = this->MainWindow();
        if (!main && this->MainDialog()) main = this->MainDialog()->GetHwnd();
        if (!main) return false;
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        if (!::GetWindowPlacement(main, &wp)) return false;
        if (wp.showCmd == SW_SHOWMINIMIZED && m_minimizeToTray.Get() != 0) {
            // Hiding changes the window's position state again; once hidden it is in the icon.
            if (::IsWindowVisible(main)) {
                AddLoadedIcon(main, message, iconId, text);
                ::ShowWindow(main, SW_HIDE);
            }
            return true;
        }
        if (wp.showCmd == SW_SHOWNORMAL && m_keepInTray.Get() == 0) DeleteTrayIcon(main, kIconId);
        return true;
    }

    bool OnTrayNotify(WPARAM id, LPARAM event) override {
        if (id != kIconId) return false;
        const HWND main = this->MainWindow();
        if (!main) return false;
        switch (static_cast<UINT>(event)) {
        case WM_MOUSEMOVE:
            m_lastForeground = ::GetForegroundWindow();
            break;
        case WM_LBUTTONUP:
            ToggleMainWindow(main);
            break;
        case WM_RBUTTONUP:
            ShowTrayMenu(main);
            break;
        default:
            break;
        }
        return true;
    }

    // The shell (re)started and announced a new taskbar: an icon that should be shown is added
    // again, since the old shell's icons are gone with it.
    bool OnTaskbarCreated() {
        if (!m_iconWanted || !m_iconWindow || !::IsWindow(m_iconWindow)) return false;
        const bool balloon = this->m_firstStart;
        this->m_firstStart = false;  // no second balloon for a re-add
        AddLoadedIcon(m_iconWindow, m_iconMessage, this->TrayIcon(), m_iconHasText ? m_iconTip.c_str() : nullptr);
        this->m_firstStart = balloon;
        return true;
    }

    void DestroyWindows() override {
        m_shellWatch.Destroy();
        TBase::DestroyWindows();
    }

    bool IsIconWanted() const noexcept { return m_iconWanted; }
    HWND LastForeground() const noexcept { return m_lastForeground; }

    CParam<int> m_minimizeToTray;  // "MinimizeToTray"
    CParam<int> m_hideInTray;      // "HideInTray": stored only
    CParam<int> m_keepInTray;      // "KeepInTray"
    CParam<int> m_escMin;          // "EscMin"
    HWND m_lastForeground = nullptr;  // not owned

protected:
    // Every request to the shell goes through here (tests watch it).
    virtual bool NotifyShell(DWORD message, NOTIFYICONDATAW& data) {
        return ::Shell_NotifyIconW(message, &data) != FALSE;
    }

private:
    static NOTIFYICONDATAW Data(HWND window, UINT id) {
        NOTIFYICONDATAW nid{};
        nid.cbSize = NOTIFYICONDATAW_V2_SIZE;  // the layout with balloon fields
        nid.hWnd = window;
        nid.uID = id;
        return nid;
    }

    // Loads the icon resource at 16 x 16 for one add; the shell keeps its own copy.
    bool AddLoadedIcon(HWND window, UINT message, UINT iconId, const wchar_t* text) {
        CUniqueIcon icon(static_cast<HICON>(
            ::LoadImageW(this->m_instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
        return AddTrayIcon(window, message, icon.get(), text, kIconId);
    }

    void ToggleMainWindow(HWND main) {
        if (!::IsWindowVisible(main)) {
            WINDOWPLACEMENT wp{};
            wp.length = sizeof(wp);
            ::GetWindowPlacement(main, &wp);
            ::ShowWindow(main, wp.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : SW_RESTORE);
            ::SetForegroundWindow(main);
        } else if (main == m_lastForeground) {
            ::ShowWindow(main, SW_HIDE);
        } else {
            ::ShowWindow(main, SW_RESTORE);
            ::SetForegroundWindow(main);
            m_lastForeground = main;
        }
    }

    void ShowTrayMenu(HWND main) {
        const HMENU menu = this->CreateTrayMenu();
        if (!menu) return;
        CUniqueMenu owned(menu);
        POINT pt{};
        ::GetCursorPos(&pt);
        ::SetForegroundWindow(main);
        const int command = static_cast<int>(::TrackPopupMenuEx(owned.get(), TPM_RETURNCMD | TPM_NONOTIFY, pt.x, pt.y, main, nullptr));
        owned.reset();
        if (command > 0) ::SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(command), 0);
        this->AfterTrayMenu();
    }

    CShellWatchWnd m_shellWatch;  // hears the shell restart
    bool m_iconWanted = false;  // the icon was added and not deleted since
    HWND m_iconWindow = nullptr;  // not owned
    UINT m_iconMessage = 0;
    tstr m_iconTip;
    bool m_iconHasText = false;
};
