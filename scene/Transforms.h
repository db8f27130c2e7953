// Free pixel functions beside the CBmp transforms: HueColour (a hue turned into MixChannels
// weights), Composite (straight-alpha over straight-alpha) and GradientFill (a linear gradient
// through several stops).
#pragma once

#include <cstdint>

class CBmp;
class CPixSurface;

// Hue 0..240 (240 a full turn) mixed into colour (a colour reference, 0x00BBGGRR); answers the
// colour reference for CBmp::MixChannels. Hue 0 and 240 with pure blue give pure blue (identity).
std::uint32_t HueColour(int hue, std::uint32_t colour) noexcept;

// Blends source onto destination at (x, y), both straight alpha, clipped to the destination.
void Composite(CBmp& destination, const CBmp& source, int x, int y) noexcept;
void Composite(CPixSurface& destination, const CBmp& source, int x, int y) noexcept;
// The same on raw buffers (stride width * 4).
void Composite(std::uint8_t* dst, int dstWidth, int dstHeight, const std::uint8_t* src, int srcWidth,
               int srcHeight, int x, int y) noexcept;

struct SPoint {
    int x;
    int y;
};

// A linear gradient through n >= 2 stops, one colour each (colour reference with the alpha in its
// top byte). fillBefore / fillAfter paint the areas before the first and after the last stop.
// Nothing when n < 2 or the bitmap is empty.
void GradientFill(CBmp& bitmap, const SPoint* stops, const std::uint32_t* colours, int n, bool fillBefore,
                  bool fillAfter);
