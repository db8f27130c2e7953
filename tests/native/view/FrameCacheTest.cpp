#include "ReferenceFrame.h"

#include "param/CParam.h"
#include "view/CBlinkLights.h"
#include "view/CFrameBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

using Rng = std::mt19937;

int Uniform(Rng& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// Pictures with every kind of alpha: transparent, opaque and partial pixels, some mostly empty
// (like a garland's string of beads).
std::shared_ptr<CBmp> RandomPicture(Rng& rng, int w, int h) {
    auto bmp = std::make_shared<CBmp>();
    EXPECT_TRUE(bmp->Create(w, h));
    const int empty = Uniform(rng, 0, 90);
    for (int i = 0; i < w * h; ++i) {
        std::uint8_t* p = bmp->Bits() + static_cast<std::size_t>(i) * 4;
        for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(Uniform(rng, 0, 255));
        const int roll = Uniform(rng, 0, 99);
        p[3] = roll < empty ? 0 : roll < empty + (100 - empty) / 3 ? 255 : static_cast<std::uint8_t>(Uniform(rng, 1, 254));
    }
    return bmp;
}

// A round mask with a few all-zero pixels inside, and a strip of sparse sparkles.
void LightSprites(Rng& rng, CBmp& mask, CBmp& strip) {
    ASSERT_TRUE(mask.Create(32, 32));
    ASSERT_TRUE(strip.Create(384, 32));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int v = std::max(0, 255 - static_cast<int>(std::hypot(x - 15.5, y - 15.5) * 17));
            std::uint8_t* p = mask.Bits() + (y * 32 + x) * 4;
            p[0] = static_cast<std::uint8_t>(v);
            p[3] = Uniform(rng, 0, 30) == 0 ? 0 : 255;
        }
    }
    for (int i = 0; i < 384 * 32; ++i) strip.Bits()[i * 4] = Uniform(rng, 0, 2) ? 0 : static_cast<std::uint8_t>(Uniform(rng, 0, 255));
}

std::shared_ptr<CBmp> Gradient(Rng& rng, int kind) {
    auto g = std::make_shared<CBmp>();
    if (kind == 0) return nullptr;  // none: the fixed red
    const int width = kind == 1 ? 256 : Uniform(rng, 1, 40);
    EXPECT_TRUE(g->Create(width, 1));
    for (int i = 0; i < width; ++i) {
        std::uint8_t* p = g->Bits() + i * 4;
        if (kind == 1) {  // a smooth walk
            p[0] = static_cast<std::uint8_t>(i);
            p[1] = static_cast<std::uint8_t>(255 - i);
            p[2] = static_cast<std::uint8_t>((i * 3) & 255);
        } else {  // abrupt blocks
            for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(Uniform(rng, 0, 1) * 255);
        }
        p[3] = 255;
    }
    return g;
}

struct SWorld {
    explicit SWorld(unsigned seed) : rng(seed) {
        width = Uniform(rng, 40, 140);
        height = Uniform(rng, 40, 140);
        for (int i = 0; i < 12; ++i) pool.push_back(RandomPicture(rng, Uniform(rng, 1, 50), Uniform(rng, 1, 50)));
        pool.push_back(std::make_shared<CBmp>());  // empty
        tree = RandomPicture(rng, Uniform(rng, 10, width + 20), Uniform(rng, 10, height + 20));
        scene.tree = {Uniform(rng, 0, 9) ? tree.get() : nullptr, Uniform(rng, -10, 10), Uniform(rng, -10, 10), 0,
                      Uniform(rng, 0, 1) == 0};
        const int count = Uniform(rng, 0, 40);
        for (int i = 0; i < count; ++i) scene.items.push_back(RandomItem());
        composed = RandomPicture(rng, width, height);
        LightSprites(rng, mask, strip);
        freq.Set(Uniform(rng, 0, 100));
    }
    SFramePicture RandomItem() {
        static const int kTypes[] = {1, 1, 2, 2, 2, 3, 0};
        const CBmp* picture = Uniform(rng, 0, 19) ? pool[static_cast<std::size_t>(Uniform(rng, 0, 12))].get() : nullptr;
        return {picture, Uniform(rng, -40, width + 5), Uniform(rng, -40, height + 5), kTypes[Uniform(rng, 0, 6)],
                Uniform(rng, 0, 6) != 0};
    }

    Rng rng;
    int width = 0, height = 0;
    std::vector<std::shared_ptr<CBmp>> pool;
    std::shared_ptr<CBmp> tree, composed;
    SFrameScene scene;
    CBmp mask, strip;
    CParam<int> num, freq;
};

