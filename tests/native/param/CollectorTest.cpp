#include "param/CCollector.h"

#include <gtest/gtest.h>

namespace {
// Counts live instances so ownership mistakes (leaks, double deletes) show.
struct Counted {
    static int live;
    int id;
    explicit Counted(int i) : id(i) { ++live; }
    ~Counted() { --live; }
};
int Counted::live = 0;

std::vector<int> Ids(const CCollector<Counted*>& c) {
    std::vector<int> ids;
    for (const Counted* p : c) ids.push_back(p->id);
    return ids;
}

struct CollectorFixture : testing::Test {
    void SetUp() override { Counted::live = 0; }
    void TearDown() override { EXPECT_EQ(Counted::live, 0); }
};
}  // namespace

TEST_F(CollectorFixture, OwnsAndRefusesDuplicates) {
    {
        CCollector<Counted*> c;
        auto* a = new Counted(1);
        EXPECT_TRUE(c.Add(a));
        EXPECT_FALSE(c.Add(a));
        EXPECT_FALSE(c.Add(nullptr));
        EXPECT_TRUE(c.Add(new Counted(2)));
        EXPECT_EQ(c.Count(), 2);
        EXPECT_EQ(c.IndexOf(a), 0);
        EXPECT_EQ(c.GetAt(2), nullptr);
        EXPECT_EQ(c.GetAt(-1), nullptr);
        EXPECT_EQ(Counted::live, 2);
    }
}

TEST_F(CollectorFixture, RemovalKeepsOrder) {
    CCollector<Counted*> c;
    for (int i = 0; i < 5; ++i) c.Add(new Counted(i));
    EXPECT_FALSE(c.RemoveAt(5));
    EXPECT_FALSE(c.RemoveAt(-1));
    EXPECT_TRUE(c.RemoveAt(1));
    EXPECT_EQ(Ids(c), (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(Counted::live, 4);
    auto next = c.EraseAt(c.begin() + 1);
    EXPECT_EQ((*next)->id, 3);
    EXPECT_EQ(Counted::live, 3);

    Counted* kept = c.GetAt(0);
    EXPECT_TRUE(c.Detach(kept));
    EXPECT_FALSE(c.Detach(kept));
    EXPECT_FALSE(c.Remove(kept));
    EXPECT_EQ(Counted::live, 3);
    delete kept;
    Counted* held = c.GetAt(0);
    c.DetachAt(c.begin());
    EXPECT_EQ(Ids(c), (std::vector<int>{4}));
    delete held;
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
}

TEST_F(CollectorFixture, DetachAllAndAppendAllShareWithoutCopying) {
    CCollector<Counted*> a;
    a.Add(new Counted(1));
    a.Add(new Counted(2));
    {
        CCollector<Counted*> b;
        b.Add(a.GetAt(1));
        EXPECT_TRUE(b.AppendAll(&a.Items()));
        EXPECT_EQ(Ids(b), (std::vector<int>{2, 1}));
        EXPECT_FALSE(b.AppendAll(nullptr));
        b.DetachAll();  // a keeps ownership
    }
    EXPECT_EQ(Counted::live, 2);
    EXPECT_TRUE(a.AppendAll(&a.Items()));  // its own vector: nothing to add, no double ownership
    EXPECT_EQ(Ids(a), (std::vector<int>{1, 2}));
}
