#include "wnd/CAccessible.h"

#include "wnd/ComApartment.h"

#include <oleauto.h>

namespace {

void SetEmpty(VARIANT* v) {
    ::VariantInit(v);
    v->vt = VT_EMPTY;
}

void SetChild(VARIANT* v, long id) {
    ::VariantInit(v);
    v->vt = VT_I4;
    v->lVal = id;
}

// The selected children of a multiple selection, as IEnumVARIANT of child ids.
class CChildEnum : public IEnumVARIANT {
public:
    explicit CChildEnum(std::vector<long> ids, ULONG at = 0) : m_ids(std::move(ids)), m_at(at) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IEnumVARIANT) {
            *out = static_cast<IEnumVARIANT*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&m_refs);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
        if (!out) return E_POINTER;
        ULONG n = 0;
        for (; n < count && m_at < m_ids.size(); ++n, ++m_at) SetChild(&out[n], m_ids[m_at]);
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        m_at += count;
        if (m_at <= m_ids.size()) return S_OK;
        m_at = static_cast<ULONG>(m_ids.size());
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        m_at = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
        if (!out) return E_POINTER;
        *out = new CChildEnum(m_ids, m_at);
        return S_OK;
    }

private:
    virtual ~CChildEnum() = default;
    std::vector<long> m_ids;
    ULONG m_at;
    LONG m_refs = 1;
};

}  // namespace

// --- IUnknown and IDispatch ---

HRESULT CAccessible::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kIidAccessible) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CAccessible::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG CAccessible::Release() {
    const LONG left = ::InterlockedDecrement(&m_refs);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT CAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT CAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT CAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT CAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) { return E_NOTIMPL; }

// --- helpers ---

HRESULT CAccessible::Check(const VARIANT& child, long& id) const {
    if (!m_hwnd) return CO_E_OBJNOTCONNECTED;
    if (child.vt != VT_I4) return E_INVALIDARG;
    if (child.lVal < 0 || child.lVal > ChildCount()) return E_INVALIDARG;
    id = child.lVal;
    return S_OK;
}

HRESULT CAccessible::Text(const VARIANT& child, BSTR* out, std::wstring (CAccessible::*get)(long) const) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    long id = 0;
    if (const HRESULT hr = Check(child, id); FAILED(hr)) return hr;
    const std::wstring text = (this->*get)(id);
    if (text.empty()) return S_FALSE;
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

bool CAccessible::Rect(long id, RECT& client) const {
    if (id != CHILDID_SELF) return false;
    return ::GetClientRect(m_hwnd, &client) != FALSE;
}

// --- IAccessible ---

HRESULT CAccessible::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!m_hwnd) return CO_E_OBJNOTCONNECTED;
    return ::AccessibleObjectFromWindow(m_hwnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                        reinterpret_cast<void**>(parent));
}

HRESULT CAccessible::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    *count = 0;
    if (!m_hwnd) return CO_E_OBJNOTCONNECTED;
    *count = ChildCount();
    return S_OK;
}

HRESULT CAccessible::get_accChild(VARIANT child, IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    long id = 0;
    if (const HRESULT hr = Check(child, id); FAILED(hr)) return hr;
    return S_FALSE;  // children are simple elements, answered by this object
}

HRESULT CAccessible::get_accName(VARIANT child, BSTR* name) { return Text(child, name, &CAccessible::Name); }

HRESULT CAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    long id = 0;
    if (const HRESULT hr = Check(child, id); FAILED(hr)) return hr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CAccessible::get_accDescription(VARIANT child, BSTR* text) {
    return Text(child, text, &CAccessible::Description);
}

HRESULT CAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    SetEmpty(role);
    long id = 0;
    if (const HRESULT hr = Check(child, id); FAILED(hr)) return hr;
    SetChild(role, Role(id));
    return S_OK;
}

HRESULT CAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    SetEmpty(state);
    long id = 0;
    if (const HRESULT hr = Check(child, id); FAILED(hr)) return hr;
    long bits = State(id);
    if (id == CHILDID_SELF) {
        bits |= STATE_SYSTEM_FOCUSABLE;
        if (::GetFocus() == m_hwnd) bits |= STATE_SYSTEM_FOCUSED;
        if (!::IsWindowVisible(m_hwnd)) bits |= STATE_SYSTEM_INVISIBLE;
        if (!::IsWindowEnabled(m_hwnd)) bits |= STATE_SYSTEM_UNAVAILABLE;
    }
    SetChild(state, bits);
    return S_OK;
}

HRESULT CAccessible::get_accHelp(VARIANT child, BSTR* help) {
    if (!help) return E_POINTER;
    *help = nullptr;
    long id = 0;
    if (const HRESULT hr = Check(child, id); FAILED(hr)) return hr;
    return S_FALSE;
}

