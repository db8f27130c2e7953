// The pixel kernels as the Windows build compiles them (calling convention, stack alignment of
// spilled vector registers): the processor's widest against the scalar one.
#include "view/BlinkSpan.h"
#include "view/FrameGroups.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

TEST(PixelKernelsWin, WidestGroupBlendEqualsTheScalarOne) {
    std::printf("kernels: sse2 %s, avx2 %s\n", FrameGroupKernels::Sse2() ? "yes" : "no",
                FrameGroupKernels::Avx2() ? "yes" : "no");
    constexpr std::size_t kGroups = 61;  // odd: the last group goes through the narrower path
    std::vector<std::uint16_t> values(kGroups * kGroupValues);
    std::vector<std::uint32_t> at(kGroups);
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (std::size_t g = 0; g < kGroups; ++g) {
        at[g] = static_cast<std::uint32_t>(g * 8 + g / 3);  // gaps every third group
        for (int i = 0; i < kGroupValues; ++i) values[g * kGroupValues + static_cast<std::size_t>(i)] = next() & 255;
    }
    std::vector<std::uint8_t> frame(kGroups * 40 + 64);
    for (std::uint8_t& b : frame) b = static_cast<std::uint8_t>(next());
    const SGarlandMix mix = GarlandMix(200, 90, 255);
    for (const SGarlandMix* m : {&mix, static_cast<const SGarlandMix*>(nullptr)}) {
        std::vector<std::uint8_t> want = frame, got = frame;
        FrameGroupKernels::Scalar(values.data(), at.data(), kGroups, want.data(), m);
        if (m) {
            BlendGarlandGroups(values.data(), at.data(), kGroups, got.data(), *m);
        } else {
            BlendToyGroups(values.data(), at.data(), kGroups, got.data());
        }
        EXPECT_EQ(got, want) << (m ? "garland" : "toy");
    }
}

TEST(PixelKernelsWin, WidestLightSpanEqualsTheScalarOne) {
    std::printf("light kernels: sse2 %s, avx2 %s\n", BlinkSpanKernels::Sse2() ? "yes" : "no",
                BlinkSpanKernels::Avx2() ? "yes" : "no");
    constexpr int kPixels = 8 * 5 + 4 + 3;  // eight, four and one at a time
    std::vector<std::uint8_t> mask(kPixels), spark(kPixels), frame(kPixels * 4), scaled(kPixels * 4);
    unsigned seed = 777;
    auto next = [&seed] { return static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 16); };
    for (std::uint8_t& b : mask) b = next();
    for (std::uint8_t& b : spark) b = next();
    for (std::uint8_t& b : frame) b = next();
    const SLightTint tint{200, 255, 220, 64, 192};
    for (std::size_t i = 0; i < frame.size(); ++i) scaled[i] = static_cast<std::uint8_t>((frame[i] * tint.factor) >> 8);
    std::vector<std::uint8_t> wantD = frame, wantOut = scaled, d = frame, out = scaled;
    BlinkSpanKernels::Scalar(mask.data(), spark.data(), kPixels, wantD.data(), wantOut.data(), tint);
    BlendLightSpan(mask.data(), spark.data(), kPixels, d.data(), out.data(), tint);
    EXPECT_EQ(d, wantD);
    EXPECT_EQ(out, wantOut);
}
