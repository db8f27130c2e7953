#include "construct/CNavPaneItem.h"

#include "construct/CNavPaneWnd.h"
#include "wnd/Handles.h"
#include "wnd/SystemColours.h"

CNavPaneItem::CNavPaneItem()
    : m_largeHeight(2 * ::GetSystemMetrics(SM_CYEDGE) + ::GetSystemMetrics(SM_CYCAPTION)),
      m_smallHeight(2 * ::GetSystemMetrics(SM_CYEDGE) + ::GetSystemMetrics(SM_CYSMCAPTION)) {}

CNavPaneItem::CNavPaneItem(const tstr& caption) : CNavPaneItem() { m_caption = caption; }

void CNavPaneItem::SetCaption(const tstr& caption) {
    if (caption == m_caption) return;
    m_caption = caption;
    if (m_pane) m_pane->NotifyRowEvent(EVENT_OBJECT_NAMECHANGE, this);
}

CNavPaneItem::~CNavPaneItem() {
    // Children and tools go first, while this entry is still whole; then nothing may point here.
    m_children.Clear();
    m_leading.Clear();
    m_trailing.Clear();
    DestroyAttached();
    if (m_pane) m_pane->ForgetItem(this);
    SNavToolState& s = NavToolState();
    if (s.hotItem == this) s.hotItem = nullptr;
}

void CNavPaneItem::MakeRoot(CNavPaneWnd* pane) {
    m_rootMark = 1;
    m_expanded = 1;
    m_hasHeader = 0;
    m_pane = pane;
}

void CNavPaneItem::SetPane(CNavPaneWnd* pane) {
    m_pane = pane;
    for (CNavPaneItem* child : m_children) child->SetPane(pane);
}

bool CNavPaneItem::AddChild(CNavPaneItem* child) {
    if (!child || child == this || child->m_parent || !m_children.Add(child)) return false;
    child->m_parent = this;
    child->SetPane(m_pane);
    if (m_pane) m_pane->UpdateScrollBar(child);
    return true;
}

int CNavPaneItem::OnToolCommand(int commandId) {
    if (m_pane && m_pane->PaneParent()) return m_pane->PaneParent()->OnItemCommand(commandId, this);
    return 0;
}

int CNavPaneItem::SetExpanded(int how) {
    const int expanded = how < 0 ? !m_expanded : (how ? 1 : 0);
    if (expanded == m_expanded) return m_expanded;
    m_expanded = expanded;
    // Expander tools mirror the state.
    for (auto* list : {&m_leading, &m_trailing}) {
        for (CNavPaneItemTool* tool : *list) {
            if (tool->Style() & CNavPaneItemTool::kExpander) tool->SetState(CNavPaneItemTool::kChecked, expanded != 0);
        }
    }
    if (m_attached) ::ShowWindow(m_attached, expanded ? SW_SHOWNA : SW_HIDE);
    if (m_pane) m_pane->UpdateScrollBar(this);
    return m_expanded;
}

HWND CNavPaneItem::GetPaneWindow() { return m_pane ? m_pane->GetHwnd() : nullptr; }

bool CNavPaneItem::AddTool(CNavPaneItemTool* tool, bool leading) {
    if (!tool) return false;
    CCollector<CNavPaneItemTool*>& list = leading ? m_leading : m_trailing;
    if (!list.Add(tool)) return false;
    tool->SetOwner(this);
    if (tool->Style() & CNavPaneItemTool::kExpander) tool->SetState(CNavPaneItemTool::kChecked, m_expanded != 0);
    return true;
}

bool CNavPaneItem::AttachWindow(HWND window) {
    if (m_attached || !window) return false;
    m_attached = window;
    ::ShowWindow(window, m_expanded ? SW_SHOWNA : SW_HIDE);
    if (m_pane) m_pane->UpdateScrollBar(this);
    return true;
}

bool CNavPaneItem::DetachWindow(HWND) {
    if (!m_attached) return false;
    m_attached = nullptr;
    if (m_pane) m_pane->UpdateScrollBar(this);
    return true;
}

void CNavPaneItem::DestroyAttached() {
    const HWND window = m_attached;
    m_attached = nullptr;
    if (window && ::IsWindow(window)) ::DestroyWindow(window);
}

