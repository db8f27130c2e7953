// Own pictures of toys and garlands in the item settings dialog: "Predefined" or "Loaded" with a
// typed or chosen path, stored as source and path; a file that does not load shows the item's
// built-in picture, visibly, and the status line says so.
#include "DlgTestSupport.h"

#include "construct/CItemDlg.h"
#include "construct/ISceneHost.h"
#include "param/CMemoryBackend.h"
#include "param/CSettingsStore.h"
#include "res/resource.h"
#include "scene/ItemPicture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

class ItemPicture : public testing::Test {
protected:
    void SetUp() override {
        SetUpDialogTests();
        ASSERT_TRUE(parent.Create(300, 200, 360, 300));
        ASSERT_TRUE(page.Create(20, 560, 200, 150, L"Test page"));
        SetOpenPageWindow(page.Hwnd());
        folder = TempFolder(L"itempicture");
        store.SetBackend(&memory);
    }
    void TearDown() override { SetOpenPageWindow(nullptr); }

    void Make(CItem& item, int type, unsigned resid) {
        item.Setup(type == CItem::kToy ? L"Ball" : L"Lights", type, resid, 0, 0, 0, 100, 100, 30, 40);
        item.LoadPicture();
        item.Render();
    }
    std::wstring Copy(const std::string& relative, const wchar_t* name) {
        const std::wstring to = folder + name;
        EXPECT_TRUE(::CopyFileW(DataPath(relative).c_str(), to.c_str(), FALSE)) << relative;
        return to;
    }
    std::wstring Status(HWND d) {
        wchar_t text[200] = {};
        ::GetDlgItemTextW(d, IDC_TREE_STATUS, text, 200);
        return text;
    }

    CTestWindow parent, page;
    std::wstring folder;
    CMemoryBackend memory;
    CSettingsStore store;
};

}  // namespace

// A user's whole way: "Loaded" (a real click), a path typed key by key, another file through
// "..." and the system's open-file dialog, "Predefined" and back. The pane entry and the page
// follow every change; OK keeps source and path, which are stored and load back with the picture.
TEST_F(ItemPicture, TypedAndChosenFilesAreKeptStoredAndLoadedBack) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    const std::wstring bmp = Copy("itemdlg/tree24.bmp", L"typed.bmp");
    const std::wstring jpg = Copy("itemdlg/tree.jpg", L"chosen.jpg");
    const CBmp builtIn = BuiltInPicture(IDB_TOY_ROUND);
    CItem toy;
    Make(toy, CItem::kToy, IDB_TOY_ROUND);
    std::unique_ptr<CNavPaneItem> entry(NewEntryWithTool());
    CItemDlg dlg(entry.get(), &toy);
    const SModalRun run = RunModal(dlg, IDD_ITEM, parent.Hwnd(), [&](HWND d) {
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_TREE_PREDEFINED), BST_CHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_TREE_LOADED), BST_UNCHECKED);
        EXPECT_EQ(TextOf(::GetDlgItem(d, IDC_TREE_PATH)), L"");
        EXPECT_EQ(::SendMessageW(::GetDlgItem(d, IDC_TREE_PATH), EM_GETLIMITTEXT, 0, 0), 520);

        EXPECT_TRUE(Click(d, IDC_TREE_LOADED));
        EXPECT_EQ(toy.source.Get(), CItem::kFile);
        EXPECT_TRUE(SamePixels(toy.SourcePicture(), builtIn)) << "no path yet: the built-in picture";
        EXPECT_EQ(Status(d), L"");

        int paints = page.paints;
        EXPECT_TRUE(Click(d, IDC_TREE_PATH));
        EXPECT_TRUE(Xdo(KeysFor(bmp), 600 + 80 * static_cast<DWORD>(bmp.size())));
        PumpUntil([&] { return toy.path == bmp; }, 3000);
        EXPECT_EQ(toy.SourcePicture().Width(), 33);
        EXPECT_EQ(toy.SourcePicture().Height(), 52);
        EXPECT_TRUE(SamePixels(EntryPicture(entry.get()), toy.Thumbnail())) << "the entry shows the file";
        PumpMessages(60);
        EXPECT_GT(page.paints, paints) << "the page shows the file";

        EXPECT_TRUE(ChooseInOpenFileDialog(d, IDC_TREE_BROWSE, jpg)) << "no window titled \"open file\"";
        PumpUntil([&] { return toy.path == jpg; }, 4000);
        EXPECT_EQ(TextOf(::GetDlgItem(d, IDC_TREE_PATH)), jpg);
        EXPECT_NEAR(toy.SourcePicture().Width(), 33, 4);

        EXPECT_TRUE(Click(d, IDC_TREE_PREDEFINED));
        EXPECT_EQ(toy.source.Get(), CItem::kBuiltIn);
        EXPECT_TRUE(SamePixels(toy.SourcePicture(), builtIn));
        EXPECT_TRUE(SamePixels(EntryPicture(entry.get()), toy.Thumbnail()));
        EXPECT_EQ(toy.path, jpg) << "the path stays for a later \"Loaded\"";
        EXPECT_TRUE(Click(d, IDC_TREE_LOADED));
        EXPECT_NEAR(toy.SourcePicture().Width(), 33, 4);
        EXPECT_TRUE(Click(d, IDOK));
    });
    EXPECT_FALSE(run.scriptLeftItOpen);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(toy.source.Get(), CItem::kFile);
    EXPECT_EQ(toy.path, jpg);

    ASSERT_TRUE(toy.Save(store, L"Items\\001"));
    CItem back;
    ASSERT_TRUE(back.Load(store, L"Items\\001"));
    EXPECT_EQ(back.source.Get(), CItem::kFile);
    EXPECT_EQ(back.path, jpg);
    EXPECT_TRUE(SamePixels(back.SourcePicture(), toy.SourcePicture()));
}

