#include "ItemFakes.h"

#include "scene/CItem.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const tstr kSection = L"Items\\000";
const tstr kFullPath = L"Software\\Test\\Items\\000";

TEST(ItemStorage, FreshItemWritesExactlyItsKeys) {
    SMemoryStore m;
    CItem item;
    ASSERT_TRUE(item.Save(m.store, kSection));

    const struct {
        const wchar_t* key;
        const wchar_t* text;
    } expected[] = {{L"resid", L"0"}, {L"Caption", L""}, {L"type", L"1"},   {L"source", L"0"},
                    {L"hue", L"0"},   {L"brig", L"0"},   {L"contr", L"0"},  {L"opaque", L"100"},
                    {L"size", L"100"}, {L"path", L""},   {L"x", L"0"},      {L"y", L"0"}};
    for (const auto& e : expected) EXPECT_EQ(m.Read(kSection, e.key), e.text) << e.key;
    for (const wchar_t* absent : {L"visible", L"bIgnClr", L"crIgnClr"})
        EXPECT_FALSE(m.backend.ValueExists(kFullPath, absent)) << absent;
    EXPECT_EQ(m.backend.ValueCount(kFullPath), std::size(expected));
}

TEST(ItemStorage, LoadClampsAndParsesStoredValues) {
    SMemoryStore m;
    const struct {
        const wchar_t* key;
        const wchar_t* text;
    } stored[] = {{L"type", L"2"},     {L"hue", L"300"},   {L"opaque", L"5"},      {L"size", L"500"},
                  {L"brig", L"-1000"}, {L"contr", L"abc"}, {L"x", L"12abc"},       {L"y", L"99999999999"},
                  {L"resid", L"-1"},   {L"Caption", L"Bell"}, {L"path", L"C:\\a b.png"}};
    for (const auto& s : stored) m.store.WriteString(kSection, s.key, tstr(s.text));

    CItem item;
    ASSERT_TRUE(item.Load(m.store, kSection));
    EXPECT_EQ(item.type.Get(), 2);
    EXPECT_EQ(item.hue.Get(), 240);
    EXPECT_EQ(item.opaque.Get(), 20);
    EXPECT_EQ(item.size.Get(), 200);
    EXPECT_EQ(item.brig.Get(), -100);
    EXPECT_EQ(item.contr.Get(), 0);
    EXPECT_EQ(item.x, 12);
    EXPECT_EQ(item.y, INT_MAX);
    EXPECT_EQ(item.resid.Get(), 0xFFFFFFFFu);
    EXPECT_EQ(item.Caption.Get(), L"Bell");
    EXPECT_EQ(item.path, L"C:\\a b.png");
}

TEST(ItemStorage, MissingKeysKeepCurrentValues) {
    SMemoryStore m;
    m.store.WriteString(kSection, L"type", tstr(L"1"));
    CItem item;
    item.Setup(L"Star", 1, 140, 2, 3, 10, 90, 65, 72, 5);
    item.visible.Set(0);
    item.Load(m.store, kSection);
    EXPECT_EQ(item.Caption.Get(), L"Star");
    EXPECT_EQ(item.resid.Get(), 140u);
    EXPECT_EQ(item.size.Get(), 65);
    EXPECT_EQ(item.visible.Get(), 0);
    EXPECT_EQ(item.x, 72);
    EXPECT_EQ(item.y, 5);
}

TEST(ItemStorage, ExistsNeedsType) {
    SMemoryStore m;
    m.store.WriteString(kSection, L"hue", tstr(L"5"));
    m.store.WriteString(kSection, L"Caption", tstr(L"Toy"));
    CItem item;
    EXPECT_FALSE(item.Exists(m.store, kSection));
    m.store.WriteString(kSection, L"type", tstr(L"7"));
    EXPECT_TRUE(item.Exists(m.store, kSection));
    EXPECT_EQ(item.type.Get(), 1);  // Exists reads, it does not load
}

TEST(ItemStorage, SaveAndLoadRoundTripEveryField) {
    SMemoryStore m;
    CItem a;
    a.Setup(L"Ball \u00e9", 2, 145, -25, 40, 84, 70, 50, 63, -174);
    a.visible.Set(0);
    a.bIgnClr.Set(1);
    a.crIgnClr.Set(0xFFFFFFFFul);
    a.source.Set(1);
    a.path = L"D:\\pics\\tree.png";
    a.Save(m.store, kSection);
    EXPECT_EQ(m.Read(kSection, L"crIgnClr"), L"-1");
    EXPECT_EQ(m.Read(kSection, L"visible"), L"0");

    CItem b;
    b.Load(m.store, kSection);
    EXPECT_EQ(b.Caption.Get(), a.Caption.Get());
    EXPECT_EQ(b.type.Get(), 2);
    EXPECT_EQ(b.resid.Get(), 145u);
    EXPECT_EQ(b.brig.Get(), -25);
    EXPECT_EQ(b.contr.Get(), 40);
    EXPECT_EQ(b.hue.Get(), 84);
    EXPECT_EQ(b.opaque.Get(), 70);
    EXPECT_EQ(b.size.Get(), 50);
    EXPECT_EQ(b.x, 63);
    EXPECT_EQ(b.y, -174);
    EXPECT_EQ(b.visible.Get(), 0);
    EXPECT_EQ(b.bIgnClr.Get(), 1);
    EXPECT_EQ(b.crIgnClr.Get(), 0xFFFFFFFFul);
    EXPECT_EQ(b.source.Get(), 1);
    EXPECT_EQ(b.path, a.path);
}

TEST(ItemStorage, AssignCopiesSettingsButNotPictures) {
    CFakePictureSource pictures;
    pictures.resources[131] = FilledBmp(4, 4, 0xFF102030);
    pictures.resources[134] = FilledBmp(6, 2, 0xFF405060);
    CPictureSourceScope scope(&pictures);

    CItem a;
    a.Setup(L"Toy", 1, 131, 0, 0, 0, 100, 100, 1, 2);
    ASSERT_TRUE(a.LoadPicture());
    ASSERT_TRUE(a.Render());
    CItem b;
    b.Setup(L"Other", 1, 134, 10, 10, 10, 50, 150, 3, 4);
    b.hover = 1;
    b.visible.Set(0);
    ASSERT_TRUE(b.LoadPicture());
    ASSERT_TRUE(b.Render());

    a.Assign(b);
    EXPECT_EQ(a.resid.Get(), 134u);
    EXPECT_EQ(a.Caption.Get(), L"Other");
    EXPECT_EQ(a.size.Get(), 150);
    EXPECT_EQ(a.visible.Get(), 0);
    EXPECT_EQ(a.x, 3);
    EXPECT_EQ(a.hover, 0);
    EXPECT_EQ(a.Rendered().Width(), 4);  // still the old picture
    ASSERT_TRUE(a.LoadPicture());
    ASSERT_TRUE(a.Render());
    EXPECT_EQ(a.Rendered().Width(), 9);  // 6 * 150 / 100
}

}  // namespace
