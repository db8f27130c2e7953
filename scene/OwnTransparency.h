// Whether a picture carries transparency of its own, which decides whether a picture file's
// background is taken from its top-left corner.
#pragma once

#include <cstddef>
#include <cstdint>

// True when some alpha byte of the pixels (blue, green, red, alpha each) is below 255 and not
// every one is 0. A picture without an alpha channel (every alpha byte 255) and one whose alpha
// bytes are all 0 (an alpha channel never filled in, which loads opaque) carry none.
bool CarriesOwnTransparency(const std::uint8_t* bgra, std::size_t pixels) noexcept;
