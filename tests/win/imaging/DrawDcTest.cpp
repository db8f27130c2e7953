#include "ImagingTestData.h"
#include "scene/CDrawTarget.h"
#include "scene/win/CDcCanvas.h"
#include "scene/win/CDibSurface.h"
#include "scene/win/DcPixels.h"
#include "wnd/Handles.h"

#include <cstring>

namespace {

CBmp Solid(int w, int h, std::uint32_t pixel) {
    CBmp b;
    b.Create(w, h);
    for (int i = 0; i < w * h; ++i) std::memcpy(b.Bits() + i * 4, &pixel, 4);
    return b;
}

}  // namespace

TEST(DrawAlphaDc, BlendsOntoAMemoryContext) {
    const long live = CHandleTally::LiveTotal();
    {
        CDibSurface target;
        ASSERT_TRUE(target.CreateSection(4, 3));
        target.Fill(0xFFFFFFFF);
        // Alpha 128 over opaque white: colour (255 * 127 + s * 128) >> 8, alpha 190.
        const CBmp b = Solid(2, 2, 0x80102030);
        b.DrawAlpha(target.Dc(), 1, 1);
        ::GdiFlush();
        const std::uint32_t* px = reinterpret_cast<const std::uint32_t*>(target.Bits());
        EXPECT_EQ(px[0], 0xFFFFFFFFu);
        EXPECT_EQ(px[5], 0xBE868E96u);
        EXPECT_EQ(px[6], 0xBE868E96u);
        EXPECT_EQ(px[10], 0xBE868E96u);
        EXPECT_EQ(px[11], 0xFFFFFFFFu);
        EXPECT_EQ(px[7], 0xFFFFFFFFu);
        // Partly outside the context: the inside part is drawn, nothing else happens.
        const CBmp opaque = Solid(3, 3, 0xFF00FF00);
        opaque.DrawAlpha(target.Dc(), -2, -2);
        ::GdiFlush();
        EXPECT_EQ(px[0], 0xFF00FF00u);
        EXPECT_EQ(px[1], 0xFFFFFFFFu);
    }
    EXPECT_EQ(CHandleTally::LiveTotal(), live);
}

TEST(DrawAlphaDc, GroupsAndStretchedBorderThroughAContextTarget) {
    CDibSurface target;
    ASSERT_TRUE(target.CreateSection(3, 1));
    target.Fill(0xFF000000);
    CBmp b = Solid(1, 1, 0xFFFFFFFF);
    b.AddGroup();
    b.AddLayer(0)->SetOffset(2, 0);
    CDrawTarget t(target.Dc());
    EXPECT_EQ(t.Mode(), CDrawTarget::kDc);
    b.DrawGroup(0, t, 0, 0);
    ::GdiFlush();
    const std::uint32_t* px = reinterpret_cast<const std::uint32_t*>(target.Bits());
    EXPECT_EQ(px[2], 0xFFFFFFFFu);
    EXPECT_EQ(px[0], 0xFF000000u);
    b.DrawStretchedFaded(t, 0, 0, 3, 1, 255);
    ::GdiFlush();
    EXPECT_EQ(px[0], 0xFFFFFFFFu);
}

TEST(DibSurface, OpaqueRoundTripAndFree) {
    const long live = CHandleTally::LiveTotal();
    {
        CDibSurface dest;
        ASSERT_TRUE(dest.CreateSection(4, 4));
        CDibSurface plain;
        ASSERT_TRUE(plain.Create(2, 2));
        EXPECT_EQ(plain.Dc(), nullptr);
        plain.Fill(0x80123456);
        ASSERT_TRUE(plain.DrawOpaque(dest.Dc(), 1, 2));
        ::GdiFlush();
        const std::uint32_t* px = reinterpret_cast<const std::uint32_t*>(dest.Bits());
        EXPECT_EQ(px[2 * 4 + 1], 0x80123456u);  // no blending, alpha byte carried
        EXPECT_EQ(px[0], 0u);
        CDibSurface grab;
        ASSERT_TRUE(grab.Create(2, 1));
        ASSERT_TRUE(grab.GrabFrom(dest.Dc(), 0, 2));
        const std::uint32_t* g = reinterpret_cast<const std::uint32_t*>(grab.Bits());
        EXPECT_EQ(g[0], 0u);
        EXPECT_EQ(g[1], 0x80123456u);
        EXPECT_FALSE(grab.Create(100000, 100000));
        EXPECT_TRUE(grab.IsEmpty());
        dest.Free();
        EXPECT_EQ(dest.Dc(), nullptr);
    }
    EXPECT_EQ(CHandleTally::LiveTotal(), live);
}

TEST(DcCanvas, PaintsOffScreenAndCopiesToItsRectangle) {
    const long live = CHandleTally::LiveTotal();
    {
        CDibSurface dest;
        ASSERT_TRUE(dest.CreateSection(6, 4));
        CDcCanvas canvas;
        ASSERT_TRUE(canvas.Create(dest.Dc(), RECT{2, 1, 5, 3}));
        EXPECT_EQ(canvas.Width(), 3);
        EXPECT_EQ(canvas.Height(), 2);
        CUniqueBrush brush(::CreateSolidBrush(RGB(0x10, 0x20, 0x30)));
        canvas.Select(brush.get());
        EXPECT_EQ(::GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush.get());
        ASSERT_TRUE(::PatBlt(canvas.Dc(), 0, 0, 3, 2, PATCOPY));
        ASSERT_TRUE(canvas.CopyTo(dest.Dc()));
        ::GdiFlush();
        const std::uint32_t* px = reinterpret_cast<const std::uint32_t*>(dest.Bits());
        EXPECT_EQ(px[1 * 6 + 2] & 0xFFFFFF, 0x102030u);
        EXPECT_EQ(px[2 * 6 + 4] & 0xFFFFFF, 0x102030u);
        EXPECT_EQ(px[1 * 6 + 1], 0u);
        EXPECT_EQ(px[3 * 6 + 2], 0u);
        canvas.Release();
        EXPECT_EQ(canvas.Dc(), nullptr);
    }
    EXPECT_EQ(CHandleTally::LiveTotal(), live);
}

TEST(DcCanvas, WindowContext) {
    HWND wnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    {
        CDcCanvas canvas;
        ASSERT_TRUE(canvas.AttachWindow(wnd));
        EXPECT_NE(canvas.Dc(), nullptr);
        EXPECT_EQ(canvas.Width(), 40);
        EXPECT_EQ(CHandleTally::Live(EHandleKind::WindowDc), 1);
    }
    EXPECT_EQ(CHandleTally::Live(EHandleKind::WindowDc), 0);
    ::DestroyWindow(wnd);
}
