#include "wnd/WindowServices.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

TEST(WindowServices, ConstantOpacityTogglesTheLayeredStyle) {
    const HWND w = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    // Each step answers whether it worked, full opacity (no layered style) included.
    struct Step {
        BYTE alpha;
        bool layered;
    } steps[] = {{128, true}, {255, false}, {255, false}, {10, true}, {0, true}, {255, false}};
    for (const Step& s : steps) {
        EXPECT_TRUE(WndServices::SetConstantOpacity(w, s.alpha)) << int(s.alpha);
        EXPECT_EQ((::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0, s.layered) << int(s.alpha);
        BYTE alpha = 0;
        DWORD flags = 0;
        if (s.layered && ::GetLayeredWindowAttributes(w, nullptr, &alpha, &flags)) {
            EXPECT_EQ(alpha, s.alpha);
            EXPECT_EQ(flags & LWA_COLORKEY, 0u);
        }
    }
    EXPECT_FALSE(WndServices::SetConstantOpacity(nullptr, 128));
    WndServices::DisableTransitions(w);  // must be harmless whether or not the window manager offers it
    (void)WndServices::IsThemeActive();
    ::DestroyWindow(w);
}

TEST(WindowServices, OptionalLibrariesComeFromTheSystemFolderOnly) {
    // A library planted beside the program under a name the system folder does not hold is not
    // loaded, although a search by bare name finds it there first.
    wchar_t exe[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    std::wstring dir(exe);
    dir.erase(dir.find_last_of(L'\\') + 1);
    const std::wstring planted = dir + L"pinarbo-planted.dll";
    ASSERT_TRUE(::CopyFileW(exe, planted.c_str(), FALSE));
    const HMODULE byName = ::LoadLibraryW(L"pinarbo-planted.dll");
    EXPECT_NE(byName, nullptr) << "the bare-name search does look beside the program";
    if (byName) ::FreeLibrary(byName);
    EXPECT_EQ(WndServices::LoadSystemLibrary(L"pinarbo-planted.dll"), nullptr);
    ::DeleteFileW(planted.c_str());

    const char* const names[] = {"uxtheme.dll", "UxTheme.dll", "user32.dll"};
    for (const char* n : names) {
        const std::wstring name(n, n + std::char_traits<char>::length(n));
        const HMODULE lib = WndServices::LoadSystemLibrary(name.c_str());
        EXPECT_NE(lib, nullptr) << n;
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(lib, path, MAX_PATH);
        wchar_t system[MAX_PATH] = {};
        ::GetSystemDirectoryW(system, MAX_PATH);
        EXPECT_EQ(::CompareStringOrdinal(path, static_cast<int>(std::wcslen(system)), system, -1, TRUE), CSTR_EQUAL)
            << n;
    }
    for (const wchar_t* bad : {L"", L"..\\uxtheme.dll", L"C:\\x\\uxtheme.dll", L"a/b.dll"})
        EXPECT_EQ(WndServices::LoadSystemLibrary(bad), nullptr);
    EXPECT_EQ(WndServices::LoadSystemLibrary(nullptr), nullptr);
}
