// CButtonWnd: the main window's large animated image button (window class "KW_ButtonWnd").
// Normal, hot (pointer inside) and pressed looks are layer groups of one picture; while the
// pointer hovers, a 50 ms timer scrolls the looks' texture toward the pointer and the button
// repaints over a copy of the background taken when the pointer entered. A click is a release
// inside the button of a press that began on it; it posts WM_COMMAND(control id) to the parent.
// A tick redraws only what moves: the background with the look's layers under the first texture
// is composed once per look into a kept buffer, and each tick copies it, draws the texture and the
// layers above it, and sets the pixels into the window's own DC, creating no GDI object and taking
// no DC from the system's cache; it takes the pointer from the last mouse message, not from the
// system (under Wine each such query asks the X server). The hover's timer
// stops while the main window is minimised or hidden and while the animation is held (the session
// locked, the display off); a covered button is not drawn.
#pragma once

#include "app/CButtonWndLogic.h"
#include "scene/CBmp.h"
#include "scene/CPixSurface.h"
#include "scene/win/CDcCanvas.h"
#include "wnd/CAccessible.h"
#include "wnd/CWnd.h"
#include "wnd/Handles.h"

#include <memory>

class CButtonWnd : public CWnd {
public:
    static constexpr wchar_t kClassName[] = L"KW_ButtonWnd";
    static constexpr UINT_PTR kHoverTimer = 1;
    static constexpr UINT kHoverPeriodMs = 50;

    CButtonWnd() noexcept;
    ~CButtonWnd() override;

    bool& RegisteredFlag() override;
    // The class has its own DC (CS_OWNDC) for the hover's ticks.
    void PreRegisterClass(WNDCLASSEXW& wc) override;
    const wchar_t* GetWndClassName() const override { return kClassName; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // System keys get the system's handling, so that Alt+F4 closes the dialog that holds the
    // button (it always has the focus there).
    LRESULT OnSysKeyDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSysKeyUp(WPARAM wParam, LPARAM lParam) override;

    // Draws the look for the pointer position (client coordinates) and the mouse button state;
    // in high contrast a plain button in system colours instead of the picture.
    virtual void PaintState(HDC dc, const RECT& client, POINT pointer);
    virtual void OnPress(const RECT& client, POINT point);
    // A release inside the client rectangle notifies the parent with the control's id.
    virtual void OnRelease(const RECT& client, POINT point);
    virtual void OnHover(const RECT& client, POINT point);
    // Posts WM_COMMAND(id, 0) to the parent.
    virtual void Notify(UINT id);

    // Loads the base picture (bitmap baseId), the texture (GIF textureId) and the gloss (bitmap
    // overlayId) of module (null: this program) and builds the looks at the window's DPI (again
    // when the dialog moves to a monitor of another scale). False when the base picture or its
    // looks could not be made; the button then draws what it has.
    bool LoadLooks(HINSTANCE module, int baseId, int textureId, int overlayId);

    // The picture with every look (those not yet shown are built first).
    CBmp& Image();
    const CBmp& Image() const noexcept { return m_image; }
    int StepX() const noexcept { return m_stepX; }
    int StepY() const noexcept { return m_stepY; }
    bool IsHovering() const noexcept { return m_hovering; }
    bool HasBackgroundCopy() const noexcept { return m_background != nullptr; }
    // While held (nobody can see the screen) the hover animation stops and does not start.
    void HoldAnimation(bool held);
    bool IsAnimationHeld() const noexcept { return m_held; }
    bool IsAnimating() const noexcept { return m_timerOn; }

private:
    void HandlePaint();
    void HandleTimer();
    void HandleMouseMove(int x, int y);
    void HandleLButtonDown(int x, int y);
    void HandleLButtonUp(int x, int y);
    void HandleMouseLeave();
    void StopHover();
    // The high-contrast look: button face, a frame in the text colour (highlight while hot),
    // the caption and, while focused, a focus rectangle.
    void PaintPlain(HDC dc, const RECT& client, bool hot);

    // Double-buffered drawing: source's client-sized content (what lies behind the button) into a
    // memory canvas, the look over it, the canvas onto target (the button's window).
    void DrawOver(HDC target, HDC source);
    // Makes the parent repaint (erasing) the area under the button at once.
    void RepaintParentBehind();
    // Copies what the button's window shows now into a new background copy.
    void TakeBackgroundCopy();
    void ScrollTextures();
    void LoadTextureAndOverlay(CBmp& texture, CBmp& overlay) const;
    // Whether a look (kLook* value) is still to be built; builds it now if so.
    bool IsLookPending(int look) const noexcept;
    void EnsureLook(int look);
    // The look for the pointer position and the mouse button state.
    button_logic::ELook CurrentLook(const RECT& client, POINT pointer) const;
    // Whether the hover animation can be seen: the main window shown and not minimised, and not held.
    bool AnimationVisible() const;
    // One tick's drawing through the kept buffers; false when they could not be made.
    bool DrawTick(HDC target);
    // Composes the background copy and the look's layers under its first texture into m_still.
    bool ComposeStill(button_logic::ELook look, int width, int height);
    void FreeTickBuffers() noexcept;
    RECT ClientRect() const;
    POINT PointerInClient() const;

    struct SLookIds {
        HINSTANCE module = nullptr;
        int baseId = 0, textureId = 0, overlayId = 0;
        bool loaded = false;
    };
    SLookIds m_looks;                           // what LoadLooks was given, for a change of scale
    CBmp m_image;                               // base picture with groups 0..2 (normal, hot, pressed)
    int m_looksDpi = 96;                        // the scale the looks are built at
    int m_pendingLooks = 0;                     // bit per look (1 << kLook*) not yet built
    long long m_pendingTurn = 0;                // the texture scrolls the pending looks missed (pixels)
    int m_textureWidth = 0;                     // the texture layers' size at that scale
    int m_textureHeight = 0;
    std::unique_ptr<CDcCanvas> m_background;  // what lies behind the button; set while hovering
    static constexpr int kNoStill = -2;
    CPixSurface m_still;                        // background and the still layers of m_stillLook
    CPixSurface m_tick;                         // the picture a tick sets into the window
    int m_stillLook = kNoStill;                 // the look m_still holds (ELook value), or kNoStill
    int m_firstMoving = 0;                      // index of the look's first layer drawn every tick
    bool m_timerOn = false;                     // the hover timer runs
    bool m_held = false;                        // the animation is held by HoldAnimation
    bool m_hovering = false;                    // the pointer is being tracked
    bool m_guard = false;                       // set while the parent repaints behind the button
    bool m_pressed = false;                     // a press began on the button and holds the capture
    POINT m_pointer{-1, -1};                    // where the last mouse message put the pointer (client)
    int m_stepX = 0;                            // texture step per tick, -8..8
    int m_stepY = 0;
    CAccessibleSlot m_accessible;               // what screen readers read of the button
};