// Items stored before they had their own pictures (no "source", no "path") load as "Predefined"
// with their built-in picture.
TEST_F(ItemPicture, OlderStoredItemsLoadAsPredefined) {
    store.WriteInt(L"Items\\001", L"type", CItem::kToy);
    store.WriteInt(L"Items\\001", L"resid", IDB_TOY_LONG);
    CItem fresh;
    ASSERT_TRUE(fresh.Load(store, L"Items\\001"));
    EXPECT_EQ(fresh.source.Get(), CItem::kBuiltIn);
    EXPECT_TRUE(fresh.path.empty());
    EXPECT_TRUE(SamePixels(fresh.SourcePicture(), BuiltInPicture(IDB_TOY_LONG)));
}

// Picture files of every kind the loader reads become the toy's picture (PNG keeping its alpha,
// JPEG, BMP, GIF); files that do not load show the built-in picture of the item (its own choice,
// or the default of its type when that names none), keep their row and path, and say so in the
// status line; a good file clears it. Cancel brings back source, path and picture.
TEST_F(ItemPicture, FilesLoadAndUnreadableOnesFallBackVisibly) {
    struct SGood {
        const char* file;
        const wchar_t* copy;
        bool halfAlpha;
    } const good[] = {
        {"itemdlg/tree_alpha.png", L"a.png", true},
        {"itemdlg/tree.jpg", L"a.jpg", false},
        {"itemdlg/tree24.bmp", L"a.bmp", false},
        {"imaging/gif/min4_40x30.gif", L"a.gif", false},
    };
    const char* broken[] = {"truncated.png", "random.png", "truncated.jpg", "lying.bmp", "empty.png"};
    CItem garland;
    Make(garland, CItem::kGarland, IDB_GARLAND_LIGHTS);
    const CBmp builtIn = BuiltInPicture(IDB_GARLAND_LIGHTS);
    CBmp rendered;
    rendered.CopyFrom(garland.Rendered());
    std::unique_ptr<CNavPaneItem> entry(NewEntryWithTool());
    CItemDlg dlg(entry.get(), &garland);
    const SModalRun run = RunModal(dlg, IDD_ITEM, parent.Hwnd(), [&](HWND d) {
        ::CheckRadioButton(d, IDC_TREE_PREDEFINED, IDC_TREE_LOADED, IDC_TREE_LOADED);
        Command(d, IDC_TREE_LOADED, BN_CLICKED);
        for (const SGood& g : good) {
            const std::wstring path = Copy(g.file, g.copy);
            ::SetDlgItemTextW(d, IDC_TREE_PATH, path.c_str());
            const CBmp& src = garland.SourcePicture();
            EXPECT_FALSE(src.IsEmpty()) << g.file;
            EXPECT_FALSE(SamePixels(src, builtIn)) << g.file;
            int half = 0;
            for (int i = 3; i < src.ByteSize(); i += 4) half += src.Bits()[i] > 100 && src.Bits()[i] < 160;
            EXPECT_EQ(half > 0, g.halfAlpha) << g.file << ": " << half << " half-transparent pixels";
            EXPECT_TRUE(SamePixels(EntryPicture(entry.get()), garland.Thumbnail())) << g.file;
            EXPECT_EQ(Status(d), L"") << g.file;
        }
        for (const char* b : broken) {
            const std::wstring name(b, b + std::strlen(b));
            const std::wstring path = Copy(std::string("imaging/broken/") + b, name.c_str());
            ::SetDlgItemTextW(d, IDC_TREE_PATH, path.c_str());
            EXPECT_TRUE(SamePixels(garland.SourcePicture(), builtIn)) << b;
            EXPECT_FALSE(garland.Rendered().IsEmpty()) << b << ": the garland stays visible";
            EXPECT_TRUE(SamePixels(EntryPicture(entry.get()), garland.Thumbnail())) << b;
            EXPECT_EQ(Status(d), L"The picture file could not be read; the built-in picture is shown.") << b;
            EXPECT_EQ(garland.path, path) << "the chosen file is kept";
            EXPECT_EQ(garland.source.Get(), CItem::kFile);
            ::SetDlgItemTextW(d, IDC_TREE_PATH, Copy("itemdlg/tree24.bmp", L"a.bmp").c_str());
            EXPECT_EQ(Status(d), L"") << "a good file clears the status line";
        }
        Command(d, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(garland.source.Get(), CItem::kBuiltIn);
    EXPECT_TRUE(garland.path.empty());
    EXPECT_TRUE(SamePixels(garland.SourcePicture(), builtIn));
    EXPECT_TRUE(SamePixels(garland.Rendered(), rendered));

    // Start-up and the page load stored items the same way: an unreadable file, or a built-in id
    // that names no picture as well, still gives a picture of the item's type.
    const std::wstring bad = Copy("imaging/broken/random.png", L"bad.png");
    struct SCase {
        int type;
        unsigned resid;
        int shown;
    } const cases[] = {
        {CItem::kToy, IDB_TOY_LONG, IDB_TOY_LONG},
        {CItem::kToy, 999, IDB_TOY_ROUND},
        {CItem::kGarland, 999, IDB_GARLAND_LIGHTS},
        {CItem::kTree, 999, IDB_TREE_DEFAULT},
    };
    for (const SCase& c : cases) {
        CItem item;
        item.Setup(L"Item", c.type, c.resid, 0, 0, 0, 100, 100, 0, 0);
        item.source.Set(CItem::kFile);
        item.path = bad;
        EXPECT_FALSE(LoadItemPicture(item)) << c.type << "/" << c.resid;
        EXPECT_TRUE(SamePixels(item.SourcePicture(), BuiltInPicture(c.shown))) << c.type << "/" << c.resid;
        EXPECT_EQ(item.path, bad);
        EXPECT_EQ(item.resid.Get(), c.resid);
    }
}
