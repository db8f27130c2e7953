// CRandom: the program's pseudo-random generator. It reproduces the C runtime's rand() sequence
// (values 0..32767 from a linear congruential step), so blink-light placement is the same on
// every platform and in tests.
#pragma once

#include <cstdint>

class CRandom {
public:
    static constexpr int kMax = 32767;

    explicit CRandom(std::uint32_t seed = 1) noexcept : m_state(seed) {}
    void Seed(std::uint32_t seed) noexcept { m_state = seed; }
    int Next() noexcept;  // 0..kMax

    // The generator the application seeds at start-up and the blink lights draw from.
    static CRandom& Shared() noexcept;

private:
    std::uint32_t m_state;
};
