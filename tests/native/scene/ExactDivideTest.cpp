#include "scene/ExactDivide.h"

#include <gtest/gtest.h>

// The multiply-shift division against plain division over its whole stated range, for every
// divisor up to 1024 and a spread of larger ones (up to and beyond the fast-path limit).
TEST(ExactDivide, MatchesPlainDivisionOverItsRange) {
    for (std::uint32_t d = 1; d <= 1024; ++d) {
        const CExactDivide div(d);
        for (std::uint64_t n = 0; n <= 255ull * d; ++n) ASSERT_EQ(div(n), n / d) << n << " / " << d;
    }
    for (std::uint32_t d : {1025u, 4095u, 65535u, 65536u, 1000003u, (1u << 23) - 1, 1u << 23, 1u << 26, 0xFFFFFFFFu}) {
        const CExactDivide div(d);
        const std::uint64_t top = 255ull * d, dd = d;
        const std::uint64_t samples[] = {0, 1, dd - 1, dd, dd + 1, top / 2, top / 3 + 7, top - dd, top - 1, top};
        for (std::uint64_t n : samples)
            ASSERT_EQ(div(n), n / d) << n << " / " << d;
        for (std::uint64_t k = 0; k <= 255; ++k) {
            ASSERT_EQ(div(k * d), k);
            if (k > 0) {
                ASSERT_EQ(div(k * d - 1), k - 1);
            }
        }
    }
}
