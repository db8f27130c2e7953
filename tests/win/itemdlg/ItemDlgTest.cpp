// The item settings dialog over a test parent, driven inside its own modal loop with real clicks
// and keys where a user's input matters.
#include "DlgTestSupport.h"

#include "construct/CItemDlg.h"
#include "construct/ISceneHost.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A toy as the default scene makes one, loaded and rendered.
void MakeToy(CItem& toy, unsigned resid = IDB_TOY_ROUND) {
    toy.Setup(L"Ball", CItem::kToy, resid, 10, -20, 40, 90, 80, 30, 40);
    toy.LoadPicture();
    toy.Render();
}

struct SItemState {
    unsigned resid;
    int type, hue, brig, contr, opaque, size, x, y;
    std::wstring caption;
    bool operator==(const SItemState& o) const {
        return resid == o.resid && type == o.type && hue == o.hue && brig == o.brig && contr == o.contr &&
               opaque == o.opaque && size == o.size && x == o.x && y == o.y && caption == o.caption;
    }
};
SItemState StateOf(const CItem& i) {
    return {i.resid.Get(), i.type.Get(), i.hue.Get(),  i.brig.Get(), i.contr.Get(),
            i.opaque.Get(), i.size.Get(), i.x,          i.y,          i.Caption.Get()};
}

class CTestHost : public ISceneHost {
public:
    CTestHost() { side.Set(1); }
    CItem& SceneTree() override { return tree; }
    CColReg<CItem*>& SceneItems() override { return items; }
    CItem& NewItemTemplate() override { return templ; }
    CParam<unsigned int>& ItemDialogSide() override { return side; }
    unsigned long ToolTint() override { return 0; }
    void BeginSceneChange() override {}
    void EndSceneChange() override {}
    CItem tree, templ;
    CColReg<CItem*> items;
    CParam<unsigned int> side;
};

class ItemDlg : public testing::Test {
protected:
    void SetUp() override {
        SetUpDialogTests();
        ASSERT_TRUE(parent.Create(300, 200, 360, 300));
        ASSERT_TRUE(page.Create(20, 560, 200, 150, L"Test page"));
        SetOpenPageWindow(page.Hwnd());
    }
    void TearDown() override { SetOpenPageWindow(nullptr); }
    CTestWindow parent, page;
};

}  // namespace

