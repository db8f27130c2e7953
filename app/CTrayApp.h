// CTrayApp<TBase>: the notification-area icon and how the main dialog moves between the screen
// and the icon: minimising can hide it into the icon, a click on the icon shows or hides it, Esc
// can minimise instead of ending. The icon comes back when the shell restarts. Its context menu
// (right-click, or the keyboard's menu key on the icon) is the application's CreateTrayMenu.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <windowsx.h>

#include <cwchar>

#include "app/CShellWatchWnd.h"
#include "app/SystemIntegration.h"
#include "app/TrayMenu.h"
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
                                        text, this->TrayNote());
        if (!window) return false;
        NOTIFYICONDATAW nid = Data(window, id);
        // The standard tip is asked for explicitly: icons of version 4 show none otherwise.
        nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
        nid.uCallbackMessage = message;
        nid.hIcon = icon;
        std::wcsncpy(nid.szTip, tip.c_str(), TrayTip::kMaxTip);
        NotifyShell(NIM_ADD, nid);
        // Version 4: the keyboard's menu key on the icon opens the menu too (WM_CONTEXTMENU),
        // and every callback carries the icon's anchor point.
        NOTIFYICONDATAW version = Data(window, id);
        version.uVersion = NOTIFYICON_VERSION_4;
        m_version4 = NotifyShell(NIM_SETVERSION, version);
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

    // The tip of a shown icon built again (its note changed).
    bool RefreshTrayTip() {
        if (!m_iconWanted || !m_iconWindow || !::IsWindow(m_iconWindow)) return false;
        const tstr tip = TrayTip::Build(this->m_displayName,
                                        m_iconHasText ? tstr() : SysIntegration::GetVersionText(SysIntegration::ModulePath(), L"FileVersion"),
                                        m_iconHasText ? m_iconTip.c_str() : nullptr, this->TrayNote());
        NOTIFYICONDATAW nid = Data(m_iconWindow, kIconId);
        nid.uFlags = NIF_TIP | NIF_SHOWTIP;
        std::wcsncpy(nid.szTip, tip.c_str(), TrayTip::kMaxTip);
        return NotifyShell(NIM_MODIFY, nid);
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

    // The icon's callback. With version 4 the event is the low word of lParam, the icon id its high
    // word and wParam the anchor point (screen coordinates); before, wParam is the id and lParam
    // the event. Our icon's id is 0, so the low word of lParam is the event either way.
    bool OnTrayNotify(WPARAM wParam, LPARAM lParam) override {
        const UINT event = LOWORD(static_cast<DWORD>(lParam));
        const UINT id = m_version4 ? HIWORD(static_cast<DWORD>(lParam)) : static_cast<UINT>(wParam);
        if (id != kIconId) return false;
        const HWND main = this->MainWindow();
        if (!main) return false;
        switch (event) {
        case WM_MOUSEMOVE:
            m_lastForeground = ::GetForegroundWindow();
            break;
        case WM_LBUTTONUP:
            ToggleMainWindow(main);
            break;
        case WM_RBUTTONUP:
            // With version 4 the shell follows the release with WM_CONTEXTMENU: open only once.
            if (!m_version4) ShowTrayMenu(main, CursorPos());
            break;
        case WM_CONTEXTMENU:
            ShowTrayMenu(main, m_version4 ? POINT{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)} : CursorPos());
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

    static POINT CursorPos() {
        POINT pt{};
        ::GetCursorPos(&pt);
        return pt;
    }

    // The menu at the given point. The main window goes to the foreground first, so the menu
    // closes when the user clicks elsewhere; the menu is destroyed before a choice is carried out.
    void ShowTrayMenu(HWND main, POINT at) {
        const HMENU menu = this->CreateTrayMenu();
        if (!menu) return;
        CUniqueMenu owned(menu);
        ::SetForegroundWindow(main);
        const UINT align = ::GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
        const int command = static_cast<int>(::TrackPopupMenuEx(
            owned.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_BOTTOMALIGN | align, at.x, at.y, main, nullptr));
        ::PostMessageW(main, WM_NULL, 0, 0);  // lets the next menu open and close normally
        owned.reset();
        if (command == static_cast<int>(TrayMenu::kCmdShow)) {
            ShowMainFromTray(main);
        } else if (command == static_cast<int>(TrayMenu::kCmdHide)) {
            ::ShowWindow(main, SW_HIDE);
        } else if (command > 0 && !this->OnTrayCommand(static_cast<UINT>(command))) {
            ::SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(command), 0);
        }
        this->AfterTrayMenu();
    }

    void ShowMainFromTray(HWND main) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        ::GetWindowPlacement(main, &wp);
        ::ShowWindow(main, wp.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : SW_RESTORE);
        ::SetForegroundWindow(main);
        m_lastForeground = main;
    }

    CShellWatchWnd m_shellWatch;  // hears the shell restart
    bool m_iconWanted = false;  // the icon was added and not deleted since
    HWND m_iconWindow = nullptr;  // not owned
    UINT m_iconMessage = 0;
    tstr m_iconTip;
    bool m_iconHasText = false;
    bool m_version4 = false;  // the shell took NOTIFYICON_VERSION_4 for the icon
};