// Two builders, each with its own lights from the same seed, fed the same ticks.
struct SPair {
    SPair(SWorld& w, unsigned seed) : world(w), randomA(seed), randomB(seed) {
        lightsA = std::make_unique<CBlinkLights>(w.mask, w.strip, *w.composed, w.num, w.freq, randomA);
        lightsB = std::make_unique<CBlinkLights>(w.mask, w.strip, *w.composed, w.num, w.freq, randomB);
        lightsA->Create();
        lightsB->Create();
    }
    // Answers the first differing byte, or -1. The cached builder's window buffer is kept from
    // tick to tick, as the view keeps its section; now and then the window switches to its other
    // buffer (an older frame at another address) or someone scribbles over the buffer and says so.
    long long Tick(const CBmp* gradient, int opaque) {
        const std::size_t bytes = static_cast<std::size_t>(world.width) * world.height * 4;
        if (windows[0].size() != bytes + 8)
            for (auto& window : windows) window.assign(bytes + 8, 0xC3);  // whatever the window held before
        ++ticks;
        if (ticks % 37 == 0) shown ^= 1;
        std::vector<std::uint8_t>& cached = windows[shown];
        if (ticks % 53 == 0) {
            for (std::size_t i = 0; i < bytes; i += 7) cached[i] ^= 0xA5;
            builder.FrameReplaced();
        }
        reference.assign(bytes, 0x3C);
        const bool a = builder.Tick(world.scene, gradient, opaque, lightsA.get(), {cached.data(), world.width, world.height});
        const bool b = plain.Tick(world.scene, gradient, opaque, lightsB.get(), {reference.data(), world.width, world.height});
        if (a != b) return 0;
        for (std::size_t i = 0; i < bytes; ++i)
            if (cached[i] != reference[i]) return static_cast<long long>(i);
        for (std::size_t i = bytes; i < bytes + 8; ++i)
            if (cached[i] != 0xC3) return static_cast<long long>(i);  // written past the frame
        return -1;
    }
    SWorld& world;
    CRandom randomA, randomB;
    std::unique_ptr<CBlinkLights> lightsA, lightsB;
    CFrameBuilder builder;
    CReferenceFrameBuilder plain;
    std::vector<std::uint8_t> windows[2], reference;
    int shown = 0, ticks = 0;
};

enum class EChange { kScene, kOpacity, kGradient, kSize, kContentInPause, kCount };

}  // namespace

TEST(FrameCache, ThousandFramesEqualTheFullBuildAcrossChanges) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SWorld world(seed);
        world.num.Set(seed % 3 == 0 ? 0 : seed % 3 == 1 ? 25 : 50);
        SPair pair(world, seed * 7);
        std::shared_ptr<CBmp> gradient = Gradient(world.rng, static_cast<int>(seed % 3));
        int opaque = Uniform(world.rng, 10, 100);
        const auto change = static_cast<EChange>(seed % static_cast<unsigned>(EChange::kCount));
        for (int frame = 0; frame < 1000; ++frame) {
            if (frame == 500) {
                switch (change) {
                case EChange::kScene: {
                    auto& items = world.scene.items;
                    items.push_back(world.RandomItem());
                    for (SFramePicture& item : items) {
                        item.x += Uniform(world.rng, -3, 3);
                        if (Uniform(world.rng, 0, 4) == 0) item.visible = !item.visible;
                    }
                    if (items.size() > 2) std::swap(items.front(), items.back());
                    break;
                }
                case EChange::kOpacity: opaque = opaque > 50 ? 10 : 100; break;
                case EChange::kGradient: gradient = Gradient(world.rng, static_cast<int>((seed + 1) % 3)); break;
                case EChange::kSize:
                    world.width = Uniform(world.rng, 20, 160);
                    world.height = Uniform(world.rng, 20, 160);
                    break;
                case EChange::kContentInPause: {
                    // New content in the same buffers, as a re-render of the same size may leave it.
                    pair.builder.SetPaused(true);
                    for (auto& picture : world.pool)
                        for (int i = 0; i < picture->ByteSize(); i += 3) picture->Bits()[i] ^= 0x5A;
                    for (int i = 0; i < world.tree->ByteSize(); i += 5) world.tree->Bits()[i] ^= 0x33;
                    pair.builder.SetPaused(false);
                    break;
                }
                case EChange::kCount: break;
                }
            }
            const long long at = pair.Tick(gradient.get(), opaque);
            ASSERT_EQ(at, -1) << "seed " << seed << " frame " << frame << " pixel " << at / 4 << " byte " << at % 4
                              << ", " << world.scene.items.size() << " items, " << world.width << "x" << world.height
                              << ", lights " << world.num.Get();
        }
    }
}

