// FramePixels: the per-row blends of the frame builder, shared by the whole-picture steps and by
// the cached frame, which replays them on the pixels that change from frame to frame.
#pragma once

#include <cstddef>
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

// One straight-alpha colour (b, g, r) of alpha a over the premultiplied frame pixel d:
// D' = D - D * a / 255 + a; d' = (d * (255 - a) + s * a) / 255.
inline void BlendPixel(std::uint8_t* d, std::uint32_t b, std::uint32_t g, std::uint32_t r, std::uint32_t a) noexcept {
    const std::uint32_t na = 255 - a;
    const std::uint32_t D = d[3];
    d[0] = static_cast<std::uint8_t>(Div255(d[0] * na + b * a));
    d[1] = static_cast<std::uint8_t>(Div255(d[1] * na + g * a));
    d[2] = static_cast<std::uint8_t>(Div255(d[2] * na + r * a));
    d[3] = static_cast<std::uint8_t>(D - Div255(D * a) + a);
}

// n straight-alpha picture pixels s blended over n premultiplied frame pixels d.
void BlendToyRow(const std::uint8_t* s, std::uint8_t* d, int n) noexcept;
void BlendGarlandRow(const std::uint8_t* s, std::uint8_t* d, int n, const SGarlandMix& mix) noexcept;

// The view opacity as a byte factor: opaque percent (100 and above: fully opaque) scales every
// byte, colour and alpha, to byte * f >> 8 with f = opaque * 256 / 100, so 100 % gives f = 256,
// the identity.
inline std::uint32_t OpacityFactor(int opaque) noexcept {
    return opaque >= 100 ? 256u : static_cast<std::uint32_t>(opaque > 0 ? opaque : 0) * 256u / 100u;
}
// n bytes of s scaled by f (0..256) into d; d may be s.
void ScaleBytes(const std::uint8_t* s, std::uint8_t* d, std::size_t n, std::uint32_t f) noexcept;

// The part of a picWidth x picHeight picture placed at (x, y) that falls inside a frame of
// frameWidth x frameHeight: first picture column and row, and how many of each. False when none.
struct SFrameClip {
    int col0, row0, cols, rows;
};
bool ClipPicture(int picWidth, int picHeight, int x, int y, int frameWidth, int frameHeight, SFrameClip& clip) noexcept;
