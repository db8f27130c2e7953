// FrameGroups: the garland and toy blends of the cached frame, eight pixels at a time.
//
// A picture's pixels are copied once into groups of eight, planar: per group 8 blue, 8 green, 8 red
// and 8 alpha values as 16-bit numbers, pixel i of the group in lane i. A padding lane has alpha 0
// and leaves its frame pixel as it is. Group i goes onto the eight frame pixels from at[i] on; the
// groups come in ascending order of at, and two may overlap only where the earlier one has padding
// lanes, so they can be blended two at a time (later group stored last).
#pragma once

#include "view/FramePixels.h"

#include <cstddef>
#include <cstdint>

constexpr int kGroupPixels = 8;
constexpr int kGroupValues = 4 * kGroupPixels;

// The garland blend (BlendGarlandRow per pixel) of the groups onto the frame.
void BlendGarlandGroups(const std::uint16_t* src, const std::uint32_t* at, std::size_t groups, std::uint8_t* frame,
                        const SGarlandMix& mix) noexcept;
// The toy blend (BlendToyRow per pixel) of the groups onto the frame.
void BlendToyGroups(const std::uint16_t* src, const std::uint32_t* at, std::size_t groups, std::uint8_t* frame) noexcept;

// The implementations behind the two calls, one per instruction set (mix null: the toy blend).
// The calls above take the widest the processor has; tests run each against the row blends.
namespace FrameGroupKernels {
using Kernel = void (*)(const std::uint16_t* src, const std::uint32_t* at, std::size_t groups, std::uint8_t* frame,
                        const SGarlandMix* mix) noexcept;
void Scalar(const std::uint16_t* src, const std::uint32_t* at, std::size_t groups, std::uint8_t* frame,
            const SGarlandMix* mix) noexcept;
// Null where the build or the processor lacks the instructions.
Kernel Sse2() noexcept;
Kernel Avx2() noexcept;
}  // namespace FrameGroupKernels
