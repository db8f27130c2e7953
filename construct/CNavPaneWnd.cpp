#include "construct/CNavPaneWnd.h"

#include "construct/CNavPaneAccessible.h"
#include "construct/CanvasPixels.h"
#include "construct/NavPaneLogic.h"
#include "scene/CDrawTarget.h"
#include "scene/Transforms.h"
#include "wnd/Dpi.h"
#include "wnd/Handles.h"
#include "wnd/SystemColours.h"

#include <algorithm>

namespace {

constexpr int kDefaultRow = 22;  // an arrow step at 96 DPI when there is no row to measure

int ClientHeight(HWND hwnd) {
    RECT rc{};
    if (hwnd) ::GetClientRect(hwnd, &rc);
    return rc.bottom;
}

bool IsWithin(const CNavPaneItem* item, const CNavPaneItem* root) {
    if (item == root) return true;
    for (const CNavPaneItem* child : root->Children()) {
        if (IsWithin(item, child)) return true;
    }
    return false;
}

}  // namespace

CNavPaneWnd::CNavPaneWnd() { m_root.MakeRoot(this); }

CNavPaneWnd::~CNavPaneWnd() {
    if (m_hwnd && ::IsWindow(m_hwnd)) {
        while (const HWND child = ::GetWindow(m_hwnd, GW_CHILD)) {
            if (!::DestroyWindow(child)) break;
        }
    }
    m_selection.DetachAll();
    m_headerPicture.Free();
    m_dragWnd.Destroy();
    // Entries last, while every field they report their end to still exists.
    m_root.Children().Clear();
    SNavToolState& s = NavToolState();
    s.needsRepaint = false;
}

bool& CNavPaneWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

void CNavPaneWnd::PreRegisterClass(WNDCLASSEXW& wc) { wc.style |= CS_DBLCLKS; }

// --- entries ---

bool CNavPaneWnd::AddItem(CNavPaneItem* item) {
    if (!item || item->IsRoot() || item->m_pane) return false;
    if (!m_root.Children().Add(item)) return false;
    item->m_parent = &m_root;
    item->SetPane(this);
    if (m_parentSink) m_parentSink->OnItemState(item, 0);
    UpdateScrollBar(item);
    if (m_reversed) SetScroll(0, false);
    if (!m_noFocusAllowed && !m_focused) FocusItem(item);
    NotifyRowEvent(EVENT_OBJECT_REORDER, nullptr);
    return true;
}

bool CNavPaneWnd::RemoveItem(CNavPaneItem* item) {
    if (!item || item->IsRoot() || item->m_pane != this || !item->m_parent) return false;
    CNavPaneItem* parent = item->m_parent;
    const int index = parent->Children().IndexOf(item);
    if (index < 0) return false;
    CNavPaneItem* neighbour = parent->Children().GetAt(index + 1);
    if (!neighbour) neighbour = parent->Children().GetAt(index - 1);
    const bool hadFocus = m_focused && IsWithin(m_focused, item);
    const bool focusShown = hadFocus && RowInView(m_focused);
    m_selection.Detach(item);
    parent->Children().Remove(item);  // deletes it; ForgetItem clears what pointed at it
    if (hadFocus) m_focused = (neighbour && !neighbour->IsRoot()) ? neighbour : nullptr;
    UpdateScrollBar(nullptr);
    if (focusShown) ScrollIntoView(m_focused);  // the focus passed to a row in view
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
    NotifyRowEvent(EVENT_OBJECT_REORDER, nullptr);
    if (hadFocus && HasFocus()) NotifyRowEvent(EVENT_OBJECT_FOCUS, m_focused);
    return true;
}

void CNavPaneWnd::NotifyRowEvent(DWORD event, const CNavPaneItem* row) const {
    if (!m_hwnd) return;
    const long child = row ? CNavPaneAccessible::ChildId(*this, row) : CHILDID_SELF;
    if (row && child == CHILDID_SELF) return;  // not a row on screen
    NotifyAccessible(event, m_hwnd, child);
}

void CNavPaneWnd::ForgetItem(CNavPaneItem* item) {
    m_selection.Detach(item);
    if (m_focused == item) m_focused = nullptr;
    if (m_lastHot == item) m_lastHot = nullptr;
    if (m_anchor == item) m_anchor = nullptr;
    if (m_dragSource == item || m_dropTarget == item) EndDrag();
    m_rows.erase(std::remove(m_rows.begin(), m_rows.end(), item), m_rows.end());
    SNavToolState& s = NavToolState();
    if (s.hotItem == item) s.hotItem = nullptr;
}