// Opening shows every setting in its controls; Cancel at once (a real click) keeps the item and
// renders the very same pictures again.
TEST_F(ItemDlg, OpensWithTheItemAndCancelAtOnceKeepsIt) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    CItem toy;
    MakeToy(toy, IDB_TOY_LONG);
    const SItemState before = StateOf(toy);
    CBmp rendered, thumb;
    rendered.CopyFrom(toy.Rendered());
    thumb.CopyFrom(toy.Thumbnail());

    std::unique_ptr<CNavPaneItem> entry(NewEntryWithTool());
    CItemDlg dlg(entry.get(), &toy);
    const SModalRun run = RunModal(dlg, IDD_ITEM, parent.Hwnd(), [&](HWND d) {
        wchar_t title[64] = {};
        ::GetWindowTextW(d, title, 64);
        EXPECT_STREQ(title, L"Item settings");
        const HWND type = ::GetDlgItem(d, IDC_ITEM_TYPE), picture = ::GetDlgItem(d, IDC_ITEM_PICTURE);
        EXPECT_EQ(::SendMessageW(type, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(::SendMessageW(type, CB_GETITEMDATA, ::SendMessageW(type, CB_GETCURSEL, 0, 0), 0), CItem::kToy);
        EXPECT_EQ(TextOf(type), L"Toy");
        EXPECT_EQ(::SendMessageW(picture, CB_GETCOUNT, 0, 0), 20);
        EXPECT_EQ(TextOf(picture), L"Toy #4");  // bitmap 134
        EXPECT_EQ(::SendMessageW(picture, CB_GETITEMDATA, 19, 0), 150);
        EXPECT_GE(::SendMessageW(picture, CB_GETDROPPEDWIDTH, 0, 0), 240);
        EXPECT_EQ(TextOf(::GetDlgItem(d, IDC_ITEM_CAPTION)), L"Ball");
        struct SRow {
            int edit, track, spin;
            const wchar_t* text;
            int pos, min, max;
        } const rows[] = {
            {IDC_ITEM_HUE_EDIT, IDC_ITEM_HUE_TRACK, IDC_ITEM_HUE_SPIN, L"40", 40, 0, 240},
            {IDC_ITEM_BRIG_EDIT, IDC_ITEM_BRIG_TRACK, IDC_ITEM_BRIG_SPIN, L"10", 10, -100, 100},
            {IDC_ITEM_CONTR_EDIT, IDC_ITEM_CONTR_TRACK, IDC_ITEM_CONTR_SPIN, L"-20", -20, -100, 100},
            {IDC_ITEM_OPAQUE_EDIT, IDC_ITEM_OPAQUE_TRACK, IDC_ITEM_OPAQUE_SPIN, L"90", 90, 20, 100},
            {IDC_ITEM_SIZE_EDIT, IDC_ITEM_SIZE_TRACK, IDC_ITEM_SIZE_SPIN, L"80", 80, 10, 200},
        };
        for (const SRow& r : rows) {
            const HWND track = ::GetDlgItem(d, r.track), spin = ::GetDlgItem(d, r.spin);
            EXPECT_EQ(TextOf(::GetDlgItem(d, r.edit)), r.text) << r.edit;
            EXPECT_EQ(::SendMessageW(track, TBM_GETPOS, 0, 0), r.pos) << r.track;
            EXPECT_EQ(::SendMessageW(track, TBM_GETRANGEMIN, 0, 0), r.min) << r.track;
            EXPECT_EQ(::SendMessageW(track, TBM_GETRANGEMAX, 0, 0), r.max) << r.track;
            int lo = 0, hi = 0;
            ::SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
            EXPECT_EQ(lo, r.min) << r.spin;
            EXPECT_EQ(hi, r.max) << r.spin;
            EXPECT_EQ(reinterpret_cast<HWND>(::SendMessageW(spin, UDM_GETBUDDY, 0, 0)), ::GetDlgItem(d, r.edit));
        }
        for (int id = IDC_ITEM_ICON_HUE; id <= IDC_ITEM_ICON_SIZE; ++id) {
            const HWND icon = ::GetDlgItem(d, id);
            EXPECT_NE(::SendMessageW(icon, STM_GETICON, 0, 0), 0) << id;
            RECT rc{};
            ::GetClientRect(icon, &rc);
            EXPECT_GE(rc.right, 16) << id;
            EXPECT_GE(rc.bottom, 16) << id;
        }
        EXPECT_NE(::SendMessageW(d, WM_GETICON, ICON_SMALL, 0), 0);
        EXPECT_TRUE(Click(d, IDCANCEL));
    });
    EXPECT_FALSE(run.scriptLeftItOpen);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_TRUE(StateOf(toy) == before);
    EXPECT_TRUE(SamePixels(toy.Rendered(), rendered));
    EXPECT_TRUE(SamePixels(toy.Thumbnail(), thumb));
    EXPECT_TRUE(SamePixels(EntryPicture(entry.get()), thumb)) << "Cancel shows the item's thumbnail in its entry";
}

// Typing a hue (real keys) recolours the item, its entry picture and the page at once; Escape
// brings back the colours, the thumbnail and the entry picture.
TEST_F(ItemDlg, HueTypedThenEscapeRestoresColoursAndThumbnail) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    CItem toy;
    MakeToy(toy);
    toy.hue.Set(0);
    toy.Render();
    CBmp rendered, thumb;
    rendered.CopyFrom(toy.Rendered());
    thumb.CopyFrom(toy.Thumbnail());
    std::unique_ptr<CNavPaneItem> entry(NewEntryWithTool());
    CItemDlg dlg(entry.get(), &toy);

    const SModalRun run = RunModal(dlg, IDD_ITEM, parent.Hwnd(), [&](HWND d) {
        const HWND edit = ::GetDlgItem(d, IDC_ITEM_HUE_EDIT);
        EXPECT_TRUE(Click(d, IDC_ITEM_HUE_EDIT));
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        const int paintsBefore = page.paints;
        EXPECT_TRUE(Xdo(KeysFor(L"120"), 900));
        PumpUntil([&] { return toy.hue.Get() == 120; }, 2000);
        EXPECT_EQ(toy.hue.Get(), 120);
        EXPECT_EQ(::SendMessageW(::GetDlgItem(d, IDC_ITEM_HUE_TRACK), TBM_GETPOS, 0, 0), 120);
        EXPECT_FALSE(SamePixels(toy.Rendered(), rendered)) << "the picture follows the hue";
        EXPECT_TRUE(SamePixels(EntryPicture(entry.get()), toy.Thumbnail())) << "the entry shows the new thumbnail";
        EXPECT_FALSE(SamePixels(toy.Thumbnail(), thumb));
        PumpMessages(100);
        EXPECT_GT(page.paints, paintsBefore) << "the page is repainted";
        FinishWithKeys(L"key Escape");
    });
    EXPECT_FALSE(run.scriptLeftItOpen);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(toy.hue.Get(), 0);
    EXPECT_TRUE(SamePixels(toy.Rendered(), rendered));
    EXPECT_TRUE(SamePixels(toy.Thumbnail(), thumb));
    EXPECT_TRUE(SamePixels(EntryPicture(entry.get()), thumb));
}

