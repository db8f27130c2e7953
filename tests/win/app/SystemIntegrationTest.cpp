#include "app/SystemIntegration.h"

#include <gtest/gtest.h>

TEST(SystemIntegration, VersionTextOfASystemFile) {
    wchar_t sys[MAX_PATH];
    ASSERT_GT(::GetSystemDirectoryW(sys, MAX_PATH), 0u);
    const tstr kernel = tstr(sys) + L"\\kernel32.dll";
    const tstr version = SysIntegration::GetVersionText(kernel, L"FileVersion");
    EXPECT_FALSE(version.empty());
    EXPECT_NE(version.find(L'.'), tstr::npos);
    EXPECT_EQ(SysIntegration::GetVersionText(kernel, L"NoSuchVersionText"), L"");
    EXPECT_EQ(SysIntegration::GetVersionText(L"C:\\no\\such\\file.exe", L"FileVersion"), L"");
}

TEST(SystemIntegration, ModulePathNamesThisTestProgram) {
    const tstr path = SysIntegration::ModulePath();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(_wcsicmp(path.substr(path.size() - 4).c_str(), L".exe"), 0);
}

TEST(SystemIntegration, ConstantOpacityTogglesTheLayeredStyle) {
    const HWND w = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    EXPECT_TRUE(SysIntegration::SetConstantOpacity(w, 128));
    EXPECT_TRUE(::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    if (::GetLayeredWindowAttributes(w, nullptr, &alpha, &flags)) {
        EXPECT_EQ(alpha, 128);
        EXPECT_EQ(flags & LWA_COLORKEY, 0u);
    }
    SysIntegration::SetConstantOpacity(w, 255);
    EXPECT_FALSE(::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
    SysIntegration::DisableTransitions(w);  // must be harmless whether or not the window manager offers it
    (void)SysIntegration::IsThemeActive();
    ::DestroyWindow(w);
}
