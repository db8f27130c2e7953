// CNavPaneWnd: a list control drawn by the program (window class "KV_NavigatePane"): a tree of
// entries with tools, hover, single and multiple selection, keyboard navigation, vertical
// scrolling and reordering by dragging rows. A reversed pane shows its top-level entries
// last-first, bottom-up. Everything the owner reacts to goes through CNavPaneWndParent.
#pragma once

#include "construct/CDragWnd.h"
#include "construct/CNavPaneItem.h"
#include "construct/CNavPaneWndParent.h"
#include "construct/NavPaneLogic.h"
#include "param/CCollector.h"
#include "scene/CBmp.h"
#include "wnd/CAccessible.h"
#include "wnd/CWnd.h"

#include <vector>

// The selection: entries in the order they were selected (not owned).
class CNavPaneSelection : public CCollector<CNavPaneItem*> {
public:
    ~CNavPaneSelection() override { DetachAll(); }
};

class CNavPaneWnd : public CWnd {
public:
    static constexpr wchar_t kClassName[] = L"KV_NavigatePane";
    static constexpr int kDropBand = 6;

    CNavPaneWnd();
    ~CNavPaneWnd() override;

    bool& RegisteredFlag() override;
    void PreRegisterClass(WNDCLASSEXW& wc) override;
    // The window belongs to the dialog that holds it.
    void Destroy() override {}
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnMouseMove(WPARAM keys, int x, int y) override;
    void OnLButtonDown(WPARAM keys, int x, int y) override;
    void OnLButtonUp(WPARAM keys, int x, int y) override;
    void OnRButtonDown(WPARAM keys, int x, int y) override;
    void OnRButtonUp(WPARAM keys, int x, int y) override;
    void OnLButtonDblClk(WPARAM keys, int x, int y) override;
    // Arrow keys step through the rows, Home and End go to the top and the bottom row on screen,
    // Ctrl+A selects all.
    void OnKeyDown(WPARAM vk, UINT repeat, UINT flags) override;
    const wchar_t* GetWndClassName() const override { return kClassName; }
    // The mouse left the window: no hot entry or tool any more.
    virtual void OnMouseLeft();

    // --- owner operations ---
    void SetPaneParent(CNavPaneWndParent* parent) noexcept { m_parentSink = parent; }
    CNavPaneWndParent* PaneParent() const noexcept { return m_parentSink; }
    // Appends a top-level entry and takes ownership of it.
    bool AddItem(CNavPaneItem* item);
    // Removes and deletes an entry; its neighbour takes the focus when it had it.
    bool RemoveItem(CNavPaneItem* item);
    void ClearSelection();
    void SelectItem(CNavPaneItem* item);
    // Selects or deselects the children of item (null: the root), with recursive also theirs.
    void SelectAll(CNavPaneItem* item, bool select, bool recursive);
    void UpdateScrollBar(CNavPaneItem* item = nullptr);
    const CNavPaneSelection& Selection() const noexcept { return m_selection; }
    // Scrolls to pos (clamped to the range) and repaints, erasing first when asked.
    void SetScroll(int pos, bool erase);

