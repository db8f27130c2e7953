// A profile save cut short at any write, by a failing write or a killed process, must leave a
// store from which the next start reads exactly the old scene or exactly the new one.
#include "../param/FaultyBackend.h"
#include "ItemFakes.h"

#include "param/CParam.h"
#include "param/CParamRegSet.h"
#include "param/CProfileWriter.h"
#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "scene/DefaultScene.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// The cut campaigns try every cut point in the plain build; under the sanitizers, which look for
// memory faults rather than for a missed cut point and run many times slower, every seventh point,
// the last ones and the points the nested campaigns start from, and the nested campaigns four
// times sparser in both of their loops.
#ifdef PINARBO_SANITIZED
constexpr int kCutStride = 7;
constexpr int kNestedSparseness = 4;
#else
constexpr int kCutStride = 1;
constexpr int kNestedSparseness = 1;
#endif

bool Nested(int k, int every) { return k % (every * kNestedSparseness) == 0; }
bool TryCut(int k, int total, int nestedEvery) {
    return k % kCutStride == 0 || k + 2 >= total || Nested(k, nestedEvery);
}

// What the program keeps of a profile: the tree, the items and an option set, as the application
// saves and loads them.
struct SScene {
    CItem tree;
    CColReg<CItem*> items;
    CParam<int> num;
    CParam<int> freq;
    CParamRegSet options;

    SScene() {
        items.SetNames(L"*prof*Items", L"%03d");
        num.Set(25);
        num.SetDefault(25);
        freq.Set(50);
        freq.SetDefault(50);
        options.Add(&num, L"num");
        options.Add(&freq, L"freq");
        options.SetSection(L"*prof*Options\\Blinks");
    }
    void Save(CSettingsStore& store) {
        items.SaveAll(&store, true);
        tree.Save(store, L"*prof*Items\\Tree");
        options.SetStore(&store);
        options.SaveAll();
    }
    void Load(CSettingsStore& store) {
        items.ReleaseAll();
        items.Create(store, 0);
        items.LoadAll(&store, true);
        tree.Load(store, L"*prof*Items\\Tree");
        options.SetStore(&store);
        options.LoadAll();
    }
    // Every stored field of every item, in order.
    std::wstring Text() const {
        std::wstring t = Describe(tree) + L"|" + std::to_wstring(num.Get()) + L"," + std::to_wstring(freq.Get());
        for (const CItem* item : items.Items()) t += L"\n" + Describe(*item);
        return t;
    }
    static std::wstring Describe(const CItem& i) {
        std::wstring t;
        for (int v : {static_cast<int>(i.resid.Get()), i.visible.Get(), i.x, i.y, i.bIgnClr.Get(),
                      static_cast<int>(i.crIgnClr.Get()), i.type.Get(), i.source.Get(), i.hue.Get(), i.brig.Get(),
                      i.contr.Get(), i.opaque.Get(), i.size.Get()})
            t += std::to_wstring(v) + L",";
        return t + i.Caption.Get() + L"," + i.path;
    }
};

// The default scene, or n items with random settings (seeded).
void Fill(SScene& s, int n, unsigned seed) {
    ResetTreeItem(s.tree);
    if (n < 0) {
        AddDefaultScene(s.items);
        return;
    }
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    s.tree.x = pick(-50, 500);
    s.num.Set(pick(0, 50));
    s.freq.Set(pick(0, 100));
    for (int i = 0; i < n; ++i) {
        CItem* item = new CItem();
        item->Setup(L"Item " + std::to_wstring(i), pick(1, 2), static_cast<unsigned>(pick(123, 160)), pick(-100, 100),
                    pick(-100, 100), pick(0, 240), pick(20, 100), pick(10, 200), pick(-300, 900), pick(-300, 900));
        item->visible.Set(pick(0, 1));
        if (pick(0, 3) == 0) item->path = L"C:\\pictures\\toy" + std::to_wstring(i) + L".png";
        s.items.Add(item);
    }
}

struct SProfileStore {
    SProfileStore() {
        store.SetRoot(L"Software\\Test");
        store.SetBackend(&memory);
    }
    CProfileWriter Writer() { return CProfileWriter(store, L"*prof*", L"Profiles\\Default", L"Pending\\Default"); }
    bool Save(SScene& s) {
        return Writer().Save([&] { s.Save(store); });
    }
    std::wstring LoadText() {
        Writer().PointAtLoadRoot();
        SScene loaded;
        loaded.Load(store);
        return loaded.Text();
    }
    CMemoryBackend memory;
    CSettingsStore store;
};

class SafeSave : public ::testing::Test {
protected:
    CFakePictureSource pictures;
    CPictureSourceScope scope{&pictures};
};

TEST_F(SafeSave, ACompleteSaveLeavesOnlyTheProfile) {
    SProfileStore p;
    SScene a;
    Fill(a, 60, 1);
    ASSERT_TRUE(p.Save(a));
    EXPECT_EQ(p.LoadText(), a.Text());
    EXPECT_FALSE(p.memory.KeyExists(L"Software\\Test\\Pending"));
    EXPECT_TRUE(p.memory.KeyExists(L"Software\\Test\\Profiles\\Default\\Items\\059"));

    // A shorter scene leaves no stale sections; a second save of the same scene changes nothing.
    SScene b;
    Fill(b, 3, 2);
    ASSERT_TRUE(p.Save(b));
    EXPECT_EQ(p.LoadText(), b.Text());
    EXPECT_FALSE(p.memory.KeyExists(L"Software\\Test\\Profiles\\Default\\Items\\003"));
    EXPECT_FALSE(p.memory.KeyExists(L"Software\\Test\\Pending\\Default"));
}

