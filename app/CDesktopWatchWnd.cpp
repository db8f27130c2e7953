#include "app/CDesktopWatchWnd.h"

#include "app/ScreenGeometry.h"
#include "wnd/WindowServices.h"

#include <cstring>
#include <cwchar>

namespace {

// The console display's power setting: {6FE69556-704A-47A0-8F24-C28D936FDA47}.
constexpr GUID kConsoleDisplayState = {0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};
constexpr UINT kWmSessionChange = 0x02B1;    // WM_WTSSESSION_CHANGE
constexpr UINT kWmDpiChanged = 0x02E0;       // WM_DPICHANGED
constexpr WPARAM kPowerSettingChange = 0x8013;  // PBT_POWERSETTINGCHANGE

// The one watch whose hook is set; the hook procedure has no context of its own.
CDesktopWatchWnd* g_hooked = nullptr;

using RegisterSessionFn = BOOL(WINAPI*)(HWND, DWORD);
using UnregisterSessionFn = BOOL(WINAPI*)(HWND);
using RegisterPowerFn = HANDLE(WINAPI*)(HANDLE, const GUID*, DWORD);
using UnregisterPowerFn = BOOL(WINAPI*)(HANDLE);
using QueryNotificationStateFn = HRESULT(WINAPI*)(int*);

void CALLBACK OnForegroundEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (g_hooked) g_hooked->CheckFullScreen();
}

// Windows that never count as a full-screen application: the desktop and the shell's own.
bool IsShellWindow(HWND window) {
    if (window == ::GetDesktopWindow() || window == ::GetShellWindow()) return true;
    wchar_t cls[64] = {};
    ::GetClassNameW(window, cls, 64);
    for (const wchar_t* shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"})
        if (std::wcscmp(cls, shell) == 0) return true;
    return false;
}

// Whether size bytes at p are committed, readable memory of this process. The power notice's
// record comes as a bare pointer, which any program could also post: a wrong one is ignored
// instead of read.
bool IsReadable(const void* p, size_t size) {
    MEMORY_BASIC_INFORMATION info{};
    if (!p || ::VirtualQuery(p, &info, sizeof(info)) != sizeof(info) || info.State != MEM_COMMIT) return false;
    constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                                PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if (!(info.Protect & kReadable) || (info.Protect & PAGE_GUARD)) return false;
    const auto end = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    return static_cast<size_t>(end - static_cast<const char*>(p)) >= size;
}

int NotificationState() {
    static const auto query = WndServices::LookUp<QueryNotificationStateFn>(L"Shell32.dll", "SHQueryUserNotificationState");
    int state = 0;
    if (!query || FAILED(query(&state))) return 0;
    return state;
}

}  // namespace

CDesktopWatchWnd::~CDesktopWatchWnd() { Stop(); }

bool& CDesktopWatchWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

bool CDesktopWatchWnd::Start(IDesktopWatchSink* sink) {
    m_sink = sink;
    // A top-level popup that is never shown: message-only windows hear no broadcasts.
    if (!IsValid() && !Create(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr)) return false;
    if (!m_sessionRegistered) {
        static const auto reg = WndServices::LookUp<RegisterSessionFn>(L"Wtsapi32.dll", "WTSRegisterSessionNotification");
        m_sessionRegistered = reg && reg(m_hwnd, 0 /* NOTIFY_FOR_THIS_SESSION */) != FALSE;
    }
    if (!m_powerNotify) {
        // The system answers at once with the display's current state.
        static const auto reg = WndServices::LookUp<RegisterPowerFn>(L"User32.dll", "RegisterPowerSettingNotification");
        if (reg) m_powerNotify = reg(m_hwnd, &kConsoleDisplayState, 0 /* DEVICE_NOTIFY_WINDOW_HANDLE */);
    }
    if (!m_hook && !g_hooked) {
        m_hook = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnForegroundEvent, 0, 0,
                                   WINEVENT_OUTOFCONTEXT);
        if (m_hook) g_hooked = this;
    }
    ::SetTimer(m_hwnd, kPollTimer, kPollMs, nullptr);
    m_fullScreen = ComputeFullScreen();
    return true;
}

