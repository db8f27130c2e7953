// The settings store over the real (Wine) registry. Each test works under its own key below
// HKCU\Software\PinarboTest and removes it afterwards; raw values of every awkward shape are
// written with the registry functions directly and read back through the store.
#include "param/CParam.h"
#include "param/CParamRegSet.h"
#include "param/CSettingsStore.h"
#include "param/win/CRegistryBackend.h"
#include "wnd/Handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

tstr Widen(const char* s) { return tstr(s, s + std::strlen(s)); }

class RegistryStore : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        m_root = L"Software\\PinarboTest\\" + Widen(info->name()) + L"-" + std::to_wstring(::GetCurrentProcessId());
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_root.c_str());
        m_keysBefore = CHandleTally::Live(EHandleKind::Key);
        store.SetRoot(m_root);
        store.SetBackend(&backend);
    }
    void TearDown() override {
        // Every key the store opened is closed again.
        EXPECT_EQ(CHandleTally::Live(EHandleKind::Key), m_keysBefore);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_root.c_str());
    }

    tstr Path(const tstr& section) const { return section.empty() ? m_root : m_root + L"\\" + section; }

    // Stores raw bytes of any type, creating the key.
    void PutRaw(const tstr& section, const tstr& name, DWORD type, const void* data, DWORD size) {
        HKEY raw = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, Path(section).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw,
                                    nullptr),
                  ERROR_SUCCESS);
        CUniqueKey key(raw);
        ASSERT_EQ(::RegSetValueExW(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    // Type and bytes as the registry holds them; false when the value is missing.
    bool GetRaw(const tstr& section, const tstr& name, DWORD& type, std::vector<BYTE>& bytes) {
        HKEY raw = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, Path(section).c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
        CUniqueKey key(raw);
        DWORD size = 0;
        if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
        bytes.assign(size, 0);
        return ::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, bytes.data(), &size) == ERROR_SUCCESS;
    }
    bool KeyOpens(const tstr& path) {
        HKEY raw = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
        ::RegCloseKey(raw);
        return true;
    }

    CRegistryBackend backend;
    CSettingsStore store;
    tstr m_root;

private:
    long m_keysBefore = 0;
};

std::vector<BYTE> TextBytes(const tstr& text) {
    std::vector<BYTE> bytes((text.size() + 1) * 2, 0);
    std::memcpy(bytes.data(), text.c_str(), text.size() * 2);
    return bytes;
}

}  // namespace