// Every cut point of a save from scene A to scene B, in both fault modes and both directions
// (default scene to 60 items and back); after a cut, a second save to scene C, cut at sampled
// points too, starts from whatever the first one left (including a complete pending copy).
TEST_F(SafeSave, EveryCutLeavesTheOldOrTheNewScene) {
    const int sizes[][2] = {{-1, 60}, {60, -1}};
    for (const auto& size : sizes) {
        SScene a, b, c;
        Fill(a, size[0], 11);
        Fill(b, size[1], 12);
        Fill(c, 7, 13);
        const std::wstring oldText = a.Text(), newText = b.Text(), thirdText = c.Text();

        int total = 0;
        {
            SProfileStore p;
            ASSERT_TRUE(p.Save(a));
            CFaultyBackend counting(p.memory);
            p.store.SetBackend(&counting);
            ASSERT_TRUE(p.Save(b));
            total = counting.Writes();
        }
        ASSERT_GT(total, 100);

        for (CFaultyBackend::EMode mode : {CFaultyBackend::kFail, CFaultyBackend::kKill}) {
            for (int k = 0; k <= total; ++k) {
                if (!TryCut(k, total, 61)) continue;
                SCOPED_TRACE(::testing::Message() << "items " << size[0] << " -> " << size[1] << ", mode " << mode
                                                  << ", cut after write " << k << " of " << total);
                SProfileStore p;
                ASSERT_TRUE(p.Save(a));
                CFaultyBackend faulty(p.memory, k, mode);
                p.store.SetBackend(&faulty);
                const bool saved = p.Save(b);
                p.store.SetBackend(&p.memory);
                const std::wstring after = p.LoadText();
                ASSERT_TRUE(after == oldText || after == newText);
                // A save that answers success has stored the new scene (a refused deletion of
                // something already gone is no failure); a complete one always succeeds. (A killed
                // save is told nothing, so its answer means nothing.)
                if (saved && mode == CFaultyBackend::kFail) {
                    EXPECT_TRUE(after == newText) << "reported saved, but the old scene is stored";
                }
                if (k >= total) {
                    EXPECT_TRUE(saved);
                }

                if (!Nested(k, 61)) continue;
                for (int j = 0; j < total; j += 89 * kNestedSparseness) {
                    SProfileStore q;
                    ASSERT_TRUE(q.Save(a));
                    CFaultyBackend first(q.memory, k, mode);
                    q.store.SetBackend(&first);
                    q.Save(b);
                    q.store.SetBackend(&q.memory);
                    const std::wstring between = q.LoadText();
                    CFaultyBackend second(q.memory, j, mode);
                    q.store.SetBackend(&second);
                    q.Save(c);
                    q.store.SetBackend(&q.memory);
                    const std::wstring last = q.LoadText();
                    ASSERT_TRUE(last == between || last == thirdText) << "second cut after write " << j;
                }
            }
        }
    }
}

}  // namespace

// What the run after a cut reads, and what its own clean end stores again: at every cut of a
// save (trees removed key by key, as the registry removes them), the next start reads the old or
// the new scene whole, its complete save stores exactly what it read with no pending copy left,
// and when that save is cut too (sampled), the run after it still reads that same scene. For a
// save of the same 60 items with one change, and for one that shrinks them to the default scene.
TEST_F(SafeSave, TheRunAfterACutKeepsTheWholeScene) {
    for (int newSize : {60, -1}) {
        SScene a, b;
        Fill(a, 60, 21);
        Fill(b, newSize, 21);
        if (newSize > 0) b.items.Items().back()->x += 1;
        const std::wstring oldText = a.Text(), newText = b.Text();
        ASSERT_NE(oldText, newText);

        int total = 0;
        {
            SProfileStore p;
            ASSERT_TRUE(p.Save(a));
            CFaultyBackend counting(p.memory, -1, CFaultyBackend::kKill, true);
            p.store.SetBackend(&counting);
            ASSERT_TRUE(p.Save(b));
            total = counting.Writes();
        }
        for (int k = 0; k <= total; ++k) {
            if (!TryCut(k, total, 53)) continue;
            SCOPED_TRACE(::testing::Message() << "60 items -> " << newSize << ", cut after write " << k << " of " << total);
            SProfileStore p;
            ASSERT_TRUE(p.Save(a));
            CFaultyBackend cut(p.memory, k, CFaultyBackend::kKill, true);
            p.store.SetBackend(&cut);
            p.Save(b);
            p.store.SetBackend(&p.memory);

            // The next run: loads at its start, saves what it has at its end.
            SScene run;
            p.Writer().PointAtLoadRoot();
            run.Load(p.store);
            const std::wstring loaded = run.Text();
            ASSERT_TRUE(loaded == oldText || loaded == newText) << "the start read " << run.items.Count() << " items";
            if (Nested(k, 53)) {
                // Its save cut as well: the run after it reads the same scene.
                for (int j = 0; j < total; j += 67 * kNestedSparseness) {
                    SProfileStore q;
                    ASSERT_TRUE(q.Save(a));
                    CFaultyBackend first(q.memory, k, CFaultyBackend::kKill, true);
                    q.store.SetBackend(&first);
                    q.Save(b);
                    CFaultyBackend second(q.memory, j, CFaultyBackend::kKill, true);
                    q.store.SetBackend(&second);
                    SScene again;
                    q.Writer().PointAtLoadRoot();
                    again.Load(q.store);
                    q.Save(again);
                    q.store.SetBackend(&q.memory);
                    ASSERT_EQ(q.LoadText(), loaded) << "its save cut after write " << j;
                }
            }
            ASSERT_TRUE(p.Save(run));
            ASSERT_EQ(p.LoadText(), loaded) << "the clean end did not store what the run had";
            ASSERT_FALSE(p.memory.KeyExists(L"Software\\Test\\Pending"));
        }
    }
}