void CNavPaneItem::OnToolChecked(CNavPaneItemTool* tool, int) {
    if (!tool) return;
    auto uncheck = [tool](CNavPaneItem* entry) {
        for (auto* list : {&entry->m_leading, &entry->m_trailing}) {
            for (CNavPaneItemTool* other : *list) {
                if (other != tool && (other->Style() & CNavPaneItemTool::kRadio) &&
                    other->GroupId() == tool->GroupId()) {
                    other->SetState(CNavPaneItemTool::kChecked, false);
                }
            }
        }
    };
    if (m_parent) {
        for (CNavPaneItem* sibling : m_parent->m_children) uncheck(sibling);
    } else {
        uncheck(this);
    }
}

RECT CNavPaneItem::ToolRect(const RECT& header, int index, bool leading) const {
    const CCollector<CNavPaneItemTool*>& list = leading ? m_leading : m_trailing;
    const int side = m_smallHeight;
    int x = leading ? header.left : header.right - side;
    RECT r{};
    for (int i = 0; i <= index && i < list.Count(); ++i) {
        r = RECT{x, header.top, x + side, header.top + side};
        if (!list.GetAt(i)->Has(CNavPaneItemTool::kNoRoom)) x += leading ? side : -side;
    }
    const int inset = m_pane ? m_pane->Px(1) : 1;
    ::InflateRect(&r, -inset, -inset);
    return r;
}

CNavPaneItemTool* CNavPaneItem::ToolAt(const POINT& point) const {
    if (!m_visible || !::PtInRect(&m_headerRect, point)) return nullptr;
    for (int lead = 1; lead >= 0; --lead) {
        const CCollector<CNavPaneItemTool*>& list = lead ? m_leading : m_trailing;
        for (int i = 0; i < list.Count(); ++i) {
            const RECT r = ToolRect(m_headerRect, i, lead != 0);
            if (::PtInRect(&r, point)) return list.GetAt(i);
        }
    }
    return nullptr;
}

bool CNavPaneItem::OnLButtonDown(const POINT& point) {
    CNavPaneItemTool* tool = ToolAt(point);
    return tool && tool->Press();
}

bool CNavPaneItem::OnLButtonUp(const POINT& point) {
    CNavPaneItemTool* tool = ToolAt(point);
    return tool && tool == NavToolState().pressed && tool->Release();  // may delete this entry
}

bool CNavPaneItem::OnRButtonDown(const POINT&) { return false; }
bool CNavPaneItem::OnRButtonUp(const POINT&) { return false; }

bool CNavPaneItem::OnMouseMove(const POINT& point) { return NavToolState().SetHot(ToolAt(point)); }

void CNavPaneItem::Paint(HDC dc, const RECT&, const RECT& rect) {
    const bool selected = m_selected != 0;
    // High contrast: system colours only, no header picture and no custom colours.
    const bool plain = sys_colours::HighContrast();
    const CBmp* picture = m_pane && !plain ? m_pane->HeaderPicture() : nullptr;
    const bool custom = m_custom && !plain;
    if (plain) {
        ::FillRect(dc, &rect, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    } else if (picture && !picture->IsEmpty()) {
        m_pane->DrawHeaderPicture(dc, rect, selected, NavToolState().hotItem == this);
    } else if (selected && custom) {
        m_pane->DrawCustomGradient(dc, rect, m_backColour);
    } else if (custom) {
        CUniqueBrush brush(::CreateSolidBrush(m_backColour));
        ::FillRect(dc, &rect, brush.get());
    } else {
        ::FillRect(dc, &rect, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    }

    RECT text = rect;
    for (int lead = 1; lead >= 0; --lead) {
        const CCollector<CNavPaneItemTool*>& list = lead ? m_leading : m_trailing;
        for (int i = 0; i < list.Count(); ++i) {
            const RECT r = ToolRect(rect, i, lead != 0);
            list.GetAt(i)->Draw(dc, r);
            if (lead) {
                if (r.right + 1 > text.left) text.left = r.right + 1;
            } else if (r.left - 1 < text.right) {
                text.right = r.left - 1;
            }
        }
    }
    const int margin = m_pane ? m_pane->Px(2) : 2;
    ::InflateRect(&text, -margin, -margin);
    COLORREF colour = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : plain ? COLOR_WINDOWTEXT : COLOR_BTNTEXT);
    if (custom) colour = m_textColour;
    ::SetTextColor(dc, colour);
    if (!m_caption.empty() && text.right > text.left) {
        ::DrawTextW(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &text, m_textFormat);
    }
    if (!picture || picture->IsEmpty()) {
        RECT edge = rect;
        ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    }
}
