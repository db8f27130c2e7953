// Owners for Win32 handles: CUniqueHandle<Traits> (move-only, closes on destruction), the typedefs
// per kind, CWindowDc / CPaintDc / CSelectObject guards and CComPtr<T>. Every owner reports to
// CHandleTally, so tests can prove that a loop creates and releases the same number of objects.
#pragma once

#include <windows.h>
#include <unknwn.h>
#include <objbase.h>

#include <utility>

enum class EHandleKind { Dc, WindowDc, PaintDc, Gdi, Icon, Menu, Key, Kernel, Global, Com, Count };

// Live objects per kind held by our owners (single UI thread: plain counters).
class CHandleTally {
public:
    static long Live(EHandleKind kind) noexcept { return Counts()[static_cast<int>(kind)]; }
    static long LiveTotal() noexcept {
        long sum = 0;
        for (int i = 0; i < static_cast<int>(EHandleKind::Count); ++i) sum += Counts()[i];
        return sum;
    }
    // Objects of the kind taken by our owners since the start (a loop that makes none keeps it).
    static long Made(EHandleKind kind) noexcept { return MadeCounts()[static_cast<int>(kind)]; }
    static void Acquired(EHandleKind kind) noexcept {
        ++Counts()[static_cast<int>(kind)];
        ++MadeCounts()[static_cast<int>(kind)];
    }
    static void Released(EHandleKind kind) noexcept { --Counts()[static_cast<int>(kind)]; }

private:
    static long* Counts() noexcept {
        static long counts[static_cast<int>(EHandleKind::Count)] = {};
        return counts;
    }
    static long* MadeCounts() noexcept {
        static long counts[static_cast<int>(EHandleKind::Count)] = {};
        return counts;
    }
};

template <class Traits>
class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    CUniqueHandle() noexcept = default;
    explicit CUniqueHandle(Handle h) noexcept { reset(h); }
    ~CUniqueHandle() { reset(); }
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_h(other.release()) { TallyUp(); }
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    Handle get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return m_h != Traits::Invalid(); }

    // Closes the held handle (if any) and takes ownership of h.
    void reset(Handle h = Traits::Invalid()) noexcept {
        if (m_h != Traits::Invalid()) {
            Traits::Close(m_h);
            CHandleTally::Released(Traits::kKind);
        }
        m_h = h;
        TallyUp();
    }
    // Gives up ownership without closing.
    [[nodiscard]] Handle release() noexcept {
        if (m_h != Traits::Invalid()) CHandleTally::Released(Traits::kKind);
        return std::exchange(m_h, Traits::Invalid());
    }

private:
    void TallyUp() noexcept {
        if (m_h != Traits::Invalid()) CHandleTally::Acquired(Traits::kKind);
    }
    Handle m_h = Traits::Invalid();
};

namespace handle_traits {
template <class H, EHandleKind K, class Closer>
struct Basic {
    using Handle = H;
    static constexpr EHandleKind kKind = K;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { Closer{}(h); }
};
struct DeleteDc { void operator()(HDC h) const noexcept { ::DeleteDC(h); } };
struct DeleteGdi { void operator()(HGDIOBJ h) const noexcept { ::DeleteObject(h); } };
struct DestroyIconFn { void operator()(HICON h) const noexcept { ::DestroyIcon(h); } };
struct DestroyMenuFn { void operator()(HMENU h) const noexcept { ::DestroyMenu(h); } };
struct CloseKey { void operator()(HKEY h) const noexcept { ::RegCloseKey(h); } };
struct GlobalFreeFn { void operator()(HGLOBAL h) const noexcept { ::GlobalFree(h); } };
struct KernelHandle {
    using Handle = HANDLE;
    static constexpr EHandleKind kKind = EHandleKind::Kernel;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { if (h) ::CloseHandle(h); }
};
}  // namespace handle_traits

