#include "view/CFrameBuilder.h"
#include "view/FrameRuns.h"

#include "scene/CBmp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

using Px = std::array<int, 4>;  // blue, green, red, alpha

CBmp Solid(int w, int h, Px px) {
    CBmp bmp;
    EXPECT_TRUE(bmp.Create(w, h));
    for (int i = 0; i < w * h; ++i) {
        for (int c = 0; c < 4; ++c) bmp.Bits()[i * 4 + c] = static_cast<std::uint8_t>(px[c]);
    }
    return bmp;
}

// A frame with guard bytes on both sides, to catch writes outside it.
struct SFrame {
    static constexpr std::size_t kGuard = 64;
    static constexpr std::uint8_t kGuardByte = 0xA5;
    int w, h;
    std::vector<std::uint8_t> mem;
    SFrame(int width, int height)
        : w(width), h(height), mem(static_cast<std::size_t>(width) * height * 4 + 2 * kGuard, kGuardByte) {}
    SFrameView View() { return {mem.data() + kGuard, w, h}; }
    Px At(int x, int y) const {
        const std::uint8_t* p = mem.data() + kGuard + (static_cast<std::size_t>(y) * w + x) * 4;
        return {p[0], p[1], p[2], p[3]};
    }
    bool GuardsIntact() const {
        for (std::size_t i = 0; i < kGuard; ++i) {
            if (mem[i] != kGuardByte || mem[mem.size() - 1 - i] != kGuardByte) return false;
        }
        return true;
    }
};

class CCountingLights : public IFrameLights {
public:
    int calls = 0;
    Px seen{};
    void StepAndDraw(std::uint8_t* frame, int width, int height, SFrameCopy* copy) override {
        ++calls;
        ASSERT_GT(width, 0);
        ASSERT_GT(height, 0);
        seen = {frame[0], frame[1], frame[2], frame[3]};
        frame[0] = frame[1] = frame[2] = 255;  // a white light on pixel (0, 0)
        if (copy) {
            copy->runs.Add(0, 1);
            for (int i = 0; i < 4; ++i) copy->bits[i] = static_cast<std::uint8_t>((frame[i] * copy->factor) >> 8);
        }
    }
};

CBmp Gradient(int width) {
    CBmp bmp;
    EXPECT_TRUE(bmp.Create(width, 2));
    for (int i = 0; i < width; ++i) {
        std::uint8_t* p = bmp.Bits() + i * 4;
        p[0] = static_cast<std::uint8_t>(i);        // blue = column
        p[1] = static_cast<std::uint8_t>(i / 2);    // green
        p[2] = static_cast<std::uint8_t>(255 - i);  // red
        p[3] = 255;
    }
    return bmp;
}

}  // namespace

TEST(FrameBuilder, OpacityScalesEveryByte) {
    struct SCase {
        int opaque, in, out;
    };
    // f = opaque * 256 / 100; byte * f >> 8.
    const SCase cases[] = {
        {75, 255, 191}, {75, 1, 0}, {75, 100, 75}, {50, 200, 100}, {10, 255, 24}, {100, 255, 255}, {100, 7, 7},
        {150, 200, 200},
    };
    for (const SCase& c : cases) {
        SFrame f(3, 2);
        std::memset(f.View().bits, c.in, 3 * 2 * 4);
        CFrameBuilder::ApplyOpacity(c.opaque, f.View());
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(f.At(x, y), (Px{c.out, c.out, c.out, c.out})) << "opaque " << c.opaque << " in " << c.in;
            }
        }
        EXPECT_TRUE(f.GuardsIntact());
    }
}

