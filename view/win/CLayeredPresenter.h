// CLayeredPresenter: hands premultiplied frames to a per-pixel-alpha layered window. Keeps one
// 32-bit top-down DIB section selected into a memory device context for the window's size and
// reuses it across frames; both are re-created only when the size changes.
#pragma once

#include "view/CFrameBuilder.h"
#include "wnd/Handles.h"

#include <memory>

class CLayeredPresenter {
public:
    CLayeredPresenter() = default;
    CLayeredPresenter(const CLayeredPresenter&) = delete;
    CLayeredPresenter& operator=(const CLayeredPresenter&) = delete;

    // The frame buffer (the DIB section's pixels) for width x height; empty when the size is
    // 0 x 0 or the section cannot be made. Pending GDI work on it is flushed first.
    SFrameView Prepare(int width, int height);
    // UpdateLayeredWindow with the prepared frame, the window staying where it is (no screen
    // context and no position are passed: the system then neither fetches one nor moves the
    // window, which costs a layered update its least). When the window
    // starts refusing it, the layered style is switched off and on again and the update retried,
    // once per run of refusals (and again only every kRetryEvery refusals while they last), so a
    // window that keeps refusing does not get its style changed on every frame.
    bool Present(HWND hwnd);
    static constexpr int kRetryEvery = 150;  // about five seconds of 35 ms frames
    // Releases the section and the memory context.
    void Reset() noexcept;

    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    // How many times a section was made (tests: re-creation only on size changes).
    int Creations() const noexcept { return m_creations; }
    // The prepared frame buffer, or null.
    const void* Buffer() const noexcept { return m_bits; }

private:
    bool UpdateLayered(HWND hwnd);

    // Destroyed in reverse order: the old bitmap is selected back before the section and the
    // context are deleted.
    CUniqueDc m_dc;
    CUniqueBitmap m_section;
    std::unique_ptr<CSelectObject> m_selection;
    void* m_bits = nullptr;  // the section's pixels, owned by m_section
    int m_width = 0;
    int m_height = 0;
    int m_creations = 0;
    int m_refusals = 0;  // updates refused since the last one that worked
};
