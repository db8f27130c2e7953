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