TEST(FrameBuilder, OpacityIsExactForEveryByteAndOffset) {
    // 7 x 11 pixels = 308 bytes: wide blocks, word blocks and single bytes all take part.
    for (int opaque = 0; opaque <= 100; ++opaque) {
        SFrame f(7, 11);
        std::uint8_t* bits = f.View().bits;
        for (int i = 0; i < 7 * 11 * 4; ++i) bits[i] = static_cast<std::uint8_t>(i * 37 + opaque);
        CFrameBuilder::ApplyOpacity(opaque, f.View());
        const int factor = opaque * 256 / 100;
        for (int i = 0; i < 7 * 11 * 4; ++i) {
            const int in = static_cast<std::uint8_t>(i * 37 + opaque);
            const int expected = opaque >= 100 ? in : (in * factor) >> 8;
            ASSERT_EQ(bits[i], expected) << "opaque " << opaque << " byte " << i << " value " << in;
        }
        ASSERT_TRUE(f.GuardsIntact());
    }
}

TEST(FrameBuilder, TreeIsPremultipliedIntoTheFreshFrame) {
    // (200, 100, 50) at alpha 128: 200 * 128 / 255 = 100, 100 * 128 / 255 = 50, 50 * 128 / 255 = 25.
    const CBmp tree = Solid(2, 1, {200, 100, 50, 128});
    SFrame f(2, 1);
    CFrameBuilder builder;
    SFrameScene scene;
    scene.tree = {&tree, 0, 0};
    ASSERT_TRUE(builder.Tick(scene, nullptr, 100, nullptr, f.View()));
    EXPECT_EQ(f.At(0, 0), (Px{100, 50, 25, 128}));
    EXPECT_EQ(f.At(1, 0), (Px{100, 50, 25, 128}));
    scene.tree.visible = false;  // hidden on the construction page: not drawn
    ASSERT_TRUE(builder.Tick(scene, nullptr, 100, nullptr, f.View()));
    EXPECT_EQ(f.At(0, 0), (Px{0, 0, 0, 0}));
}

TEST(FrameBuilder, TreeIsExactForEveryColourAndAlpha) {
    // Picture column = colour, row = alpha. Shifted by 0..3 pixels into a 258-pixel frame, the
    // rows start at every offset of a four-pixel block and the last shift is cut to 255 columns.
    CBmp tree;
    ASSERT_TRUE(tree.Create(256, 256));
    for (int a = 0; a < 256; ++a) {
        for (int s = 0; s < 256; ++s) {
            std::uint8_t* p = tree.Bits() + (a * 256 + s) * 4;
            p[0] = static_cast<std::uint8_t>(s);
            p[1] = static_cast<std::uint8_t>(255 - s);
            p[2] = static_cast<std::uint8_t>(s ^ 0x5A);
            p[3] = static_cast<std::uint8_t>(a);
        }
    }
    for (int shift = 0; shift < 4; ++shift) {
        SFrame f(258, 256);
        SFrameScene scene;
        scene.tree = {&tree, shift, 0};
        CFrameBuilder builder;
        ASSERT_TRUE(builder.Tick(scene, nullptr, 100, nullptr, f.View()));
        for (int a = 0; a < 256; ++a) {
            for (int s = 0; s + shift < 258 && s < 256; ++s) {
                const Px expected{s * a / 255, (255 - s) * a / 255, (s ^ 0x5A) * a / 255, a};
                const Px got = f.At(s + shift, a);
                if (got != expected) FAIL() << "s " << s << " a " << a << " shift " << shift << ": blue " << got[0];
            }
        }
        if (shift < 2) {
            EXPECT_EQ(f.At(shift + 256, 5), (Px{0, 0, 0, 0}));
        }
        EXPECT_TRUE(f.GuardsIntact());
    }
}

