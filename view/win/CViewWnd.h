// CViewWnd: the desktop view, a borderless topmost layered window with per-pixel alpha that shows
// the decorated tree. Every tick of timer 1 (35 ms) builds a whole new frame from its frame source
// and hands it to the window manager; the window never paints through WM_PAINT. The user drags it
// by any painted pixel.
#pragma once

#include "view/CFrameBuilder.h"
#include "view/win/CLayeredPresenter.h"
#include "wnd/CWnd.h"

class IFrameSource;

class CViewWnd : public CWnd {
public:
    static constexpr UINT_PTR kFrameTimer = 1;
    static constexpr UINT kFramePeriodMs = 35;
    // WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST
    static constexpr DWORD kExStyle = 0x08080088;
    static constexpr DWORD kStyle = WS_POPUP | WS_VISIBLE;

    CViewWnd() = default;
    ~CViewWnd() override;

    bool& RegisteredFlag() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    const wchar_t* GetWndClassName() const override { return L"KV_ViewWnd"; }

    // Builds one frame from the frame source and shows it.
    virtual void RenderFrame();

    // Creates the window with the view's styles (click-through when the main window is not
    // visible), switches the window manager's transitions off when themes are active, shows it
    // and gives it the default place: (screen width - 200, screen height - 300), 100 x 300.
    bool CreateView(bool clickThrough);

    // Where the frames come from (not owned; must outlive the window or be reset to null).
    void SetFrameSource(IFrameSource* source) noexcept { m_source = source; }
    // Refused while the user has hidden the tree.
    bool StartFrameTimer();
    void StopFrameTimer();
    // The user hides the tree (a hotkey, the tray menu): the frames stop and the window is hidden;
    // showing it again shows the window, and the frames may start again (StartFrameTimer).
    void SetHiddenByUser(bool hidden);
    bool IsHiddenByUser() const noexcept { return m_hiddenByUser; }
    bool FrameTimerRunning() const noexcept { return m_timerOn; }

    // The DPI the view draws at: its monitor's, as read at creation and told by WM_DPICHANGED.
    UINT Dpi() const noexcept { return m_dpi; }
    // Reads the DPI of the window's monitor again (after the window was placed).
    void ReadDpi();

    bool IsPaused() const noexcept { return m_builder.IsPaused(); }
    void SetPaused(bool paused) noexcept { m_builder.SetPaused(paused); }
    int GradientIndex() const noexcept { return m_builder.GradientIndex(); }
    // The items' pictures changed outside a pause: the next frame builds its static layers anew.
    void InvalidateScene() noexcept { m_builder.InvalidateScene(); }
    // The last frame handed to the window manager (premultiplied BGRA), for checks; empty once
    // its buffer is gone (the window was resized and no new frame was built).
    SFrameView LastFrame() const noexcept { return m_lastFrame; }
    const CLayeredPresenter& Presenter() const noexcept { return m_presenter; }
    int FramesShown() const noexcept { return m_framesShown; }

private:
    // WM_DPICHANGED: the new DPI and the suggested corner taken; on a new DPI the scene is
    // composed again, once, which sizes the window.
    void OnDpiChanged(WPARAM wParam, const RECT* suggested);

    CFrameBuilder m_builder;  // gradient index and paused flag
    CLayeredPresenter m_presenter;
    IFrameSource* m_source = nullptr;  // not owned
    SFrameView m_lastFrame{};
    int m_presenterCreations = 0;
    int m_framesShown = 0;
    bool m_timerOn = false;
    bool m_hiddenByUser = false;
    UINT m_dpi = 96;
};
