#include "../scene/ItemFakes.h"

#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "scene/DefaultScene.h"
#include "scene/SectionName.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

void StoreItem(SMemoryStore& m, const tstr& section, const wchar_t* caption) {
    m.store.WriteString(section, L"type", tstr(L"1"));
    m.store.WriteString(section, L"Caption", tstr(caption));
}

TEST(SectionName, FormatsTheNumber) {
    const struct {
        const wchar_t* format;
        int n;
        const wchar_t* expected;
    } cases[] = {
        {L"%03d", 0, L"000"},           {L"%03d", 7, L"007"},
        {L"%03d", 999, L"999"},         {L"%03d", 1000, L"1000"},
        {L"%03d", 123456, L"123456"},   {L"Item%03d", 12, L"Item012"},
        {L"Items\\%03d", 3, L"Items\\003"}, {L"%d", -3, L"-3"},
        {L"%05d", -3, L"-0003"},        {L"%4d", 5, L"   5"},
        {L"%-4d|", 5, L"5   |"},        {L"100%%-%d", 1, L"100%-1"},
        {L"%s%03d", 5, L"%s005"},       {L"%03d%03d", 5, L"005%03d"},
        {L"no number", 5, L"no number"}, {L"%", 5, L"%"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatSectionName(c.format, c.n), c.expected) << c.format;
}

TEST(ColReg, NamesSections) {
    CColReg<CItem*> items;
    EXPECT_TRUE(items.SetNames(L"*prof*Items", L"%03d"));
    EXPECT_EQ(items.PathFormat(), L"*prof*Items\\%03d");
    EXPECT_EQ(items.SectionOf(4), L"*prof*Items\\004");
    EXPECT_EQ(items.SectionOf(1000), L"*prof*Items\\1000");
    items.SetNames(L"Items", L"");
    EXPECT_EQ(items.SectionOf(0), L"Items\\Item000");
    items.SetSection(L"Other");
    EXPECT_EQ(items.SectionOf(2), L"Other\\Item002");
}

TEST(ColReg, CreateStopsAtTheFirstGap) {
    SMemoryStore m;
    StoreItem(m, L"Items\\000", L"a");
    StoreItem(m, L"Items\\001", L"b");
    StoreItem(m, L"Items\\003", L"d");
    m.store.WriteString(L"Items\\002", L"Caption", tstr(L"no type"));
    CColReg<CItem*> items;
    items.SetNames(L"Items", L"%03d");
    ASSERT_TRUE(items.Create(m.store, 0));
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.GetAt(0)->Caption.Get(), L"");  // created with defaults; loading comes later
    ASSERT_TRUE(items.LoadAll(&m.store, true));
    EXPECT_EQ(items.GetAt(0)->Caption.Get(), L"a");
    EXPECT_EQ(items.GetAt(1)->Caption.Get(), L"b");
}

TEST(ColReg, EmptyStoreGivesNoItems) {
    SMemoryStore m;
    CColReg<CItem*> items;
    items.SetNames(L"Items", L"%03d");
    EXPECT_TRUE(items.Create(m.store, 0));
    EXPECT_EQ(items.Count(), 0);
}

TEST(ColReg, WithoutAFormatNothingIsDone) {
    SMemoryStore m;
    StoreItem(m, L"Items\\000", L"a");
    CColReg<CItem*> items;  // SetNames never called
    EXPECT_FALSE(items.Create(m.store, 0));
    items.Add(new CItem());
    EXPECT_FALSE(items.LoadItems(&m.store));
    EXPECT_FALSE(items.SaveItems(&m.store));
    EXPECT_EQ(m.backend.ValueCount(L"Software\\Test\\Items\\000"), 2u);
}

TEST(ColReg, MissingStore) {
    CColReg<CItem*> items;
    items.SetNames(L"Items", L"%03d");
    items.Add(new CItem());
    EXPECT_TRUE(items.LoadItems(nullptr));
    EXPECT_FALSE(items.SaveItems(nullptr));
}