HRESULT CAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    if (!file || !topic) return E_POINTER;
    *file = nullptr;
    *topic = 0;
    long id = 0;
    if (const HRESULT hr = Check(child, id); FAILED(hr)) return hr;
    return S_FALSE;
}

HRESULT CAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* keys) {
    return Text(child, keys, &CAccessible::KeyboardShortcut);
}

HRESULT CAccessible::get_accFocus(VARIANT* focus) {
    if (!focus) return E_POINTER;
    SetEmpty(focus);
    if (!m_hwnd) return CO_E_OBJNOTCONNECTED;
    if (::GetFocus() != m_hwnd) return S_FALSE;
    SetChild(focus, FocusedChild());
    return S_OK;
}

HRESULT CAccessible::get_accSelection(VARIANT* selection) {
    if (!selection) return E_POINTER;
    SetEmpty(selection);
    if (!m_hwnd) return CO_E_OBJNOTCONNECTED;
    std::vector<long> ids = SelectedChildren();
    if (ids.empty()) return S_FALSE;
    if (ids.size() == 1) {
        SetChild(selection, ids.front());
        return S_OK;
    }
    selection->vt = VT_UNKNOWN;
    selection->punkVal = new CChildEnum(std::move(ids));
    return S_OK;
}

HRESULT CAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Text(child, action, &CAccessible::DefaultAction);
}

HRESULT CAccessible::accSelect(long flags, VARIANT child) {
    long id = 0;
    if (const HRESULT hr = Check(child, id); FAILED(hr)) return hr;
    return Select(id, flags) ? S_OK : E_INVALIDARG;
}

HRESULT CAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    long id = 0;
    if (const HRESULT hr = Check(child, id); FAILED(hr)) return hr;
    RECT r{};
    if (!Rect(id, r)) return S_FALSE;
    ::MapWindowPoints(m_hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

HRESULT CAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    SetEmpty(end);
    long id = 0;
    if (const HRESULT hr = Check(start, id); FAILED(hr)) return hr;
    const long count = ChildCount();
    long to = 0;
    switch (direction) {
    case NAVDIR_FIRSTCHILD: to = id == CHILDID_SELF && count > 0 ? 1 : 0; break;
    case NAVDIR_LASTCHILD: to = id == CHILDID_SELF ? count : 0; break;
    case NAVDIR_NEXT:
    case NAVDIR_DOWN:
    case NAVDIR_RIGHT: to = id != CHILDID_SELF && id < count ? id + 1 : 0; break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP:
    case NAVDIR_LEFT: to = id > 1 ? id - 1 : 0; break;
    default: return E_INVALIDARG;
    }
    if (to == 0) return S_FALSE;  // the control's own siblings are its window object's to name
    SetChild(end, to);
    return S_OK;
}

HRESULT CAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    SetEmpty(child);
    if (!m_hwnd) return CO_E_OBJNOTCONNECTED;
    POINT p{x, y};
    ::ScreenToClient(m_hwnd, &p);
    RECT self{};
    if (!Rect(CHILDID_SELF, self) || !::PtInRect(&self, p)) return S_FALSE;
    const long count = ChildCount();
    for (long id = 1; id <= count; ++id) {
        RECT r{};
        if (Rect(id, r) && ::PtInRect(&r, p)) {
            SetChild(child, id);
            return S_OK;
        }
    }
    SetChild(child, CHILDID_SELF);
    return S_OK;
}

HRESULT CAccessible::accDoDefaultAction(VARIANT child) {
    long id = 0;
    if (const HRESULT hr = Check(child, id); FAILED(hr)) return hr;
    return DoDefaultAction(id) ? S_OK : DISP_E_MEMBERNOTFOUND;
}

HRESULT CAccessible::put_accName(VARIANT, BSTR) { return m_hwnd ? E_NOTIMPL : CO_E_OBJNOTCONNECTED; }

HRESULT CAccessible::put_accValue(VARIANT, BSTR) { return m_hwnd ? E_NOTIMPL : CO_E_OBJNOTCONNECTED; }

// --- CAccessibleSlot ---

LRESULT CAccessibleSlot::Hand(WPARAM wParam) {
    if (!m_object || !com_apartment::Join()) return 0;
    return ::LresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(m_object.get()));
}

void CAccessibleSlot::Disconnect() noexcept {
    if (m_object) m_object->Disconnect();
    m_object.reset();
}

void NotifyAccessible(DWORD event, HWND hwnd, long child) noexcept {
    if (hwnd) ::NotifyWinEvent(event, hwnd, OBJID_CLIENT, child);
}
