#include "view/win/CViewWnd.h"

#include <shellapi.h>

#include "view/IFrameSource.h"
#include "view/ViewPauseRules.h"
#include "wnd/Dpi.h"
#include "wnd/WindowServices.h"

namespace {

constexpr UINT kWmDpiChanged = 0x02E0;  // WM_DPICHANGED (Windows 8.1 and later)
constexpr DWORD kExcludeFromCapture = 0x11;  // WDA_EXCLUDEFROMCAPTURE
constexpr DWORD kDisplayAffinityNone = 0;    // WDA_NONE

using SetAffinityFn = BOOL(WINAPI*)(HWND, DWORD);
using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);

}  // namespace

CViewWnd::~CViewWnd() {
    // Destroy here, while the object is still a CViewWnd: the timer dies with the window.
    Destroy();
}

bool& CViewWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

LRESULT CViewWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return HTCAPTION;  // drag the tree by any of its painted pixels
    case WM_TIMER:
        if (!m_builder.IsPaused()) RenderFrame();
        return DefaultProc(msg, wParam, lParam);
    case WM_EXITSIZEMOVE:
        // The end of a drag by the user (the only way the view is moved modally).
        if (m_source) m_source->OnViewMovedByUser();
        return DefaultProc(msg, wParam, lParam);
    case WM_DROPFILES:
        if (!m_source || !m_source->OnFilesDropped(reinterpret_cast<HDROP>(wParam)))
            ::DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    case kWmDpiChanged:
        OnDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        m_timerOn = false;  // the timer dies with the window
        return CWnd::WindowProc(msg, wParam, lParam);
    default:
        return CWnd::WindowProc(msg, wParam, lParam);
    }
}

void CViewWnd::OnDpiChanged(WPARAM wParam, const RECT* suggested) {
    const UINT dpi = LOWORD(wParam);  // the same for x and y
    const bool changed = dpi != 0 && dpi != m_dpi;
    if (changed) m_dpi = dpi;
    if (suggested) {
        // The suggested corner. The size is the scene's at the new scale, which the composition
        // gives next; only without a frame source is the suggested size taken as it is.
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (changed && !m_source ? 0u : static_cast<UINT>(SWP_NOSIZE));
        ::SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, flags);
    }
    if (changed && m_source) m_source->OnViewDpiChanged();
}

void CViewWnd::ReadDpi() {
    if (m_hwnd) m_dpi = Dpi::ForWindow(m_hwnd);
}

void CViewWnd::OnPaint() {
    ::ValidateRect(m_hwnd, nullptr);
}

void CViewWnd::RenderFrame() {
    if (!m_hwnd || !m_source) return;
    RECT rc{};
    if (!::GetWindowRect(m_hwnd, &rc)) return;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    const SFrameView frame = m_presenter.Prepare(width, height);
    // A new section may reuse the old one's address: the builder must not take it for the last frame.
    if (m_presenter.Creations() != m_presenterCreations) {
        m_presenterCreations = m_presenter.Creations();
        m_builder.FrameReplaced();
    }
    // A re-made (or failed) buffer frees the one the last frame lay in: forget it.
    if (m_lastFrame.bits && (m_lastFrame.bits != m_presenter.Buffer() || m_lastFrame.width != m_presenter.Width() ||
                             m_lastFrame.height != m_presenter.Height()))
        m_lastFrame = {};
    if (!frame.bits) return;

    static const SFrameScene kNothing;
    const SFrameScene* scene = m_source->FrameScene();
    const bool built = m_builder.Tick(scene ? *scene : kNothing, m_source->Gradient(), m_source->Opacity(),
                                      m_source->Lights(), frame);
    if (!built) return;
    m_presenter.Present(m_hwnd);  // a refused update is not retried further
    m_lastFrame = frame;
    ++m_framesShown;
}

bool CViewWnd::CreateView(bool clickThrough) {
    // Files dropped on the tree go to the frame source (WS_EX_ACCEPTFILES, as DragAcceptFiles sets it).
    const DWORD ex = kExStyle | WS_EX_ACCEPTFILES | (clickThrough ? WS_EX_TRANSPARENT : 0);
    if (!Create(ex, kStyle, 0, 0, 0, 0, nullptr, nullptr)) return false;
    if (WndServices::IsThemeActive()) WndServices::DisableTransitions(m_hwnd);
    ::ShowWindow(m_hwnd, SW_SHOW);
    ::SetWindowPos(m_hwnd, nullptr, ::GetSystemMetrics(SM_CXSCREEN) - 200, ::GetSystemMetrics(SM_CYSCREEN) - 300, 100,
                   300, SWP_NOACTIVATE | SWP_NOZORDER);
    ReadDpi();
    return true;
}

bool CViewWnd::StartFrameTimer() {
    m_timerOn = m_hwnd && ::SetTimer(m_hwnd, kFrameTimer, kFramePeriodMs, nullptr) != 0;
    return m_timerOn;
}

void CViewWnd::StopFrameTimer() {
    if (m_hwnd) ::KillTimer(m_hwnd, kFrameTimer);
    m_timerOn = false;
}

bool CViewWnd::SetExcludedFromCapture(bool excluded) {
    static const auto set = WndServices::LookUp<SetAffinityFn>(L"User32.dll", "SetWindowDisplayAffinity");
    return m_hwnd && set && set(m_hwnd, excluded ? kExcludeFromCapture : kDisplayAffinityNone) != FALSE;
}

bool CViewWnd::CaptureExclusionSupported() {
    // The true version: GetVersionEx answers what the manifest admits to.
    static const auto version = WndServices::LookUp<RtlGetVersionFn>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!version || version(&info) != 0) return false;
    return CaptureExclusionAvailable(info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
}
