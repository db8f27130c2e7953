// The tree settings dialog: the tree picture from the built-in trees or a file, toys following
// the tree's size, Cancel restoring tree and toys. Driven inside its own modal loop, with real
// clicks and keys where a user's input matters (the open-file dialog included).
#include "DlgTestSupport.h"

#include "construct/CTreeDlg.h"
#include "construct/ISceneHost.h"
#include "res/resource.h"
#include "scene/win/CResourcePictureSource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct SToyPlace {
    int size, x, y;
    bool operator==(const SToyPlace& o) const { return size == o.size && x == o.x && y == o.y; }
};

class TreeDlg : public testing::Test {
protected:
    void SetUp() override {
        SetUpDialogTests();
        ASSERT_TRUE(parent.Create(300, 200, 360, 300));
        ASSERT_TRUE(page.Create(20, 560, 200, 150, L"Test page"));
        SetOpenPageWindow(page.Hwnd());
        tree.Setup(L"Tree", CItem::kTree, IDB_TREE_DEFAULT, 0, 0, 0, 100, 100, 100, 50);
        tree.LoadPicture();
        tree.Render();
        // Offsets from the tree's corner: (40, 80), (-45, 13), (0, 0).
        const SToyPlace places[] = {{100, 140, 130}, {75, 55, 63}, {131, 100, 50}};
        for (const SToyPlace& p : places) {
            auto* toy = new CItem;
            toy->Setup(L"Toy", CItem::kToy, IDB_TOY_ROUND, 0, 0, 0, 100, p.size, p.x, p.y);
            toy->LoadPicture();
            toy->Render();
            toys.Add(toy);
        }
        builtIn = BuiltInPicture(IDB_TREE_DEFAULT);
        folder = TempFolder(L"treedlg");
    }
    void TearDown() override { SetOpenPageWindow(nullptr); }

    std::vector<SToyPlace> Places() const {
        std::vector<SToyPlace> out;
        for (CItem* t : toys.Items()) out.push_back({t->size.Get(), t->x, t->y});
        return out;
    }
    // A copy of a test file in the temporary folder (drive C: is a fixed drive: loads at once).
    std::wstring Copy(const std::string& relative, const wchar_t* name) {
        const std::wstring to = folder + name;
        EXPECT_TRUE(::CopyFileW(DataPath(relative).c_str(), to.c_str(), FALSE)) << relative;
        return to;
    }
    void SetPath(HWND d, const std::wstring& path) { ::SetDlgItemTextW(d, IDC_TREE_PATH, path.c_str()); }

    CTestWindow parent, page;
    CItem tree;
    CColReg<CItem*> toys;
    CBmp builtIn;
    std::wstring folder;
};

}  // namespace

// The controls show the tree; OK (a real click) without changes leaves tree and toys as they were.
TEST_F(TreeDlg, OkWithoutChangesChangesNothing) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    tree.path = L"C:\\nowhere\\tree.png";
    const std::vector<SToyPlace> before = Places();
    CBmp rendered;
    rendered.CopyFrom(tree.Rendered());
    std::unique_ptr<CNavPaneItem> entry(NewEntryWithTool());
    CTreeDlg dlg(entry.get(), &toys, &tree);
    const SModalRun run = RunModal(dlg, IDD_TREE, parent.Hwnd(), [&](HWND d) {
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_TREE_PREDEFINED), BST_CHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_TREE_LOADED), BST_UNCHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_TREE_RESIZE_TOYS), BST_CHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_TREE_BIND_TOYS), BST_CHECKED);
        const HWND combo = ::GetDlgItem(d, IDC_ITEM_PICTURE);
        EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 9);
        EXPECT_EQ(TextOf(combo), L"XMas Tree #1");
        EXPECT_EQ(::SendMessageW(combo, CB_GETITEMDATA, 8, 0), 130);
        EXPECT_EQ(TextOf(::GetDlgItem(d, IDC_TREE_PATH)), tree.path);
        EXPECT_EQ(::SendMessageW(::GetDlgItem(d, IDC_TREE_PATH), EM_GETLIMITTEXT, 0, 0), 520);
        EXPECT_EQ(TextOf(::GetDlgItem(d, IDC_ITEM_SIZE_EDIT)), L"100");
        for (int id : {IDC_ITEM_ICON_HUE, IDC_ITEM_ICON_BRIG, IDC_ITEM_ICON_CONTR, IDC_ITEM_ICON_SIZE})
            EXPECT_NE(::SendMessageW(::GetDlgItem(d, id), STM_GETICON, 0, 0), 0) << id;
        EXPECT_TRUE(Click(d, IDOK));
    });
    EXPECT_FALSE(run.scriptLeftItOpen);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(tree.size.Get(), 100);
    EXPECT_EQ(tree.path, L"C:\\nowhere\\tree.png");
    EXPECT_EQ(tree.source.Get(), CItem::kBuiltIn);
    EXPECT_TRUE(SamePixels(tree.Rendered(), rendered));
    EXPECT_TRUE(Places() == before);
}

