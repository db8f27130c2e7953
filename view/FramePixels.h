// FramePixels: the per-row blends of the frame builder, shared by the whole-picture steps and by
// the cached frame, which replays them on the pixels that change from frame to frame.
#pragma once

#include <cstdint>

// Exact floor(x / 255) for 0 <= x <= 65534, which covers every blend numerator of the frame
// (at most 255 * 255). Branch-free and vectorisable.
inline std::uint32_t Div255(std::uint32_t x) noexcept { return (x + 1 + (x >> 8)) >> 8; }

// The garland colour mix for one gradient colour: three sums side by side in 21-bit lanes of one
// word (each at most 3 * 255 * 255 < 2^21), one coefficient word per source channel.
struct SGarlandMix {
    std::uint64_t byRed, byGreen, byBlue;
    std::uint8_t r, g, b;  // the gradient colour itself
};
SGarlandMix GarlandMix(std::uint8_t r, std::uint8_t g, std::uint8_t b) noexcept;

// n straight-alpha picture pixels s blended over n premultiplied frame pixels d.
void BlendToyRow(const std::uint8_t* s, std::uint8_t* d, int n) noexcept;
void BlendGarlandRow(const std::uint8_t* s, std::uint8_t* d, int n, const SGarlandMix& mix) noexcept;

// The part of a picWidth x picHeight picture placed at (x, y) that falls inside a frame of
// frameWidth x frameHeight: first picture column and row, and how many of each. False when none.
struct SFrameClip {
    int col0, row0, cols, rows;
};
bool ClipPicture(int picWidth, int picHeight, int x, int y, int frameWidth, int frameHeight, SFrameClip& clip) noexcept;