TEST_F(RegistryStore, WritesTheDocumentedEncodings) {
    ASSERT_TRUE(store.WriteString(L"Options\\Common", L"Caption", L"Fir tree"));
    ASSERT_TRUE(store.WriteInt(L"Options\\Common", L"Neg", -2147483647 - 1));
    const unsigned char blob[5] = {1, 0, 0xFF, 7, 0};
    ASSERT_TRUE(store.WriteStruct(L"Options\\Windows\\Main", L"plmnt", blob, sizeof blob));

    DWORD type = 0;
    std::vector<BYTE> bytes;
    ASSERT_TRUE(GetRaw(L"Options\\Common", L"Caption", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, TextBytes(L"Fir tree"));
    ASSERT_TRUE(GetRaw(L"Options\\Common", L"Neg", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, TextBytes(L"-2147483648"));
    ASSERT_TRUE(GetRaw(L"Options\\Windows\\Main", L"plmnt", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(bytes, std::vector<BYTE>(blob, blob + sizeof blob));

    tstr text;
    EXPECT_TRUE(store.ReadString(L"options\\COMMON", L"caption", text));
    EXPECT_EQ(text, L"Fir tree");
}

TEST_F(RegistryStore, EmptyTextIsFoundZeroBytesAreMissing) {
    ASSERT_TRUE(store.WriteString(L"S", L"empty", L""));
    DWORD type = 0;
    std::vector<BYTE> bytes;
    ASSERT_TRUE(GetRaw(L"S", L"empty", type, bytes));
    EXPECT_EQ(bytes.size(), 2u);
    PutRaw(L"S", L"zero", REG_SZ, L"", 0);
    PutRaw(L"S", L"zeroBinary", REG_BINARY, nullptr, 0);

    tstr text = L"x";
    EXPECT_TRUE(store.ReadString(L"S", L"empty", text));
    EXPECT_EQ(text, L"");
    for (const wchar_t* name : {L"zero", L"zeroBinary", L"absent"}) {
        text = L"x";
        EXPECT_FALSE(store.ReadString(L"S", name, text)) << testing::PrintToString(tstr(name));
        EXPECT_EQ(text, L"x");
    }
    EXPECT_FALSE(store.ReadString(L"NoSuchSection", L"empty", text));
}

// Values a user may leave in the registry by hand: the store reads what text it can, inside
// its buffers, without looking at the type.
TEST_F(RegistryStore, WrongTypesAndShapesReadSafely) {
    const DWORD dword = 0x37;  // bytes 37 00 00 00: the text "7"
    const unsigned char odd[] = {'4', 0, '2'};
    const unsigned char oddText[] = {'1', 0, '2', 0, '3'};
    const wchar_t unterminated[] = {L'5', L'6'};
    const wchar_t multi[] = L"ab\0cd\0";
    const unsigned long long qword = 0x0000003900000038ull;  // "8" then a null
    PutRaw(L"S", L"dword", REG_DWORD, &dword, sizeof dword);
    PutRaw(L"S", L"qword", REG_QWORD, &qword, sizeof qword);
    PutRaw(L"S", L"oddBinary", REG_BINARY, odd, sizeof odd);
    PutRaw(L"S", L"oddText", REG_SZ, oddText, sizeof oddText);
    PutRaw(L"S", L"unterminated", REG_SZ, unterminated, sizeof unterminated);
    PutRaw(L"S", L"multi", REG_MULTI_SZ, multi, sizeof multi);
    PutRaw(L"S", L"expand", REG_EXPAND_SZ, L"%TEMP%", 14);
    struct Case {
        const wchar_t* name;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"dword", L"7"},       {L"qword", L"8"},         {L"oddBinary", L"42"}, {L"oddText", L"123"},
        {L"unterminated", L"56"}, {L"multi", L"ab"}, {L"expand", L"%TEMP%"},
    };
    for (const Case& c : cases) {
        tstr text;
        EXPECT_TRUE(store.ReadString(L"S", c.name, text)) << testing::PrintToString(tstr(c.name));
        EXPECT_EQ(text, c.text) << testing::PrintToString(tstr(c.name));
    }
    // Through a parameter: a stray DWORD named like an option parses as its text.
    CParam<int> num;
    num.SetName(L"dword");
    num.Load(store, L"S");
    EXPECT_EQ(num.Get(), 7);
}

TEST_F(RegistryStore, MegabyteValues) {
    // 1 MB of text without a terminating null, and 1 MB of binary data without any null.
    std::vector<wchar_t> big(512 * 1024, L'x');
    PutRaw(L"S", L"bigText", REG_SZ, big.data(), static_cast<DWORD>(big.size() * sizeof(wchar_t)));
    std::vector<unsigned char> blob(1024 * 1024);
    for (std::size_t i = 0; i < blob.size(); ++i) blob[i] = static_cast<unsigned char>(1 + i % 251);
    PutRaw(L"S", L"bigBinary", REG_BINARY, blob.data(), static_cast<DWORD>(blob.size()));

    tstr text;
    ASSERT_TRUE(store.ReadString(L"S", L"bigText", text));
    EXPECT_EQ(text.size(), big.size());
    EXPECT_EQ(text.find_first_not_of(L'x'), tstr::npos);
    ASSERT_TRUE(store.ReadString(L"S", L"bigBinary", text));
    EXPECT_EQ(text.size(), blob.size() / 2);

    // A structure reader with a small buffer refuses the big value and keeps its guard bytes.
    unsigned char buffer[64 + 16];
    std::memset(buffer, 0xCC, sizeof buffer);
    EXPECT_FALSE(store.ReadStruct(L"S", L"bigBinary", buffer, 64));
    EXPECT_FALSE(store.ReadStruct(L"S", L"bigText", buffer, 64));
    for (unsigned char b : buffer) ASSERT_EQ(b, 0xCC);

    std::vector<unsigned char> all(blob.size());
    std::size_t got = 0;
    EXPECT_TRUE(store.ReadStruct(L"S", L"bigBinary", all.data(), all.size(), &got));
    EXPECT_EQ(got, blob.size());
    EXPECT_EQ(all, blob);
}

TEST_F(RegistryStore, Structures) {
    struct Place {
        std::int32_t flags, x, y;
    };
    const Place place{2, -100, 3000};
    ASSERT_TRUE(store.WriteStruct(L"W", L"plmnt", &place, sizeof place));
    Place back{};
    std::size_t got = 0;
    EXPECT_TRUE(store.ReadStruct(L"W", L"plmnt", &back, sizeof back, &got));
    EXPECT_EQ(got, sizeof place);
    EXPECT_EQ(back.x, -100);
    EXPECT_EQ(back.y, 3000);

    // Longer than the reader's buffer: not loaded, nothing written into it.
    const unsigned char longer[sizeof(Place) + 1] = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    PutRaw(L"W", L"plmnt", REG_BINARY, longer, sizeof longer);
    Place untouched{1, 2, 3};
    EXPECT_FALSE(store.ReadStruct(L"W", L"plmnt", &untouched, sizeof untouched));
    EXPECT_EQ(untouched.flags, 1);
    EXPECT_EQ(untouched.y, 3);

    // Shorter: loads what is there; a text value is read as its bytes.
    PutRaw(L"W", L"short", REG_SZ, L"A", 4);
    Place partial{7, 7, 7};
    EXPECT_TRUE(store.ReadStruct(L"W", L"short", &partial, sizeof partial, &got));
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(partial.flags, 0x41);
    EXPECT_EQ(partial.x, 7);

    EXPECT_TRUE(store.WriteStruct(L"W", L"plmnt", nullptr, sizeof place));
    EXPECT_FALSE(store.ReadStruct(L"W", L"plmnt", &back, sizeof back));
    EXPECT_TRUE(store.WriteStruct(L"W", L"plmnt", nullptr, sizeof place));  // already gone
}

TEST_F(RegistryStore, NullTextDeletesAndCreatesTheSection) {
    ASSERT_TRUE(store.WriteString(L"A", L"k", L"v"));
    EXPECT_TRUE(store.WriteString(L"A", L"k", nullptr));
    DWORD type = 0;
    std::vector<BYTE> bytes;
    EXPECT_FALSE(GetRaw(L"A", L"k", type, bytes));
    EXPECT_FALSE(store.SectionExists(L"B\\C"));
    EXPECT_TRUE(store.WriteString(L"B\\C", L"k", nullptr));
    EXPECT_TRUE(store.SectionExists(L"B\\C"));
    EXPECT_FALSE(GetRaw(L"B\\C", L"k", type, bytes));
}

TEST_F(RegistryStore, LongNames) {
    const tstr longName(300, L'n');
    ASSERT_TRUE(store.WriteString(L"S", longName, L"long"));
    tstr text;
    EXPECT_TRUE(store.ReadString(L"S", longName, text));
    EXPECT_EQ(text, L"long");

    // A key name beyond the registry's 255 characters is refused everywhere, without harm.
    const tstr longSection(300, L's');
    EXPECT_FALSE(store.WriteString(longSection, L"k", L"v"));
    EXPECT_FALSE(store.SectionExists(longSection));
    text = L"x";
    EXPECT_FALSE(store.ReadString(longSection, L"k", text));
    EXPECT_EQ(text, L"x");
    EXPECT_FALSE(store.DeleteSection(longSection));
}

TEST_F(RegistryStore, DeleteSectionEnumerateAndExist) {
    store.AddPlaceholder(L"*prof*", L"Profiles\\Default\\");
    ASSERT_TRUE(store.WriteInt(L"*prof*Items\\000", L"type", 1));
    ASSERT_TRUE(store.WriteInt(L"*prof*Items\\001", L"type", 2));
    ASSERT_TRUE(store.WriteInt(L"Profiles\\Work\\Options", L"num", 5));
    ASSERT_TRUE(store.WriteString(L"Profiles", L"Profile", L"Default"));
    EXPECT_TRUE(KeyOpens(m_root + L"\\Profiles\\Default\\Items\\001"));

    std::vector<tstr> names;
    tstr name;
    for (int i = 0; store.EnumSubsection(L"Profiles", i, name); ++i) names.push_back(name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<tstr>{L"Default", L"Work"}));
    EXPECT_FALSE(store.EnumSubsection(L"Profiles", -1, name));
    EXPECT_FALSE(store.EnumSubsection(L"Nothing", 0, name));

    EXPECT_TRUE(store.DeleteSection(L"*prof*Items\\000"));
    EXPECT_FALSE(store.SectionExists(L"*prof*Items\\000"));
    EXPECT_TRUE(store.SectionExists(L"*prof*Items\\001"));
    EXPECT_FALSE(store.DeleteSection(L"*prof*Items\\000"));

    EXPECT_TRUE(store.DeleteSection(L""));  // the root itself, with everything below
    EXPECT_FALSE(KeyOpens(m_root));
    EXPECT_TRUE(KeyOpens(L"Software\\PinarboTest"));
}

TEST_F(RegistryStore, APathThatNamesNoKeyDeletesNothing) {
    // The registry ignores a trailing separator; deleting "Profiles\\" must still not remove
    // "Profiles" with both profiles below it.
    const tstr paths[] = {L"Profiles\\", L"Profiles\\\\", L"Profiles\\Work\\", L"Profiles\\\\Work",
                          L"*prof*", L"Profiles\\Work\\\\Items"};
    store.AddPlaceholder(L"*prof*", L"Profiles\\Work\\");
    for (const tstr& path : paths) {
        ASSERT_TRUE(store.WriteInt(L"Profiles\\Default\\Items\\000", L"x", 1));
        ASSERT_TRUE(store.WriteInt(L"Profiles\\Work\\Items\\000", L"x", 2));
        EXPECT_FALSE(store.DeleteSection(path)) << path.size();
        EXPECT_TRUE(KeyOpens(m_root + L"\\Profiles\\Default\\Items\\000")) << path.size();
        EXPECT_TRUE(KeyOpens(m_root + L"\\Profiles\\Work\\Items\\000")) << path.size();
    }
    EXPECT_FALSE(backend.DeleteTree(m_root + L"\\Profiles\\"));
    EXPECT_TRUE(KeyOpens(m_root + L"\\Profiles"));
    EXPECT_TRUE(store.DeleteSection(L"Profiles\\Work"));
    EXPECT_FALSE(KeyOpens(m_root + L"\\Profiles\\Work"));
    EXPECT_TRUE(KeyOpens(m_root + L"\\Profiles\\Default"));
}

TEST_F(RegistryStore, WithoutARootNothingAboveIsRemoved) {
    ASSERT_TRUE(store.WriteInt(L"", L"probe", 1));
    CSettingsStore bare;  // paths relative to HKCU itself
    bare.SetBackend(&backend);
    EXPECT_FALSE(bare.DeleteSection(L""));
    EXPECT_FALSE(bare.DeleteSection(L"\\\\"));
    EXPECT_TRUE(KeyOpens(L"Software"));
    EXPECT_TRUE(bare.SectionExists(L""));
    tstr text;
    EXPECT_TRUE(bare.ReadString(m_root, L"probe", text));
    EXPECT_EQ(text, L"1");
}

TEST_F(RegistryStore, ParameterSetsRoundTripWithDefaults) {
    CParamRegSet set(&store);
    CParam<bool> confirm;
    CParam<unsigned long> colour;
    CParam<tstr> caption;
    confirm.SetDefault(true);
    confirm.Set(true);
    colour.Set(0xFFFFFFFFul);
    caption.Set(L"Snow \x2744");
    set.Add(&confirm, L"ConfirmExit");
    set.Add(&colour, L"crIgnClr");
    set.Add(&caption, L"caption");
    store.WriteString(L"Opt", L"ConfirmExit", L"0");  // stale value: removed because true is the default
    set.SaveAll(L"Opt");
    DWORD type = 0;
    std::vector<BYTE> bytes;
    EXPECT_FALSE(GetRaw(L"Opt", L"ConfirmExit", type, bytes));
    ASSERT_TRUE(GetRaw(L"Opt", L"crIgnClr", type, bytes));
    EXPECT_EQ(bytes, TextBytes(L"-1"));

    CParamRegSet other(&store);
    CParam<bool> confirm2;
    CParam<unsigned long> colour2;
    CParam<tstr> caption2;
    other.Add(&confirm2, L"ConfirmExit");
    other.Add(&colour2, L"crIgnClr");
    other.Add(&caption2, L"caption");
    other.SetSection(L"Opt");
    other.LoadAll();
    EXPECT_FALSE(confirm2.Get());  // nothing stored: keeps its value
    EXPECT_EQ(colour2.Get(), 0xFFFFFFFFul);
    EXPECT_EQ(caption2.Get(), L"Snow \x2744");
}
