#include "wnd/Dpi.h"

#include <gtest/gtest.h>

TEST(Dpi, WindowAndSystemAnswerTheScreensDpi) {
    // Without per-monitor DPI (Wine, or one monitor) a window, the system and the screen's
    // logical pixels agree; with no window the system answers.
    const HDC screen = ::GetDC(nullptr);
    const UINT logPixels = static_cast<UINT>(::GetDeviceCaps(screen, LOGPIXELSX));
    ::ReleaseDC(nullptr, screen);
    const HWND w = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    EXPECT_EQ(Dpi::ForSystem(), logPixels);
    EXPECT_EQ(Dpi::ForWindow(w), logPixels);
    EXPECT_EQ(Dpi::ForWindow(nullptr), logPixels);
    ::DestroyWindow(w);
}

TEST(Dpi, ScaleRoundsToNearest) {
    struct Case {
        int value;
        UINT dpi;
        int scaled;
    } cases[] = {{100, 96, 100}, {100, 144, 150}, {1, 144, 2}, {-1, 144, -2}, {193, 120, 241}, {250, 192, 500}, {0, 192, 0}};
    for (const Case& c : cases) EXPECT_EQ(Dpi::Scale(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
}