TEST(FrameBuilder, ToyOverOpaqueTreeKeepsFullAlpha) {
    // Tree (10, 20, 30) opaque, toy (200, 100, 50) at alpha 128:
    //   alpha 255 - 255 * 128 / 255 + 128 = 255
    //   blue (10 * 127 + 200 * 128) / 255 = 26870 / 255 = 105
    //   green (20 * 127 + 100 * 128) / 255 = 15340 / 255 = 60
    //   red (30 * 127 + 50 * 128) / 255 = 10210 / 255 = 40
    const CBmp tree = Solid(1, 1, {10, 20, 30, 255});
    const CBmp toy = Solid(1, 1, {200, 100, 50, 128});
    SFrame f(1, 1);
    CFrameBuilder builder;
    SFrameScene scene;
    scene.tree = {&tree, 0, 0};
    scene.items.push_back({&toy, 0, 0, 1, true});
    ASSERT_TRUE(builder.Tick(scene, nullptr, 100, nullptr, f.View()));
    EXPECT_EQ(f.At(0, 0), (Px{105, 60, 40, 255}));

    // Over an empty pixel the toy's alpha is its own: 0 - 0 + 128.
    SFrameScene alone;
    alone.items.push_back({&toy, 0, 0, 1, true});
    ASSERT_TRUE(builder.Tick(alone, nullptr, 100, nullptr, f.View()));
    EXPECT_EQ(f.At(0, 0), (Px{100, 50, 25, 128}));
}

TEST(FrameBuilder, ToyBlendIsExactForEveryAlphaSourceAndDestination) {
    // Frame rows hold destination value d = row (colour and alpha), picture columns source s = col.
    SFrame f(256, 256);
    CBmp toy;
    ASSERT_TRUE(toy.Create(256, 256));
    for (int a = 0; a < 256; ++a) {
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                std::uint8_t* d = f.View().bits + (y * 256 + x) * 4;
                d[0] = d[1] = d[2] = d[3] = static_cast<std::uint8_t>(y);
                std::uint8_t* s = toy.Bits() + (y * 256 + x) * 4;
                s[0] = s[1] = s[2] = static_cast<std::uint8_t>(x);
                s[3] = static_cast<std::uint8_t>(a);
            }
        }
        CFrameBuilder::DrawToy(toy, 0, 0, f.View());
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const Px got = f.At(x, y);
                const int colour = (y * (255 - a) + x * a) / 255;
                const int alpha = y - (y * a) / 255 + a;
                if (got[0] != colour || got[3] != alpha) {
                    FAIL() << "a " << a << " s " << x << " d " << y << ": got " << got[0] << "/" << got[3]
                           << ", expected " << colour << "/" << alpha;
                }
            }
        }
    }
}

TEST(FrameBuilder, GarlandColourIsMixedWithTheGradientColour) {
    struct SCase {
        SGradientColour g;  // r, g, b
        Px garland;         // b, g, r, a
        Px expected;
    };
    const SCase cases[] = {
        // Red gradient turns red into green.
        {{255, 0, 0}, {0, 0, 255, 255}, {0, 255, 0, 255}},
        // Pure green leaves the colour as it is.
        {{0, 255, 0}, {30, 20, 10, 255}, {30, 20, 10, 255}},
        // Pure blue: R = sG, G = sB, B = sR.
        {{0, 0, 255}, {30, 20, 10, 255}, {10, 30, 20, 255}},
        // White on white: each sum 3 * 255 is capped at 255.
        {{255, 255, 255}, {255, 255, 255, 255}, {255, 255, 255, 255}},
        // Half alpha over the empty frame: mixed (0, 255, 0) * 128 / 255 = 128.
        {{255, 0, 0}, {0, 0, 255, 128}, {0, 128, 0, 128}},
        // Grey gradient 128 on (sR, sG, sB) = (100, 50, 200):
        //   each channel (128 * (100 + 50 + 200)) / 255 = 44800 / 255 = 175.
        {{128, 128, 128}, {200, 50, 100, 255}, {175, 175, 175, 255}},
    };
    for (const SCase& c : cases) {
        const CBmp garland = Solid(1, 1, c.garland);
        SFrame f(1, 1);
        std::memset(f.View().bits, 0, 4);
        CFrameBuilder::DrawGarland(garland, 0, 0, c.g, f.View());
        EXPECT_EQ(f.At(0, 0), c.expected) << "gradient " << int(c.g.r) << "," << int(c.g.g) << "," << int(c.g.b);
    }
}

