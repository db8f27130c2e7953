// The tree file: hashing and base64 against published vectors, a profile's round trip through a
// file into another store, every malformed file of the table refused as its name says, and the
// names a file may bring onto the disk.
#include "param/Base64.h"
#include "param/CMemoryBackend.h"
#include "param/CSettingsStore.h"
#include "param/Sha256.h"
#include "scene/TreeFile.h"
#include "scene/TreeFileKeys.h"
#include "scene/TreeFileNames.h"
#include "scene/TreeFileProfile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> Bytes(const std::string& s) { return std::vector<std::uint8_t>(s.begin(), s.end()); }

}  // namespace

TEST(TreeFile, HashAndBase64MatchPublishedVectors) {
    EXPECT_EQ(Sha256Hex("", 0), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc", 3), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";  // 56 bytes: two blocks
    EXPECT_EQ(Sha256Hex(two.data(), two.size()), "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    const std::string million(1000000, 'a');
    EXPECT_EQ(Sha256Hex(million.data(), million.size()),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");

    const std::map<std::string, std::string> vectors = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"}};
    for (const auto& [plain, coded] : vectors) {
        EXPECT_EQ(Base64Encode(reinterpret_cast<const std::uint8_t*>(plain.data()), plain.size()), coded);
        std::vector<std::uint8_t> back;
        EXPECT_TRUE(Base64Decode(coded, back)) << coded;
        EXPECT_EQ(back, Bytes(plain));
    }
    // Wrong length, foreign characters, padding inside, padding with bits left over.
    for (const char* bad : {"Zg=", "Zm9", "Zm9v\n", "Zg==Zg==", "Z===", "Zh==", "Zm9=", "Zm 9v", "Zm9v-A=="}) {
        std::vector<std::uint8_t> out{1};
        EXPECT_FALSE(Base64Decode(bad, out)) << bad;
        EXPECT_TRUE(out.empty()) << bad;
    }
}

// A stored profile of a tree with its own picture and 30 toys (some sharing a picture file, one
// whose file is gone), exported, read back and imported into another store: every carried value
// comes back, the paths point at the copies, nothing of this PC's own settings goes along.
TEST(TreeFile, ProfileRoundTripCarriesTheTreeAndNothingElse) {
    CMemoryBackend fromBackend, toBackend;
    CSettingsStore from(true, L"Holverin", L"Pinarbo"), to(true, L"Holverin", L"Pinarbo");
    from.SetBackend(&fromBackend);
    to.SetBackend(&toBackend);
    const tstr root = L"Profiles\\Mine\\";
    const std::map<tstr, std::vector<std::uint8_t>> disk = {
        {L"C:\\Users\\me\\Pictures\\tree.png", Bytes("PNG tree")},
        {L"C:\\Users\\me\\Pictures\\ball.png", Bytes("PNG ball")},
        {L"D:\\other\\Ball.png", Bytes("another ball")}};
    const auto writeItem = [&](const tstr& section, int type, int source, const tstr& path, int n) {
        from.WriteString(root + section, L"type", std::to_wstring(type));
        from.WriteString(root + section, L"source", std::to_wstring(source));
        from.WriteString(root + section, L"Caption", n == 3 ? L"  spaced \"caption\"  " : L"Toy " + std::to_wstring(n));
        from.WriteString(root + section, L"path", path);
        from.WriteInt(root + section, L"x", n * 7 - 40);
        from.WriteInt(root + section, L"y", n * 11);
        from.WriteInt(root + section, L"crIgnClr", -16777216 + n);
        if (n % 4 == 0) from.WriteInt(root + section, L"brig", -n);
    };
    writeItem(L"Items\\Tree", 0, 1, L"C:\\Users\\me\\Pictures\\tree.png", 99);
    const tstr toyPaths[] = {L"C:\\Users\\me\\Pictures\\ball.png", L"c:\\users\\ME\\pictures\\BALL.png",
                             L"D:\\other\\Ball.png", L"C:\\gone.png", L"C:\\built-in-only.png"};
    for (int n = 0; n < 30; ++n)
        writeItem(TreeFileItemSection(n), 1 + (n % 7 == 6), n % 5 == 4 ? 0 : 1, toyPaths[n % 5], n);
    from.WriteString(root + L"Items\\031", L"type", L"1");  // after a gap: not an item of the tree
    const std::uint8_t placement[44] = {44, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0xFF, 0x80};
    from.WriteStruct(root + L"Options\\ViewWnd", L"plmnt", placement, sizeof(placement));
    from.WriteInt(root + L"Options\\ViewWnd", L"opaque", 64);
    from.WriteString(root + L"Options\\ViewWnd", L"mon", L"\\\\.\\DISPLAY2");  // this PC's monitor
    from.WriteInt(root + L"Options\\ViewWnd", L"pausebattery", 1);              // this PC's choice
    from.WriteInt(root + L"Options\\Blinks", L"num", 7);
    from.WriteInt(root + L"Options\\Garland", L"id", 164);
    from.WriteInt(L"Options\\Common", L"ClickThrough", 1);  // program-wide

    STreeFile exported = ReadProfileForTreeFile(from, root);
    const std::vector<tstr> missing = AttachPictures(exported, [&](const tstr& path, std::vector<std::uint8_t>& bytes) {
        const auto it = disk.find(path);
        if (it == disk.end()) return false;
        bytes = it->second;
        return true;
    });
    EXPECT_EQ(missing, std::vector<tstr>{L"C:\\gone.png"});
    const std::string text = WriteTreeFile(exported);

    STreeFile read;
    tstr message;
    ASSERT_EQ(ReadTreeFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), read, message),
              ETreeFileError::kNone)
        << std::string(message.begin(), message.end());
    ASSERT_EQ(read.pictures.size(), 3u);  // one copy per file, the two names of one file counted once
    EXPECT_EQ(read.pictures[0].name, L"tree.png");
    EXPECT_EQ(read.pictures[1].name, L"ball.png");
    EXPECT_EQ(read.pictures[2].name, L"Ball (2).png");
    EXPECT_EQ(read.pictures[2].bytes, Bytes("another ball"));
    PointPicturesAt(read, L"C:\\Local\\Pictures\\Mine");
    WriteTreeFileToStore(to, L"Profiles\\Imported\\", read);

    const tstr dest = L"Profiles\\Imported\\";
    tstr value;
    ASSERT_TRUE(to.ReadString(dest + L"Items\\Tree", L"path", value));
    EXPECT_EQ(value, L"C:\\Local\\Pictures\\Mine\\tree.png");
    for (int n = 0; n < 30; ++n) {
        const tstr section = TreeFileItemSection(n);
        for (const wchar_t* key : {L"type", L"source", L"Caption", L"x", L"y", L"crIgnClr", L"brig"}) {
            tstr a, b;
            EXPECT_EQ(from.ReadString(root + section, key, a), to.ReadString(dest + section, key, b)) << n << key;
            EXPECT_EQ(a, b) << n << key;
        }
        tstr path;
        const bool hasPath = to.ReadString(dest + section, L"path", path);
        const wchar_t* want[] = {L"ball.png", L"ball.png", L"Ball (2).png", nullptr, nullptr};
        EXPECT_EQ(hasPath, want[n % 5] != nullptr) << n;
        if (want[n % 5]) {
            EXPECT_EQ(path, tstr(L"C:\\Local\\Pictures\\Mine\\") + want[n % 5]) << n;
        }
    }
    EXPECT_FALSE(to.SectionExists(dest + L"Items\\030"));
    EXPECT_FALSE(to.SectionExists(dest + L"Items\\031"));
    std::uint8_t back[44] = {};
    std::size_t got = 0;
    EXPECT_TRUE(to.ReadStruct(dest + L"Options\\ViewWnd", L"plmnt", back, sizeof(back), &got));
    EXPECT_EQ(got, sizeof(placement));
    EXPECT_EQ(0, std::memcmp(back, placement, sizeof(placement)));
    for (const auto& [section, key, expected] : std::vector<std::tuple<tstr, tstr, tstr>>{
             {L"Options\\ViewWnd", L"opaque", L"64"}, {L"Options\\Blinks", L"num", L"7"},
             {L"Options\\Garland", L"id", L"164"}, {L"Options\\ViewWnd", L"mon", L""},
             {L"Options\\ViewWnd", L"pausebattery", L""}}) {
        value.clear();
        to.ReadString(dest + section, key, value);
        EXPECT_EQ(value, expected) << std::string(key.begin(), key.end());
    }
    EXPECT_FALSE(to.SectionExists(L"Options\\Common"));
    // The file is its own fixed point: written again from what was read, it is the same file.
    STreeFile again;
    ASSERT_EQ(ReadTreeFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), again, message),
              ETreeFileError::kNone);
    EXPECT_EQ(WriteTreeFile(again), text);
}