// Choosing Toy #3 loads bitmap 133; Cancel reloads the picture the item had.
TEST_F(ItemDlg, ThirdToyLoadsItsBitmapAndCancelReloadsThePrevious) {
    CItem toy;
    MakeToy(toy, IDB_TOY_ROUND);
    CBmp source;
    source.CopyFrom(toy.SourcePicture());
    ASSERT_TRUE(SamePixels(source, BuiltInPicture(IDB_TOY_ROUND)));
    CItemDlg dlg(nullptr, &toy);
    const SModalRun run = RunModal(dlg, IDD_ITEM, parent.Hwnd(), [&](HWND d) {
        const HWND combo = ::GetDlgItem(d, IDC_ITEM_PICTURE);
        ::SendMessageW(combo, CB_SETCURSEL, 2, 0);
        Command(d, IDC_ITEM_PICTURE, CBN_SELCHANGE);
        EXPECT_EQ(toy.resid.Get(), 133u);
        EXPECT_TRUE(SamePixels(toy.SourcePicture(), BuiltInPicture(133)));
        EXPECT_FALSE(toy.Rendered().IsEmpty());
        Command(d, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(toy.resid.Get(), static_cast<unsigned>(IDB_TOY_ROUND));
    EXPECT_TRUE(SamePixels(toy.SourcePicture(), source));
}

// "250" typed into the size edit: the edit and the item end at 200; the entry's picture stays
// (the thumbnail shows no size); Enter keeps the value.
TEST_F(ItemDlg, SizeAboveRangeEndsAtTheBoundAndLeavesTheEntry) {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    CItem toy;
    MakeToy(toy);
    std::unique_ptr<CNavPaneItem> entry(NewEntryWithTool());
    CBmp marker;
    marker.CopyFrom(EntryPicture(entry.get()));
    CItemDlg dlg(entry.get(), &toy);
    const SModalRun run = RunModal(dlg, IDD_ITEM, parent.Hwnd(), [&](HWND d) {
        const HWND edit = ::GetDlgItem(d, IDC_ITEM_SIZE_EDIT);
        EXPECT_TRUE(Click(d, IDC_ITEM_SIZE_EDIT));
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        EXPECT_TRUE(Xdo(KeysFor(L"250"), 900));
        PumpUntil([&] { return TextOf(edit) == L"200"; }, 2000);
        EXPECT_EQ(TextOf(edit), L"200");
        EXPECT_EQ(toy.size.Get(), 200);
        EXPECT_EQ(toy.Rendered().Width(), toy.SourcePicture().Width() * 200 / 100) << "rendered at the new size";
        EXPECT_TRUE(SamePixels(EntryPicture(entry.get()), marker)) << "size changes leave the entry";
        FinishWithKeys(L"key Return");
    });
    EXPECT_FALSE(run.scriptLeftItOpen);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(toy.size.Get(), 200);
}

// A picture id outside the built-in toys shows no selection; changing the type keeps it.
TEST_F(ItemDlg, CustomPictureIdShowsNoSelectionAndSurvivesATypeChange) {
    CItem toy;
    MakeToy(toy, 777);
    CItemDlg dlg(nullptr, &toy);
    const SModalRun run = RunModal(dlg, IDD_ITEM, parent.Hwnd(), [&](HWND d) {
        EXPECT_EQ(::SendMessageW(::GetDlgItem(d, IDC_ITEM_PICTURE), CB_GETCURSEL, 0, 0), CB_ERR);
        const HWND type = ::GetDlgItem(d, IDC_ITEM_TYPE);
        ::SendMessageW(type, CB_SETCURSEL, 1, 0);
        Command(d, IDC_ITEM_TYPE, CBN_SELCHANGE);
        EXPECT_EQ(toy.type.Get(), CItem::kGarland);
        EXPECT_EQ(toy.resid.Get(), 777u);
        Command(d, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(toy.type.Get(), CItem::kGarland);
    EXPECT_EQ(toy.resid.Get(), 777u);
}

// Beside the parent on the side "pos" names, the other side when there is no room; "pos" then
// records the side the dialog was left on. The scene host's option is the one used.
TEST_F(ItemDlg, PlacedBesideTheParentAndSideRemembered) {
    const int screen = ::GetSystemMetrics(SM_CXSCREEN);
    struct SCase {
        int parentX, parentW;
        unsigned side;
        int moveBy;  // the user moves the dialog this far right of the parent's left edge (0: no)
        bool left;   // expected side of the opened dialog
        unsigned after;
        bool clamped = false;  // pushed back onto the screen
    } const cases[] = {
        {screen - 150, 140, 1, 0, true, 0},     // no room on the right: opens on the left
        {screen - 150, 140, 1, 10, true, 1},    // ... but the user moved it right
        {0, 300, 0, 0, false, 1},               // no room on the left: opens on the right
        {500, 200, 1, 0, false, 1},
        {500, 200, 0, 0, true, 0},
        {500, 200, 7, 0, false, 1},             // any other value: at the parent's corner
        {300, 300, 0, 0, true, 0, true},        // left, partly off screen: kept on it
    };
    CTestHost host;
    SetSceneHost(&host);
    for (const SCase& c : cases) {
        CTestWindow owner;
        ASSERT_TRUE(owner.Create(c.parentX, 150, c.parentW, 300));
        host.side.Set(c.side);
        CItem toy;
        MakeToy(toy);
        CItemDlg dlg(nullptr, &toy);
        RECT par{}, own{}, client{};
        ::GetWindowRect(owner.Hwnd(), &par);
        const SModalRun run = RunModal(dlg, IDD_ITEM, owner.Hwnd(), [&](HWND d) {
            ::GetWindowRect(d, &own);
            ::GetClientRect(d, &client);
            if (c.moveBy)
                ::SetWindowPos(d, nullptr, par.left + c.moveBy, own.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            Command(d, IDOK, BN_CLICKED);
        });
        EXPECT_EQ(run.result, IDOK);
        const std::string where = "parent at " + std::to_string(c.parentX) + ", pos " + std::to_string(c.side);
        EXPECT_EQ(own.top, par.top) << where;
        if (c.clamped) {
            EXPECT_EQ(own.left, 0) << where;
        } else if (c.side > 1) {
            EXPECT_EQ(own.left, par.left) << where;
        } else if (c.left) {
            EXPECT_LT(own.left, par.left) << where;
            // Its client area's width to the left of the parent: beside it but for the frame.
            EXPECT_EQ(own.left, par.left - client.right) << where;
        } else {
            EXPECT_EQ(own.left, par.right) << where;
        }
        EXPECT_GE(own.left, 0) << where;
        EXPECT_LE(own.right, screen) << where;
        EXPECT_EQ(host.side.Get(), c.after) << where;
        EXPECT_EQ(&CItemDlg::SideOption(), &host.side);
    }
    SetSceneHost(nullptr);
    EXPECT_NE(&CItemDlg::SideOption(), &host.side);
}

// Without an item the dialog binds nothing and still ends normally.
TEST_F(ItemDlg, WithoutAnItemNothingIsBound) {
    CItemDlg dlg(nullptr, nullptr);
    const SModalRun run = RunModal(dlg, IDD_ITEM, parent.Hwnd(), [&](HWND d) {
        EXPECT_EQ(::SendMessageW(::GetDlgItem(d, IDC_ITEM_PICTURE), CB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(dlg.BindingCount(), 0);
        Command(d, IDC_ITEM_HUE_EDIT, EN_CHANGE);
        Command(d, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(run.result, IDCANCEL);
}
