// Colour transforms of CBmp (brightness/contrast, hue mix, alpha scale) and HueColour.
#include "scene/CBmp.h"
#include "scene/ExactDivide.h"
#include "scene/Transforms.h"

#include <algorithm>
#include <cstddef>

namespace {

std::uint8_t ClampByte(long long v) noexcept {
    return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

}  // namespace

void CBmp::AdjustBrightnessContrast(int brightness, int contrast) noexcept {
    if (IsEmpty()) return;
    // The formula depends on the byte alone, so one table of 256 results serves every pixel.
    std::uint8_t table[256];
    for (int v = 0; v < 256; ++v) {
        const long long scaled = (static_cast<long long>(v) - 127) * (static_cast<long long>(contrast) + 127) / 127;
        table[v] = ClampByte(static_cast<long long>(brightness) + 127 + scaled);
    }
    std::uint8_t* p = m_bits.get();
    for (int i = 0; i < m_size; i += 4) {
        p[i] = table[p[i]];
        p[i + 1] = table[p[i + 1]];
        p[i + 2] = table[p[i + 2]];
    }
}

void CBmp::MixChannels(std::uint32_t colour) noexcept {
    const unsigned wR = colour & 0xFF, wG = (colour >> 8) & 0xFF, wB = (colour >> 16) & 0xFF;
    const unsigned sum = wR + wG + wB;
    if (IsEmpty() || sum == 0) return;  // black carries no hue: nothing to mix
    const CExactDivide div(sum);  // every numerator is at most 255 * sum
    std::uint8_t* p = m_bits.get();
    for (int i = 0; i < m_size; i += 4) {
        const unsigned b = p[i], g = p[i + 1], r = p[i + 2];
        p[i + 2] = static_cast<std::uint8_t>(div(r * wB + g * wG + b * wR));
        p[i + 1] = static_cast<std::uint8_t>(div(r * wR + g * wB + b * wG));
        p[i] = static_cast<std::uint8_t>(div(r * wG + g * wR + b * wB));
    }
}

void CBmp::ScaleAlpha(int factor, int add) noexcept {
    if (IsEmpty()) return;
    std::uint8_t table[256];
    for (int a = 0; a < 256; ++a) table[a] = ClampByte(static_cast<long long>(a) * factor / 255 + add);
    std::uint8_t* p = m_bits.get();
    for (int i = 3; i < m_size; i += 4) p[i] = table[p[i]];
}

std::uint32_t HueColour(int hue, std::uint32_t colour) noexcept {
    long long x = 0, y = 0, z = 255;
    if (hue < 80) {
        x = static_cast<long long>(hue) * 255 / 80;
        y = 0;
        z = (80 - static_cast<long long>(hue)) * 255 / 80;
    } else if (hue < 160) {
        const long long h = hue - 80;
        x = (80 - h) * 255 / 80;
        y = h * 255 / 80;
        z = 0;
    } else if (hue < 240) {
        const long long h = hue - 160;
        x = 0;
        y = (80 - h) * 255 / 80;
        z = h * 255 / 80;
    }
    const long long r0 = colour & 0xFF, g0 = (colour >> 8) & 0xFF, b0 = (colour >> 16) & 0xFF;
    const std::uint32_t red = ClampByte((r0 * z + g0 * y + b0 * x) / 255);
    const std::uint32_t green = ClampByte((r0 * x + g0 * z + b0 * y) / 255);
    const std::uint32_t blue = ClampByte((r0 * y + g0 * x + b0 * z) / 255);
    return red | green << 8 | blue << 16;
}
