#include "wnd/Handles.h"

#include <gtest/gtest.h>

namespace {

int g_closed = 0;
struct FakeTraits {
    using Handle = int*;
    static constexpr EHandleKind kKind = EHandleKind::Kernel;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle) noexcept { ++g_closed; }
};
using CFake = CUniqueHandle<FakeTraits>;

}  // namespace

TEST(Handles, OwnerClosesExactlyOnceAcrossMovesAndResets) {
    int a = 0, b = 0;
    g_closed = 0;
    const long live = CHandleTally::Live(EHandleKind::Kernel);
    {
        CFake first(&a);
        EXPECT_EQ(CHandleTally::Live(EHandleKind::Kernel), live + 1);
        CFake second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.get(), &a);
        second.reset(&b);  // closes a
        EXPECT_EQ(g_closed, 1);
        CFake third;
        third = std::move(second);
        EXPECT_EQ(CHandleTally::Live(EHandleKind::Kernel), live + 1);
        int* raw = third.release();
        EXPECT_EQ(raw, &b);
        EXPECT_EQ(CHandleTally::Live(EHandleKind::Kernel), live);
        third.reset(raw);
    }
    EXPECT_EQ(g_closed, 2);
    EXPECT_EQ(CHandleTally::Live(EHandleKind::Kernel), live);
}

TEST(Handles, SelectGuardRestoresThePreviousObject) {
    CUniqueDc dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    CUniqueBitmap bmp(::CreateCompatibleBitmap(dc.get(), 8, 8));
    ASSERT_TRUE(bmp);
    const HGDIOBJ before = ::GetCurrentObject(dc.get(), OBJ_BITMAP);
    {
        CSelectObject sel(dc.get(), bmp.get());
        EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), bmp.get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), before);
}

TEST(Handles, GdiOwnersBalanceTheTally) {
    const long gdi = CHandleTally::Live(EHandleKind::Gdi);
    const long dcs = CHandleTally::Live(EHandleKind::Dc);
    for (int i = 0; i < 1000; ++i) {
        CUniqueDc dc(::CreateCompatibleDC(nullptr));
        CUniqueBitmap bmp(::CreateCompatibleBitmap(dc.get(), 4, 4));
        CWindowDc screen(nullptr);
        ASSERT_TRUE(dc && bmp && screen);
    }
    EXPECT_EQ(CHandleTally::Live(EHandleKind::Gdi), gdi);
    EXPECT_EQ(CHandleTally::Live(EHandleKind::Dc), dcs);
    EXPECT_EQ(CHandleTally::Live(EHandleKind::WindowDc), 0);
}