// Size 100 -> 50 with both boxes checked halves each toy's size and its distance from the tree's
// corner; with both boxes cleared (real clicks) a size change moves only the tree; Cancel (a real
// click) restores the tree and every toy, pictures included.
TEST_F(TreeDlg, ToysFollowTheTreeAndCancelRestoresThem) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    const std::vector<SToyPlace> before = Places();
    std::vector<CBmp> pictures(3);
    for (int i = 0; i < 3; ++i) pictures[static_cast<std::size_t>(i)].CopyFrom(toys.GetAt(i)->Rendered());
    CBmp treePicture;
    treePicture.CopyFrom(tree.Rendered());

    CTreeDlg dlg(nullptr, &toys, &tree);
    const SModalRun run = RunModal(dlg, IDD_TREE, parent.Hwnd(), [&](HWND d) {
        ::SetDlgItemTextW(d, IDC_ITEM_SIZE_EDIT, L"50");
        EXPECT_EQ(tree.size.Get(), 50);
        EXPECT_EQ(tree.Rendered().Width(), treePicture.Width() / 2);
        // 100 * 50 / 100, 75 * 50 / 100, 131 * 50 / 100; offsets (40, 80), (-45, 13), (0, 0) halved
        // (toward zero) from the tree's corner (100, 50).
        const std::vector<SToyPlace> halved = {{50, 120, 90}, {37, 78, 56}, {65, 100, 50}};
        EXPECT_TRUE(Places() == halved);
        EXPECT_EQ(toys.GetAt(2)->Rendered().Width(), pictures[2].Width() * 65 / 131);

        EXPECT_TRUE(Click(d, IDC_TREE_RESIZE_TOYS));
        EXPECT_TRUE(Click(d, IDC_TREE_BIND_TOYS));
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_TREE_RESIZE_TOYS), BST_UNCHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_TREE_BIND_TOYS), BST_UNCHECKED);
        ::SetDlgItemTextW(d, IDC_ITEM_SIZE_EDIT, L"150");
        EXPECT_EQ(tree.size.Get(), 150);
        EXPECT_TRUE(Places() == halved) << "with both boxes cleared only the tree changes";

        // Only positions follow: at 150 % the offsets are 60, 120 / -67, 19.
        EXPECT_TRUE(Click(d, IDC_TREE_BIND_TOYS));
        const std::vector<SToyPlace> moved = {{50, 160, 170}, {37, 33, 69}, {65, 100, 50}};
        EXPECT_TRUE(Places() == moved);
        EXPECT_TRUE(Click(d, IDCANCEL));
    });
    EXPECT_FALSE(run.scriptLeftItOpen);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(tree.size.Get(), 100);
    EXPECT_TRUE(SamePixels(tree.Rendered(), treePicture));
    EXPECT_TRUE(Places() == before);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(SamePixels(toys.GetAt(i)->Rendered(), pictures[static_cast<std::size_t>(i)])) << "toy " << i;
}

