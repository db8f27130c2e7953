#include "param/CMemoryBackend.h"
#include "param/CSettingsStore.h"
#include "param/StoredText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
const tstr kRoot = L"Software\\Holverin\\Pinarbo";

struct StoreFixture : testing::Test {
    CMemoryBackend backend;
    CSettingsStore store{true, L"Holverin", L"Pinarbo"};
    StoreFixture() { store.SetBackend(&backend); }
};

std::vector<std::uint8_t> Bytes(std::initializer_list<int> list) {
    std::vector<std::uint8_t> v;
    for (int b : list) v.push_back(static_cast<std::uint8_t>(b));
    return v;
}
}  // namespace

TEST(SettingsStore, NamesGiveTheRootAndPlaceholders) {
    CSettingsStore store(true, L"Holverin", L"Pinarbo");
    EXPECT_EQ(store.GetRoot(), L"Software\\*firm*\\*app*\\");
    EXPECT_EQ(store.FullPath(L"Options\\Common"), L"Software\\Holverin\\Pinarbo\\Options\\Common");
    store.AddPlaceholder(L"*prof*", L"Profiles\\Default\\");
    EXPECT_EQ(store.FullPath(L"*prof*Items\\000"), L"Software\\Holverin\\Pinarbo\\Profiles\\Default\\Items\\000");

    CSettingsStore partial(true, L"Firm", L"");
    EXPECT_EQ(partial.GetRoot(), L"");
    EXPECT_TRUE(partial.GetPlaceholders().empty());
    EXPECT_EQ(partial.GetFirmName(), L"Firm");
}

TEST(SettingsStore, SetRootAddsOneSeparator) {
    CSettingsStore store;
    store.SetRoot(L"Software\\X");
    EXPECT_EQ(store.GetRoot(), L"Software\\X\\");
    store.SetRoot(L"Software\\Y\\");
    EXPECT_EQ(store.GetRoot(), L"Software\\Y\\");
    store.SetRoot(L"");
    EXPECT_EQ(store.GetRoot(), L"");
}

