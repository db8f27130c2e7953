// The eight-pixel group blends against the row blends they replace, for every alpha, a sweep of
// sources and destinations, gradient colours whose mix reaches and passes the cap, and padding
// lanes, which must leave their frame pixels as they are.
#include "view/FramePixels.h"
#include "view/FrameTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Row pixels (straight-alpha BGRA) as planar groups of eight; lanes past n are padding.
std::vector<std::uint16_t> Groups(const std::vector<std::uint8_t>& row, int n) {
    const int groups = (n + kGroupPixels - 1) / kGroupPixels;
    std::vector<std::uint16_t> out(static_cast<std::size_t>(groups) * kGroupValues, 0);
    for (int i = 0; i < n; ++i)
        for (int ch = 0; ch < 4; ++ch)
            out[static_cast<std::size_t>(i / kGroupPixels * kGroupValues + ch * kGroupPixels + i % kGroupPixels)] =
                row[static_cast<std::size_t>(i * 4 + ch)];
    return out;
}

}  // namespace

TEST(FrameGroups, EqualTheRowBlendsForEveryAlphaAndPadLanesKeepTheFrame) {
    const SGradientColour colours[] = {{255, 255, 255}, {255, 0, 0}, {17, 200, 93}, {0, 0, 0}, {254, 255, 1}};
    constexpr int kPixels = 256 + 5;  // the last group is partly padding
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
            const std::vector<std::uint16_t> groups = Groups(source, kPixels);
            const std::size_t count = groups.size() / kGroupValues;

            expected = frame;
            BlendToyRow(source.data(), expected.data(), kPixels);
            got = frame;
            BlendToyGroups(groups.data(), count, got.data());
            ASSERT_EQ(got, expected) << "toy, alpha " << a << " d " << d;

            for (const SGradientColour& g : colours) {
                const SGarlandMix mix = GarlandMix(g.r, g.g, g.b);
                expected = frame;
                BlendGarlandRow(source.data(), expected.data(), kPixels, mix);
                got = frame;
                BlendGarlandGroups(groups.data(), count, got.data(), mix);
                ASSERT_EQ(got, expected) << "garland, alpha " << a << " d " << d << " gradient " << int(g.r) << ","
                                         << int(g.g) << "," << int(g.b);
            }
        }
    }
}

TEST(FrameGroups, ScaleBytesEqualsTheByteRuleForEveryLengthAndFactor) {
    std::vector<std::uint8_t> src(300), dst(300), in(300);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<std::uint8_t>(i * 37 + (i % 5 == 0 ? 0 : 1));
    for (const std::uint32_t f : {0u, 1u, 128u, 191u, 255u, 256u}) {
        for (std::size_t n = 0; n < 70; ++n) {
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
