// A stored tree whose picture cannot be used still shows a built-in tree at start-up: a file that
// does not decode shows the built-in tree the stored resid chooses (as a missing file does), an id
// that names no picture shows the default tree. The stored choice is kept and saved as it was.
#include "../wnd/Pump.h"
#include "TestWpp.h"
#include "param/CMemoryBackend.h"
#include "scene/DefaultScene.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool SamePixels(const CBmp& a, const CBmp& b) {
    return !a.IsEmpty() && a.Width() == b.Width() && a.Height() == b.Height() &&
           std::memcmp(a.Bits(), b.Bits(), static_cast<std::size_t>(a.ByteSize())) == 0;
}

}  // namespace

TEST(TreeFallback, AnUnusableStoredTreeShowsABuiltInTreeAndKeepsTheChoice) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring broken = std::wstring(temp) + L"pinarbo-broken-tree.png";
    ASSERT_TRUE(::CopyFileW(L"" PINARBO_TEST_DATA "/imaging/broken/random.png", broken.c_str(), FALSE));

    CMemoryBackend memory;
    memory.SetRaw(L"Software\\Holverin\\Pinarbo\\Options\\Windows\\Main", L"x", 1, {0, 0});  // not a first start
    CTestWpp app;
    app.Store().SetBackend(&memory);
    ASSERT_TRUE(app.Init());

    struct SCase {
        int source;
        unsigned int resid;
        unsigned int shown;
    };
    const SCase cases[] = {{CItem::kFile, 125, 125}, {CItem::kBuiltIn, 9999, kDefaultTreeResource}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.resid);
        CItem stored;
        stored.Setup(L"XMas Tree", CItem::kTree, c.resid, 0, 0, 0, 100, 100, 0, 0);
        stored.source.Set(c.source);
        stored.path = broken;
        ASSERT_TRUE(stored.Save(app.Store(), CWpp::kTreeSection));
        app.LoadOptions();

        CItem builtIn;
        builtIn.Setup(L"", CItem::kTree, c.shown, 0, 0, 0, 100, 100, 0, 0);
        ASSERT_TRUE(builtIn.LoadPicture());
        EXPECT_TRUE(SamePixels(app.m_tree.SourcePicture(), builtIn.SourcePicture())) << "built-in tree " << c.shown;
        EXPECT_FALSE(app.m_tree.Rendered().IsEmpty());

        app.SaveProfileOptions();
        CItem saved;
        saved.Load(app.Store(), CWpp::kTreeSection);
        EXPECT_EQ(saved.source.Get(), c.source) << "the stored choice is kept";
        EXPECT_EQ(saved.resid.Get(), c.resid);
        EXPECT_EQ(saved.path, broken);
    }
    app.Exit();
    PumpMessages(100);
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    ::DeleteFileW(broken.c_str());
}
