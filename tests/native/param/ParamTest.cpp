#include "param/CMemoryBackend.h"
#include "param/CParam.h"
#include "param/CSettingsStore.h"
#include "RecordingBinding.h"

#include <gtest/gtest.h>

namespace {
using Events = std::vector<tstr>;

// A parameter with one recording binding attached (owned by the parameter).
template <class T>
struct Bound {
    CParam<T> param;
    CRecordingBinding* binding = new CRecordingBinding;
    Bound() {
        binding->SetParam(&param);
        param.AddBinding(binding);
    }
};

struct ParamStoreFixture : testing::Test {
    CMemoryBackend backend;
    CSettingsStore store{true, L"Firm", L"App"};
    ParamStoreFixture() { store.SetBackend(&backend); }
    tstr Stored(const tstr& section, const tstr& key) {
        tstr text = L"<missing>";
        store.ReadString(section, key, text);
        return text;
    }
};
}  // namespace

TEST(Param, InitialState) {
    CParam<int> i;
    CParam<tstr> s;
    EXPECT_EQ(i.Get(), 0);
    EXPECT_EQ(s.Get(), L"0");
    EXPECT_EQ(i.Min(), 0);
    EXPECT_EQ(i.Max(), 0);
    EXPECT_FALSE(i.IsModified());
    EXPECT_TRUE(i.GetName().empty());
}

TEST(Param, SetTellsBindingsAndMirrorOnlyOnChange) {
    Bound<int> b;
    int mirror = -5;
    b.param.SetMirror(&mirror);
    b.param.Set(0);  // unchanged
    EXPECT_TRUE(b.binding->events.empty());
    EXPECT_EQ(mirror, -5);
    EXPECT_EQ(b.param.Set(7), b.param.ValueRef());
    EXPECT_EQ(mirror, 7);
    b.param.Set(7);
    EXPECT_EQ(b.binding->events, (Events{L"show 7"}));

    Bound<tstr> t;
    t.param.Set(L"0");
    t.param.Set(L"abc");
    t.param.Set(L"abc");
    t.param.Set(L"ABC");
    EXPECT_EQ(t.binding->events, (Events{L"show abc", L"show ABC"}));
}

TEST(Param, AllBindingsToldInOrder) {
    CParam<int> p;
    auto* first = new CRecordingBinding;
    auto* second = new CRecordingBinding;
    first->SetParam(&p);
    second->SetParam(&p);
    EXPECT_TRUE(p.AddBinding(first));
    EXPECT_TRUE(p.AddBinding(second));
    EXPECT_FALSE(p.AddBinding(first));
    p.Set(3);
    p.SetRange(1, 9);
    EXPECT_EQ(first->events, (Events{L"show 3", L"range 1 9"}));
    EXPECT_EQ(second->events, first->events);
    // A plain parameter's own bounds are 0..0.
    p.RefreshRange();
    EXPECT_EQ(first->events.back(), L"range 0 0");
    EXPECT_EQ(p.ApplyRange(nullptr), 0);
    EXPECT_EQ(second->events.back(), L"range 0 0");
    EXPECT_TRUE(p.RemoveBinding(second));
    EXPECT_FALSE(p.RemoveBinding(second));
    delete second;
}

TEST(Param, DestructorDestroysOnlyItsOwnBindings) {
    int destroyed = 0;
    CParam<int> other;
    auto* foreign = new CRecordingBinding(&destroyed);
    foreign->SetParam(&other);
    {
        CParam<int> p;
        auto* own = new CRecordingBinding(&destroyed);
        own->SetParam(&p);
        p.AddBinding(own);
        p.AddBinding(foreign);
    }
    EXPECT_EQ(destroyed, 1);
    delete foreign;
    EXPECT_EQ(destroyed, 2);
}

TEST(Param, SnapshotRevertModifiedReset) {
    Bound<unsigned int> b;
    b.param.Set(5);
    b.param.Snapshot();
    EXPECT_FALSE(b.param.IsModified());
    b.param.Set(9);
    EXPECT_TRUE(b.param.IsModified());
    b.param.Revert();
    EXPECT_EQ(b.param.Get(), 5u);
    EXPECT_FALSE(b.param.IsModified());
    EXPECT_EQ(b.binding->events, (Events{L"show 5", L"show 9", L"show 5"}));

    b.param.ResetToDefault();  // no recorded default: nothing
    EXPECT_EQ(b.param.Get(), 5u);
    b.param.SetDefault(2);
    b.param.ResetToDefault();
    EXPECT_EQ(b.param.Get(), 2u);

    CParam<tstr> t;
    t.Set(L"x");
    t.SetEmpty();
    EXPECT_EQ(t.Get(), L"");
    CParam<bool> f;
    f.Set(true);
    f.SetEmpty();
    EXPECT_FALSE(f.Get());
}

