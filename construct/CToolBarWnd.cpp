#include "construct/CToolBarWnd.h"

#include "construct/CToolBarAccessible.h"
#include "construct/NavPaneLogic.h"
#include "construct/ToolText.h"
#include "scene/CDrawTarget.h"
#include "scene/win/CDcCanvas.h"
#include "wnd/Dpi.h"
#include "wnd/Handles.h"
#include "wnd/SystemColours.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

constexpr int kSeparatorWidth = 5;

}  // namespace

CToolBarWnd::~CToolBarWnd() {
    if (m_tips && ::IsWindow(m_tips)) ::DestroyWindow(m_tips);
    m_tips = nullptr;
    SNavToolState& s = NavToolState();
    s.needsRepaint = false;
}

bool& CToolBarWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

RECT CToolBarWnd::ClientRect() const {
    RECT rc{};
    if (m_hwnd) ::GetClientRect(m_hwnd, &rc);
    return rc;
}

POINT CToolBarWnd::Cursor() const {
    POINT p{};
    ::GetCursorPos(&p);
    if (m_hwnd) ::ScreenToClient(m_hwnd, &p);
    return p;
}

int CToolBarWnd::GetRowHeight() {
    RECT rc{};
    if (m_hwnd) ::GetWindowRect(m_hwnd, &rc);
    return rc.bottom - rc.top - Px(5);
}

int CToolBarWnd::Px(int value) const noexcept { return Dpi::Scale(value, m_dpi); }

