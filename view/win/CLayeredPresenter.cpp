#include "view/win/CLayeredPresenter.h"

#include "scene/CBmp.h"

SFrameView CLayeredPresenter::Prepare(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    if (!m_section || width != m_width || height != m_height) {
        Reset();
        if (!CBmp::IsAcceptableSize(width, height)) return {};
        m_dc.reset(::CreateCompatibleDC(nullptr));
        if (!m_dc) return {};
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_section.reset(::CreateDIBSection(m_dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!m_section || !bits) {
            Reset();
            return {};
        }
        m_selection = std::make_unique<CSelectObject>(m_dc.get(), m_section.get());
        m_bits = bits;
        m_width = width;
        m_height = height;
        ++m_creations;
    }
    ::GdiFlush();
    return {static_cast<std::uint8_t*>(m_bits), m_width, m_height};
}

bool CLayeredPresenter::UpdateLayered(HWND hwnd) {
    SIZE size{m_width, m_height};
    POINT src{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::UpdateLayeredWindow(hwnd, nullptr, nullptr, &size, m_dc.get(), &src, 0, &blend, ULW_ALPHA) != FALSE;
}

bool CLayeredPresenter::Present(HWND hwnd) {
    if (!hwnd || !m_section) return false;
    if (UpdateLayered(hwnd)) {
        m_refusals = 0;
        return true;
    }
    // A window whose layered style was used with SetLayeredWindowAttributes refuses per-pixel
    // updates until the style is set anew. Done at the first refusal of a run only: a window
    // that still refuses after it would otherwise see two style changes every frame.
    if (m_refusals++ % kRetryEvery != 0) return false;
    const LONG_PTR ex = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    if (!UpdateLayered(hwnd)) return false;
    m_refusals = 0;
    return true;
}

void CLayeredPresenter::Reset() noexcept {
    m_selection.reset();
    m_section.reset();
    m_dc.reset();
    m_bits = nullptr;
    m_width = 0;
    m_height = 0;
}
