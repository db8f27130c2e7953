// CExactDivide: truncating division of small non-negative numbers by one divisor, done as a
// multiply and a shift. For numerators up to 255 x divisor the result equals n / d exactly:
// with M = ceil(2^55 / d) the error term n * (M * d - 2^55) stays below 2^55 while n * d < 2^55,
// which holds for d < 2^23 (larger divisors fall back to plain division).
#pragma once

#include <cstdint>

class CExactDivide {
public:
    explicit CExactDivide(std::uint32_t divisor) noexcept
        : m_divisor(divisor ? divisor : 1),
          m_fast(m_divisor < (1u << 23)),
          m_multiplier(((std::uint64_t{1} << kShift) + m_divisor - 1) / m_divisor) {}

    // n / divisor for 0 <= n <= 255 * divisor.
    std::uint32_t operator()(std::uint64_t n) const noexcept {
        return static_cast<std::uint32_t>(m_fast ? (n * m_multiplier) >> kShift : n / m_divisor);
    }

private:
    static constexpr int kShift = 55;
    std::uint32_t m_divisor;
    bool m_fast;
    std::uint64_t m_multiplier;
};