using CUniqueDc = CUniqueHandle<handle_traits::Basic<HDC, EHandleKind::Dc, handle_traits::DeleteDc>>;
using CUniqueBitmap = CUniqueHandle<handle_traits::Basic<HBITMAP, EHandleKind::Gdi, handle_traits::DeleteGdi>>;
using CUniqueFont = CUniqueHandle<handle_traits::Basic<HFONT, EHandleKind::Gdi, handle_traits::DeleteGdi>>;
using CUniqueBrush = CUniqueHandle<handle_traits::Basic<HBRUSH, EHandleKind::Gdi, handle_traits::DeleteGdi>>;
using CUniquePen = CUniqueHandle<handle_traits::Basic<HPEN, EHandleKind::Gdi, handle_traits::DeleteGdi>>;
using CUniqueRgn = CUniqueHandle<handle_traits::Basic<HRGN, EHandleKind::Gdi, handle_traits::DeleteGdi>>;
using CUniqueIcon = CUniqueHandle<handle_traits::Basic<HICON, EHandleKind::Icon, handle_traits::DestroyIconFn>>;
using CUniqueMenu = CUniqueHandle<handle_traits::Basic<HMENU, EHandleKind::Menu, handle_traits::DestroyMenuFn>>;
using CUniqueKey = CUniqueHandle<handle_traits::Basic<HKEY, EHandleKind::Key, handle_traits::CloseKey>>;
using CUniqueGlobal = CUniqueHandle<handle_traits::Basic<HGLOBAL, EHandleKind::Global, handle_traits::GlobalFreeFn>>;
using CUniqueFile = CUniqueHandle<handle_traits::KernelHandle>;

// A window's device context (GetDC / ReleaseDC); keeps the window it came from.
class CWindowDc {
public:
    explicit CWindowDc(HWND hwnd) noexcept : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {
        if (m_dc) CHandleTally::Acquired(EHandleKind::WindowDc);
    }
    ~CWindowDc() {
        if (m_dc) {
            ::ReleaseDC(m_hwnd, m_dc);
            CHandleTally::Released(EHandleKind::WindowDc);
        }
    }
    CWindowDc(const CWindowDc&) = delete;
    CWindowDc& operator=(const CWindowDc&) = delete;
    HDC get() const noexcept { return m_dc; }
    explicit operator bool() const noexcept { return m_dc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// BeginPaint / EndPaint for one WM_PAINT.
class CPaintDc {
public:
    explicit CPaintDc(HWND hwnd) noexcept : m_hwnd(hwnd), m_dc(::BeginPaint(hwnd, &m_ps)) {
        if (m_dc) CHandleTally::Acquired(EHandleKind::PaintDc);
    }
    ~CPaintDc() {
        if (m_dc) CHandleTally::Released(EHandleKind::PaintDc);
        ::EndPaint(m_hwnd, &m_ps);
    }
    CPaintDc(const CPaintDc&) = delete;
    CPaintDc& operator=(const CPaintDc&) = delete;
    HDC get() const noexcept { return m_dc; }
    const PAINTSTRUCT& ps() const noexcept { return m_ps; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc;
};

// Selects an object into a device context and selects the previous one back on destruction.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ obj) noexcept : m_dc(dc), m_old(dc && obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~CSelectObject() {
        if (m_dc && m_old) ::SelectObject(m_dc, m_old);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// COM for the calling thread for the length of a scope, balanced on every path. A failed
// initialisation (for example RPC_E_CHANGED_MODE: the thread already runs another apartment
// model) is not undone; COM is then usable all the same.
class CComScope {
public:
    CComScope() noexcept : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComScope() {
        if (SUCCEEDED(m_hr)) ::CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;
    bool Ready() const noexcept { return SUCCEEDED(m_hr) || m_hr == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_hr;
};

// Owning COM interface pointer. An owner counts as live from put() until reset().
template <class T>
class CComPtr {
public:
    CComPtr() noexcept = default;
    ~CComPtr() { reset(); }
    CComPtr(CComPtr&& other) noexcept
        : m_p(std::exchange(other.m_p, nullptr)), m_counted(std::exchange(other.m_counted, false)) {}
    CComPtr& operator=(CComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            m_p = std::exchange(other.m_p, nullptr);
            m_counted = std::exchange(other.m_counted, false);
        }
        return *this;
    }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;

    T* get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

    // Address for an out parameter; releases what was held first.
    T** put() noexcept {
        reset();
        m_counted = true;
        CHandleTally::Acquired(EHandleKind::Com);
        return &m_p;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    void reset() noexcept {
        if (m_p) {
            m_p->Release();
            m_p = nullptr;
        }
        if (m_counted) {
            m_counted = false;
            CHandleTally::Released(EHandleKind::Com);
        }
    }

private:
    T* m_p = nullptr;
    bool m_counted = false;
};
