// CWnd: base of every custom window and control. Registers its window class, creates the system
// window, links it to the object through the "WND_ENTITY" window property and turns raw messages
// into calls of virtual handlers.
#pragma once

#include <windows.h>

class CWnd {
public:
    CWnd() noexcept = default;
    // Destroys the window unless the object is only attached to it.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Registers the window class once per process; answers whether it is registered.
    virtual bool EnsureRegistered();
    // Fills the class description, lets PreRegisterClass adjust it, registers it (0 on failure).
    virtual ATOM RegisterWndClass();
    // The derived class's own static "registered" flag.
    virtual bool& RegisteredFlag() = 0;
    virtual void PreRegisterClass(WNDCLASSEXW& wc);
    // Creates the window with this object as its entity; false when a live window already exists
    // or creation fails. menuOrId is the menu of a top-level window or the id of a child.
    virtual bool Create(DWORD exStyle, DWORD style, int x, int y, int cx, int cy, HWND parent, HMENU menuOrId);
    virtual bool Create(DWORD exStyle, DWORD style, HWND parent, HMENU menuOrId);
    // Pumps the thread's messages until this window no longer exists; answers 1.
    virtual int RunMessageLoop();
    // Destroys the window (an attached object only forgets it). The handle stays valid for the
    // handlers that run during the destruction and is cleared at WM_NCDESTROY.
    virtual void Destroy();
    virtual int Attach(HWND hwnd);
    virtual bool Detach();
    virtual bool IsValid() const;

    // The dispatcher; derived classes handle their own messages and pass the rest here.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnNcCreate(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCreate(CREATESTRUCTW* cs);
    virtual LRESULT OnDestroy();
    virtual LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnPaint();
    virtual int Redraw(bool erase);
    virtual void SetBlocker(HWND blocker);
    virtual void ClearBlocker();
    virtual void OnMouseMove(WPARAM keys, int x, int y);
    // delta is the raw high word of wParam: read it as a signed 16-bit number (one notch = +/-120).
    virtual LRESULT OnMouseWheel(int keys, WORD delta, int x, int y);
    virtual void OnLButtonDown(WPARAM keys, int x, int y);
    virtual void OnLButtonUp(WPARAM keys, int x, int y);
    virtual void OnRButtonDown(WPARAM keys, int x, int y);
    virtual void OnRButtonUp(WPARAM keys, int x, int y);
    virtual void OnMouseLeave();
    virtual void OnLButtonDblClk(WPARAM keys, int x, int y);
    virtual void OnKeyDown(WPARAM vk, UINT repeat, UINT flags);
    virtual void OnKeyUp(WPARAM vk, UINT repeat, UINT flags);
    virtual LRESULT OnSysKeyDown(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnSysKeyUp(WPARAM wParam, LPARAM lParam);
    virtual void OnSize(WPARAM type, int cx, int cy);
    virtual void OnSizing(WPARAM edge, RECT* rect);
    virtual void OnWindowPosChanging(WINDOWPOS* pos);
    virtual void OnTimer(UINT_PTR id);
    virtual const wchar_t* GetWndClassName() const = 0;

    HWND GetHwnd() const noexcept { return m_hwnd; }
    HWND GetBlocker() const noexcept { return m_blocker; }
    bool IsAttached() const noexcept { return m_attached; }
    bool IsAutoDelete() const noexcept { return m_autoDelete; }

    // The window procedure of every class registered through RegisterWndClass.
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    // The object linked to a window, or null.
    static CWnd* FromHandle(HWND hwnd) noexcept;

protected:
    // Default processing: the previous procedure when one is set, else DefWindowProcW.
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;         // not owned when m_attached
    WNDPROC m_prevProc = nullptr;  // never set by this program (no window is subclassed)
    bool m_attached = false;
    bool m_autoDelete = false;     // made by the factory list; deleted on WM_DESTROY
    bool m_destroying = false;     // Destroy is in DestroyWindow
    HWND m_blocker = nullptr;      // not owned

private:
    bool BlocksInput(UINT msg, WPARAM wParam);
    static void Unlink(HWND hwnd, CWnd* wnd) noexcept;
};

// Window property that holds a window's CWnd pointer.
inline constexpr wchar_t kWndEntityProp[] = L"WND_ENTITY";
