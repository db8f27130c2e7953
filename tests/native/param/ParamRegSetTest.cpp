#include "param/CMemoryBackend.h"
#include "param/CParam.h"
#include "param/CParamRegSet.h"
#include "param/CSettingsStore.h"

#include <gtest/gtest.h>

namespace {
struct RegSetFixture : testing::Test {
    CMemoryBackend backend;
    CSettingsStore store{true, L"Holverin", L"Pinarbo"};
    CParamRegSet set{&store};
    CParam<int> num;
    CParam<tstr> caption;
    RegSetFixture() {
        store.SetBackend(&backend);
        store.AddPlaceholder(L"*prof*", L"Profiles\\Default\\");
    }
};
}  // namespace

TEST_F(RegSetFixture, AddRefusesUnnamedDuplicateAndNull) {
    EXPECT_FALSE(set.Add(&num));  // no name yet
    EXPECT_TRUE(set.Add(&num, L"num"));
    EXPECT_EQ(num.GetName(), L"num");
    EXPECT_FALSE(set.Add(&num));
    EXPECT_FALSE(set.Add(nullptr));
    EXPECT_FALSE(set.Add(nullptr, L"x"));
    EXPECT_TRUE(set.Add(&caption, L"caption"));
    EXPECT_EQ(set.Members(), (std::vector<IParamReg*>{&num, &caption}));
}

TEST_F(RegSetFixture, SavesAndLoadsUnderItsSection) {
    set.Add(&num, L"num");
    set.Add(&caption, L"caption");
    num.Set(50);
    caption.Set(L"Tree");
    set.SaveAll();  // no own section: nothing
    EXPECT_FALSE(backend.KeyExists(L"Software\\Holverin\\Pinarbo\\*prof*Options\\Blinks"));
    set.SetSection(L"*prof*Options\\Blinks");
    set.SaveAll();
    tstr text;
    EXPECT_TRUE(backend.ReadText(L"Software\\Holverin\\Pinarbo\\Profiles\\Default\\Options\\Blinks", L"num", text));
    EXPECT_EQ(text, L"50");

    num.Set(0);
    caption.Set(L"");
    set.SetSection(L"");
    set.LoadAll();  // empty own section: nothing loaded
    EXPECT_EQ(num.Get(), 0);
    set.LoadAll(L"*prof*Options\\Blinks");
    EXPECT_EQ(num.Get(), 50);
    EXPECT_EQ(caption.Get(), L"Tree");

    set.DetachAll();
    EXPECT_TRUE(set.Members().empty());
    EXPECT_EQ(num.GetName(), L"num");  // members untouched
}