TEST(FrameCache, RebuiltByEveryChangeOfTheStaticLayersAndByNothingElse) {
    SWorld world(99);
    while (world.scene.items.size() < 4) world.scene.items.push_back(world.RandomItem());
    world.num.Set(25);
    SPair pair(world, 5);
    std::shared_ptr<CBmp> gradient = Gradient(world.rng, 1);
    std::shared_ptr<CBmp> other = Gradient(world.rng, 2);
    int opaque = 75;
    CFrameBuilder& builder = pair.builder;
    auto item = [&]() -> SFramePicture& { return world.scene.items[1]; };

    const struct {
        const char* what;
        std::function<void()> change;
        int builds;  // the rebuilds it must cause
    } steps[] = {
        {"ticks of the same scene", [] {}, 0},
        {"opacity", [&] { opaque = 30; }, 0},
        {"gradient", [&] { gradient = other; }, 0},
        {"number of lights", [&] { world.num.Set(50); }, 0},
        {"item moved", [&] { item().x += 1; }, 1},
        {"item hidden", [&] { item().visible = !item().visible; }, 1},
        {"item type", [&] { item().type = item().type == 1 ? 2 : 1; }, 1},
        {"item picture", [&] { item().picture = item().picture == world.pool[1].get() ? world.pool[2].get() : world.pool[1].get(); }, 1},
        {"picture re-rendered at another size", [&] { world.pool[1]->Create(world.pool[1]->Width() + 1, 7); world.pool[2]->Create(world.pool[2]->Width() + 1, 7); }, 1},
        {"item added", [&] { world.scene.items.push_back(world.RandomItem()); }, 1},
        {"items reordered", [&] { std::swap(world.scene.items[0], world.scene.items[2]); }, 1},
        {"tree moved", [&] { world.scene.tree.y -= 2; }, 1},
        {"frame size", [&] { world.width += 3; }, 1},
        {"pause and resume", [&] { builder.SetPaused(true); builder.SetPaused(false); }, 1},
        {"explicit invalidation", [&] { builder.InvalidateScene(); }, 1},
    };
    ASSERT_EQ(pair.Tick(gradient.get(), opaque), -1);
    ASSERT_EQ(builder.CacheBuilds(), 1);
    for (const auto& step : steps) {
        step.change();
        const int before = builder.CacheBuilds();
        for (int i = 0; i < 20; ++i) ASSERT_EQ(pair.Tick(gradient.get(), opaque), -1) << step.what;
        EXPECT_EQ(builder.CacheBuilds() - before, step.builds) << step.what;
    }
    // Paused ticks build nothing at all.
    builder.SetPaused(true);
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(world.width) * world.height * 4);
    EXPECT_FALSE(builder.Tick(world.scene, gradient.get(), opaque, nullptr, {frame.data(), world.width, world.height}));
    world.scene.items.clear();
    EXPECT_FALSE(builder.Tick(world.scene, gradient.get(), opaque, nullptr, {frame.data(), world.width, world.height}));
    EXPECT_EQ(builder.CacheBuilds(), 1 + 11);
}

namespace {

// Lights that change every other pixel of a band of rows, shifting each tick: far more runs than
// the builder keeps room for, on some ticks, and a few on others.
class CStripeLights : public IFrameLights {
public:
    void StepAndDraw(std::uint8_t* frame, int width, int height, SFrameCopy* copy) override {
        const bool many = m_tick % 3 != 2;
        const int rows = many ? height : 2;
        for (int y = 0; y < rows; ++y) {
            for (int x = (y + m_tick) % 2; x < width; x += 2) {
                const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
                std::uint8_t* p = frame + at * 4;
                p[m_tick % 3] = static_cast<std::uint8_t>(p[m_tick % 3] / 2 + 100);
                if (copy) {
                    copy->runs.Add(at, 1);
                    for (int i = 0; i < 4; ++i) copy->bits[at * 4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((p[i] * copy->factor) >> 8);
                }
            }
        }
        ++m_tick;
    }

private:
    int m_tick = 0;
};

}  // namespace

// More drawn runs than fit: the tick is still exact, and so are the ticks after it, when the work
// frame must be put back whole. The scaled static frame is made once per opacity.
TEST(FrameCache, LightsOverflowingTheirRunsAndOpacityChanges) {
    SWorld world(7);
    while (world.scene.items.size() < 6) world.scene.items.push_back(world.RandomItem());
    world.width = 120;
    world.height = 90;  // 5,400 one-pixel runs on most ticks
    std::shared_ptr<CBmp> gradient = Gradient(world.rng, 1);
    CStripeLights stripesA, stripesB;
    CFrameBuilder builder;
    CReferenceFrameBuilder plain;
    const std::size_t bytes = static_cast<std::size_t>(world.width) * world.height * 4;
    std::vector<std::uint8_t> cached(bytes), reference(bytes);
    const int opacities[] = {100, 100, 75, 75, 75, 30, 100, 30, 0, 55};
    int lastScaled = -1;
    for (int tick = 0; tick < 60; ++tick) {
        const int opaque = opacities[tick % 10];
        const int scaledBefore = builder.ScaledBuilds();
        ASSERT_TRUE(builder.Tick(world.scene, gradient.get(), opaque, &stripesA, {cached.data(), world.width, world.height}));
        ASSERT_TRUE(plain.Tick(world.scene, gradient.get(), opaque, &stripesB, {reference.data(), world.width, world.height}));
        ASSERT_EQ(cached, reference) << "tick " << tick << " opacity " << opaque;
        // An opacity below 100 % other than the last one scaled scales the static frame once.
        const bool rescaled = opaque < 100 && opaque != lastScaled;
        if (rescaled) lastScaled = opaque;
        EXPECT_EQ(builder.ScaledBuilds() - scaledBefore, rescaled ? 1 : 0) << "tick " << tick;
    }
    EXPECT_EQ(builder.CacheBuilds(), 1);
}