void CNavPaneWnd::SetItemSelected(CNavPaneItem* item, bool select) {
    if (select) {
        m_selection.Add(item);
    } else {
        m_selection.Detach(item);
    }
    if (item->IsSelected() == select) return;
    item->SetSelectedFlag(select);
    // One selected row is the selection; more rows are added to it.
    const DWORD event = !select ? EVENT_OBJECT_SELECTIONREMOVE
                        : m_selection.Count() == 1 ? EVENT_OBJECT_SELECTION
                                                   : EVENT_OBJECT_SELECTIONADD;
    NotifyRowEvent(event, item);
    if (m_parentSink) m_parentSink->OnItemState(item, 0);
}

void CNavPaneWnd::ClearSelection() {
    const std::vector<CNavPaneItem*> items = m_selection.Items();
    m_selection.DetachAll();
    for (CNavPaneItem* item : items) {
        if (!IsWithin(item, &m_root) || !item->IsSelected()) continue;  // gone meanwhile
        item->SetSelectedFlag(false);
        NotifyRowEvent(EVENT_OBJECT_SELECTIONREMOVE, item);
        if (m_parentSink) m_parentSink->OnItemState(item, 0);
    }
}

void CNavPaneWnd::SelectItem(CNavPaneItem* item) {
    if (!m_selectionEnabled || !item || item->IsRoot()) return;
    if (!m_multiple) ClearSelection();
    SetItemSelected(item, true);
}

void CNavPaneWnd::SelectAll(CNavPaneItem* item, bool select, bool recursive) {
    if (select && !m_selectionEnabled) return;
    CNavPaneItem* from = item ? item : &m_root;
    const std::vector<CNavPaneItem*> children = from->Children().Items();
    for (CNavPaneItem* child : children) {
        SetItemSelected(child, select);
        if (recursive) SelectAll(child, select, true);
    }
}

bool CNavPaneWnd::FocusItem(CNavPaneItem* item) {
    if (item == m_focused) return true;
    if (item && m_parentSink && m_parentSink->OnItemState(item, 0) != 0) return false;
    m_focused = item;
    if (item && HasFocus()) NotifyRowEvent(EVENT_OBJECT_FOCUS, item);
    return true;
}

