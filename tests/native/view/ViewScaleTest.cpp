#include "view/ComposeScene.h"
#include "view/ViewScale.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

TEST(ViewScale, EdgesRoundToNearestWithHalvesAwayFromZero) {
    struct Case {
        long long v;
        int dpi;
        int edge;
    } cases[] = {
        {0, 144, 0},         {1, 144, 2},          {-1, 144, -2},       {10, 120, 13},      {-10, 120, -13},
        {193, 144, 290},     {193, 120, 241},      {250, 192, 500},     {7, 96, 7},         {-7, 96, -7},
        {1080, 144, 1620},   {3, 72, 2},           {INT_MAX, 480, INT_MAX}, {INT_MIN, 480, INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(SViewScale::ForDpi(c.dpi).Edge(c.v), c.edge) << c.v << " at " << c.dpi;
}

TEST(ViewScale, DpiIsBroughtIntoASaneRange) {
    EXPECT_EQ(SViewScale::ForDpi(0).dpi, SViewScale::kMinDpi);
    EXPECT_EQ(SViewScale::ForDpi(-96).dpi, SViewScale::kMinDpi);
    EXPECT_EQ(SViewScale::ForDpi(100000).dpi, SViewScale::kMaxDpi);
    EXPECT_EQ(SViewScale::ForDpi(144).dpi, 144);
    EXPECT_TRUE(SViewScale{}.IsIdentity());
    EXPECT_EQ(SViewScale::ForDpi(0).Edge(100), 50);
}

TEST(ViewScale, SpansAreTheScaledLengthWithinAPixelAndAddUp) {
    // Whatever the place, a scene length takes its length x scale view pixels within one pixel,
    // neighbouring spans meet exactly, and the 100 % length comes back from the view length.
    for (int dpi : {96, 120, 144, 168, 192, 240}) {
        const SViewScale s = SViewScale::ForDpi(dpi);
        for (int a = -37; a < 300; a += 7) {
            for (int len = 0; len < 260; len += 13) {
                const int span = s.Span(a, a + len);
                EXPECT_LE(std::abs(static_cast<long long>(span) * 96 - static_cast<long long>(len) * dpi), 96)
                    << a << "+" << len << " at " << dpi;
                EXPECT_EQ(s.Span(a, a + len) + s.Span(a + len, a + 2 * len), s.Span(a, a + 2 * len));
                EXPECT_EQ(s.Unscale(s.Edge(a)), a) << a << " at " << dpi;
            }
        }
    }
}

TEST(ViewScale, BoxesAndPlacesScaleBetweenTheirEdges) {
    struct Case {
        SSceneBox scene;
        int dpi;
        SSceneBox view;
    } cases[] = {
        {{100, 293, 50, 300}, 96, {100, 293, 50, 300}},
        {{100, 293, 50, 300}, 144, {150, 440, 75, 450}},
        {{80, 293, 50, 300}, 120, {100, 366, 63, 375}},
        {{-10, 5, -3, 0}, 192, {-20, 10, -6, 0}},
        {{0, 0, 0, 0}, 144, {0, 0, 0, 0}},
        {{0, kMaxComposeSide, 0, 10}, 192, {0, kMaxComposeSide, 0, 20}},  // cut again after scaling
    };
    for (const Case& c : cases) {
        const SSceneBox v = ScaleBox(c.scene, SViewScale::ForDpi(c.dpi));
        EXPECT_EQ(v.minX, c.view.minX) << c.dpi;
        EXPECT_EQ(v.maxX, c.view.maxX) << c.dpi;
        EXPECT_EQ(v.minY, c.view.minY) << c.dpi;
        EXPECT_EQ(v.maxY, c.view.maxY) << c.dpi;
    }

    // A toy 10 x 10 at (80, 60) in the view box of the scene (80, 50)-(293, 300) at 144 DPI.
    const SViewScale s = SViewScale::ForDpi(144);
    const SSceneBox view = ScaleBox({80, 293, 50, 300}, s);
    SViewPicture place;
    PlaceInView(80, 60, 10, 10, view, s, place);
    EXPECT_EQ(place.x, 0);
    EXPECT_EQ(place.y, 15);
    EXPECT_EQ(place.width, 15);
    EXPECT_EQ(place.height, 15);
    PlaceInView(81, 61, 10, 0, view, s, place);  // an odd corner: 121.5 -> 122, 91.5 -> 92
    EXPECT_EQ(place.x, 2);
    EXPECT_EQ(place.y, 17);
    EXPECT_EQ(place.width, 15);  // 137 - 122
    EXPECT_EQ(place.height, 0);  // an empty picture stays empty
}