TEST(FrameBuilder, GarlandMixMatchesThePlainRuleForManyColours) {
    const SGradientColour gradients[] = {{255, 0, 0},   {0, 255, 0},     {0, 0, 255},  {255, 255, 255},
                                         {17, 200, 93}, {128, 128, 128}, {254, 1, 255}, {0, 0, 0}};
    CBmp garland;
    ASSERT_TRUE(garland.Create(64, 64));
    for (int i = 0; i < 64 * 64; ++i) {
        std::uint8_t* p = garland.Bits() + i * 4;
        p[0] = static_cast<std::uint8_t>(i * 37);
        p[1] = static_cast<std::uint8_t>(i * 91);
        p[2] = static_cast<std::uint8_t>(i * 53 + 11);
        p[3] = static_cast<std::uint8_t>(i < 2048 ? 255 : i * 7);
    }
    for (const SGradientColour& g : gradients) {
        SFrame f(64, 64);
        std::memset(f.View().bits, 0, 64 * 64 * 4);
        CFrameBuilder::DrawGarland(garland, 0, 0, g, f.View());
        for (int i = 0; i < 64 * 64; ++i) {
            const std::uint8_t* p = garland.Bits() + i * 4;
            const int sB = p[0], sG = p[1], sR = p[2], a = p[3];
            const int mR = std::min(255, (g.g * sR + g.b * sG + g.r * sB) / 255);
            const int mG = std::min(255, (g.r * sR + g.g * sG + g.b * sB) / 255);
            const int mB = std::min(255, (g.b * sR + g.r * sG + g.g * sB) / 255);
            const Px expected = a == 0 ? Px{0, 0, 0, 0} : Px{mB * a / 255, mG * a / 255, mR * a / 255, a};
            const Px got = f.At(i % 64, i / 64);
            ASSERT_EQ(got, expected) << "pixel " << i << " gradient " << int(g.r) << "," << int(g.g) << "," << int(g.b);
        }
    }
}

TEST(FrameBuilder, GradientIndexWalksWrapsAndRecoversFromANarrowerGradient) {
    const CBmp wide = Gradient(256);
    CFrameBuilder builder;
    builder.SetGradientIndex(254);
    SGradientColour c = builder.NextGradientColour(&wide);
    EXPECT_EQ(c.b, 254);
    EXPECT_EQ(builder.GradientIndex(), 255);
    c = builder.NextGradientColour(&wide);
    EXPECT_EQ(c.b, 255);
    EXPECT_EQ(c.g, 127);
    EXPECT_EQ(c.r, 0);
    EXPECT_EQ(builder.GradientIndex(), 0) << "the index wraps at the gradient's width";

    // An index beyond a narrower gradient reads column 0.
    const CBmp narrow = Gradient(100);
    builder.SetGradientIndex(200);
    c = builder.NextGradientColour(&narrow);
    EXPECT_EQ(c.b, 0);
    EXPECT_EQ(c.r, 255);
    EXPECT_EQ(builder.GradientIndex(), 1);

    // No gradient: red, index unchanged.
    const CBmp empty;
    for (const CBmp* g : {static_cast<const CBmp*>(nullptr), &empty}) {
        builder.SetGradientIndex(7);
        c = builder.NextGradientColour(g);
        EXPECT_EQ(c.r, 255);
        EXPECT_EQ(c.g, 0);
        EXPECT_EQ(c.b, 0);
        EXPECT_EQ(builder.GradientIndex(), 7);
    }
}

TEST(FrameBuilder, PausedAndEmptyTicksBuildNothing) {
    const CBmp tree = Solid(2, 2, {1, 2, 3, 255});
    const CBmp wide = Gradient(256);
    SFrameScene scene;
    scene.tree = {&tree, 0, 0};
    CCountingLights lights;
    CFrameBuilder builder;
    builder.SetGradientIndex(5);

    builder.SetPaused(true);
    SFrame f(2, 2);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(builder.Tick(scene, &wide, 75, &lights, f.View()));
    EXPECT_EQ(f.At(0, 0), (Px{0xA5, 0xA5, 0xA5, 0xA5})) << "a paused tick touched the frame";
    EXPECT_EQ(builder.GradientIndex(), 5);
    EXPECT_EQ(lights.calls, 0);

    builder.SetPaused(false);
    SFrame none(0, 0);
    EXPECT_FALSE(builder.Tick(scene, &wide, 75, &lights, none.View()));
    EXPECT_FALSE(builder.Tick(scene, &wide, 75, &lights, SFrameView{nullptr, 2, 2}));
    EXPECT_TRUE(none.GuardsIntact());
    EXPECT_EQ(builder.GradientIndex(), 5);
    EXPECT_EQ(lights.calls, 0);

    EXPECT_TRUE(builder.Tick(scene, &wide, 100, &lights, f.View()));
    EXPECT_EQ(builder.GradientIndex(), 6);
    EXPECT_EQ(lights.calls, 1);
}