void CNavPaneWnd::SetDpi(UINT dpi) {
    if (dpi == 0 || dpi == m_dpi) return;
    m_dpi = dpi;
    UpdateScrollBar(nullptr);
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

int CNavPaneWnd::Px(int value) const noexcept { return Dpi::Scale(value, m_dpi); }

void CNavPaneWnd::SetHeaderPicture(const CBmp& picture) {
    m_headerPicture.Free();
    m_headerPicture.CopyFrom(picture);
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

CNavPaneItem* CNavPaneWnd::ItemAt(const POINT& point) const {
    for (CNavPaneItem* item : m_rows) {
        if (::PtInRect(&item->m_headerRect, point)) return item;
    }
    return nullptr;
}

void CNavPaneWnd::MoveItem(CNavPaneItem* source, CNavPaneItem* target, bool before) {
    CNavPaneItem* parent = source->m_parent;
    if (!parent || target->m_parent != parent || source == target) return;
    std::vector<CNavPaneItem*> order = parent->Children().Items();
    order.erase(std::remove(order.begin(), order.end(), source), order.end());
    auto at = std::find(order.begin(), order.end(), target);
    if (at == order.end()) return;
    order.insert(before ? at : at + 1, source);
    parent->Children().DetachAll();
    for (CNavPaneItem* child : order) parent->Children().Add(child);
}

// --- layout and scrolling ---

int CNavPaneWnd::BlockHeight(const CNavPaneItem* item) const {
    int h = item->HeaderHeight();
    if (!item->IsExpanded()) return h;
    if (item->m_attached && ::IsWindow(item->m_attached)) {
        RECT rc{};
        ::GetWindowRect(item->m_attached, &rc);
        h += rc.bottom - rc.top + ::GetSystemMetrics(SM_CYEDGE) + ::GetSystemMetrics(SM_CYBORDER);
    }
    for (const CNavPaneItem* child : item->Children()) h += BlockHeight(child);
    return h;
}

int CNavPaneWnd::LayoutBlock(CNavPaneItem* item, int top, int left, int right) {
    int y = top;
    if (item->HasHeader()) {
        item->m_headerRect = RECT{left, y, right, y + item->HeaderHeight()};
        item->m_visible = true;
        m_rows.push_back(item);
        y += item->HeaderHeight();
    }
    if (!item->IsExpanded()) return y - top;
    if (item->m_attached && ::IsWindow(item->m_attached)) {
        RECT rc{};
        ::GetWindowRect(item->m_attached, &rc);
        ::SetWindowPos(item->m_attached, nullptr, left + ::GetSystemMetrics(SM_CXFRAME), y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        y += rc.bottom - rc.top + ::GetSystemMetrics(SM_CYEDGE) + ::GetSystemMetrics(SM_CYBORDER);
    }
    const int childLeft = item->IsRoot() ? left : left + Px(m_indentLeft);
    const int childRight = item->IsRoot() ? right : right - Px(m_indentRight);
    for (CNavPaneItem* child : item->Children()) {
        // Children put straight into the collection are adopted here, so that their end is heard.
        if (child->m_parent != item || child->m_pane != this) {
            child->m_parent = item;
            child->SetPane(this);
        }
        y += LayoutBlock(child, y, childLeft, childRight);
    }
    return y - top;
}

void CNavPaneWnd::Layout() {
    for (CNavPaneItem* item : m_rows) item->m_visible = false;
    m_rows.clear();
    RECT client{};
    if (m_hwnd) ::GetClientRect(m_hwnd, &client);
    m_layoutHeight = client.bottom;
    m_total = 0;
    for (const CNavPaneItem* child : m_root.Children()) m_total += BlockHeight(child);
    int offset = 0;
    for (CNavPaneItem* child : m_root.Children()) {
        const int h = BlockHeight(child);
        LayoutBlock(child, navpane::BlockTop(offset, h, m_total, m_scroll, m_reversed), client.left, client.right);
        offset += h;
    }
}

void CNavPaneWnd::Relayout() {
    Layout();
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CNavPaneWnd::UpdateScrollBar(CNavPaneItem*) {
    static bool busy = false;  // changing the frame resizes the client, which comes back here
    if (busy) return;
    busy = true;
    const bool focusShown = RowInView(m_focused);  // before the rows move
    Layout();
    if (m_hwnd) {
        const int h = ClientHeight(m_hwnd);
        const LONG_PTR style = ::GetWindowLongPtrW(m_hwnd, GWL_STYLE);
        const bool hadBar = (style & WS_VSCROLL) != 0;
        const bool needsBar = m_total > h;
        const bool firstLayout = !m_placed && h > 0;
        if (h > 0) m_placed = true;
        if (needsBar) {
            // Rows removed, resized or rescaled: the place is kept, and so is a focused row in view.
            m_scrollMax = navpane::ScrollMax(m_total, h);
            navpane::SSpan focus{0, 0};
            if (focusShown && m_focused->Visible()) {
                focus = {m_focused->m_headerRect.top, m_focused->m_headerRect.bottom};
            }
            m_scroll = navpane::UpdatedScroll(m_scroll, m_scrollMax, h, focus, firstLayout, m_reversed);
        } else {
            m_scroll = 0;
            m_scrollMax = 0;
        }
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
        si.nMin = 0;
        si.nMax = needsBar ? m_scrollMax + h - 1 : 0;  // the page makes the thumb's size
        si.nPage = needsBar ? static_cast<UINT>(h) : 0;
        si.nPos = m_scroll;
        if (needsBar != hadBar) {
            // The frame changes only when the bar comes or goes: that is the costly part.
            ::SetWindowLongPtrW(m_hwnd, GWL_STYLE,
                                needsBar ? (style | WS_VSCROLL) : (style & ~static_cast<LONG_PTR>(WS_VSCROLL)));
            ::SetScrollInfo(m_hwnd, SB_VERT, &si, FALSE);
            ::SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0,
                           SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (needsBar) {
            SCROLLINFO now{};
            now.cbSize = sizeof(now);
            now.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
            ::GetScrollInfo(m_hwnd, SB_VERT, &now);
            if (now.nMax != si.nMax || now.nPage != si.nPage || now.nPos != si.nPos) {
                // Drawing the bar at once costs a round trip per call; many rows are often added
                // in a row, so the bar is drawn with the next paint instead.
                ::SetScrollInfo(m_hwnd, SB_VERT, &si, FALSE);
                ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
            }
        }
        Layout();  // with the new position (and width, when the bar came or went)
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
    }
    busy = false;
}

void CNavPaneWnd::SetScroll(int pos, bool erase) {
    m_scroll = navpane::ClampScroll(pos, m_scrollMax);
    if (m_hwnd) ::SetScrollPos(m_hwnd, SB_VERT, m_scroll, TRUE);
    Layout();
    if (m_hwnd) {
        ::InvalidateRect(m_hwnd, nullptr, erase ? TRUE : FALSE);
        ::UpdateWindow(m_hwnd);
    }
}

void CNavPaneWnd::OnVScroll(int code, int) {
    const int page = navpane::PageStep(ClientHeight(m_hwnd));
    int pos = m_scroll;
    switch (code) {
    case SB_LINEUP: pos -= LineStep(); break;
    case SB_LINEDOWN: pos += LineStep(); break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = m_scrollMax; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;  // full 32-bit position, unlike the message's 16 bits
        ::GetScrollInfo(m_hwnd, SB_VERT, &si);
        pos = si.nTrackPos;
        break;
    }
    default: return;
    }
    if (pos == m_scroll && code != SB_THUMBPOSITION) return;
    SetScroll(pos, true);
}

bool CNavPaneWnd::OnWheel(short delta) {
    const int notches = m_wheel.Add(delta);
    if (notches != 0) SetScroll(navpane::WheelScroll(m_scroll, notches, m_scrollMax, Px(30)), false);
    return true;
}

int CNavPaneWnd::LineStep() const {
    const CNavPaneItem* measured = m_rows.empty() ? nullptr : m_rows.front();
    for (const CNavPaneItem* row : m_rows) {
        if (row->m_headerRect.top <= 0 && row->m_headerRect.bottom > 0) {
            measured = row;
            break;
        }
    }
    return navpane::LineStep(measured ? measured->HeaderHeight() : 0, Px(kDefaultRow));
}

bool CNavPaneWnd::RowInView(const CNavPaneItem* row) const {
    return row && row->Visible() && row->m_headerRect.bottom > 0 && row->m_headerRect.top < m_layoutHeight;
}

void CNavPaneWnd::ScrollIntoView(const CNavPaneItem* row) {
    if (!row || !row->Visible() || !m_hwnd) return;
    const int pos =
        navpane::ScrollToShow(m_scroll, row->m_headerRect.top, row->m_headerRect.bottom, ClientHeight(m_hwnd));
    if (pos != m_scroll) SetScroll(pos, false);
}

// --- painting ---

void CNavPaneWnd::OnPaint() {
    CPaintDc paint(m_hwnd);
    if (!paint.get()) return;
    RECT area = paint.ps().rcPaint;
    if (area.right <= area.left || area.bottom <= area.top) return;
    // The canvas covers only the paint area; its origin makes client coordinates work on it.
    CSectionCanvas canvas;
    if (!canvas.Create(paint.get(), area.right - area.left, area.bottom - area.top)) return;
    const HDC dc = canvas.Dc();
    ::SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
    ::FillRect(dc, &area, ::GetSysColorBrush(sys_colours::Pick(COLOR_BTNFACE, COLOR_WINDOW)));
    HFONT font = m_font;
    if (!font) font = reinterpret_cast<HFONT>(::SendMessageW(::GetParent(m_hwnd), WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    {
        CSelectObject selectFont(dc, font);
        ::SetBkMode(dc, TRANSPARENT);
        PaintItems(dc, area);
        if (m_dropMarker.bottom != m_dropMarker.top) ::InvertRect(dc, &m_dropMarker);
    }
    ::SetViewportOrgEx(dc, 0, 0, nullptr);
    canvas.CopyTo(paint.get(), area.left, area.top);
}

void CNavPaneWnd::PaintItems(HDC dc, const RECT& clip) {
    const bool focused = HasFocus();
    for (CNavPaneItem* item : m_rows) {
        RECT overlap;
        if (!::IntersectRect(&overlap, &item->m_headerRect, &clip)) continue;  // outside the paint area
        item->Paint(dc, clip, item->m_headerRect);
        if (focused && item == m_focused) {
            RECT r = item->m_headerRect;
            ::InflateRect(&r, -Px(2), -Px(2));
            ::SetTextColor(dc, RGB(0, 0, 0));
            ::SetBkColor(dc, RGB(255, 255, 255));
            ::DrawFocusRect(dc, &r);
        }
    }
}

void CNavPaneWnd::DrawHeaderPicture(HDC dc, const RECT& rect, bool selected, bool hot) const {
    CDrawTarget target(dc);
    m_headerPicture.DrawStretchedBorder(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                        4, 4);
    if (selected || hot) {
        CUniqueBrush brush(::CreateSolidBrush(::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_HOTLIGHT)));
        ::FrameRect(dc, &rect, brush.get());
    }
}

void CNavPaneWnd::DrawCustomGradient(HDC dc, const RECT& rect, COLORREF back) const {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    CBmp fill;
    if (!fill.Create(w, h)) return;
    const SPoint stops[2] = {{2 * w / 3 - 1, 0}, {2 * w / 3 + 2, h}};
    const std::uint32_t colours[2] = {0xFFC0C0C0u, 0xFF000000u | (back & 0x00FFFFFFu)};
    GradientFill(fill, stops, colours, 2, true, true);
    std::uint8_t* p = fill.Bits();
    for (int i = 0; i < w * h; ++i) p[i * 4 + 3] = 255;
    WriteCanvasPixels(dc, rect.left, rect.top, w, h, fill.Bits());
}

void CNavPaneWnd::RepaintIfNeeded() {
    SNavToolState& s = NavToolState();
    if (!s.needsRepaint || !m_hwnd) return;
    s.needsRepaint = false;
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

// --- mouse ---

void CNavPaneWnd::NotifyHot(CNavPaneItem* hot) {
    if (hot == m_lastHot) return;
    CNavPaneItem* previous = m_lastHot;
    m_lastHot = hot;
    if (m_parentSink) m_parentSink->OnHotItemChanged(hot, previous);
}

void CNavPaneWnd::OnMouseMove(WPARAM keys, int x, int y) {
    if (!m_tracking) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hwnd;
        m_tracking = ::TrackMouseEvent(&track) != FALSE;
    }
    POINT point{x, y};
    SNavToolState& s = NavToolState();
    CNavPaneItem* hit = ItemAt(point);
    CNavPaneItem* before = s.hotItem;
    const bool toolChanged = hit ? hit->OnMouseMove(point) : s.SetHot(nullptr);
    s.hotItem = hit;
    if (toolChanged || before != hit) {
        // Only the rows whose look may have changed are painted again.
        for (CNavPaneItem* row : {before, hit}) {
            if (row && row->Visible()) ::InvalidateRect(m_hwnd, &row->m_headerRect, FALSE);
        }
        s.needsRepaint = false;
    }
    if (m_dragSource && (keys & MK_LBUTTON)) UpdateDrag(point);
    NotifyHot(hit);
    if (m_parentSink) m_parentSink->OnMouseAfter(WM_MOUSEMOVE, &point, ItemAt(point));
}

void CNavPaneWnd::UpdateDrag(const POINT& point) {
    if (!m_dragWnd.IsDragStarted(point)) return;
    CNavPaneItem* over = ItemAt(point);
    if (over && over->m_parent != m_dragSource->m_parent) over = nullptr;  // rows move among siblings
    RECT marker{-1, 0, 0, 0};
    marker.bottom = marker.top;
    if (over && over != m_dragSource) {
        const RECT& r = over->m_headerRect;
        const navpane::SSpan band = navpane::DropMarker(point.y, r.top, r.bottom, Px(kDropBand) / 2);
        marker = RECT{r.left, band.first, r.right, band.last};
    }
    if (over) m_dropTarget = over;
    if (!::EqualRect(&marker, &m_dropMarker)) {
        if (m_dropMarker.bottom != m_dropMarker.top) ::InvalidateRect(m_hwnd, &m_dropMarker, FALSE);
        m_dropMarker = marker;
        if (marker.bottom != marker.top) ::InvalidateRect(m_hwnd, &marker, FALSE);
    }
    const CNavPaneItem* sized = over ? over : m_dragSource;
    RECT ghost{0, 0, sized->m_headerRect.right - sized->m_headerRect.left,
               sized->m_headerRect.bottom - sized->m_headerRect.top};
    POINT screen{0, point.y - ghost.bottom / 2};
    ::ClientToScreen(m_hwnd, &screen);
    RECT window{};
    ::GetWindowRect(m_hwnd, &window);
    m_dragX = window.left;
    m_dragY = screen.y;
    ::OffsetRect(&ghost, m_dragX, m_dragY);
    if (!m_dragWnd.IsValid()) {
        m_dragWnd.CreateGhost(m_hwnd, ghost);
    } else {
        m_dragWnd.MoveGhost(ghost);
    }
}

void CNavPaneWnd::EndDrag() {
    m_dragSource = nullptr;
    m_dropTarget = nullptr;
    m_dragWnd.ResetDrag();
    m_dragWnd.Destroy();
    if (m_dropMarker.bottom != m_dropMarker.top && m_hwnd) ::InvalidateRect(m_hwnd, &m_dropMarker, FALSE);
    m_dropMarker = RECT{-1, 0, 0, 0};
    m_dropMarker.bottom = m_dropMarker.top;
}

void CNavPaneWnd::OnMouseLeft() {
    m_tracking = false;
    SNavToolState& s = NavToolState();
    CNavPaneItem* before = s.hotItem;
    const bool toolChanged = s.SetHot(nullptr);
    s.hotItem = nullptr;
    if ((toolChanged || before) && before && before->Visible()) ::InvalidateRect(m_hwnd, &before->m_headerRect, FALSE);
    s.needsRepaint = false;
    CNavPaneItem* previous = m_lastHot;
    m_lastHot = nullptr;
    if (m_parentSink) m_parentSink->OnHotItemChanged(nullptr, previous);
}

void CNavPaneWnd::OnLButtonDown(WPARAM, int x, int y) {
    ::SetCapture(m_hwnd);
    m_pressedHere = true;
    POINT point{x, y};
    CNavPaneItem* hit = ItemAt(point);
    const bool toolPressed = hit && hit->OnLButtonDown(point);
    if (!toolPressed && m_reorder && hit) {
        EndDrag();
        m_dragSource = hit;
        m_dropTarget = hit;
        m_dragWnd.SetDragOrigin(point);
    }
    if (toolPressed && hit->Visible()) ::InvalidateRect(m_hwnd, &hit->m_headerRect, FALSE);
    NavToolState().needsRepaint = false;
    if (m_parentSink) m_parentSink->OnMouseAfter(WM_LBUTTONDOWN, &point, ItemAt(point));
}

void CNavPaneWnd::OnLButtonUp(WPARAM keys, int x, int y) {
    m_releasing = true;
    if (::GetCapture() == m_hwnd) ::ReleaseCapture();
    m_releasing = false;
    const bool pressedHere = m_pressedHere;
    m_pressedHere = false;
    const bool shift = m_multiple && (keys & MK_SHIFT) != 0;
    const bool ctrl = m_multiple && (keys & MK_CONTROL) != 0;
    POINT point{x, y};
    SNavToolState& s = NavToolState();
    m_dragWnd.Destroy();

    if (m_dragSource && m_dropTarget && m_dropTarget != m_dragSource && m_dragWnd.Started()) {
        const RECT& r = m_dropTarget->m_headerRect;
        const bool before = navpane::DropBefore(y, r.top, r.bottom, m_reversed);
        // The pointers stay set while the owner hears of the drop: if it deletes either row,
        // ForgetItem clears them and the pane moves nothing.
        if (!m_parentSink || !m_parentSink->OnItemDrop(m_dropTarget, m_dragSource, before)) {
            if (m_dragSource && m_dropTarget) MoveItem(m_dragSource, m_dropTarget, before);
        }
        EndDrag();
        Layout();
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
        NotifyRowEvent(EVENT_OBJECT_REORDER, nullptr);
        if (m_parentSink) m_parentSink->OnMouseAfter(WM_LBUTTONUP, &point, ItemAt(point));
        return;
    }
    EndDrag();

    CNavPaneItem* hit = ItemAt(point);
    if (hit && s.pressed && hit->OnLButtonUp(point)) {  // a click on a tool; the entry may be gone now
        Layout();
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
        return;
    }
    if (s.pressed) {  // released away from the pressed tool: no click
        s.pressed->SetState(CNavPaneItemTool::kPressed, false);
        s.pressed = nullptr;
    }
    if (pressedHere) {
        HandleClickSelection(hit, shift, ctrl);
        ::SetFocus(m_hwnd);
    }
    s.needsRepaint = false;
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
    if (m_parentSink) m_parentSink->OnMouseAfter(WM_LBUTTONUP, &point, ItemAt(point));
}

void CNavPaneWnd::HandleClickSelection(CNavPaneItem* hit, bool shift, bool ctrl) {
    CNavPaneItem* firstBefore = m_selection.GetAt(0);
    if (hit) {
        FocusItem(hit);
    } else if (m_noFocusAllowed) {
        m_focused = nullptr;
    }
    if (!ctrl && m_selectionEnabled) ClearSelection();
    CNavPaneItem* focus = m_focused;
    if (shift && focus && m_anchor && m_anchor->m_parent == focus->m_parent) {
        if (m_multiple) {
            const auto& siblings = focus->m_parent->Children();
            int a = siblings.IndexOf(m_anchor);
            int b = siblings.IndexOf(focus);
            if (a > b) std::swap(a, b);
            for (int i = a; i <= b; ++i) SelectItem(siblings.GetAt(i));
        } else {
            SelectItem(focus);
        }
    } else if (focus && (hit || !m_noFocusAllowed)) {
        m_anchor = focus;
        if (ctrl) {
            if (m_selectionEnabled) SetItemSelected(focus, !focus->IsSelected());
        } else {
            SelectItem(focus);
        }
    }
    if (m_selection.Empty() && !m_emptyAllowed && firstBefore && IsWithin(firstBefore, &m_root)) {
        SelectItem(firstBefore);
    }
}

void CNavPaneWnd::OnRButtonDown(WPARAM, int x, int y) {
    ::SetCapture(m_hwnd);
    POINT point{x, y};
    CNavPaneItem* hit = ItemAt(point);
    if (hit && hit->OnRButtonDown(point)) ::InvalidateRect(m_hwnd, nullptr, FALSE);
    if (m_parentSink) m_parentSink->OnMouseAfter(WM_RBUTTONDOWN, &point, ItemAt(point));
}

void CNavPaneWnd::OnRButtonUp(WPARAM, int x, int y) {
    if (::GetCapture() == m_hwnd) ::ReleaseCapture();
    POINT point{x, y};
    CNavPaneItem* hit = ItemAt(point);
    if (hit && hit->OnRButtonUp(point)) ::InvalidateRect(m_hwnd, nullptr, FALSE);
    if (m_parentSink) m_parentSink->OnMouseAfter(WM_RBUTTONUP, &point, ItemAt(point));
}

void CNavPaneWnd::OnLButtonDblClk(WPARAM keys, int x, int y) {
    POINT point{x, y};
    if (m_parentSink) m_parentSink->OnMouseBefore(WM_LBUTTONDBLCLK, &point, ItemAt(point));
    CWnd::OnLButtonDblClk(keys, x, y);
    if (m_parentSink) m_parentSink->OnMouseAfter(WM_LBUTTONDBLCLK, &point, ItemAt(point));
}

// --- keyboard ---

bool CNavPaneWnd::HasFocus() const { return m_hwnd && ::GetFocus() == m_hwnd; }

void CNavPaneWnd::KeyStep(int step, bool shift) {
    if (m_rows.empty()) return;
    const auto at = std::find(m_rows.begin(), m_rows.end(), m_focused);
    const int index = at == m_rows.end() ? -1 : static_cast<int>(at - m_rows.begin());
    const int next = navpane::WrapStep(index, step, static_cast<int>(m_rows.size()));
    KeyGoTo(m_rows[static_cast<std::size_t>(next)], shift);
}

void CNavPaneWnd::KeyGoTo(CNavPaneItem* item, bool shift) {
    if (!item) return;
    if (m_selectionEnabled) {
        if (!shift || !m_multiple) ClearSelection();
        SelectItem(item);
    }
    if (!FocusItem(item)) return;
    if (!shift) m_anchor = item;
    ScrollIntoView(item);
}

void CNavPaneWnd::OnKeyDown(WPARAM vk, UINT repeat, UINT flags) {
    if (m_parentSink && m_parentSink->OnPaneKey(WM_KEYDOWN, vk, MAKELPARAM(repeat, flags)) != 0) return;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    switch (vk) {
    case VK_LEFT:
        if (!m_focused) return;
        if (m_focused->IsExpanded() && (m_focused->Children().Count() > 0 || m_focused->m_attached)) {
            m_focused->SetExpanded(0);
        } else if (m_focused->m_parent && !m_focused->m_parent->IsRoot()) {
            FocusItem(m_focused->m_parent);
        }
        break;
    case VK_RIGHT:
        if (!m_focused) return;
        if (m_focused->Children().Count() > 0 || (m_focused->m_attached && ::IsWindow(m_focused->m_attached))) {
            m_focused->SetExpanded(-1);
        }
        break;
    case VK_DOWN: KeyStep(m_reversed ? -1 : 1, shift); break;
    case VK_UP: KeyStep(m_reversed ? 1 : -1, shift); break;
    // The top and the bottom row on screen.
    case VK_HOME:
        if (m_rows.empty()) return;
        KeyGoTo(m_reversed ? m_rows.back() : m_rows.front(), shift);
        break;
    case VK_END:
        if (m_rows.empty()) return;
        KeyGoTo(m_reversed ? m_rows.front() : m_rows.back(), shift);
        break;
    case 'A':
        if (!ctrl) return;
        SelectAll(&m_root, true, true);
        break;
    default: return;
    }
    Redraw(false);
}

void CNavPaneWnd::MoveFocusOut(bool backwards) {
    // The tab order is the one of the window that holds all the tab stops: child pages (control
    // parents) pass it up to their dialog.
    HWND root = ::GetParent(m_hwnd);
    while (root && (::GetWindowLongPtrW(root, GWL_STYLE) & WS_CHILD) &&
           (::GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) {
        const HWND up = ::GetParent(root);
        if (!up) break;
        root = up;
    }
    if (!root) return;
    if (::GetClassLongPtrW(root, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(WC_DIALOG)) {
        // The dialog's own Tab: it also makes a push button reached the default one.
        ::SendMessageW(root, WM_NEXTDLGCTL, backwards ? 1 : 0, FALSE);
        return;
    }
    const HWND next = ::GetNextDlgTabItem(root, m_hwnd, backwards ? TRUE : FALSE);
    if (next && next != m_hwnd) ::SetFocus(next);
}

// --- dispatcher ---

LRESULT CNavPaneWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        m_dpi = Dpi::ForWindow(m_hwnd);
        ::SetWindowLongPtrW(m_hwnd, GWL_STYLE, ::GetWindowLongPtrW(m_hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
        break;
    case WM_ERASEBKGND:
        if (!m_erase) return 1;
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTTAB;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) {
            MoveFocusOut(::GetKeyState(VK_SHIFT) < 0);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (m_focused && m_focused->Visible()) ::InvalidateRect(m_hwnd, &m_focused->m_headerRect, FALSE);
        if (msg == WM_SETFOCUS && m_focused) NotifyRowEvent(EVENT_OBJECT_FOCUS, m_focused);
        break;
    case WM_GETOBJECT:
        if (const LRESULT answer =
                m_accessible.Answer(wParam, lParam, [this] { return new CNavPaneAccessible(*this); })) {
            return answer;
        }
        break;
    case WM_DESTROY:
        m_accessible.Disconnect();
        break;
    case WM_SIZE:
        UpdateScrollBar(nullptr);
        break;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (HasFocus()) {
            OnWheel(static_cast<short>(HIWORD(wParam)));
            return 0;
        }
        break;
    case WM_MOUSELEAVE:
        OnMouseLeft();
        break;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-drag (a menu, a dialog, another window): the drag is over.
        if (!m_releasing && reinterpret_cast<HWND>(lParam) != m_hwnd) {
            EndDrag();
            m_pressedHere = false;
            SNavToolState& s = NavToolState();
            if (s.pressed) {
                s.pressed->SetState(CNavPaneItemTool::kPressed, false);
                s.pressed = nullptr;
            }
            ::InvalidateRect(m_hwnd, nullptr, FALSE);
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
