#include "param/CEdges.h"
#include "param/CMemoryBackend.h"
#include "param/CSettingsStore.h"
#include "RecordingBinding.h"

#include <gtest/gtest.h>

namespace {
using Events = std::vector<tstr>;

struct EdgesFixture : testing::Test {
    CEdges<CParam<int>, int> edges;
    CRecordingBinding* binding = new CRecordingBinding;  // owned by edges once attached
    EdgesFixture() {
        binding->SetParam(&edges);
        edges.AddBinding(binding);
    }
};
}  // namespace

TEST_F(EdgesFixture, StartsWithZeroToOne) {
    EXPECT_EQ(edges.Min(), 0);
    EXPECT_EQ(edges.Max(), 1);
}

TEST_F(EdgesFixture, ClampingSetNotifiesTwice) {
    edges.SetRange(10, 200);
    binding->events.clear();
    edges.Set(300);
    EXPECT_EQ(edges.Get(), 200);
    EXPECT_EQ(binding->events, (Events{L"show 300", L"show 200"}));
    binding->events.clear();
    edges.Set(50);
    EXPECT_EQ(binding->events, (Events{L"show 50"}));
    binding->events.clear();
    edges.Set(-7);
    EXPECT_EQ(edges.Get(), 10);
    EXPECT_EQ(binding->events, (Events{L"show -7", L"show 10"}));
    binding->events.clear();
    edges.Set(200);
    edges.Set(300);  // clamps back to the value it had: the bindings still see 300 first
    EXPECT_EQ(binding->events, (Events{L"show 200", L"show 300", L"show 200"}));
}

TEST_F(EdgesFixture, SetClampedNotifiesOnce) {
    edges.SetRange(10, 200);
    binding->events.clear();
    edges.SetClamped(300);
    EXPECT_EQ(edges.Get(), 200);
    EXPECT_EQ(binding->events, (Events{L"show 200"}));
}

TEST_F(EdgesFixture, SetRangeClampsThenTellsBindings) {
    edges.SetRange(0, 240);
    edges.Set(10);
    binding->events.clear();
    edges.SetRange(20, 100);
    EXPECT_EQ(edges.Get(), 20);
    EXPECT_EQ(binding->events, (Events{L"show 20", L"range 20 100"}));
    binding->events.clear();
    edges.RefreshRange();  // value already inside
    EXPECT_EQ(binding->events, (Events{L"range 20 100"}));
}

TEST_F(EdgesFixture, SetMinAndSetMaxKeepOrder) {
    edges.SetRange(0, 40);
    edges.SetMin(50);
    EXPECT_EQ(edges.Min(), 50);
    EXPECT_EQ(edges.Max(), 50);
    edges.SetRange(10, 100);
    edges.SetMax(5);
    EXPECT_EQ(edges.Min(), 5);
    EXPECT_EQ(edges.Max(), 5);
}

TEST_F(EdgesFixture, ClampAndClampValue) {
    edges.SetRange(-5, 5);
    int v = 9;
    EXPECT_FALSE(edges.Clamp(v));
    EXPECT_EQ(v, 5);
    v = -9;
    EXPECT_FALSE(edges.Clamp(v));
    EXPECT_EQ(v, -5);
    v = 3;
    EXPECT_TRUE(edges.Clamp(v));
    EXPECT_EQ(v, 3);
    edges.FromString(L"77");  // bypasses clamping
    binding->events.clear();
    EXPECT_FALSE(edges.ClampValue());
    EXPECT_EQ(edges.Get(), 5);
    EXPECT_EQ(binding->events, (Events{L"show 5"}));
    EXPECT_TRUE(edges.ClampValue());
}

TEST_F(EdgesFixture, ApplyRangeSendsBoundsTwiceAndClamps) {
    edges.SetRange(0, 240);
    edges.FromString(L"300");
    binding->events.clear();
    EXPECT_EQ(edges.ApplyRange(nullptr), 0);
    EXPECT_EQ(edges.Get(), 240);
    EXPECT_EQ(binding->events, (Events{L"show 240", L"range 0 240", L"range 0 240"}));
}

TEST(Edges, InvertedRangeStillEndsAtABound) {
    CEdges<> edges;
    edges.SetRange(100, 0);  // no order check: min 100, max 0
    edges.Set(50);
    EXPECT_EQ(edges.Get(), 100);  // the lower bound is checked first
}

TEST(Edges, LoadClampsAndRevertWorksThroughTheBinding) {
    CMemoryBackend backend;
    CSettingsStore store(true, L"F", L"A");
    store.SetBackend(&backend);
    store.WriteString(L"View", L"opaque", L"999");
    CEdges<> edges;
    edges.SetRange(0, 255);
    edges.Set(128);
    edges.SetName(L"opaque");
    edges.Snapshot();
    edges.Load(store, L"View");
    EXPECT_EQ(edges.Get(), 255);
    EXPECT_TRUE(edges.IsModified());
    edges.Revert();
    EXPECT_EQ(edges.Get(), 128);
    IParamReg& reg = edges;  // storage side reaches the clamping Set too
    store.WriteString(L"View", L"opaque", L"-3");
    reg.Load(store, L"View");
    EXPECT_EQ(edges.Get(), 0);
}