TEST(ColReg, RemovingOneOfFiveAndSavingRenumbers) {
    SMemoryStore m;
    CColReg<CItem*> items;
    items.SetNames(L"Items", L"%03d");
    const wchar_t* names[] = {L"a", L"b", L"c", L"d", L"e"};
    for (const wchar_t* name : names) {
        auto* item = new CItem();
        item->Caption.Set(name);
        items.Add(item);
    }
    items.SaveAll(&m.store, true);
    ASSERT_TRUE(m.store.SectionExists(L"Items\\004"));

    ASSERT_TRUE(items.RemoveAt(1));
    ASSERT_TRUE(items.DeleteAll(m.store));
    ASSERT_TRUE(items.SaveAll(&m.store, true));
    const wchar_t* expected[] = {L"a", L"c", L"d", L"e"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(m.Read(items.SectionOf(i), L"Caption"), expected[i]);
    EXPECT_FALSE(m.store.SectionExists(L"Items\\004"));

    CColReg<CItem*> again;
    again.SetNames(L"Items", L"%03d");
    again.Create(m.store, 0);
    EXPECT_EQ(again.Count(), 4);
}

TEST(ColReg, SaveReplacesAnItemsOldKeys) {
    SMemoryStore m;
    m.store.WriteString(L"Items\\000", L"visible", tstr(L"0"));
    m.store.WriteString(L"Items\\000", L"stale", tstr(L"x"));
    CColReg<CItem*> items;
    items.SetNames(L"Items", L"%03d");
    items.Add(new CItem());
    items.SaveItems(&m.store);
    EXPECT_FALSE(m.backend.ValueExists(L"Software\\Test\\Items\\000", L"visible"));
    EXPECT_FALSE(m.backend.ValueExists(L"Software\\Test\\Items\\000", L"stale"));
}

TEST(ColReg, DeleteAllNeedsABaseSection) {
    SMemoryStore m;
    StoreItem(m, L"Items\\000", L"a");
    CColReg<CItem*> items;
    items.SetNames(L"", L"%03d");
    EXPECT_FALSE(items.DeleteAll(m.store));
    EXPECT_TRUE(m.store.SectionExists(L"Items\\000"));
}

TEST(ColReg, ThousandsOfSectionsLoadQuickly) {
    SMemoryStore m;
    const int count = 2500;
    for (int i = 0; i < count; ++i) StoreItem(m, FormatSectionName(L"Items\\%03d", i), L"t");
    CColReg<CItem*> items;
    items.SetNames(L"Items", L"%03d");
    const auto start = std::chrono::steady_clock::now();
    items.Create(m.store, 0);
    items.LoadAll(&m.store, true);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(items.Count(), count);
    EXPECT_EQ(items.SectionOf(1000), L"Items\\1000");
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 5000);
}

struct CCountingItem : CItem {
    static int released;
    bool Release() override {
        ++released;
        return CItem::Release();
    }
};
int CCountingItem::released = 0;

TEST(ColReg, ReleaseAllCallsTheHookThenDeletes) {
    CColReg<CItem*> items;
    items.Add(new CCountingItem());
    items.Add(new CCountingItem());
    CCountingItem::released = 0;
    EXPECT_TRUE(items.ReleaseAll());
    EXPECT_EQ(CCountingItem::released, 2);
    EXPECT_EQ(items.Count(), 0);
}

TEST(DefaultScene, TwentyItemsInDrawingOrderOverTheTree) {
    CColReg<CItem*> items;
    AddDefaultScene(items);
    ASSERT_EQ(items.Count(), 20);
    int garlands = 0, toys = 0;
    for (const CItem* item : items) (item->Type() == CItem::kGarland ? garlands : toys)++;
    EXPECT_EQ(garlands, 11);
    EXPECT_EQ(toys, 9);
    const CItem& first = *items.GetAt(0);
    EXPECT_EQ(first.Caption.Get(), L"Garland");
    EXPECT_EQ(first.resid.Get(), 145u);
    EXPECT_EQ(first.x, 58);
    EXPECT_EQ(first.y, 209);
    const CItem& star = *items.GetAt(19);
    EXPECT_EQ(star.Caption.Get(), L"Star");
    EXPECT_EQ(star.resid.Get(), 140u);
    EXPECT_EQ(star.brig.Get(), 2);
    EXPECT_EQ(star.contr.Get(), 3);
    EXPECT_EQ(star.size.Get(), 65);
    EXPECT_EQ(star.x, 72);
    EXPECT_EQ(star.y, 0);
    const CItem& toy19 = *items.GetAt(18);
    EXPECT_EQ(toy19.brig.Get(), 22);
    EXPECT_EQ(toy19.contr.Get(), 40);
    EXPECT_EQ(toy19.hue.Get(), 139);
    EXPECT_EQ(toy19.visible.Get(), 1);

    CItem tree;
    tree.Setup(L"x", 2, 5, 9, 9, 9, 50, 50, 7, 7);
    ResetTreeItem(tree);
    EXPECT_EQ(tree.Caption.Get(), L"XMas Tree");
    EXPECT_EQ(tree.Type(), CItem::kTree);
    EXPECT_EQ(tree.resid.Get(), 122u);
    EXPECT_EQ(tree.opaque.Get(), 100);
    EXPECT_EQ(tree.size.Get(), 100);
    EXPECT_EQ(tree.x, 0);
    EXPECT_EQ(tree.y, 0);
}

}  // namespace
