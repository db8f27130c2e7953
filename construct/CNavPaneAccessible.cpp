#include "construct/CNavPaneAccessible.h"

#include "construct/CItemsPaneItem.h"
#include "construct/CNavPaneWnd.h"
#include "scene/CItem.h"
#include "wnd/Messages.h"

#include <algorithm>

CNavPaneAccessible::CNavPaneAccessible(CNavPaneWnd& pane) : CAccessible(pane.GetHwnd()), m_pane(&pane) {}

std::vector<CNavPaneItem*> CNavPaneAccessible::ScreenRows(const CNavPaneWnd& pane) {
    // The pane keeps its rows in list order; a reversed pane shows them bottom-up.
    std::vector<CNavPaneItem*> rows = pane.Rows();
    std::stable_sort(rows.begin(), rows.end(), [](const CNavPaneItem* a, const CNavPaneItem* b) {
        return a->HeaderRect().top < b->HeaderRect().top;
    });
    return rows;
}

long CNavPaneAccessible::ChildId(const CNavPaneWnd& pane, const CNavPaneItem* row) {
    if (!row) return CHILDID_SELF;
    const std::vector<CNavPaneItem*> rows = ScreenRows(pane);
    const auto at = std::find(rows.begin(), rows.end(), row);
    return at == rows.end() ? CHILDID_SELF : static_cast<long>(at - rows.begin()) + 1;
}

CNavPaneItem* CNavPaneAccessible::Row(long id) const {
    if (id <= 0) return nullptr;
    const std::vector<CNavPaneItem*> rows = ScreenRows(*m_pane);
    return static_cast<std::size_t>(id) <= rows.size() ? rows[static_cast<std::size_t>(id) - 1] : nullptr;
}

long CNavPaneAccessible::ChildCount() const { return static_cast<long>(m_pane->Rows().size()); }

long CNavPaneAccessible::Role(long id) const { return id == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM; }

std::wstring CNavPaneAccessible::Name(long id) const {
    const CNavPaneItem* row = Row(id);
    return row ? row->Caption() : std::wstring();
}

long CNavPaneAccessible::State(long id) const {
    if (id == CHILDID_SELF) return STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_EXTSELECTABLE;
    const CNavPaneItem* row = Row(id);
    if (!row) return 0;
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (row->IsSelected()) state |= STATE_SYSTEM_SELECTED;
    if (row == m_pane->FocusedItem() && ::GetFocus() == Window()) state |= STATE_SYSTEM_FOCUSED;
    RECT client{};
    ::GetClientRect(Window(), &client);
    if (row->HeaderRect().bottom <= client.top || row->HeaderRect().top >= client.bottom) {
        state |= STATE_SYSTEM_OFFSCREEN;
    }
    return state;
}

std::wstring CNavPaneAccessible::Description(long id) const {
    const auto* entry = dynamic_cast<const CItemsPaneItem*>(Row(id));
    return entry && entry->Item() && !entry->Item()->IsVisible() ? L"invisible" : L"";
}

std::wstring CNavPaneAccessible::DefaultAction(long id) const {
    return dynamic_cast<const CItemsPaneItem*>(Row(id)) ? L"Settings" : L"";
}

bool CNavPaneAccessible::DoDefaultAction(long id) {
    CNavPaneItem* row = Row(id);
    if (!dynamic_cast<CItemsPaneItem*>(row)) return false;
    // The settings dialog is modal: it runs after this call has returned to the caller.
    return ::PostMessageW(Window(), kWmRowDefaultAction, 0, reinterpret_cast<LPARAM>(row)) != FALSE;
}

bool CNavPaneAccessible::Rect(long id, RECT& client) const {
    if (id == CHILDID_SELF) return CAccessible::Rect(id, client);
    const CNavPaneItem* row = Row(id);
    if (!row) return false;
    client = row->HeaderRect();
    return true;
}

long CNavPaneAccessible::FocusedChild() const { return ChildId(*m_pane, m_pane->FocusedItem()); }

std::vector<long> CNavPaneAccessible::SelectedChildren() const {
    std::vector<long> ids;
    const std::vector<CNavPaneItem*> rows = ScreenRows(*m_pane);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i]->IsSelected()) ids.push_back(static_cast<long>(i) + 1);
    }
    return ids;
}

bool CNavPaneAccessible::Select(long id, long flags) {
    CNavPaneItem* row = Row(id);
    if (!row || (flags & SELFLAG_EXTENDSELECTION)) return false;
    if (flags & SELFLAG_TAKEFOCUS) {
        ::SetFocus(Window());
        m_pane->FocusItem(row);
    }
    if (flags & SELFLAG_TAKESELECTION) {
        m_pane->ClearSelection();
        m_pane->SelectItem(row);
    } else if (flags & SELFLAG_ADDSELECTION) {
        m_pane->SelectItem(row);
    } else if (flags & SELFLAG_REMOVESELECTION) {
        m_pane->SetItemSelected(row, false);
    }
    ::InvalidateRect(Window(), nullptr, FALSE);
    return true;
}
