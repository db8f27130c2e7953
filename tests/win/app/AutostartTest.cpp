#include "app/Autostart.h"

#include <gtest/gtest.h>

TEST(Autostart, ShortcutPathsAndFolders) {
    EXPECT_EQ(Autostart::ShortcutPathIn(L"C:\\Startup", L"Pinarbo"), L"C:\\Startup\\Pinarbo.lnk");
    EXPECT_EQ(Autostart::ShortcutPathIn(L"C:\\Startup\\", L"Pinarbo"), L"C:\\Startup\\Pinarbo.lnk");
    EXPECT_EQ(Autostart::ShortcutPathIn(L"", L"Pinarbo"), L"");
    EXPECT_EQ(Autostart::ShortcutPathIn(L"C:\\Startup", L""), L"");
    EXPECT_EQ(Autostart::FolderOf(L"C:\\Program Files\\Pinarbo\\Pinarbo.exe"), L"C:\\Program Files\\Pinarbo");
    EXPECT_EQ(Autostart::FolderOf(L"Pinarbo.exe"), L"");
}

TEST(Autostart, StartupFolderIsKnown) {
    const tstr folder = Autostart::StartupFolder();
    EXPECT_FALSE(folder.empty());
    EXPECT_EQ(Autostart::ShortcutPath(L"Pinarbo"), Autostart::ShortcutPathIn(folder, L"Pinarbo"));
}

TEST(Autostart, ShortcutWrittenAndReadBackThroughTheShellLink) {
    wchar_t tmp[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, tmp), 0u);
    const tstr link = tstr(tmp) + L"pinarbo-test-link.lnk";
    ::DeleteFileW(link.c_str());
    const tstr target = L"C:\\windows\\system32\\notepad.exe";

    const HRESULT hr = Autostart::CreateShortcut(target, link, L"Pinarbo", 0, L"");
    ASSERT_TRUE(SUCCEEDED(hr)) << std::hex << hr;
    ASSERT_NE(::GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);

    Autostart::SShortcut back;
    ASSERT_TRUE(Autostart::ReadShortcut(link, back));
    EXPECT_EQ(_wcsicmp(back.target.c_str(), target.c_str()), 0) << std::string(back.target.begin(), back.target.end());
    EXPECT_EQ(_wcsicmp(back.workingFolder.c_str(), L"C:\\windows\\system32"), 0);
    EXPECT_EQ(back.description, L"Pinarbo");
    EXPECT_EQ(back.arguments, L"");
    EXPECT_TRUE(::DeleteFileW(link.c_str()));
}

TEST(Autostart, ReadingAMissingShortcutFails) {
    Autostart::SShortcut back;
    EXPECT_FALSE(Autostart::ReadShortcut(L"C:\\no\\such\\Pinarbo.lnk", back));
}