// Every file of the malformed table is refused for the reason its name gives ("<reason>--<what>"),
// with a message; the fuzz seeds (files as the program writes them) are accepted.
TEST(TreeFile, MalformedFilesAreRefusedForTheirReason) {
    const std::filesystem::path bad = std::filesystem::path(PINARBO_TEST_DATA) / "treefile" / "bad";
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(bad)) {
        const std::string name = entry.path().filename().string();
        const std::string reason = name.substr(0, name.find("--"));
        const std::vector<std::uint8_t> bytes = FileBytes(entry.path());
        STreeFile file;
        file.pictures.push_back({L"left over", {1}});
        tstr message;
        const ETreeFileError error = ReadTreeFile(bytes.data(), bytes.size(), file, message);
        EXPECT_EQ(TreeFileErrorName(error), reason) << name << ": " << std::string(message.begin(), message.end());
        EXPECT_FALSE(message.empty()) << name;
        EXPECT_TRUE(file.sections.empty() && file.pictures.empty()) << name;
        ++seen;
    }
    EXPECT_GE(seen, 25);
    const std::filesystem::path seeds = std::filesystem::path(PINARBO_TEST_DATA) / ".." / "fuzz" / "corpus" / "treefile";
    for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
        const std::vector<std::uint8_t> bytes = FileBytes(entry.path());
        STreeFile file;
        tstr message;
        EXPECT_EQ(ReadTreeFile(bytes.data(), bytes.size(), file, message), ETreeFileError::kNone)
            << entry.path().filename().string() << ": " << std::string(message.begin(), message.end());
    }
    // Beyond 64 MB the size alone refuses it, before anything is read.
    std::vector<std::uint8_t> huge(kMaxTreeFileBytes + 1, 'x');
    STreeFile file;
    tstr message;
    EXPECT_EQ(ReadTreeFile(huge.data(), huge.size(), file, message), ETreeFileError::kTooLarge);
}

