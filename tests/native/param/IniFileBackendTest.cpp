#include "param/CIniFileBackend.h"
#include "param/CParam.h"
#include "param/CParamRegSet.h"
#include "param/CSettingsStore.h"
#include "param/Utf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

struct IniFixture : testing::Test {
    fs::path dir;
    fs::path file;
    std::unique_ptr<CIniFileBackend> backend;
    CSettingsStore store{false, L"F", L"A"};

    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("pinarbo-ini-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(dir);
        file = dir / "F" / "A" / "settings.ini";
        backend = std::make_unique<CIniFileBackend>(file.wstring());
        store.SetBackend(backend.get());
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Contents() const {
        std::ifstream in(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    void WriteFile(const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    tstr Read(const tstr& section, const tstr& key) {
        tstr text = L"<missing>";
        store.ReadString(section, key, text);
        return text;
    }
};
}  // namespace

TEST_F(IniFixture, WritesSectionsNamedByFullPath) {
    EXPECT_FALSE(store.SectionExists(L"S"));
    ASSERT_TRUE(store.WriteString(L"S", L"k", L"v"));
    ASSERT_TRUE(store.WriteInt(L"S", L"n", -5));
    const unsigned char blob[] = {1, 2, 0xFF};
    ASSERT_TRUE(store.WriteStruct(L"T", L"b", blob, sizeof blob));
    // The checksum byte is the sum of the bytes: 0x102 -> 02.
    EXPECT_EQ(Contents(), "[Software\\F\\A\\S]\r\nk=v\r\nn=-5\r\n[Software\\F\\A\\T]\r\nb=0102FF02\r\n");
    ASSERT_TRUE(store.WriteString(L"s", L"K", L"w"));  // names ignore case
    EXPECT_EQ(Read(L"S", L"k"), L"w");
}

TEST_F(IniFixture, TextsSurviveTheLineFormat) {
    const tstr texts[] = {L" padded ", L"\"quoted\"", L"\"", L"a=b;c", L"Snow \x2744", L"clef \U0001D11E"};
    for (const tstr& t : texts) {
        ASSERT_TRUE(store.WriteString(L"S", L"k", t)) << testing::PrintToString(t);
        EXPECT_EQ(Read(L"S", L"k"), t);
    }
    EXPECT_FALSE(store.WriteString(L"S", L"k", L"two\nlines"));
    EXPECT_FALSE(store.WriteString(L"S", L"a=b", L"x"));
    EXPECT_FALSE(store.WriteString(L"Bad]Section", L"k", L"x"));
    EXPECT_EQ(Read(L"S", L"a"), L"<missing>");
}

TEST_F(IniFixture, EmptyValueIsMissingAndNullDeletes) {
    store.WriteString(L"S", L"empty", L"");
    store.WriteString(L"S", L"k", L"v");
    EXPECT_EQ(Read(L"S", L"empty"), L"<missing>");
    EXPECT_TRUE(store.WriteString(L"S", L"k", nullptr));
    EXPECT_EQ(Read(L"S", L"k"), L"<missing>");
    store.WriteString(L"S", L"empty", nullptr);
    EXPECT_FALSE(store.SectionExists(L"S"));  // a section exists only while it holds a value
    EXPECT_TRUE(store.WriteString(L"Nothing", L"k", nullptr));
}

TEST_F(IniFixture, ReadsAHandWrittenFile) {
    WriteFile("; comment\n[Software\\F\\A\\Options]\n  num = 12 \nname=\xE2\x9D\x84 star\r\n\n[other]\nnum=1\n");
    EXPECT_EQ(Read(L"Options", L"num"), L"12");
    EXPECT_EQ(Read(L"Options", L"name"), L"\x2744 star");
    CParam<int> num;
    num.SetName(L"num");
    num.Load(store, L"Options");
    EXPECT_EQ(num.Get(), 12);
}

TEST_F(IniFixture, Structures) {
    const std::uint32_t data[2] = {0x01020304, 0xA0B0C0D0};
    ASSERT_TRUE(store.WriteStruct(L"W", L"p", data, sizeof data));
    std::uint32_t back[2] = {};
    std::size_t got = 0;
    EXPECT_TRUE(store.ReadStruct(L"W", L"p", back, sizeof back, &got));
    EXPECT_EQ(got, sizeof data);
    EXPECT_EQ(back[1], 0xA0B0C0D0u);
    std::uint32_t small[1] = {7};
    EXPECT_FALSE(store.ReadStruct(L"W", L"p", small, sizeof small));
    EXPECT_EQ(small[0], 7u);

    WriteFile("[Software\\F\\A\\W]\nbad=0102FF03\nodd=0102F\nhex=01XX01\nok=0102FF02\n");
    unsigned char bytes[4] = {9, 9, 9, 9};
    for (const wchar_t* key : {L"bad", L"odd", L"hex"}) EXPECT_FALSE(store.ReadStruct(L"W", key, bytes, 4));
    EXPECT_EQ(bytes[0], 9);
    EXPECT_TRUE(store.ReadStruct(L"W", L"ok", bytes, 4, &got));
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(bytes[2], 0xFF);
}

TEST_F(IniFixture, DeleteSectionTakesOnlyItsOwnTree) {
    store.WriteInt(L"Items\\00", L"x", 1);
    store.WriteInt(L"Items\\001", L"x", 2);
    store.WriteInt(L"Items\\00\\Sub", L"x", 3);
    EXPECT_TRUE(store.DeleteSection(L"Items\\00"));
    EXPECT_FALSE(store.SectionExists(L"Items\\00"));
    EXPECT_FALSE(store.SectionExists(L"Items\\00\\Sub"));
    EXPECT_EQ(Read(L"Items\\001", L"x"), L"2");  // a longer name with the same start stays
    EXPECT_FALSE(store.DeleteSection(L"Items\\00"));

    store.WriteInt(L"Profiles\\Work", L"x", 1);
    store.WriteInt(L"Profiles\\Default\\Items\\000", L"x", 1);
    tstr name;
    EXPECT_TRUE(store.EnumSubsection(L"Profiles", 0, name));
    EXPECT_EQ(name, L"Work");
    EXPECT_TRUE(store.EnumSubsection(L"Profiles", 1, name));
    EXPECT_EQ(name, L"Default");
    EXPECT_FALSE(store.EnumSubsection(L"Profiles", 2, name));

    EXPECT_TRUE(store.DeleteSection(L""));
    EXPECT_FALSE(store.SectionExists(L"Items\\001"));
    EXPECT_EQ(Contents(), "");
}

TEST_F(IniFixture, ParameterSetRoundTrip) {
    CParamRegSet set(&store);
    CParam<tstr> caption;
    CParam<unsigned int> colour;
    set.Add(&caption, L"caption");
    set.Add(&colour, L"colour");
    caption.Set(L" Angel ");
    colour.Set(0xFFFFFFFFu);
    set.SaveAll(L"*prof*Item");
    caption.Set(L"");
    colour.Set(0);
    set.LoadAll(L"*prof*Item");
    EXPECT_EQ(caption.Get(), L" Angel ");
    EXPECT_EQ(colour.Get(), 0xFFFFFFFFu);
}

TEST(Utf8, RoundTripsAndReplacesBrokenSequences) {
    const tstr text = L"a\x00E9\x2744";
    EXPECT_EQ(ToUtf8(text), "a\xC3\xA9\xE2\x9D\x84");
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(FromUtf8("\xF0\x9D\x84\x9E").size(), sizeof(wchar_t) == 2 ? 2u : 1u);  // U+1D11E
    EXPECT_EQ(ToUtf8(FromUtf8("\xF0\x9D\x84\x9E")), "\xF0\x9D\x84\x9E");
    EXPECT_EQ(FromUtf8("x\xC3"), L"x\xFFFD");          // cut short
    EXPECT_EQ(FromUtf8("\xC0\xAF"), L"\xFFFD\xFFFD");  // over-long form
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"), L"\xFFFD");  // an encoded surrogate is no character
    EXPECT_EQ(FromUtf8("\xE2\x28\xA1"), L"\xFFFD(\xFFFD");
}