void CToolBarWnd::SetDpi(UINT dpi) {
    if (dpi == 0 || dpi == m_dpi) return;
    m_dpi = dpi;
    UpdateToolTips();  // the tools' rectangles moved
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

bool CToolBarWnd::AddTool(CNavPaneItemTool* tool, bool leading) {
    if (!tool) return false;
    if (!(leading ? m_leading : m_trailing).Add(tool)) return false;
    tool->SetOwner(this);
    UpdateToolTips();
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
    return true;
}

int CToolBarWnd::OnToolCommand(int commandId) {
    if (const HWND parent = m_hwnd ? ::GetParent(m_hwnd) : nullptr) {
        ::PostMessageW(parent, WM_COMMAND, static_cast<WPARAM>(commandId), 0);
    }
    return 0;
}

void CToolBarWnd::OnToolChecked(CNavPaneItemTool* tool, int) {
    if (!tool) return;
    for (auto* list : {&m_leading, &m_trailing}) {
        for (CNavPaneItemTool* other : *list) {
            if (other != tool && (other->Style() & CNavPaneItemTool::kRadio) && other->GroupId() == tool->GroupId()) {
                other->SetState(CNavPaneItemTool::kChecked, false);
            }
        }
    }
}

bool CToolBarWnd::SetBackground(HINSTANCE module, int bitmapId, int tile) {
    m_background.Free();
    m_tile = tile;
    if (!m_background.LoadFromResource(module, bitmapId)) return false;
    m_background.MixChannels(::GetSysColor(COLOR_BTNFACE));
    const int height = ClientRect().bottom;
    if (height > 0) m_background.Resample(m_background.Width(), height);
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
    return true;
}

RECT CToolBarWnd::ToolRect(const RECT& client, const CNavPaneItemTool* tool) const {
    RECT inner = client;
    ::InflateRect(&inner, -Px(1), -Px(1));
    const int height = inner.bottom - inner.top;
    const int margin = Px(5);
    for (int lead = 1; lead >= 0; --lead) {
        const CCollector<CNavPaneItemTool*>& list = lead ? m_leading : m_trailing;
        navpane::CToolRun run(lead ? inner.left + margin : inner.right - margin, lead ? 1 : -1);
        for (const CNavPaneItemTool* t : list) {
            const int width = (t->Style() & CNavPaneItemTool::kSeparator) ? Px(kSeparatorWidth) : height + 1;
            const navpane::SSpan span = run.Next(width, !t->Has(CNavPaneItemTool::kNoRoom));
            if (t == tool) return RECT{span.first, inner.top, span.last, inner.bottom};
        }
    }
    return RECT{};
}

CNavPaneItemTool* CToolBarWnd::ToolAt(const RECT& client, POINT point) const {
    for (auto* list : {&m_leading, &m_trailing}) {
        for (CNavPaneItemTool* t : *list) {
            const RECT r = ToolRect(client, t);
            if (::PtInRect(&r, point)) return t;
        }
    }
    return nullptr;
}

bool CToolBarWnd::PressAt(const RECT& client, POINT point) {
    CNavPaneItemTool* tool = ToolAt(client, point);
    if (!tool) return false;
    tool->Press();
    return true;
}

bool CToolBarWnd::ReleaseAt(const RECT& client, POINT point) {
    CNavPaneItemTool* tool = ToolAt(client, point);
    if (!tool) return false;
    tool->Release();
    return true;
}

bool CToolBarWnd::HoverAt(const RECT& client, POINT point) {
    CNavPaneItemTool* tool = ToolAt(client, point);
    NavToolState().SetHot(tool);
    return tool != nullptr;
}

void CToolBarWnd::PaintTools(HDC dc, const RECT& client, POINT) {
    RECT grip{client.left + Px(3), client.top + Px(3), client.left + Px(6), client.bottom - Px(3)};
    ::DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
    for (auto* list : {&m_leading, &m_trailing}) {
        for (CNavPaneItemTool* t : *list) t->Draw(dc, ToolRect(client, t));
    }
}

void CToolBarWnd::HandlePaint() {
    CPaintDc paint(m_hwnd);
    if (!paint.get()) return;
    const RECT client = ClientRect();
    if (client.right <= 0 || client.bottom <= 0) return;
    CDcCanvas canvas;
    if (!canvas.Create(paint.get(), client)) return;
    const HDC dc = canvas.Dc();
    if (m_background.IsEmpty() || sys_colours::HighContrast()) {  // high contrast: no tinted picture
        CUniqueBrush face(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
        ::FillRect(dc, &client, face.get());
    } else {
        CDrawTarget target(dc);
        if (m_tile) {
            const int w = m_background.Width();
            const int h = m_background.Height();
            {
                CUniqueBrush face(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
                ::FillRect(dc, &client, face.get());  // under transparent background pixels
            }
            for (int y = 0; y < client.bottom; y += h) {
                for (int x = 0; x < client.right; x += w) m_background.DrawAlpha(target, x, y);
            }
        } else {
            m_background.DrawStretchedFaded(target, 0, 0, client.right, client.bottom, 255);
        }
    }
    PaintTools(dc, client, Cursor());
    canvas.CopyTo(paint.get());
}

void CToolBarWnd::RepaintIfNeeded() {
    SNavToolState& s = NavToolState();
    if (!s.needsRepaint || !m_hwnd) return;
    s.needsRepaint = false;
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CToolBarWnd::UpdateToolTips() {
    if (!m_hwnd) return;
    if (!m_tips) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&icc);
        m_tips = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
        if (!m_tips) return;
    }
    // Drop every tool, then add one per tool whose command has a help text (with its key).
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    while (::SendMessageW(m_tips, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info))) {
        ::SendMessageW(m_tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        info = TTTOOLINFOW{};
        info.cbSize = sizeof(info);
    }
    const RECT client = ClientRect();
    UINT_PTR id = 1;
    for (auto* list : {&m_leading, &m_trailing}) {
        for (CNavPaneItemTool* t : *list) {
            std::wstring text = tool_text::Tip(t->CommandId());
            if (text.empty()) continue;
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof(tool);
            tool.uFlags = 0;  // mouse messages are relayed from WindowProc
            tool.hwnd = m_hwnd;
            tool.uId = id++;
            tool.rect = ToolRect(client, t);
            tool.lpszText = text.data();  // copied by the tip window
            ::SendMessageW(m_tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

LRESULT CToolBarWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (m_tips && (msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP)) {
        MSG relay{m_hwnd, msg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
        ::SendMessageW(m_tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    }
    switch (msg) {
    case WM_CREATE:
        m_dpi = Dpi::ForWindow(m_hwnd);
        break;
    case WM_PAINT:
        HandlePaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        UpdateToolTips();
        break;
    case WM_MOUSEMOVE:
        if (!m_tracking) {
            TRACKMOUSEEVENT track{};
            track.cbSize = sizeof(track);
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = m_hwnd;
            m_tracking = ::TrackMouseEvent(&track) ? 1 : 0;
        }
        HoverAt(ClientRect(), point);
        RepaintIfNeeded();
        break;
    case WM_LBUTTONDOWN:
        ::SetCapture(m_hwnd);
        PressAt(ClientRect(), point);
        RepaintIfNeeded();
        break;
    case WM_LBUTTONUP: {
        if (::GetCapture() == m_hwnd) ::ReleaseCapture();
        ReleaseAt(ClientRect(), point);  // a click may end in the parent deleting tools
        SNavToolState& s = NavToolState();
        if (s.pressed) {  // released elsewhere: no click
            s.pressed->SetState(CNavPaneItemTool::kPressed, false);
            s.pressed = nullptr;
            s.needsRepaint = true;
        }
        RepaintIfNeeded();
        break;
    }
    case WM_MOUSELEAVE: {
        m_tracking = 0;
        HoverAt(ClientRect(), Cursor());
        SNavToolState& s = NavToolState();
        if (s.hot) s.SetHot(nullptr);
        RepaintIfNeeded();
        break;
    }
    case WM_GETOBJECT:
        if (const LRESULT answer =
                m_accessible.Answer(wParam, lParam, [this] { return new CToolBarAccessible(*this); })) {
            return answer;
        }
        break;
    case WM_DESTROY:
        m_accessible.Disconnect();
        if (m_tips && ::IsWindow(m_tips)) ::DestroyWindow(m_tips);
        m_tips = nullptr;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
