// CAccessible: the IAccessible object of a control drawn by the program, answered from
// WM_GETOBJECT so that screen readers (other processes) can read it. The base does the COM part
// (reference counting, IDispatch stubs, child id checks, hit testing, navigation, the selection
// enumeration); a control's object only translates the control's own state: how many children,
// their roles, names, states and rectangles, and the default action. Children are addressed by
// 1-based ids in screen order, 0 (CHILDID_SELF) is the control itself.
// CAccessibleSlot: a control's one object, made at the first request and disconnected when the
// control's window goes (a client may keep it longer: every call then fails safely).
#pragma once

#include "wnd/Handles.h"

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

// {618736E0-3C3D-11CF-810C-00AA00389B71}: written out, because a static link of the import
// library gives a thunk in place of the GUID.
inline constexpr GUID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

class CAccessible : public IAccessible {
public:
    explicit CAccessible(HWND hwnd) noexcept : m_hwnd(hwnd) {}
    CAccessible(const CAccessible&) = delete;
    CAccessible& operator=(const CAccessible&) = delete;

    // The control's window is going: from now on every call answers CO_E_OBJNOTCONNECTED.
    void Disconnect() noexcept { m_hwnd = nullptr; }
    bool Connected() const noexcept { return m_hwnd != nullptr; }
    HWND Window() const noexcept { return m_hwnd; }

    // --- IUnknown ---
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // --- IDispatch (not offered: MSAA clients call IAccessible directly) ---
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // --- IAccessible ---
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

protected:
    virtual ~CAccessible() = default;

    // The control's model; called only while connected, with a checked id (0: the control).
    virtual long ChildCount() const { return 0; }
    virtual long Role(long id) const = 0;
    virtual std::wstring Name(long id) const = 0;
    // States beyond those of the window (focusable, focused, invisible for the control itself).
    virtual long State(long) const { return 0; }
    virtual std::wstring Description(long) const { return {}; }
    virtual std::wstring KeyboardShortcut(long) const { return {}; }
    virtual std::wstring DefaultAction(long) const { return {}; }
    // Starts the default action and returns at once (a modal dialog must not block the caller).
    virtual bool DoDefaultAction(long) { return false; }
    // Where the child (0: the control) lies, in the window's client coordinates.
    virtual bool Rect(long id, RECT& client) const;
    // The focused child while the window has the focus (0: the control itself).
    virtual long FocusedChild() const { return 0; }
    virtual std::vector<long> SelectedChildren() const { return {}; }
    // accSelect's SELFLAG_* on a child; false when the control cannot do it.
    virtual bool Select(long, long) { return false; }

private:
    // S_OK with id set for CHILDID_SELF or a child in range; E_INVALIDARG otherwise;
    // CO_E_OBJNOTCONNECTED once the window has gone.
    HRESULT Check(const VARIANT& child, long& id) const;
    HRESULT Text(const VARIANT& child, BSTR* out, std::wstring (CAccessible::*get)(long) const) const;

    HWND m_hwnd;
    LONG m_refs = 1;
};

class CAccessibleSlot {
public:
    CAccessibleSlot() noexcept = default;
    ~CAccessibleSlot() { Disconnect(); }
    CAccessibleSlot(const CAccessibleSlot&) = delete;
    CAccessibleSlot& operator=(const CAccessibleSlot&) = delete;

    // WM_GETOBJECT: for OBJID_CLIENT the object (made by make() at the first request), otherwise
    // 0, so that the caller passes the message on to the default handling.
    template <class Make>
    LRESULT Answer(WPARAM wParam, LPARAM lParam, Make make) {
        if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return 0;
        if (!m_object) *m_object.put() = make();
        return Hand(wParam);
    }
    // The window is going: clients that still hold the object get CO_E_OBJNOTCONNECTED.
    void Disconnect() noexcept;
    CAccessible* Object() const noexcept { return m_object.get(); }

private:
    LRESULT Hand(WPARAM wParam);
    CComPtr<CAccessible> m_object;
};

// Raises a WinEvent for the control's client object (child 0) or one of its children.
void NotifyAccessible(DWORD event, HWND hwnd, long child) noexcept;