TEST(Param, FromStringBypassesMirrorAndBindings) {
    Bound<int> b;
    int mirror = 0;
    b.param.SetMirror(&mirror);
    b.param.FromString(L"44");
    EXPECT_EQ(b.param.Get(), 44);
    EXPECT_EQ(mirror, 0);
    EXPECT_TRUE(b.binding->events.empty());
}

TEST_F(ParamStoreFixture, SaveAndLoadNumbersAndText) {
    CParam<int> i;
    CParam<unsigned int> u;
    CParam<bool> f;
    CParam<tstr> t;
    i.SetName(L"i");
    u.SetName(L"u");
    f.SetName(L"f");
    t.SetName(L"t");
    i.Set(-42);
    u.Set(0xFFFFFFFFu);
    f.Set(true);
    t.Set(L"hello world");
    for (IParamReg* p : std::initializer_list<IParamReg*>{&i, &u, &f, &t}) EXPECT_TRUE(p->Save(store, L"Sec"));
    EXPECT_EQ(Stored(L"Sec", L"i"), L"-42");
    EXPECT_EQ(Stored(L"Sec", L"u"), L"-1");
    EXPECT_EQ(Stored(L"Sec", L"f"), L"1");
    EXPECT_EQ(Stored(L"Sec", L"t"), L"hello world");

    CParam<int> i2;
    CParam<unsigned int> u2;
    CParam<bool> f2;
    CParam<tstr> t2;
    i2.SetName(L"i");
    u2.SetName(L"u");
    f2.SetName(L"f");
    t2.SetName(L"t");
    for (IParamReg* p : std::initializer_list<IParamReg*>{&i2, &u2, &f2, &t2}) EXPECT_TRUE(p->Load(store, L"Sec"));
    EXPECT_EQ(i2.Get(), -42);
    EXPECT_EQ(u2.Get(), 0xFFFFFFFFu);
    EXPECT_TRUE(f2.Get());
    EXPECT_EQ(t2.Get(), L"hello world");
}

TEST_F(ParamStoreFixture, LoadParsesStoredTextAndKeepsValueWhenMissing) {
    store.WriteString(L"S", L"b", L"2");
    store.WriteString(L"S", L"n", L"12px");
    store.WriteString(L"S", L"z", L"px12");
    store.WriteString(L"S", L"big", L"4294967295");
    CParam<bool> b;
    CParam<int> n, z, missing;
    CParam<unsigned int> big;
    b.SetName(L"b");
    n.SetName(L"n");
    z.SetName(L"z");
    big.SetName(L"big");
    missing.SetName(L"missing");
    z.Set(99);
    missing.Set(77);
    b.Load(store, L"S");
    n.Load(store, L"S");
    z.Load(store, L"S");
    big.Load(store, L"S");
    EXPECT_TRUE(missing.Load(store, L"S"));
    EXPECT_TRUE(b.Get());
    EXPECT_EQ(n.Get(), 12);
    EXPECT_EQ(z.Get(), 0);
    EXPECT_EQ(big.Get(), 0x7FFFFFFFu);
    EXPECT_EQ(missing.Get(), 77);
}

TEST_F(ParamStoreFixture, EmptyNameIsNeverLoadedOrSaved) {
    CParam<int> p;
    p.Set(5);
    EXPECT_FALSE(p.Save(store, L"S"));
    EXPECT_FALSE(p.Load(store, L"S"));
    tstr text = L"keep";
    EXPECT_FALSE(p.SaveToText(text, L"x"));
    EXPECT_EQ(text, L"keep");
    EXPECT_FALSE(p.LoadFromText(L"[S]\n=1\r\n", L"S"));
    EXPECT_FALSE(store.SectionExists(L"S"));
    EXPECT_TRUE(p.GetSection().empty());
}

TEST_F(ParamStoreFixture, RecordedDefaultDeletesTheStoredValue) {
    CParam<int> p;
    p.SetName(L"StartMinimize");
    p.SetDefault(2);
    p.Set(1);
    p.Save(store, L"Options");
    EXPECT_EQ(Stored(L"Options", L"StartMinimize"), L"1");
    p.Set(2);
    p.Save(store, L"Options");
    EXPECT_EQ(Stored(L"Options", L"StartMinimize"), L"<missing>");
    EXPECT_TRUE(store.SectionExists(L"Options"));
    p.Set(0);
    p.Load(store, L"Options");  // nothing stored: the value stays
    EXPECT_EQ(p.Get(), 0);

    CParam<tstr> t;  // text compares as text
    t.SetName(L"t");
    t.SetDefault(L"abc");
    t.Set(L"abc");
    store.WriteString(L"Options", L"t", L"old");
    t.Save(store, L"Options");
    EXPECT_EQ(Stored(L"Options", L"t"), L"<missing>");
}