// Picture files made by ImageMagick load as the tree as soon as their path is in the edit; the
// entry and the page follow. The content box is ImageMagick's trim of the file (make.sh).
TEST_F(TreeDlg, PictureFilesLoadAsTheTree) {
    struct SFile {
        const char* file;
        const wchar_t* copy;
        int w, h, slack;
        bool halfAlpha;
    } const files[] = {
        {"itemdlg/tree_alpha.png", L"tree_alpha.png", 33, 52, 0, true},
        {"itemdlg/tree.jpg", L"tree.jpg", 33, 52, 4, false},
        {"itemdlg/tree24.bmp", L"tree24.bmp", 33, 52, 0, false},
    };
    for (const SFile& f : files) {
        const std::wstring path = Copy(f.file, f.copy);
        std::unique_ptr<CNavPaneItem> entry(NewEntryWithTool());
        CTreeDlg dlg(entry.get(), &toys, &tree);
        const SModalRun run = RunModal(dlg, IDD_TREE, parent.Hwnd(), [&](HWND d) {
            ::CheckRadioButton(d, IDC_TREE_PREDEFINED, IDC_TREE_LOADED, IDC_TREE_LOADED);
            Command(d, IDC_TREE_LOADED, BN_CLICKED);
            EXPECT_EQ(tree.source.Get(), CItem::kFile);
            const int paints = page.paints;
            SetPath(d, path);
            EXPECT_EQ(tree.path, path);
            const CBmp& src = tree.SourcePicture();
            EXPECT_LE(std::abs(src.Width() - f.w), f.slack) << f.file << " width " << src.Width();
            EXPECT_LE(std::abs(src.Height() - f.h), f.slack) << f.file << " height " << src.Height();
            int half = 0;
            for (int i = 3; i < src.ByteSize(); i += 4) half += src.Bits()[i] > 100 && src.Bits()[i] < 160;
            EXPECT_EQ(half > 0, f.halfAlpha) << f.file << ": " << half << " half-transparent pixels";
            EXPECT_TRUE(SamePixels(EntryPicture(entry.get()), tree.Thumbnail())) << f.file;
            PumpMessages(60);
            EXPECT_GT(page.paints, paints) << f.file;
            Command(d, IDOK, BN_CLICKED);
        });
        EXPECT_EQ(run.result, IDOK) << f.file;
        EXPECT_EQ(tree.path, path);
        EXPECT_EQ(tree.source.Get(), CItem::kFile);
        EXPECT_FALSE(SamePixels(tree.SourcePicture(), builtIn)) << f.file;
    }
}

// A path typed key by key (real keys): every unfinished path names no file and shows the built-in
// tree; the finished one shows the file. Cancel brings back source, path and picture.
TEST_F(TreeDlg, PathTypedKeyByKeyEndsOnTheFile) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    const std::wstring path = Copy("itemdlg/tree24.bmp", L"t.bmp");
    tree.source.Set(CItem::kFile);  // a missing path: the built-in tree
    tree.LoadPicture();
    tree.Render();
    struct SWatch {
        CItem* tree;
        const CBmp* builtIn;
        const std::wstring* full;
        int checks = 0, wrong = 0;
    } watch{&tree, &builtIn, &path};
    CTreeDlg dlg(nullptr, &toys, &tree);
    const SModalRun run = RunModal(dlg, IDD_TREE, parent.Hwnd(), [&](HWND d) {
        EXPECT_TRUE(Click(d, IDC_TREE_PATH));
        EXPECT_TRUE(Xdo(KeysFor(path), 600 + 80 * static_cast<DWORD>(path.size()),
                        [](void* c) {
                            auto* w = static_cast<SWatch*>(c);
                            if (w->tree->path.empty() || w->tree->path == *w->full) return;
                            ++w->checks;
                            if (!SamePixels(w->tree->SourcePicture(), *w->builtIn)) ++w->wrong;
                        },
                        &watch));
        PumpUntil([&] { return tree.path == path; }, 3000);
        EXPECT_EQ(tree.path, path);
        EXPECT_EQ(tree.SourcePicture().Width(), 33);
        EXPECT_EQ(tree.SourcePicture().Height(), 52);
        EXPECT_TRUE(Click(d, IDCANCEL));
    });
    EXPECT_FALSE(run.scriptLeftItOpen);
    EXPECT_GT(watch.checks, 3);
    EXPECT_EQ(watch.wrong, 0) << "an unfinished path showed something else than the built-in tree";
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_TRUE(tree.path.empty());
    EXPECT_TRUE(SamePixels(tree.SourcePicture(), builtIn));
}