TEST(FrameBuilder, TickOrderTreeItemsLightsThenOpacity) {
    const CBmp tree = Solid(2, 1, {40, 40, 40, 255});
    const CBmp toy = Solid(1, 1, {0, 0, 200, 255});
    const CBmp hiddenToy = Solid(1, 1, {9, 9, 9, 255});
    const CBmp other = Solid(1, 1, {7, 7, 7, 255});
    SFrameScene scene;
    scene.tree = {&tree, 0, 0};
    scene.items.push_back({&toy, 0, 0, 1, true});
    scene.items.push_back({&hiddenToy, 1, 0, 1, false});
    scene.items.push_back({&other, 1, 0, 3, true});  // unknown type: not drawn
    CCountingLights lights;
    CFrameBuilder builder;
    SFrame f(2, 1);
    ASSERT_TRUE(builder.Tick(scene, nullptr, 75, &lights, f.View()));
    // The lights saw the toy over the tree, before opacity.
    EXPECT_EQ(lights.seen, (Px{0, 0, 200, 255}));
    // Light pixel (255, 255, 255, 255) and tree pixel (40, 40, 40, 255), both scaled by 192 >> 8.
    EXPECT_EQ(f.At(0, 0), (Px{191, 191, 191, 191}));
    EXPECT_EQ(f.At(1, 0), (Px{30, 30, 30, 191}));

    // A second tick starts from a fresh frame: nothing of the first remains.
    scene.items.clear();
    ASSERT_TRUE(builder.Tick(scene, nullptr, 100, nullptr, f.View()));
    EXPECT_EQ(f.At(0, 0), (Px{40, 40, 40, 255}));
}

TEST(FrameBuilder, PicturesAreClippedToTheFrame) {
    CBmp tree;
    ASSERT_TRUE(tree.Create(4, 4));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            std::uint8_t* p = tree.Bits() + (y * 4 + x) * 4;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = 100;
            p[3] = 255;
        }
    }
    const CBmp toy = Solid(5, 5, {0, 0, 0, 255});
    struct SCase {
        int x, y;
    };
    const SCase places[] = {{-2, -1}, {1, 2}, {-10, 0}, {0, 50}, {2, -3}, {-2147483647, 2147483647}};
    for (const SCase& at : places) {
        SFrame f(3, 3);
        SFrameScene scene;
        scene.tree = {&tree, at.x, at.y};
        scene.items.push_back({&toy, at.y, at.x, 1, true});
        scene.items.push_back({&toy, at.x, at.y, 2, true});
        CFrameBuilder builder;
        ASSERT_TRUE(builder.Tick(scene, nullptr, 100, nullptr, f.View()));
        EXPECT_TRUE(f.GuardsIntact()) << "write outside the frame at " << at.x << "," << at.y;
    }
    // A tree at (-2, -1) shows its pixel (2, 1) at frame (0, 0) and (3, 3) at (1, 2).
    SFrame f(3, 3);
    SFrameScene scene;
    scene.tree = {&tree, -2, -1};
    CFrameBuilder builder;
    ASSERT_TRUE(builder.Tick(scene, nullptr, 100, nullptr, f.View()));
    EXPECT_EQ(f.At(0, 0), (Px{2, 1, 100, 255}));
    EXPECT_EQ(f.At(1, 2), (Px{3, 3, 100, 255}));
    EXPECT_EQ(f.At(2, 0), (Px{0, 0, 0, 0}));
}
