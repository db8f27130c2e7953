// The eight-pixel group blends of every instruction set against the row blends they replace, for
// every alpha, a sweep of sources and destinations, gradient colours whose mix reaches and passes
// the cap, and padding lanes, which must leave their frame pixels as they are, also where they lie
// under the next run's first pixels (blended two groups at a time).
#include "view/FrameGroups.h"
#include "view/FramePixels.h"
#include "view/FrameTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kPixels = 256 + 5;

struct SRun {
    int at, count;
};

// The frame's pixels under the runs (straight-alpha BGRA, pixel i of the row at i) as planar
// groups of eight with their places; lanes past a run's end are padding.
struct SGroups {
    SGroups(const std::vector<std::uint8_t>& row, const std::vector<SRun>& runs) {
        for (const SRun& run : runs) {
            for (int g = 0; g < run.count; g += kGroupPixels) {
                const std::size_t first = values.size();
                values.resize(first + kGroupValues, 0);
                for (int lane = 0; lane < kGroupPixels && g + lane < run.count; ++lane)
                    for (int ch = 0; ch < 4; ++ch)
                        values[first + static_cast<std::size_t>(ch * kGroupPixels + lane)] =
                            row[static_cast<std::size_t>((run.at + g + lane) * 4 + ch)];
                at.push_back(static_cast<std::uint32_t>(run.at + g));
            }
        }
    }
    std::vector<std::uint16_t> values;
    std::vector<std::uint32_t> at;
};

}  // namespace

TEST(FrameGroups, EveryKernelEqualsTheRowBlendsForEveryAlphaAndPadLanesKeepTheFrame) {
    const SGradientColour colours[] = {{255, 255, 255}, {255, 0, 0}, {17, 200, 93}, {0, 0, 0}, {254, 255, 1}};
    // One long run (the last group partly padding), and short runs whose padding reaches into the next.
    std::vector<SRun> layouts[2] = {{{0, kPixels}}, {}};
    for (int at = 0, i = 0; at + 13 < kPixels; ++i) {
        const int count = (i * 5) % 14 + 1;
        layouts[1].push_back({at, count});
        at += count + 5 + i % 3;
    }
    struct SKernel {
        const char* name;
        FrameGroupKernels::Kernel blend;
    };
    std::vector<SKernel> kernels = {{"scalar", &FrameGroupKernels::Scalar}};
    if (FrameGroupKernels::Sse2()) kernels.push_back({"sse2", FrameGroupKernels::Sse2()});
    if (FrameGroupKernels::Avx2()) kernels.push_back({"avx2", FrameGroupKernels::Avx2()});

    std::vector<std::uint8_t> source(kPixels * 4), frame(kPixels * 4 + 64), expected, got;
    for (int a = 0; a < 256; ++a) {
        for (int d = 0; d < 256; d += 15) {
            for (int i = 0; i < kPixels; ++i) {
                const int s = i % 256;
                std::uint8_t* p = source.data() + i * 4;
                p[0] = static_cast<std::uint8_t>(s);
                p[1] = static_cast<std::uint8_t>(255 - s);
                p[2] = static_cast<std::uint8_t>(s * 7);
                p[3] = static_cast<std::uint8_t>(a);
                std::uint8_t* q = frame.data() + i * 4;
                q[0] = static_cast<std::uint8_t>(d);
                q[1] = static_cast<std::uint8_t>(d ^ s);
                q[2] = static_cast<std::uint8_t>(255 - d);
                q[3] = static_cast<std::uint8_t>(d + s);
            }
            for (std::size_t i = kPixels * 4; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i * 29);
            for (const std::vector<SRun>& runs : layouts) {
                const SGroups groups(source, runs);
                for (int c = -1; c < static_cast<int>(std::size(colours)); ++c) {  // -1: the toy blend
                    const SGarlandMix mix = c < 0 ? SGarlandMix{} : GarlandMix(colours[c].r, colours[c].g, colours[c].b);
                    expected = frame;
                    for (const SRun& run : runs) {
                        if (c < 0) {
                            BlendToyRow(source.data() + run.at * 4, expected.data() + run.at * 4, run.count);
                        } else {
                            BlendGarlandRow(source.data() + run.at * 4, expected.data() + run.at * 4, run.count, mix);
                        }
                    }
                    for (const SKernel& kernel : kernels) {
                        got = frame;
                        kernel.blend(groups.values.data(), groups.at.data(), groups.at.size(), got.data(), c < 0 ? nullptr : &mix);
                        ASSERT_EQ(got, expected) << kernel.name << ", " << runs.size() << " runs, colour " << c
                                                 << ", alpha " << a << " d " << d;
                    }
                }
            }
        }
    }
    // The dispatching calls take one of them.
    const SGroups groups(source, layouts[1]);
    const SGarlandMix mix = GarlandMix(17, 200, 93);
    expected = got = frame;
    kernels.front().blend(groups.values.data(), groups.at.data(), groups.at.size(), expected.data(), &mix);
    BlendGarlandGroups(groups.values.data(), groups.at.data(), groups.at.size(), got.data(), mix);
    EXPECT_EQ(got, expected);
    kernels.front().blend(groups.values.data(), groups.at.data(), groups.at.size(), expected.data(), nullptr);
    BlendToyGroups(groups.values.data(), groups.at.data(), groups.at.size(), got.data());
    EXPECT_EQ(got, expected);
}

TEST(FrameGroups, ScaleBytesEqualsTheByteRuleForEveryLengthAndFactor) {
    std::vector<std::uint8_t> src(300), dst(300), in(300);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<std::uint8_t>(i * 37 + (i % 5 == 0 ? 0 : 1));
    std::fill(src.begin() + 40, src.begin() + 80, 0);  // blocks of zeros, which ScaleBytes passes over
    for (const std::uint32_t f : {0u, 1u, 128u, 191u, 255u, 256u}) {
        for (std::size_t n = 0; n < 100; ++n) {
            std::fill(dst.begin(), dst.end(), 0xEE);
            ScaleBytes(src.data() + 3, dst.data() + 3, n, f);  // a copy, at an odd offset
            in = src;
            ScaleBytes(in.data() + 3, in.data() + 3, n, f);  // in place
            for (std::size_t i = 0; i < dst.size(); ++i) {
                const bool inside = i >= 3 && i < 3 + n;
                const std::uint8_t want = inside ? static_cast<std::uint8_t>((src[i] * f) >> 8) : 0xEE;
                ASSERT_EQ(dst[i], want) << "copy, f " << f << " n " << n << " byte " << i;
                ASSERT_EQ(in[i], inside ? want : src[i]) << "in place, f " << f << " n " << n << " byte " << i;
            }
        }
    }
}
