// The file store on Windows: wide file paths with characters outside the ANSI code page, and the
// application-data location.
#include "param/CIniFileBackend.h"
#include "param/CSettingsStore.h"
#include "param/win/SettingsFilePath.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

TEST(IniFileStore, WidePathsAndTextsRoundTrip) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    const std::filesystem::path dir =
        std::filesystem::path(temp) / (L"pinarbo-\x0415\x043B\x043A\x0430-" + std::to_wstring(::GetCurrentProcessId()));
    std::filesystem::remove_all(dir);
    {
        CIniFileBackend backend((dir / L"Firm" / L"\x2744.ini").wstring());
        CSettingsStore store(false, L"Firm", L"App");
        store.SetBackend(&backend);
        ASSERT_TRUE(store.WriteString(L"\x0414\x0435\x0440\x0435\x0432\x043E", L"caption", L"\x0401\x043B\x043A\x0430 \U0001F384"));
        tstr text;
        EXPECT_TRUE(store.ReadString(L"\x0414\x0435\x0440\x0435\x0432\x043E", L"CAPTION", text));
        EXPECT_EQ(text, L"\x0401\x043B\x043A\x0430 \U0001F384");
        EXPECT_TRUE(std::filesystem::exists(dir / L"Firm" / L"\x2744.ini"));
    }
    std::filesystem::remove_all(dir);
}

TEST(IniFileStore, FileLivesInApplicationData) {
    const tstr path = SettingsFilePath(L"Holverin", L"Pinarbo", L"settings.ini");
    ASSERT_FALSE(path.empty());
    EXPECT_NE(path.find(L"\\Holverin\\Pinarbo\\settings.ini"), tstr::npos);
    wchar_t appData[MAX_PATH] = {};
    ASSERT_GT(::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
    EXPECT_EQ(path.rfind(appData, 0), 0u) << testing::PrintToString(path);
    EXPECT_TRUE(SettingsFilePath(L"", L"Pinarbo", L"x.ini").empty());
}
