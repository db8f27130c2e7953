#include "app/CButtonWnd.h"

#include "app/CButtonAccessible.h"
#include "app/CButtonWndLogic.h"
#include "app/CButtonWndLooks.h"
#include "scene/CDrawTarget.h"
#include "scene/win/DcPixels.h"
#include "view/ViewScale.h"
#include "wnd/Dpi.h"
#include "wnd/SystemColours.h"

#include <windowsx.h>

#include <cstring>

namespace {

constexpr UINT kWmDpiChangedAfterParent = 0x02E3;  // WM_DPICHANGED_AFTERPARENT (Windows 10 1703)

}  // namespace

CButtonWnd::CButtonWnd() noexcept = default;

CButtonWnd::~CButtonWnd() {
    if (m_hwnd) ::KillTimer(m_hwnd, kHoverTimer);
}

bool& CButtonWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

void CButtonWnd::PreRegisterClass(WNDCLASSEXW& wc) { wc.style |= CS_OWNDC; }

bool CButtonWnd::LoadLooks(HINSTANCE module, int baseId, int textureId, int overlayId) {
    m_looks = SLookIds{module, baseId, textureId, overlayId, true};
    m_stillLook = kNoStill;
    m_pendingLooks = 0;
    m_pendingTurn = 0;
    m_looksDpi = static_cast<int>(Dpi::ForWindow(m_hwnd));
    m_image.Free();
    m_image.LoadFromResource(module, baseId);
    // Built at the dialog's scale from the 96-DPI pictures: never a finished look stretched. Only
    // the normal look is needed to show the window; the hot and pressed ones are built when
    // they are first shown.
    bool built = PrepareButtonBase(m_image, m_looksDpi);
    if (built) {
        CBmp texture;
        CBmp overlay;
        LoadTextureAndOverlay(texture, overlay);
        built = BuildButtonLook(m_image, kLookNormal, texture, overlay, m_looksDpi);
        m_pendingLooks = (1 << kLookHot) | (1 << kLookPressed);
        m_textureWidth = SViewScale::ForDpi(m_looksDpi).Edge(texture.Width());
        m_textureHeight = SViewScale::ForDpi(m_looksDpi).Edge(texture.Height());
    }
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
    return built && !m_image.IsEmpty();
}

void CButtonWnd::LoadTextureAndOverlay(CBmp& texture, CBmp& overlay) const {
    texture.LoadGifFromResource(m_looks.module, m_looks.textureId);
    overlay.LoadFromResource(m_looks.module, m_looks.overlayId);
}

bool CButtonWnd::IsLookPending(int look) const noexcept { return look >= 0 && (m_pendingLooks & (1 << look)) != 0; }

void CButtonWnd::EnsureLook(int look) {
    if (!IsLookPending(look)) return;
    m_pendingLooks &= ~(1 << look);
    CBmp texture;
    CBmp overlay;
    LoadTextureAndOverlay(texture, overlay);
    if (!BuildButtonLook(m_image, look, texture, overlay, m_looksDpi)) return;
    // Its texture takes up where the others' are: the scrolls it missed, all at once.
    for (const SLayerRef& ref : kTextureLayers) {
        if (ref.group != look) continue;
        if (CBmp* layer = m_image.Layer(ref.group, ref.index)) layer->RotateColours(m_pendingTurn);
    }
}

CBmp& CButtonWnd::Image() {
    EnsureLook(kLookHot);
    EnsureLook(kLookPressed);
    return m_image;
}

