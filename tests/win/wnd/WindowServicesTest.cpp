#include "wnd/WindowServices.h"

#include <gtest/gtest.h>

TEST(WindowServices, ConstantOpacityTogglesTheLayeredStyle) {
    const HWND w = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    EXPECT_TRUE(WndServices::SetConstantOpacity(w, 128));
    EXPECT_TRUE(::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    if (::GetLayeredWindowAttributes(w, nullptr, &alpha, &flags)) {
        EXPECT_EQ(alpha, 128);
        EXPECT_EQ(flags & LWA_COLORKEY, 0u);
    }
    WndServices::SetConstantOpacity(w, 255);
    EXPECT_FALSE(::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
    WndServices::DisableTransitions(w);  // must be harmless whether or not the window manager offers it
    (void)WndServices::IsThemeActive();
    ::DestroyWindow(w);
}