    // --- options and state ---
    CNavPaneItem& Root() noexcept { return m_root; }
    CNavPaneItem* FocusedItem() const noexcept { return m_focused; }
    CNavPaneItem* AnchorItem() const noexcept { return m_anchor; }
    CNavPaneItem* LastHotItem() const noexcept { return m_lastHot; }
    CNavPaneItem* DragSource() const noexcept { return m_dragSource; }
    CNavPaneItem* DropTarget() const noexcept { return m_dropTarget; }
    const CDragWnd& DragWindow() const noexcept { return m_dragWnd; }
    const RECT& DropMarker() const noexcept { return m_dropMarker; }
    int ScrollPos() const noexcept { return m_scroll; }
    int ScrollMax() const noexcept { return m_scrollMax; }
    int TotalHeight() const noexcept { return m_total; }
    bool IsReversed() const noexcept { return m_reversed; }
    void SetReversed(bool reversed) noexcept { m_reversed = reversed; }
    void SetReorder(bool on) noexcept { m_reorder = on ? 1 : 0; }
    void SetSelectionEnabled(bool on) noexcept { m_selectionEnabled = on ? 1 : 0; }
    void SetMultipleSelection(bool on) noexcept { m_multiple = on ? 1 : 0; }
    void SetEmptySelectionAllowed(bool on) noexcept { m_emptyAllowed = on ? 1 : 0; }
    void SetNoFocusAllowed(bool on) noexcept { m_noFocusAllowed = on ? 1 : 0; }
    void SetEraseBackground(bool on) noexcept { m_erase = on; }
    void SetFont(HFONT font) noexcept { m_font = font; }
    // The DPI the pane draws at (its window's when created): indents, the drop band, the focus
    // rectangle's inset and the wheel step are 96-DPI lengths scaled to it. Rows are laid out
    // again; the entries' heights and pictures are their owner's to set.
    void SetDpi(UINT dpi);
    UINT Dpi() const noexcept { return m_dpi; }
    // A 96-DPI length at the pane's DPI.
    int Px(int value) const noexcept;
    void SetChildIndents(int left, int right) noexcept {
        m_indentLeft = left;
        m_indentRight = right;
    }
    // Headers drawn by stretching this picture instead of system colours (copied).
    void SetHeaderPicture(const CBmp& picture);
    // Entry whose header lies under a client point, or null.
    CNavPaneItem* ItemAt(const POINT& point) const;
    // Visible header rows in list order (laid out).
    const std::vector<CNavPaneItem*>& Rows() const noexcept { return m_rows; }
    // Focuses item unless the parent vetoes; true when it became the focused entry.
    bool FocusItem(CNavPaneItem* item);
    // Lays rows out again and repaints.
    void Relayout();
    const CBmp* HeaderPicture() const noexcept { return &m_headerPicture; }
    // A header from the header picture: nine-grid stretch, framed while selected or hot.
    void DrawHeaderPicture(HDC dc, const RECT& rect, bool selected, bool hot) const;
    // A selected header in custom colours: light grey fading into back two thirds across.
    void DrawCustomGradient(HDC dc, const RECT& rect, COLORREF back) const;
    // Tells accessibility clients of a change of row (null: of the list itself).
    void NotifyRowEvent(DWORD event, const CNavPaneItem* row) const;

protected:
    // Called by every entry that is destroyed: no pointer of the pane may outlive it.
    void ForgetItem(CNavPaneItem* item);
    // Ends a drag in progress without moving anything: no source, target, ghost or drop marker.
    void CancelDrag() { EndDrag(); }
    friend class CNavPaneItem;
    friend class CNavPaneAccessible;

private:
    void Layout();
    int LayoutBlock(CNavPaneItem* item, int offset, int left, int right);
    int BlockHeight(const CNavPaneItem* item) const;
    void PaintItems(HDC dc, const RECT& clip);
    void SetItemSelected(CNavPaneItem* item, bool select);
    void HandleClickSelection(CNavPaneItem* hit, bool shift, bool ctrl);
    void EndDrag();
    void UpdateDrag(const POINT& point);
    void MoveItem(CNavPaneItem* source, CNavPaneItem* target, bool before);
    void OnVScroll(int code, int track);
    bool OnWheel(short delta);
    // Height of the row at the client's top edge: the scroll bar's arrow step.
    int LineStep() const;
    // Whether any of row's header lies in the client, as last laid out.
    bool RowInView(const CNavPaneItem* row) const;
    // Scrolls just enough to show row's header wholly.
    void ScrollIntoView(const CNavPaneItem* row);
    void MoveFocusOut(bool backwards);
    void KeyStep(int step, bool shift);
    // Selects (Shift: adds to the selection), focuses and shows the row, as the arrow keys do.
    void KeyGoTo(CNavPaneItem* row, bool shift);
    void RepaintIfNeeded();
    void NotifyHot(CNavPaneItem* hot);
    bool HasFocus() const;

    CNavPaneItem* m_focused = nullptr;    // none of these pointers is owned
    CNavPaneItem* m_lastHot = nullptr;
    CNavPaneItem* m_anchor = nullptr;
    CNavPaneSelection m_selection;
    HFONT m_font = nullptr;  // not owned; null: the parent's font (made for the dialog's DPI)
    UINT m_dpi = 96;
    int m_indentLeft = 8;
    int m_indentRight = 0;
    int m_reorder = 1;
    CNavPaneItem* m_dragSource = nullptr;
    CNavPaneItem* m_dropTarget = nullptr;
    CDragWnd m_dragWnd;
    int m_dragX = 0;
    int m_dragY = 0;
    RECT m_dropMarker{-1, 0, 0, 0};
    CBmp m_headerPicture;
    CNavPaneWndParent* m_parentSink = nullptr;  // not owned
    int m_selectionEnabled = 1;
    int m_multiple = 1;
    int m_emptyAllowed = 1;
    int m_noFocusAllowed = 1;
    bool m_tracking = false;
    bool m_reversed = false;
    bool m_erase = true;

    std::vector<CNavPaneItem*> m_rows;  // visible headers in list order
    int m_total = 0;                    // height of all rows
    int m_scroll = 0;
    int m_scrollMax = 0;
    int m_layoutHeight = 0;             // client height the rows were last laid out in
    bool m_placed = false;              // the rows had their first layout in a client
    navpane::CWheelSum m_wheel;         // wheel deltas short of a whole notch
    bool m_pressedHere = false;         // a left press began in this pane
    bool m_releasing = false;           // our own ReleaseCapture is running
    CAccessibleSlot m_accessible;       // what screen readers read of the pane

    // Declared last, so destroyed first: the root entry's end reports to ForgetItem, which uses
    // the selection, the rows and the drag state above.
    CNavPaneItem m_root;
};
