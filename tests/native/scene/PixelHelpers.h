// Small helpers for the imaging tests: build a bitmap from a list of 0xAARRGGBB words, read it back.
#pragma once

#include "scene/CBmp.h"
#include "scene/CPixSurface.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

inline CBmp MakeBmp(int w, int h, std::initializer_list<std::uint32_t> pixels) {
    CBmp b;
    b.Create(w, h);
    int i = 0;
    for (std::uint32_t p : pixels) {
        std::uint8_t* px = b.Bits() + i++ * 4;
        px[0] = static_cast<std::uint8_t>(p);
        px[1] = static_cast<std::uint8_t>(p >> 8);
        px[2] = static_cast<std::uint8_t>(p >> 16);
        px[3] = static_cast<std::uint8_t>(p >> 24);
    }
    return b;
}

inline CBmp SolidBmp(int w, int h, std::uint32_t pixel) {
    CBmp b;
    b.Create(w, h);
    for (int i = 0; i < w * h; ++i) {
        for (int k = 0; k < 4; ++k) b.Bits()[i * 4 + k] = static_cast<std::uint8_t>(pixel >> (8 * k));
    }
    return b;
}

inline std::vector<std::uint32_t> Words(const CBmp& b) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) out.push_back(b.PixelAt(x, y));
    return out;
}

inline std::vector<std::uint32_t> Words(const CPixSurface& s) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) out.push_back(s.PixelAt(x, y));
    return out;
}