LRESULT CButtonWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        HandlePaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole button
    case WM_GETDLGCODE:
        return DLGC_BUTTON;
    case kWmDpiChangedAfterParent:
        // The dialog moved to a monitor of another scale: the looks are built again for it.
        if (m_looks.loaded) LoadLooks(m_looks.module, m_looks.baseId, m_looks.textureId, m_looks.overlayId);
        return 0;
    case WM_TIMER:
        if (wParam == kHoverTimer) {
            HandleTimer();
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        HandleMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_LBUTTONDOWN:
        HandleLButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_LBUTTONUP:
        HandleLButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_MOUSELEAVE:
        HandleMouseLeave();
        break;
    case WM_CAPTURECHANGED:
        // Capture taken away (another window, a menu, a dialog): that press can no longer click.
        if (reinterpret_cast<HWND>(lParam) != m_hwnd) m_pressed = false;
        break;
    case WM_GETOBJECT:
        if (const LRESULT answer =
                m_accessible.Answer(wParam, lParam, [this] { return new CButtonAccessible(*this); })) {
            return answer;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ::InvalidateRect(m_hwnd, nullptr, FALSE);  // the focus rectangle
        break;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
        break;
    case WM_DESTROY:
        m_accessible.Disconnect();
        StopHover();
        m_pressed = false;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

LRESULT CButtonWnd::OnSysKeyDown(WPARAM wParam, LPARAM lParam) { return DefaultProc(WM_SYSKEYDOWN, wParam, lParam); }

LRESULT CButtonWnd::OnSysKeyUp(WPARAM wParam, LPARAM lParam) { return DefaultProc(WM_SYSKEYUP, wParam, lParam); }

void CButtonWnd::PaintState(HDC dc, const RECT& client, POINT pointer) {
    if (sys_colours::HighContrast()) {
        PaintPlain(dc, client, ::PtInRect(&client, pointer) != FALSE);
        return;
    }
    CDrawTarget target(dc);
    const button_logic::ELook look = CurrentLook(client, pointer);
    EnsureLook(static_cast<int>(look));
    if (look == button_logic::ELook::None) {
        m_image.DrawAlpha(target, 0, 0);
    } else {
        m_image.DrawGroup(static_cast<int>(look), target, 0, 0);
    }
}

button_logic::ELook CButtonWnd::CurrentLook(const RECT& client, POINT pointer) const {
    const button_logic::CLookInput in{
        ::PtInRect(&client, pointer) != FALSE,
        (::GetKeyState(VK_LBUTTON) & 0x8000) != 0,
        m_image.GroupHasLayers(kLookNormal),
        m_image.GroupHasLayers(kLookHot) || IsLookPending(kLookHot),
        m_image.GroupHasLayers(kLookPressed) || IsLookPending(kLookPressed),
    };
    return button_logic::ChooseLook(in);
}

void CButtonWnd::PaintPlain(HDC dc, const RECT& client, bool hot) {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    CUniqueBrush frame(::CreateSolidBrush(::GetSysColor(hot ? COLOR_HIGHLIGHT : COLOR_WINDOWTEXT)));
    RECT edge = client;
    for (int i = 0; i < 2; ++i) {
        ::FrameRect(dc, &edge, frame.get());
        ::InflateRect(&edge, -1, -1);
    }
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(::GetParent(m_hwnd), WM_GETFONT, 0, 0));
    CSelectObject selectFont(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    RECT text = client;
    ::DrawTextW(dc, L"Settings", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (::GetFocus() == m_hwnd) {
        ::InflateRect(&edge, -2, -2);
        ::DrawFocusRect(dc, &edge);
    }
}

void CButtonWnd::OnPress(const RECT&, POINT) {}

void CButtonWnd::OnRelease(const RECT& client, POINT point) {
    if (!::PtInRect(&client, point)) return;
    Notify(static_cast<UINT>(::GetDlgCtrlID(m_hwnd)));
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CButtonWnd::OnHover(const RECT&, POINT) {}

void CButtonWnd::Notify(UINT id) {
    if (const HWND parent = ::GetParent(m_hwnd)) ::PostMessageW(parent, WM_COMMAND, id, 0);
}

void CButtonWnd::HandlePaint() {
    if (m_guard) {
        // Reached only while our own paint has the parent repaint; that paint covers the button.
        ::ValidateRect(m_hwnd, nullptr);
        return;
    }
    // Repaint the whole button: the parent's repaint below erases all of it.
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
    if (!m_background) RepaintParentBehind();
    CPaintDc paint(m_hwnd);
    if (!paint.get()) return;
    DrawOver(paint.get(), m_background ? m_background->Dc() : paint.get());
}

void CButtonWnd::HandleTimer() {
    if (!AnimationVisible()) {
        // Minimised, hidden or held: the next move over the button starts the hover again.
        m_hovering = false;
        StopHover();
        return;
    }
    ScrollTextures();
    if (!m_background) return;
    CWindowDc dc(m_hwnd);
    if (!dc) return;
    RECT visible{};
    if (::GetClipBox(dc.get(), &visible) == NULLREGION) return;  // covered by other windows
    if (sys_colours::HighContrast() || !DrawTick(dc.get())) DrawOver(dc.get(), m_background->Dc());
}

bool CButtonWnd::AnimationVisible() const {
    if (m_held || !m_hwnd || !::IsWindowVisible(m_hwnd)) return false;
    const HWND root = ::GetAncestor(m_hwnd, GA_ROOT);
    return !(root && ::IsIconic(root));
}

void CButtonWnd::HoldAnimation(bool held) {
    if (held == m_held) return;
    m_held = held;
    if (held) {
        m_hovering = false;
        StopHover();
    }
}

bool CButtonWnd::DrawTick(HDC target) {
    const RECT client = ClientRect();
    const int w = client.right;
    const int h = client.bottom;
    if (w <= 0 || h <= 0 || !m_background) return false;
    // While the hover ticks the button sees every move of the pointer over it (and, while pressed,
    // every move at all); a pointer gone elsewhere ends the hover with a leave notice.
    const button_logic::ELook look = CurrentLook(client, m_pointer);
    if (m_stillLook != static_cast<int>(look) || m_still.Width() != w || m_still.Height() != h) {
        if (!ComposeStill(look, w, h)) return false;
    }
    std::memcpy(m_tick.Bits(), m_still.Bits(), static_cast<size_t>(m_still.ByteSize()));
    if (look != button_logic::ELook::None) {
        const int group = static_cast<int>(look);
        for (int i = m_firstMoving; i < m_image.LayerCount(group); ++i) m_image.Layer(group, i)->DrawAlpha(m_tick, 0, 0);
    }
    const BITMAPINFO bi = TopDown32(w, h);
    return ::SetDIBitsToDevice(target, 0, 0, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0,
                               static_cast<UINT>(h), m_tick.Bits(), &bi, DIB_RGB_COLORS) != 0;
}

bool CButtonWnd::ComposeStill(button_logic::ELook look, int width, int height) {
    m_stillLook = kNoStill;
    EnsureLook(static_cast<int>(look));
    if (m_still.Width() != width || m_still.Height() != height) {
        FreeTickBuffers();
        if (!m_still.Create(width, height) || !m_tick.Create(width, height)) {
            FreeTickBuffers();
            return false;
        }
    }
    if (!ReadDcPixels(m_background->Dc(), 0, 0, width, height, m_still.Bits())) return false;
    if (look == button_logic::ELook::None) {
        m_image.DrawAlpha(m_still, 0, 0);
        m_firstMoving = 0;
    } else {
        // Layers under the look's texture never change while hovering; the texture and what lies
        // over it are drawn every tick.
        const int group = static_cast<int>(look);
        m_firstMoving = m_image.LayerCount(group);
        for (const SLayerRef& ref : kTextureLayers) {
            if (ref.group == group && ref.index < m_firstMoving) m_firstMoving = ref.index;
        }
        for (int i = 0; i < m_firstMoving; ++i) m_image.Layer(group, i)->DrawAlpha(m_still, 0, 0);
    }
    m_stillLook = static_cast<int>(look);
    return true;
}

void CButtonWnd::FreeTickBuffers() noexcept {
    m_still.Free();
    m_tick.Free();
    m_stillLook = kNoStill;
}

void CButtonWnd::HandleMouseMove(int x, int y) {
    const RECT client = ClientRect();
    const POINT point{x, y};
    m_pointer = point;
    OnHover(client, point);
    // Hovering starts only inside: moves that a held capture reports from outside must not
    // restart it (the leave notice would follow at once, over and over).
    if (!m_hovering && ::PtInRect(&client, point) && AnimationVisible()) {
        m_hovering = true;
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hwnd;
        ::TrackMouseEvent(&track);
        RepaintParentBehind();
        TakeBackgroundCopy();
        if (m_background) {
            CWindowDc dc(m_hwnd);
            if (dc) DrawOver(dc.get(), m_background->Dc());
        }
        m_timerOn = ::SetTimer(m_hwnd, kHoverTimer, kHoverPeriodMs, nullptr) != 0;
    }
    m_stepX = button_logic::ScrollStep(x, client.right);
    m_stepY = button_logic::ScrollStep(y, client.bottom);
}

void CButtonWnd::HandleLButtonDown(int x, int y) {
    m_pointer = POINT{x, y};
    ::SetCapture(m_hwnd);
    m_pressed = ::GetCapture() == m_hwnd;
    OnPress(ClientRect(), POINT{x, y});
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CButtonWnd::HandleLButtonUp(int x, int y) {
    // Only a press that began here clicks: a drag that merely ends over the button does not.
    const bool pressedHere = m_pressed && ::GetCapture() == m_hwnd;
    m_pointer = POINT{x, y};
    m_pressed = false;
    if (::GetCapture() == m_hwnd) ::ReleaseCapture();
    if (pressedHere) OnRelease(ClientRect(), POINT{x, y});
    m_hovering = false;  // the next move starts hovering (and leave tracking) afresh
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CButtonWnd::HandleMouseLeave() {
    m_hovering = false;
    OnHover(ClientRect(), PointerInClient());
    StopHover();
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CButtonWnd::StopHover() {
    if (m_hwnd) ::KillTimer(m_hwnd, kHoverTimer);
    m_timerOn = false;
    m_background.reset();
    FreeTickBuffers();
}

void CButtonWnd::DrawOver(HDC target, HDC source) {
    const RECT client = ClientRect();
    const int w = client.right;
    const int h = client.bottom;
    if (w <= 0 || h <= 0 || !target || !source) return;
    CDcCanvas canvas;
    if (!canvas.Create(target, client)) return;
    ::BitBlt(canvas.Dc(), 0, 0, w, h, source, 0, 0, SRCCOPY);
    PaintState(canvas.Dc(), client, PointerInClient());
    canvas.CopyTo(target);
}

void CButtonWnd::RepaintParentBehind() {
    const HWND parent = ::GetParent(m_hwnd);
    if (!parent) return;
    RECT area;
    ::GetWindowRect(m_hwnd, &area);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    // The parent does not clip its children, so its erase paints the area under the button; the
    // button itself is left out of this update (it paints right after).
    m_guard = true;
    ::RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
    m_guard = false;
}

void CButtonWnd::TakeBackgroundCopy() {
    m_background.reset();
    m_stillLook = kNoStill;
    const RECT client = ClientRect();
    if (client.right <= 0 || client.bottom <= 0) return;
    CWindowDc dc(m_hwnd);
    if (!dc) return;
    auto copy = std::make_unique<CDcCanvas>();
    if (!copy->Create(dc.get(), client)) return;
    ::BitBlt(copy->Dc(), 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
    m_background = std::move(copy);
}

void CButtonWnd::ScrollTextures() {
    for (const SLayerRef& ref : kTextureLayers) {
        if (CBmp* layer = m_image.Layer(ref.group, ref.index)) layer->Scroll(m_stepX, m_stepY);
    }
    if (m_pendingLooks != 0) {
        const long long count = static_cast<long long>(m_textureWidth) * m_textureHeight;
        if (count > 0)
            m_pendingTurn = (m_pendingTurn + CBmp::ScrollTurn(m_textureWidth, m_textureHeight, m_stepX, m_stepY)) % count;
    }
}

RECT CButtonWnd::ClientRect() const {
    RECT client{};
    if (m_hwnd) ::GetClientRect(m_hwnd, &client);
    return client;
}

POINT CButtonWnd::PointerInClient() const {
    POINT point{-1, -1};
    if (::GetCursorPos(&point) && m_hwnd) ::ScreenToClient(m_hwnd, &point);
    return point;
}
