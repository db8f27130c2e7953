#include "scene/win/CDcCanvas.h"

bool CDcCanvas::Create(HDC target, int width, int height) {
    const RECT rect{0, 0, width, height};
    return Create(target, rect);
}

bool CDcCanvas::Create(HDC target, const RECT& rect) {
    Release();
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!target || width <= 0 || height <= 0) return false;
    m_memory.reset(::CreateCompatibleDC(target));
    m_bitmap.reset(::CreateCompatibleBitmap(target, width, height));
    if (!m_memory || !m_bitmap) {
        Release();
        return false;
    }
    m_rect = rect;
    Select(m_bitmap.get());
    return true;
}

bool CDcCanvas::AttachWindow(HWND hwnd) {
    Release();
    m_window = std::make_unique<CWindowDc>(hwnd);
    if (!*m_window) {
        m_window.reset();
        return false;
    }
    ::GetClientRect(hwnd, &m_rect);
    return true;
}

HDC CDcCanvas::Dc() const noexcept {
    if (m_memory) return m_memory.get();
    return m_window ? m_window->get() : nullptr;
}

bool CDcCanvas::CopyTo(HDC dst) const {
    const HDC src = Dc();
    if (!src || !dst) return false;
    return ::BitBlt(dst, m_rect.left, m_rect.top, Width(), Height(), src, 0, 0, SRCCOPY) != FALSE;
}

void CDcCanvas::Select(HGDIOBJ obj) {
    const HDC dc = Dc();
    if (!dc || !obj) return;
    const HGDIOBJ previous = ::SelectObject(dc, obj);
    if (previous && previous != HGDI_ERROR) m_previous.push_back(previous);
}

void CDcCanvas::Release() noexcept {
    if (const HDC dc = Dc()) {
        for (auto it = m_previous.rbegin(); it != m_previous.rend(); ++it) ::SelectObject(dc, *it);
    }
    m_previous.clear();
    m_memory.reset();
    m_window.reset();
    m_bitmap.reset();
    m_rect = RECT{};
}
