// CToolBarWnd: a one-row strip of image buttons (window class "KV_ToolBar"). Its tools are the
// navigation pane's CNavPaneItemTool and behave as on a pane row; a completed click on a
// clickable tool posts WM_COMMAND(command id) to the parent window. Tools whose command id has a
// help text in the string table show it as a tool tip.
#pragma once

#include "construct/CNavPaneItemTool.h"
#include "construct/INavPaneItem.h"
#include "param/CCollector.h"
#include "scene/CBmp.h"
#include "wnd/CAccessible.h"
#include "wnd/CWnd.h"

class CToolBarWnd : public CWnd, public INavPaneItem {
public:
    static constexpr wchar_t kClassName[] = L"KV_ToolBar";

    CToolBarWnd() = default;
    ~CToolBarWnd() override;

    bool& RegisteredFlag() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const wchar_t* GetWndClassName() const override { return kClassName; }

    // Grip and tools; mouse is the pointer in client coordinates.
    virtual void PaintTools(HDC dc, const RECT& client, POINT mouse);
    // The clickable tool under point gets the press; true when a tool was hit.
    virtual bool PressAt(const RECT& client, POINT point);
    // The tool under point gets the release (a click when it is the pressed tool).
    virtual bool ReleaseAt(const RECT& client, POINT point);
    // The tool under point becomes the hot tool; over none the hot tool is cleared.
    virtual bool HoverAt(const RECT& client, POINT point);

    // --- INavPaneItem ---
    // Posts WM_COMMAND(id, 0) to the parent window.
    int OnToolCommand(int commandId) override;
    int SetExpanded(int) override { return 0; }
    HWND GetPaneWindow() override { return nullptr; }
    bool AddTool(CNavPaneItemTool* tool, bool leading) override;
    bool AttachWindow(HWND) override { return false; }
    bool DetachWindow(HWND) override { return false; }
    // Unchecks every other radio tool of the same group.
    void OnToolChecked(CNavPaneItemTool* tool, int flag) override;
    int GetRowHeight() override;

    // Background from a bitmap resource, tinted with the button face colour and resampled to the
    // strip's height; tile repeats it instead of stretching it once.
    bool SetBackground(HINSTANCE module, int bitmapId, int tile);

    // Where a tool sits in the client rectangle (empty when it is not in a list).
    RECT ToolRect(const RECT& client, const CNavPaneItemTool* tool) const;
    CNavPaneItemTool* ToolAt(const RECT& client, POINT point) const;
    CCollector<CNavPaneItemTool*>& LeadingTools() noexcept { return m_leading; }
    CCollector<CNavPaneItemTool*>& TrailingTools() noexcept { return m_trailing; }
    const CBmp& Background() const noexcept { return m_background; }
    // The DPI the strip draws at (its window's when created): the grip, margins and separators
    // are 96-DPI lengths scaled to it; the tools' pictures are their owner's to set.
    void SetDpi(UINT dpi);
    UINT Dpi() const noexcept { return m_dpi; }
    HWND ToolTipWindow() const noexcept { return m_tips; }

private:
    void HandlePaint();
    void RepaintIfNeeded();
    RECT ClientRect() const;
    POINT Cursor() const;
    // Tool tips: one tip window, one rectangle per tool with a help text.
    void UpdateToolTips();
    int Px(int value) const noexcept;

    CBmp m_background;
    int m_tile = 0;
    CCollector<CNavPaneItemTool*> m_leading;
    CCollector<CNavPaneItemTool*> m_trailing;
    int m_tracking = 0;
    UINT m_dpi = 96;
    HWND m_tips = nullptr;  // owned: destroyed with the toolbar
    CAccessibleSlot m_accessible;  // what screen readers read of the toolbar
};