// Paths that name no usable file: a missing file and a device show the built-in tree at once;
// a large file waits for the typing pause; files that do not decode, are cut off, lie about their
// size or are too large show the built-in tree too, say so in the status line (a good file clears
// it), keep the chosen file, open no message box and leave no handle open on the file.
TEST_F(TreeDlg, UnusablePathsAndBrokenFiles) {
    const std::wstring bmp = Copy("itemdlg/tree24.bmp", L"good.bmp");
    // Over the size loaded while typing, and no picture.
    const std::wstring large = folder + L"large.png";
    {
        HANDLE h = ::CreateFileW(large.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        std::vector<char> block(1 << 20, 'x');
        for (int i = 0; i < 5; ++i) {
            DWORD written = 0;
            ::WriteFile(h, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
        }
        ::CloseHandle(h);
    }
    const char* broken[] = {"truncated.png", "lying.png",     "lying.bmp", "over_limit.bmp",
                            "random.png",    "truncated.jpg", "empty.png"};
    std::vector<std::wstring> brokenCopies;
    for (const char* b : broken) {
        const std::wstring name = std::wstring(b, b + std::strlen(b));
        brokenCopies.push_back(Copy(std::string("imaging/broken/") + b, name.c_str()));
    }
    const int windows = VisibleThreadWindows();

    CTreeDlg dlg(nullptr, &toys, &tree);
    const SModalRun run = RunModal(dlg, IDD_TREE, parent.Hwnd(), [&](HWND d) {
        ::CheckRadioButton(d, IDC_TREE_PREDEFINED, IDC_TREE_LOADED, IDC_TREE_LOADED);
        Command(d, IDC_TREE_LOADED, BN_CLICKED);
        const wchar_t* missing[] = {L"C:\\nowhere\\tree.png", L"COM1", L"C:\\dir\\nul.png", L"\\\\.\\pipe\\tree"};
        for (const wchar_t* m : missing) {
            SetPath(d, bmp);
            ASSERT_EQ(tree.SourcePicture().Width(), 33);
            SetPath(d, m);
            EXPECT_TRUE(SamePixels(tree.SourcePicture(), builtIn)) << testing::PrintToString(std::wstring(m));
        }

        const auto status = [d] {
            wchar_t text[200] = {};
            ::GetDlgItemTextW(d, IDC_TREE_STATUS, text, 200);
            return std::wstring(text);
        };
        SetPath(d, bmp);
        EXPECT_EQ(status(), L"");
        SetPath(d, large);
        EXPECT_EQ(tree.SourcePicture().Width(), 33) << "a large file is not read on the keystroke";
        PumpUntil([&] { return tree.SourcePicture().Width() != 33; }, 2000);
        EXPECT_TRUE(SamePixels(tree.SourcePicture(), builtIn)) << "tried after the pause: no picture in it";
        EXPECT_NE(status(), L"");

        for (const std::wstring& b : brokenCopies) {
            SetPath(d, bmp);
            EXPECT_EQ(status(), L"") << "a good file clears the status line";
            SetPath(d, b);
            EXPECT_TRUE(SamePixels(tree.SourcePicture(), builtIn)) << testing::PrintToString(b);
            EXPECT_EQ(tree.Rendered().Width(), builtIn.Width()) << "rendered from the built-in tree";
            EXPECT_NE(status(), L"") << testing::PrintToString(b);
            EXPECT_EQ(tree.path, b) << "the chosen file is kept";
            EXPECT_EQ(tree.source.Get(), CItem::kFile);
            HANDLE h = ::CreateFileW(b.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            EXPECT_NE(h, INVALID_HANDLE_VALUE) << "a handle stays open on " << testing::PrintToString(b);
            if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
        }
        PumpMessages(50);
        EXPECT_EQ(VisibleThreadWindows(), windows + 1) << "only the dialog came up: no message box";
        Command(d, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(run.result, IDOK);
}

// A slow path still waiting for the pause is tried when OK is pressed, so the tree matches what
// the dialog shows.
TEST_F(TreeDlg, OkTriesAPathStillWaiting) {
    const std::wstring bmp = Copy("itemdlg/tree24.bmp", L"ok.bmp");
    CTreeDlg dlg(nullptr, &toys, &tree);
    const SModalRun run = RunModal(dlg, IDD_TREE, parent.Hwnd(), [&](HWND d) {
        ::CheckRadioButton(d, IDC_TREE_PREDEFINED, IDC_TREE_LOADED, IDC_TREE_LOADED);
        Command(d, IDC_TREE_LOADED, BN_CLICKED);
        SetPath(d, L"\\\\nosuchserver\\share\\tree.png");
        SetPath(d, bmp);
        EXPECT_EQ(tree.SourcePicture().Width(), 33) << "a local file loads at once and ends the wait";
        SetPath(d, L"\\\\nosuchserver\\share\\tree.png");
        EXPECT_EQ(tree.SourcePicture().Width(), 33) << "a share is not tried on the keystroke";
        Command(d, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(tree.path, L"\\\\nosuchserver\\share\\tree.png");
    EXPECT_TRUE(SamePixels(tree.SourcePicture(), builtIn)) << "tried at OK: no such share, the built-in tree";
}

// The "..." button opens the system's open-file dialog; a file name typed there (real keys) and
// Enter make it the tree's picture.
TEST_F(TreeDlg, OpenFileDialogChoosesThePicture) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    const std::wstring jpg = Copy("itemdlg/tree.jpg", L"chosen.jpg");
    CTreeDlg dlg(nullptr, &toys, &tree);
    const SModalRun run = RunModal(dlg, IDD_TREE, parent.Hwnd(), [&](HWND d) {
        EXPECT_TRUE(ChooseInOpenFileDialog(d, IDC_TREE_BROWSE, jpg)) << "no window titled \"open file\"";
        PumpUntil([&] { return tree.path == jpg; }, 4000);
        EXPECT_EQ(tree.path, jpg);
        EXPECT_EQ(TextOf(::GetDlgItem(d, IDC_TREE_PATH)), jpg);
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_TREE_LOADED), BST_CHECKED);
        EXPECT_NEAR(tree.SourcePicture().Width(), 33, 4);
        EXPECT_TRUE(Click(d, IDOK));
    });
    EXPECT_FALSE(run.scriptLeftItOpen);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(tree.source.Get(), CItem::kFile);
}

// Device names are never taken for picture files: neither asked about nor opened (NUL answers
// like an existing empty file, COM ports may block or talk to hardware).
TEST(PicturePathGuard, DevicesAreNoPictureFiles) {
    CResourcePictureSource pictures;
    for (const wchar_t* device : {L"NUL", L"nul.png", L"C:\\Windows\\CON", L"\\\\.\\NUL", L"COM1", L"LPT1.bmp"}) {
        const std::wstring path(device);
        EXPECT_FALSE(pictures.FileExists(path)) << testing::PrintToString(path);
        CBmp out;
        EXPECT_FALSE(pictures.LoadFile(path, out)) << testing::PrintToString(path);
        EXPECT_TRUE(out.IsEmpty());
    }
}
