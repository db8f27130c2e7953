// CDragWnd: the translucent ghost that follows the mouse while a pane row is dragged (window
// class "DragWnd", never made from a dialog template). It shows only its class background. It
// also keeps where a possible drag began and tells when the mouse has left the system's drag
// rectangle around that point.
#pragma once

#include "wnd/CWnd.h"

class CDragWnd : public CWnd {
public:
    static constexpr wchar_t kClassName[] = L"DragWnd";
    // WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT: no activation, no clicks.
    static constexpr DWORD kExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT;
    static constexpr DWORD kStyle = WS_POPUP | WS_VISIBLE;
    static constexpr BYTE kOpacity = 196;

    CDragWnd() noexcept = default;
    ~CDragWnd() override;

    bool& RegisteredFlag() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const wchar_t* GetWndClassName() const override { return kClassName; }

    virtual void SetDragOrigin(const POINT& point);
    virtual void ResetDrag();
    // True once the point lies outside the drag rectangle around the origin (its border counts
    // as inside); stays true until ResetDrag.
    virtual bool IsDragStarted(const POINT& current);

    // Creates the ghost owned by owner, translucent, at the screen rectangle, without activating
    // anything. False when it already exists or cannot be made.
    bool CreateGhost(HWND owner, const RECT& screenRect);
    // Moves and sizes the ghost without activating it or changing its place in the z-order.
    void MoveGhost(const RECT& screenRect);

    POINT Origin() const noexcept { return POINT{m_originX, m_originY}; }
    bool Started() const noexcept { return m_started; }

private:
    int m_originX = 0;
    int m_originY = 0;
    bool m_started = false;
};