TEST(SettingsStore, Expand) {
    CSettingsStore store;
    store.AddPlaceholder(L"$a", L"[$a]");
    store.AddPlaceholder(L"$b", L"B$a");
    struct Case {
        const wchar_t* in;
        const wchar_t* out;
    };
    const Case cases[] = {
        {L"plain\\text", L"plain\\text"},
        {L"$a-$a", L"[$a]-[$a]"},  // both replaced, replacements not rescanned
        {L"$b", L"B$a"},           // later pairs act on the result of earlier ones only
        {L"$a$b", L"[$a]B$a"},
        {L"$A", L"$A"},            // case-sensitive
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(store.Expand(c.in), c.out) << testing::PrintToString(tstr(c.in));
    store.AddPlaceholder(L"", L"x");  // an empty placeholder replaces nothing
    EXPECT_EQ(store.Expand(L"ab"), L"ab");
}

TEST(SettingsStore, AddPlaceholderReplacesAndMovesToTheEnd) {
    CSettingsStore store;
    store.AddPlaceholder(L"*x*", L"1");
    store.AddPlaceholder(L"*y*", L"*x*");
    EXPECT_EQ(store.Expand(L"*y*"), L"*x*");
    store.AddPlaceholder(L"*x*", L"2");  // now after *y*: acts on its output
    ASSERT_EQ(store.GetPlaceholders().size(), 2u);
    EXPECT_EQ(store.GetPlaceholders().back().first, L"*x*");
    EXPECT_EQ(store.Expand(L"*y*"), L"2");
}

TEST_F(StoreFixture, TextAndNumbers) {
    EXPECT_TRUE(store.WriteString(L"Options\\Common", L"Caption", L"Hello"));
    EXPECT_TRUE(store.WriteInt(L"Options\\Common", L"Neg", -123));
    tstr text;
    EXPECT_TRUE(store.ReadString(L"Options\\Common", L"caption", text));  // names ignore case
    EXPECT_EQ(text, L"Hello");
    EXPECT_TRUE(store.ReadString(L"OPTIONS\\common", L"Neg", text));
    EXPECT_EQ(text, L"-123");
    std::uint32_t type = 0;
    std::vector<std::uint8_t> raw;
    ASSERT_TRUE(backend.GetRaw(kRoot + L"\\Options\\Common", L"Neg", type, raw));
    EXPECT_EQ(type, CMemoryBackend::kText);
    EXPECT_EQ(raw, Bytes({'-', 0, '1', 0, '2', 0, '3', 0, 0, 0}));  // with the terminating null

    text = L"untouched";
    EXPECT_FALSE(store.ReadString(L"Options\\Common", L"Missing", text));
    EXPECT_FALSE(store.ReadString(L"No\\Such", L"Caption", text));
    EXPECT_EQ(text, L"untouched");
}

TEST_F(StoreFixture, EmptyTextIsFoundZeroBytesAreMissing) {
    store.WriteString(L"S", L"empty", L"");
    backend.SetRaw(kRoot + L"\\S", L"zero", CMemoryBackend::kText, {});
    tstr text = L"x";
    EXPECT_TRUE(store.ReadString(L"S", L"empty", text));
    EXPECT_EQ(text, L"");
    text = L"x";
    EXPECT_FALSE(store.ReadString(L"S", L"zero", text));
    EXPECT_EQ(text, L"x");
}

TEST_F(StoreFixture, NullTextDeletesButCreatesTheSection) {
    store.WriteString(L"A", L"k", L"v");
    EXPECT_TRUE(store.WriteString(L"A", L"k", static_cast<const wchar_t*>(nullptr)));
    EXPECT_FALSE(backend.ValueExists(kRoot + L"\\A", L"k"));
    EXPECT_FALSE(store.SectionExists(L"B"));
    EXPECT_TRUE(store.WriteString(L"B", L"k", nullptr));
    EXPECT_TRUE(store.SectionExists(L"B"));
    EXPECT_TRUE(store.WriteStruct(L"C", L"s", nullptr, 8));
    EXPECT_TRUE(store.SectionExists(L"C"));
}

TEST_F(StoreFixture, OtherValueTypesReadAsText) {
    const tstr s = kRoot + L"\\S";
    backend.SetRaw(s, L"dword", CMemoryBackend::kDword, Bytes({'7', 0, 0, 0}));
    backend.SetRaw(s, L"multi", CMemoryBackend::kMultiText, Bytes({'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}));
    backend.SetRaw(s, L"odd", CMemoryBackend::kText, Bytes({'4', 0, '2'}));
    backend.SetRaw(s, L"noNull", CMemoryBackend::kText, Bytes({'5', 0, '6', 0}));
    backend.SetRaw(s, L"one", CMemoryBackend::kBinary, Bytes({'9'}));
    struct Case {
        const wchar_t* key;
        const wchar_t* text;
    };
    const Case cases[] = {{L"dword", L"7"}, {L"multi", L"a"}, {L"odd", L"42"}, {L"noNull", L"56"}, {L"one", L"9"}};
    for (const Case& c : cases) {
        tstr text;
        EXPECT_TRUE(store.ReadString(L"S", c.key, text)) << testing::PrintToString(tstr(c.key));
        EXPECT_EQ(text, c.text) << testing::PrintToString(tstr(c.key));
    }
}

TEST(StoredText, DecodesLittleEndianUpToNull) {
    const unsigned char bytes[] = {0x41, 0x00, 0xAC, 0x20, 0x00, 0x00, 0x42, 0x00};
    EXPECT_EQ(TextFromStoredBytes(bytes, sizeof bytes), tstr(L"A\x20AC"));
    EXPECT_EQ(TextFromStoredBytes(bytes, 3), tstr(L"A\xAC"));
    EXPECT_EQ(TextFromStoredBytes(bytes, 0), L"");
    EXPECT_EQ(TextFromStoredBytes(nullptr, 4), L"");
}

TEST_F(StoreFixture, Structures) {
    const std::uint32_t data[3] = {1, 0xDEADBEEF, 3};
    EXPECT_TRUE(store.WriteStruct(L"W", L"plmnt", data, sizeof data));
    std::uint32_t same[3] = {};
    std::size_t got = 0;
    EXPECT_TRUE(store.ReadStruct(L"W", L"plmnt", same, sizeof same, &got));
    EXPECT_EQ(got, sizeof data);
    EXPECT_EQ(same[1], 0xDEADBEEFu);
    std::uint32_t larger[4] = {9, 9, 9, 9};  // a shorter value loads, the rest stays
    EXPECT_TRUE(store.ReadStruct(L"W", L"plmnt", larger, sizeof larger, &got));
    EXPECT_EQ(larger[2], 3u);
    EXPECT_EQ(larger[3], 9u);
    std::uint32_t small[2] = {5, 5};  // a longer value does not load and touches nothing
    EXPECT_FALSE(store.ReadStruct(L"W", L"plmnt", small, sizeof small));
    EXPECT_EQ(small[0], 5u);
    EXPECT_EQ(small[1], 5u);
    EXPECT_FALSE(store.ReadStruct(L"W", L"missing", same, sizeof same));
    EXPECT_TRUE(store.WriteStruct(L"W", L"plmnt", nullptr, 0));
    EXPECT_FALSE(store.ReadStruct(L"W", L"plmnt", same, sizeof same));
}

TEST_F(StoreFixture, DeleteSectionAndEnumerate) {
    store.WriteInt(L"Profiles\\Default\\Items\\000", L"x", 1);
    store.WriteInt(L"Profiles\\Work", L"x", 1);
    store.WriteInt(L"Profiles", L"Profile", 0);
    tstr name;
    EXPECT_TRUE(store.EnumSubsection(L"Profiles", 0, name));
    EXPECT_EQ(name, L"Default");
    EXPECT_TRUE(store.EnumSubsection(L"Profiles", 1, name));
    EXPECT_EQ(name, L"Work");
    EXPECT_FALSE(store.EnumSubsection(L"Profiles", 2, name));
    EXPECT_FALSE(store.EnumSubsection(L"Profiles", -1, name));

    EXPECT_TRUE(store.DeleteSection(L"Profiles\\Default"));
    EXPECT_FALSE(store.SectionExists(L"Profiles\\Default\\Items"));
    EXPECT_TRUE(store.SectionExists(L"Profiles\\Work"));
    EXPECT_FALSE(store.DeleteSection(L"Profiles\\Default"));

    EXPECT_TRUE(store.DeleteSection(L""));  // the whole application key
    EXPECT_FALSE(backend.KeyExists(kRoot));
    EXPECT_TRUE(backend.KeyExists(L"Software\\Holverin"));
}

TEST_F(StoreFixture, APathThatNamesNoKeyDeletesNothing) {
    // Two profiles; each path below ends in or holds an empty key name, so it names no key and
    // must not fall back on its parent ("Profiles" with both profiles, or one whole profile).
    const tstr paths[] = {L"Profiles\\", L"Profiles\\\\", L"Profiles\\Work\\", L"Profiles\\\\Work",
                          L"*prof*", L"Profiles\\Work\\\\Items"};
    store.AddPlaceholder(L"*prof*", L"Profiles\\Work\\");
    for (const tstr& path : paths) {
        store.WriteInt(L"Profiles\\Default\\Items\\000", L"x", 1);
        store.WriteInt(L"Profiles\\Work\\Items\\000", L"x", 2);
        EXPECT_FALSE(store.DeleteSection(path)) << path.size();
        EXPECT_TRUE(store.SectionExists(L"Profiles\\Default\\Items\\000")) << path.size();
        EXPECT_TRUE(store.SectionExists(L"Profiles\\Work\\Items\\000")) << path.size();
    }
    // The backend itself refuses such paths too.
    EXPECT_FALSE(backend.DeleteTree(kRoot + L"\\Profiles\\"));
    EXPECT_FALSE(backend.DeleteTree(L"\\Software"));
    EXPECT_TRUE(store.SectionExists(L"Profiles\\Work"));
    EXPECT_TRUE(store.DeleteSection(L"Profiles\\Work"));
    EXPECT_TRUE(store.SectionExists(L"Profiles\\Default"));
}

TEST_F(StoreFixture, TheTopIsNeverDeleted) {
    backend.SetRaw(L"Other", L"v", CMemoryBackend::kText, Bytes({'1', 0, 0, 0}));
    CSettingsStore bare;  // no root
    bare.SetBackend(&backend);
    EXPECT_FALSE(bare.DeleteSection(L""));
    EXPECT_FALSE(bare.DeleteSection(L"\\"));
    EXPECT_TRUE(backend.KeyExists(L"Other"));
    CSettingsStore none;  // no backend: nothing found, nothing written
    tstr text;
    EXPECT_FALSE(none.ReadString(L"S", L"k", text));
    EXPECT_FALSE(none.WriteInt(L"S", L"k", 1));
}

TEST_F(StoreFixture, OverlongNamesFailCleanly) {
    const tstr longKey(300, L'k');
    EXPECT_TRUE(store.WriteString(L"S", longKey, L"v"));  // value names may be long
    tstr text;
    EXPECT_TRUE(store.ReadString(L"S", longKey, text));
    EXPECT_EQ(text, L"v");
    EXPECT_FALSE(store.WriteString(longKey, L"k", L"v"));  // key names may not
    EXPECT_FALSE(store.SectionExists(longKey));
    EXPECT_FALSE(store.ReadString(longKey, L"k", text));
}
