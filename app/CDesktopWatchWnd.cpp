#include "app/CDesktopWatchWnd.h"

#include "wnd/WindowServices.h"

#include <cstring>
#include <iterator>

namespace {

// The console display's power setting: {6FE69556-704A-47A0-8F24-C28D936FDA47}.
constexpr GUID kConsoleDisplayState = {0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};
// Battery saver: {E00958C0-C213-4ACE-AC77-FECCED2EEEA5}.
constexpr GUID kPowerSavingStatus = {0xE00958C0, 0xC213, 0x4ACE, {0xAC, 0x77, 0xFE, 0xCC, 0xED, 0x2E, 0xEE, 0xA5}};
// The power source (AC, battery, short-term): {5D3E9A59-E9D5-4B00-A6BD-FF34FF516548}.
constexpr GUID kAcDcPowerSource = {0x5D3E9A59, 0xE9D5, 0x4B00, {0xA6, 0xBD, 0xFF, 0x34, 0xFF, 0x51, 0x65, 0x48}};
constexpr const GUID* kPowerSettings[] = {&kConsoleDisplayState, &kPowerSavingStatus, &kAcDcPowerSource};
constexpr UINT kSpiGetClientAreaAnimation = 0x1042;  // SPI_GETCLIENTAREAANIMATION
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
    for (size_t i = 0; i < std::size(kPowerSettings); ++i) {
        // The system answers each at once with the setting's current value.
        static const auto reg = WndServices::LookUp<RegisterPowerFn>(L"User32.dll", "RegisterPowerSettingNotification");
        if (reg && !m_powerNotify[i]) m_powerNotify[i] = reg(m_hwnd, kPowerSettings[i], 0 /* DEVICE_NOTIFY_WINDOW_HANDLE */);
    }
    if (!m_hook && !g_hooked) {
        m_hook = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnForegroundEvent, 0, 0,
                                   WINEVENT_OUTOFCONTEXT);
        if (m_hook) g_hooked = this;
    }
    ::SetTimer(m_hwnd, kPollTimer, kPollMs, nullptr);
    m_fullScreen = ComputeFullScreen();
    ReadSystemFacts();
    return true;
}

void CDesktopWatchWnd::Stop() {
    m_sink = nullptr;
    if (m_hook) {
        ::UnhookWinEvent(m_hook);
        m_hook = nullptr;
    }
    if (g_hooked == this) g_hooked = nullptr;
    for (HANDLE& notify : m_powerNotify) {
        static const auto unreg = WndServices::LookUp<UnregisterPowerFn>(L"User32.dll", "UnregisterPowerSettingNotification");
        if (notify && unreg) unreg(notify);
        notify = nullptr;
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
        if (wParam == kPowerSettingChange) OnPowerSetting(lParam);
        return TRUE;
    case WM_SETTINGCHANGE:
        // Any setting may be Windows' animations; reading it again is cheap.
        if (ReadSystemFacts()) Changed();
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
        if (ReadSystemFacts()) Changed();
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
    if (fg) {
        const HMONITOR monitor = ::MonitorFromWindow(fg, MONITOR_DEFAULTTONULL);
        onTree = monitor && monitor == treeMonitor;
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        RECT rc{};
        if (onTree && ::GetWindowRect(fg, &rc) && ::GetMonitorInfoW(monitor, &info)) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(fg, &process);
            wchar_t cls[64] = {};
            ::GetClassNameW(fg, cls, 64);
            SForegroundWindow window;
            window.rect = {rc.left, rc.top, rc.right, rc.bottom};
            window.style = static_cast<std::uint32_t>(::GetWindowLongPtrW(fg, GWL_STYLE));
            window.className = cls;
            window.ownProcess = process == ::GetCurrentProcessId();
            window.desktopOrShell = fg == ::GetDesktopWindow() || fg == ::GetShellWindow();
            window.visible = ::IsWindowVisible(fg) != FALSE;
            window.minimised = ::IsIconic(fg) != FALSE;
            const RECT& m = info.rcMonitor;
            covers = IsFullScreenOver(window, SScreenRect{m.left, m.top, m.right, m.bottom});
        }
    }
    return FullScreenOverTree(ClassifyNotificationState(NotificationState()), covers, onTree);
}

void CDesktopWatchWnd::OnPowerSetting(LPARAM record) {
    if (!IsReadable(reinterpret_cast<const void*>(record), sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD))) return;
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(record);
    if (setting->DataLength < sizeof(DWORD)) return;
    DWORD value = 0;
    std::memcpy(&value, setting->Data, sizeof(value));
    const auto is = [&](const GUID& id) { return std::memcmp(&setting->PowerSetting, &id, sizeof(GUID)) == 0; };
    bool* fact = nullptr;
    bool now = false;
    if (is(kConsoleDisplayState)) {
        fact = &m_displayOff;
        now = DisplayIsOff(value);
    } else if (is(kPowerSavingStatus)) {
        fact = &m_batterySaver;
        now = BatterySaverIsOn(value);
    } else if (is(kAcDcPowerSource)) {
        fact = &m_onBattery;
        now = PowerSourceIsBattery(value);
    }
    if (!fact || *fact == now) return;
    *fact = now;
    Changed();
}

bool CDesktopWatchWnd::ReadSystemFacts() {
    BOOL saver = FALSE;
    if (!::SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &saver, 0)) saver = FALSE;
    // Unknown (an old system): animations count as on.
    BOOL animate = TRUE;
    if (!::SystemParametersInfoW(kSpiGetClientAreaAnimation, 0, &animate, 0)) animate = TRUE;
    const bool changed = (saver != FALSE) != m_screenSaver || (animate == FALSE) != m_animationsOff;
    m_screenSaver = saver != FALSE;
    m_animationsOff = animate == FALSE;
    return changed;
}

void CDesktopWatchWnd::Changed() {
    if (m_sink) m_sink->OnSeeingChanged();
}