TEST(TreeFile, NamesThatReachTheDiskArePlainFileNames) {
    struct Case {
        tstr raw;
        bool safe;
        tstr made;  // MakeSafeTreeFileName(raw, "Tree")
    };
    const Case cases[] = {
        {L"ball.png", true, L"ball.png"},        {L"My tree (2)", true, L"My tree (2)"},
        {L"..", false, L"Tree"},                 {L"a\\b.png", false, L"a_b.png"},
        {L"a/b", false, L"a_b"},                 {L"C:x", false, L"C_x"},
        {L"CON", false, L"_CON"},                {L"nul.txt", false, L"_nul.txt"},
        {L"com1.png", false, L"_com1.png"},      {L" lead", false, L"lead"},
        {L"trail.", false, L"trail"},            {L"", false, L"Tree"},
        {L"tab\there", false, L"tab_here"},      {tstr(65, L'x'), false, tstr(64, L'x')},
        {L"\u00C9toile \u2605", true, L"\u00C9toile \u2605"}, {L"...", false, L"Tree"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSafeTreeFileName(c.raw), c.safe) << std::string(c.raw.begin(), c.raw.end());
        EXPECT_EQ(MakeSafeTreeFileName(c.raw, L"Tree"), c.made) << std::string(c.raw.begin(), c.raw.end());
        EXPECT_TRUE(IsSafeTreeFileName(MakeSafeTreeFileName(c.raw, L"Tree")));
    }
    const std::vector<tstr> taken = {L"Tree", L"tree (2)", L"ball.png", L"BALL (2).PNG", tstr(64, L'y')};
    EXPECT_EQ(MakeUniqueName(L"Other", taken, false), L"Other");
    EXPECT_EQ(MakeUniqueName(L"TREE", taken, false), L"TREE (3)");
    EXPECT_EQ(MakeUniqueName(L"Ball.png", taken, true), L"Ball (3).png");
    EXPECT_EQ(MakeUniqueName(tstr(64, L'Y'), taken, false), tstr(60, L'Y') + L" (2)");
}