void CDesktopWatchWnd::Stop() {
    m_sink = nullptr;
    if (m_hook) {
        ::UnhookWinEvent(m_hook);
        m_hook = nullptr;
    }
    if (g_hooked == this) g_hooked = nullptr;
    if (m_powerNotify) {
        static const auto unreg = WndServices::LookUp<UnregisterPowerFn>(L"User32.dll", "UnregisterPowerSettingNotification");
        if (unreg) unreg(m_powerNotify);
        m_powerNotify = nullptr;
    }
    if (m_sessionRegistered && m_hwnd) {
        static const auto unreg = WndServices::LookUp<UnregisterSessionFn>(L"Wtsapi32.dll", "WTSUnRegisterSessionNotification");
        if (unreg) unreg(m_hwnd);
    }
    m_sessionRegistered = false;
    Destroy();  // its timers go with it
}

LRESULT CDesktopWatchWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kWmSessionChange: {
        const SSessionState before = m_session;
        m_session = AfterSessionEvent(m_session, static_cast<std::uint32_t>(wParam));
        if (m_session.Away() != before.Away()) Changed();
        return 0;
    }
    case WM_POWERBROADCAST:
        if (wParam == kPowerSettingChange &&
            IsReadable(reinterpret_cast<const void*>(lParam), sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD))) {
            const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
            if (std::memcmp(&setting->PowerSetting, &kConsoleDisplayState, sizeof(GUID)) == 0 &&
                setting->DataLength >= sizeof(DWORD)) {
                DWORD state = 0;
                std::memcpy(&state, setting->Data, sizeof(state));
                const bool off = DisplayIsOff(state);
                if (off != m_displayOff) {
                    m_displayOff = off;
                    Changed();
                }
            }
        }
        return TRUE;
    case WM_SETTINGCHANGE:
        if (wParam != SPI_SETWORKAREA) break;
        [[fallthrough]];
    case WM_DISPLAYCHANGE:
    case kWmDpiChanged:
        ::SetTimer(m_hwnd, kDisplayTimer, kDisplaySettleMs, nullptr);
        break;
    case WM_TIMER:
        if (wParam == kDisplayTimer) {
            ::KillTimer(m_hwnd, kDisplayTimer);
            if (m_sink) m_sink->OnDisplaysChanged();
        }
        CheckFullScreen();  // the poll, and after a display change (monitors moved)
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

void CDesktopWatchWnd::CheckFullScreen() {
    if (!m_hwnd) return;
    const bool now = ComputeFullScreen();
    if (now == m_fullScreen) return;
    m_fullScreen = now;
    Changed();
}

bool CDesktopWatchWnd::ComputeFullScreen() {
    const HWND tree = m_sink ? m_sink->WatchedWindow() : nullptr;
    const HMONITOR treeMonitor =
        tree ? ::MonitorFromWindow(tree, MONITOR_DEFAULTTONEAREST) : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    const HWND fg = ::GetForegroundWindow();
    bool covers = false;
    bool onTree = false;
    if (fg && fg != tree && fg != m_hwnd) {
        const HMONITOR monitor = ::MonitorFromWindow(fg, MONITOR_DEFAULTTONULL);
        onTree = monitor && monitor == treeMonitor;
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        RECT rc{};
        if (onTree && ::IsWindowVisible(fg) && !::IsIconic(fg) && !IsShellWindow(fg) && ::GetWindowRect(fg, &rc) &&
            ::GetMonitorInfoW(monitor, &info)) {
            // A maximised window with a caption is a working window, even where its frame
            // reaches past the monitor's edges (an auto-hidden taskbar).
            const LONG_PTR style = ::GetWindowLongPtrW(fg, GWL_STYLE);
            const bool captionedMaximised = ::IsZoomed(fg) && (style & WS_CAPTION) == WS_CAPTION;
            covers = !captionedMaximised && ScreenGeometry::CoversMonitor(rc, info.rcMonitor);
        }
    }
    return FullScreenOverTree(ClassifyNotificationState(NotificationState()), covers, onTree);
}

void CDesktopWatchWnd::Changed() {
    if (m_sink) m_sink->OnSeeingChanged();
}
