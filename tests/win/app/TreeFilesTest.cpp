// Export and import over a store and real files: a tree with its own pictures goes through a file
// into another store whose pictures folder is empty; every refused file leaves no trace.
#include "app/TreeFiles.h"
#include "param/CMemoryBackend.h"
#include "param/CSettingsStore.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string Narrow(const tstr& s) { return std::string(s.begin(), s.end()); }

std::vector<char> Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct TreeFiles : testing::Test {
    CMemoryBackend backend, otherBackend;
    CSettingsStore store{true, L"Holverin", L"Pinarbo"}, other{true, L"Holverin", L"Pinarbo"};
    fs::path temp;

    void SetUp() override {
        store.SetBackend(&backend);
        other.SetBackend(&otherBackend);
        wchar_t buffer[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, buffer);
        temp = fs::path(buffer) / (L"pinarbo-treefiles-" + std::to_wstring(::GetCurrentProcessId()));
        fs::remove_all(temp);
        fs::create_directories(temp / L"own");
    }
    void TearDown() override { fs::remove_all(temp); }

    tstr Own(const wchar_t* name) {
        const fs::path to = temp / L"own" / name;
        fs::copy_file(fs::path(PINARBO_TEST_DATA) / L"imaging" / L"files" / name, to, fs::copy_options::overwrite_existing);
        return to.wstring();
    }
    static int Subfolders(const fs::path& folder) {
        if (!fs::exists(folder)) return 0;
        return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
};

}  // namespace

TEST_F(TreeFiles, ATreeWithOwnPicturesMovesToAnotherStore) {
    const tstr root = L"Profiles\\Living room\\";
    const tstr tree = Own(L"alpha.png"), toy = Own(L"palette.png");
    store.WriteString(root + L"Items\\Tree", L"type", L"0");
    store.WriteString(root + L"Items\\Tree", L"source", L"1");
    store.WriteString(root + L"Items\\Tree", L"path", tree);
    for (int n = 0; n < 30; ++n) {
        const tstr section = root + L"Items\\0" + (n < 10 ? L"0" : L"") + std::to_wstring(n);
        store.WriteString(section, L"type", L"1");
        store.WriteString(section, L"source", n % 3 ? L"1" : L"0");
        store.WriteString(section, L"path", n % 3 ? toy : L"C:\\not\\carried.png");
        store.WriteInt(section, L"x", n * 9);
        store.WriteString(section, L"Caption", L"Toy " + std::to_wstring(n));
    }
    store.WriteInt(root + L"Options\\Blinks", L"num", 33);
    const tstr file = (temp / L"Living room.pinarbo").wstring();

    STreeFileOutcome out = ExportTreeFile(store, L"Living room", file);
    ASSERT_EQ(out.result, ETreeFileResult::kDone) << Narrow(out.message);
    fs::remove_all(temp / L"own");  // the other PC has none of these files

    const fs::path pictures = temp / L"Pictures";
    out = ImportTreeFile(other, file, pictures.wstring());
    ASSERT_EQ(out.result, ETreeFileResult::kDone) << Narrow(out.message);
    EXPECT_EQ(out.tree, L"Living room");
    const tstr dest = L"Profiles\\Living room\\";
    tstr value;
    EXPECT_TRUE(other.ReadString(dest + L"Items\\Tree", L"path", value));
    EXPECT_EQ(value, (pictures / L"Living room" / L"alpha.png").wstring());
    EXPECT_EQ(Contents(value), Contents(fs::path(PINARBO_TEST_DATA) / L"imaging" / L"files" / L"alpha.png"));
    for (int n = 0; n < 30; ++n) {
        const tstr section = dest + L"Items\\0" + (n < 10 ? L"0" : L"") + std::to_wstring(n);
        value.clear();
        EXPECT_EQ(other.ReadString(section, L"path", value), n % 3 != 0) << n;
        if (n % 3) {
            EXPECT_EQ(value, (pictures / L"Living room" / L"palette.png").wstring()) << n;
        }
        ASSERT_TRUE(other.ReadString(section, L"Caption", value));
        EXPECT_EQ(value, L"Toy " + std::to_wstring(n));
    }
    EXPECT_TRUE(other.ReadString(dest + L"Options\\Blinks", L"num", value) && value == L"33");
    EXPECT_FALSE(other.SectionExists(L"Pending"));  // the safe save finished
    EXPECT_EQ(Subfolders(pictures / L"Living room"), 2);

    // Again: a new tree beside it, whatever case the names already taken have.
    other.WriteString(L"Profiles\\LIVING ROOM (3)\\Items\\Tree", L"type", L"0");
    for (const wchar_t* want : {L"Living room (2)", L"Living room (4)"}) {
        out = ImportTreeFile(other, file, pictures.wstring());
        EXPECT_EQ(out.tree, want);
    }
    EXPECT_EQ(Subfolders(pictures), 3);
    EXPECT_EQ(ExportTreeFile(other, L"Nobody", file).result, ETreeFileResult::kRefused);
}

TEST_F(TreeFiles, RefusedFilesLeaveNoProfileAndNoFolder) {
    const fs::path data = fs::path(PINARBO_TEST_DATA) / L"treefile";
    std::vector<fs::path> files{data / L"not-a-picture.pinarbo"};
    for (const auto& entry : fs::directory_iterator(data / L"bad")) files.push_back(entry.path());
    const fs::path pictures = temp / L"Pictures";
    for (const fs::path& file : files) {
        const STreeFileOutcome out = ImportTreeFile(store, file.wstring(), pictures.wstring());
        EXPECT_EQ(out.result, ETreeFileResult::kRefused) << file.filename().string();
        EXPECT_NE(out.message.find(L"cannot be imported"), tstr::npos) << file.filename().string();
        EXPECT_TRUE(out.tree.empty());
    }
    EXPECT_FALSE(store.SectionExists(L"Profiles"));
    EXPECT_FALSE(store.SectionExists(L"Pending"));
    EXPECT_EQ(Subfolders(pictures), 0);
    EXPECT_EQ(ImportTreeFile(store, (temp / L"missing.pinarbo").wstring(), pictures.wstring()).result,
              ETreeFileResult::kFailed);
}