TEST_F(ParamStoreFixture, SectionIsRememberedButLoadReadsTheGivenOne) {
    store.WriteString(L"", L"k", L"1");
    store.WriteString(L"Sec", L"k", L"2");
    CParam<int> p;
    p.SetName(L"k");
    p.Load(store, L"Sec");
    EXPECT_EQ(p.Get(), 2);
    p.Load(store, L"");  // reads at the root, remembers "Sec"
    EXPECT_EQ(p.Get(), 1);
    EXPECT_EQ(p.GetSection(), L"Sec");
    p.Set(9);
    p.Save(store, L"");
    EXPECT_EQ(Stored(L"Sec", L"k"), L"9");
    EXPECT_EQ(Stored(L"", L"k"), L"1");
}

TEST(Param, LoadFromText) {
    const wchar_t* ini =
        L"[Other]\r\nnum=1\r\n"
        L"[Blinks]\r\nnumber=7\r\nnum = 12\r\nfreq=\r\nsize=\t=5\r\nlast=3";
    struct Case {
        const wchar_t* name;
        const wchar_t* section;
        bool found;
        int value;
    };
    const Case cases[] = {
        {L"num", L"Blinks", true, 12},   // "number" is a different key
        {L"num", L"Other", true, 1},     // first section only
        {L"freq", L"Blinks", false, -1}, // empty value counts as absent
        {L"size", L"Blinks", true, 5},   // blanks, "=" and tabs are skipped
        {L"last", L"Blinks", true, 3},   // value at the end of the text
        {L"number", L"Other", false, -1}, // key of a later section
        {L"num", L"Missing", false, -1},
    };
    for (const Case& c : cases) {
        CParam<int> p;
        p.SetName(c.name);
        p.Set(-1);
        EXPECT_EQ(p.LoadFromText(ini, c.section), c.found) << testing::PrintToString(tstr(c.name));
        EXPECT_EQ(p.Get(), c.value) << testing::PrintToString(tstr(c.name));
    }
    CParam<tstr> t;
    t.SetName(L"name");
    EXPECT_TRUE(t.LoadFromText(L"[S]\nname=two words\nnext=x\n", L"S"));
    EXPECT_EQ(t.Get(), L"two words");
    EXPECT_FALSE(t.LoadFromText(nullptr, L"S"));
}

TEST(Param, SaveToTextAppendsOneLine) {
    CParam<unsigned int> u;
    CParam<tstr> t;
    u.SetName(L"colour");
    t.SetName(L"caption");
    u.Set(0xFFFFFFFFu);
    t.Set(L"Star");
    tstr text = L"head\n";
    EXPECT_TRUE(u.SaveToText(text, L"Items"));
    EXPECT_TRUE(t.SaveToText(text, L""));
    EXPECT_EQ(text, L"head\nItems\\colour=-1\n\\caption=Star\n");
}

TEST(Param, StepsThroughTheValueList) {
    Bound<int> b;
    b.param.AppendValues(10, 30, 20, -1, 40);  // stops at the terminator
    EXPECT_EQ(b.param.Values(), (std::vector<int>{10, 30, 20}));
    b.param.AppendValues({-1, 50});
    EXPECT_EQ(b.param.Values().size(), 3u);
    b.param.StepUp();
    EXPECT_EQ(b.param.Get(), 10);
    b.param.StepUp();
    EXPECT_EQ(b.param.Get(), 30);  // first larger entry in list order
    b.param.StepUp();
    EXPECT_EQ(b.param.Get(), 30);  // no wrap
    b.param.SetWrap(true);
    b.param.StepUp();
    EXPECT_EQ(b.param.Get(), 10);
    b.param.StepDown();
    EXPECT_EQ(b.param.Get(), 20);  // the last listed entry (scan from the back)
    b.param.StepDown();
    EXPECT_EQ(b.param.Get(), 10);
    b.param.ClearValues();
    b.param.StepDown();
    EXPECT_EQ(b.param.Get(), 10);

    CParam<unsigned int> u;  // unsigned order: 0xFFFFFFF0 is large
    u.AppendValues(5u, 0xFFFFFFF0u, 0xFFFFFFFFu);
    u.StepUp();
    u.StepUp();
    EXPECT_EQ(u.Get(), 0xFFFFFFF0u);

    CParam<bool> f;  // true is the terminator for bool lists
    f.AppendValues(false, true);
    EXPECT_EQ(f.Values().size(), 1u);
    CParam<tstr> t;
    t.AppendValues(L"a", L"c", L"-1", L"z");
    EXPECT_EQ(t.Values(), (std::vector<tstr>{L"a", L"c"}));
    t.StepUp();  // "0" < "a"
    EXPECT_EQ(t.Get(), L"a");
}
