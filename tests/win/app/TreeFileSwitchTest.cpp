// The running program takes tree files handed over by another copy or dropped on the desktop tree:
// it saves its tree, imports the file and switches to it at once; a refused file changes nothing.
#include "TestWpp.h"
#include "app/TreeFileCommand.h"
#include "param/CMemoryBackend.h"
#include "wnd/Messages.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

namespace {

LRESULT HandOver(CWpp& app, ULONG_PTR what, const tstr& file) {
    COPYDATASTRUCT data{what, static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)), const_cast<wchar_t*>(file.c_str())};
    return ::SendMessageW(app.MainDlg().GetHwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

HGLOBAL MakeDrop(const tstr& name) {
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return memory;
}

}  // namespace

TEST(TreeFileSwitch, AnImportedTreeReplacesTheRunningOne) {
    CMemoryBackend memory;
    memory.SetRaw(L"Software\\Holverin\\Pinarbo\\Options\\Windows\\Main", L"x", 1, {0, 0});  // not a first start
    CTestWpp app;
    app.Store().SetBackend(&memory);
    ASSERT_TRUE(app.Init());
    ASSERT_EQ(app.ProfileName(), L"Default");
    const int defaultItems = app.m_items.Count();
    const tstr data = tstr(L"" PINARBO_TEST_DATA "/treefile/");
    const tstr seeds = tstr(L"" PINARBO_TEST_DATA "/../fuzz/corpus/treefile/");
    CSettingsStore& store = app.Store();

    using namespace TreeFileHandOver;
    EXPECT_EQ(HandOver(app, kImport | kSilent, data + L"bad/cut--half-of-a-good-file.pinarbo"), kAnswer + 2);
    EXPECT_EQ(app.ProfileName(), L"Default");
    EXPECT_FALSE(store.SectionExists(L"Profiles\\cut--half-of-a-good-file"));
    EXPECT_EQ(HandOver(app, 0x1234, data + L"bad/cut--half-of-a-good-file.pinarbo"), 0) << "not a tree file request";

    EXPECT_EQ(HandOver(app, kImport | kSilent, seeds + L"built-in-only.pinarbo"), kAnswer + 0);
    EXPECT_EQ(app.ProfileName(), L"built-in-only");
    ASSERT_EQ(app.m_items.Count(), 1);
    EXPECT_EQ(app.m_items.Items()[0]->Caption.Get(), L"Toy");
    tstr current;
    EXPECT_TRUE(store.ReadString(L"Profiles", L"Profile", current) && current == L"built-in-only");
    tstr type;
    EXPECT_TRUE(store.ReadString(L"Profiles\\Default\\Items\\Tree", L"type", type)) << "the tree it left was saved";
    int saved = 0;
    while (store.SectionExists(L"Profiles\\Default\\Items\\" + std::wstring(saved < 10 ? L"00" : L"0") + std::to_wstring(saved))) ++saved;
    EXPECT_EQ(saved, defaultItems);
    tstr handle;
    EXPECT_TRUE(store.ReadString(L"Options\\Windows\\Main", L"Handle", handle)) << "later copies still find this one";

    // Dropped on the desktop tree: imported and switched to the same way (a message box would tell
    // the outcome; it is taken away before it shows).
    ::SendMessageW(app.View().GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(seeds + L"no-items.pinarbo")), 0);
    EXPECT_EQ(app.ProfileName(), L"no-items");
    MSG msg;
    while (::PeekMessageW(&msg, app.MainDlg().GetHwnd(), kWmTreeFileNote, kWmTreeFileNote, PM_REMOVE)) {
    }
    app.Exit();
}
