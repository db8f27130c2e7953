// CNavPaneItem: one entry of a navigation pane: a header row with a caption and leading and
// trailing tools, optional child entries and an attached child window shown while expanded.
// An entry owns its children, its tools and its attached window; when it is destroyed, the pane
// and the process-wide tool state forget every pointer to it.
#pragma once

#include "construct/CNavPaneItemTool.h"
#include "construct/INavPaneItem.h"
#include "param/CCollector.h"
#include "param/Tstr.h"

#include <windows.h>

class CNavPaneWnd;

class CNavPaneItem : public INavPaneItem {
public:
    // DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS
    static constexpr unsigned kTextFormat = 0x8824;

    CNavPaneItem();
    explicit CNavPaneItem(const tstr& caption);
    virtual ~CNavPaneItem();
    CNavPaneItem(const CNavPaneItem&) = delete;
    CNavPaneItem& operator=(const CNavPaneItem&) = delete;

    // --- INavPaneItem ---
    // Default: the pane's parent hears OnItemCommand.
    int OnToolCommand(int commandId) override;
    int SetExpanded(int how) override;
    HWND GetPaneWindow() override;
    bool AddTool(CNavPaneItemTool* tool, bool leading) override;
    bool AttachWindow(HWND window) override;
    bool DetachWindow(HWND window) override;
    // Unchecks the radio tools of the same group in this entry and its sibling entries.
    void OnToolChecked(CNavPaneItemTool* tool, int flag) override;
    int GetRowHeight() override { return m_smallHeight; }

    // Draws the header in rect (client coordinates of the pane's canvas).
    virtual void Paint(HDC dc, const RECT& clip, const RECT& rect);
    // Mouse on the header at point; true when a tool took it.
    virtual bool OnLButtonDown(const POINT& point);
    virtual bool OnLButtonUp(const POINT& point);
    virtual bool OnRButtonDown(const POINT& point);
    virtual bool OnRButtonUp(const POINT& point);
    // Makes the tool under point hot; true when the hot tool changed.
    virtual bool OnMouseMove(const POINT& point);
    // Destroys and forgets the attached window.
    virtual void DestroyAttached();
    virtual HWND GetAttachedWindow() const { return m_attached; }

    // Appends a child entry and takes ownership of it; false for null, itself or one already added.
    bool AddChild(CNavPaneItem* child);

    // Tool under a point of the laid-out header, or null.
    CNavPaneItemTool* ToolAt(const POINT& point) const;
    // Rectangles of the tools in a header rectangle (drawing and hit-testing share them).
    RECT ToolRect(const RECT& header, int index, bool leading) const;

    // --- look and state ---
    const tstr& Caption() const noexcept { return m_caption; }
    // Accessibility clients hear of a new caption.
    void SetCaption(const tstr& caption);
    int HeaderHeight() const noexcept { return m_hasHeader ? (m_small ? m_smallHeight : m_largeHeight) : 0; }
    void SetHeights(int large, int small) noexcept { m_largeHeight = large; m_smallHeight = small; }
    void SetSmall(bool small) noexcept { m_small = small; }
    void SetTextFormat(unsigned format) noexcept { m_textFormat = format; }
    void SetCustomColours(bool on, COLORREF text, COLORREF back) noexcept {
        m_custom = on;
        m_textColour = text;
        m_backColour = back;
    }
    bool IsSelected() const noexcept { return m_selected != 0; }
    void SetSelectedFlag(bool on) noexcept { m_selected = on ? 1 : 0; }
    bool IsMarked() const noexcept { return m_marked != 0; }
    void SetMarked(bool on) noexcept { m_marked = on ? 1 : 0; }
    bool IsExpanded() const noexcept { return m_expanded != 0; }
    bool HasHeader() const noexcept { return m_hasHeader != 0; }
    bool IsRoot() const noexcept { return m_rootMark != 0; }

    CCollector<CNavPaneItem*>& Children() noexcept { return m_children; }
    const CCollector<CNavPaneItem*>& Children() const noexcept { return m_children; }
    CCollector<CNavPaneItemTool*>& LeadingTools() noexcept { return m_leading; }
    CCollector<CNavPaneItemTool*>& TrailingTools() noexcept { return m_trailing; }
    CNavPaneWnd* Pane() const noexcept { return m_pane; }
    CNavPaneItem* Parent() const noexcept { return m_parent; }

    // Last laid-out header (pane client coordinates); valid while Visible().
    const RECT& HeaderRect() const noexcept { return m_headerRect; }
    bool Visible() const noexcept { return m_visible; }

private:
    friend class CNavPaneWnd;
    void MakeRoot(CNavPaneWnd* pane);
    // Sets the pane of this entry and its children.
    void SetPane(CNavPaneWnd* pane);

    int m_largeHeight;
    int m_smallHeight;
    bool m_small = true;
    tstr m_caption;
    unsigned m_textFormat = kTextFormat;
    bool m_custom = false;
    COLORREF m_textColour = 0;
    COLORREF m_backColour = 0x00A0A0A0;
    int m_rootMark = 0;
    int m_selected = 0;
    int m_marked = 0;
    int m_expanded = 0;
    int m_hasHeader = 1;
    CCollector<CNavPaneItem*> m_children;
    CCollector<CNavPaneItemTool*> m_leading;
    CCollector<CNavPaneItemTool*> m_trailing;
    CNavPaneWnd* m_pane = nullptr;     // not owned
    CNavPaneItem* m_parent = nullptr;  // not owned
    HWND m_attached = nullptr;         // owned: destroyed with the entry

    RECT m_headerRect{};
    bool m_visible = false;
};
