// The group blends as the Windows build compiles them (calling convention, stack alignment of
// spilled vector registers) against the scalar kernel, with the processor's widest kernel.
#include "view/FrameGroups.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

TEST(FrameGroupsWin, WidestKernelEqualsTheScalarOneUnderWindows) {
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
