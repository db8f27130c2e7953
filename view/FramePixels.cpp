#include "view/FramePixels.h"

#include <algorithm>
#include <cstring>

SGarlandMix GarlandMix(std::uint8_t r, std::uint8_t g, std::uint8_t b) noexcept {
    const std::uint64_t gR = r, gG = g, gB = b;
    return {gG | (gR << 21) | (gB << 42), gB | (gG << 21) | (gR << 42), gR | (gB << 21) | (gG << 42), r, g, b};
}

// Toy: D' = D - D * a / 255 + a; d' = (d * (255 - a) + s * a) / 255 (d unchanged when a = 0).
void BlendToyRow(const std::uint8_t* s, std::uint8_t* d, int n) noexcept {
    for (int i = 0; i < n; ++i, s += 4, d += 4) {
        const std::uint32_t a = s[3];
        if (a == 0) continue;  // nothing changes
        if (a == 255) {        // colour s, alpha D - D + 255
            std::memcpy(d, s, 4);
            continue;
        }
        const std::uint32_t na = 255 - a;
        const std::uint32_t D = d[3];
        d[0] = static_cast<std::uint8_t>(Div255(d[0] * na + s[0] * a));
        d[1] = static_cast<std::uint8_t>(Div255(d[1] * na + s[1] * a));
        d[2] = static_cast<std::uint8_t>(Div255(d[2] * na + s[2] * a));
        d[3] = static_cast<std::uint8_t>(D - Div255(D * a) + a);
    }
}

// Garland: the colour is first mixed with the gradient colour g, each result capped at 255:
//   R = (gG sR + gB sG + gR sB) / 255, G = (gR sR + gG sG + gB sB) / 255, B = (gB sR + gR sG + gG sB) / 255
// then blended like a toy.
void BlendGarlandRow(const std::uint8_t* s, std::uint8_t* d, int n, const SGarlandMix& mix) noexcept {
    constexpr std::uint64_t kLane = (1u << 21) - 1;
    for (int i = 0; i < n; ++i, s += 4, d += 4) {
        const std::uint32_t a = s[3];
        if (a == 0) continue;  // nothing changes
        const std::uint64_t sums = s[2] * mix.byRed + s[1] * mix.byGreen + s[0] * mix.byBlue;
        const std::uint32_t mR = std::min<std::uint32_t>(255, static_cast<std::uint32_t>(sums & kLane) / 255);
        const std::uint32_t mG = std::min<std::uint32_t>(255, static_cast<std::uint32_t>((sums >> 21) & kLane) / 255);
        const std::uint32_t mB = std::min<std::uint32_t>(255, static_cast<std::uint32_t>(sums >> 42) / 255);
        if (a == 255) {
            d[0] = static_cast<std::uint8_t>(mB);
            d[1] = static_cast<std::uint8_t>(mG);
            d[2] = static_cast<std::uint8_t>(mR);
            d[3] = 255;
            continue;
        }
        const std::uint32_t na = 255 - a;
        const std::uint32_t D = d[3];
        d[0] = static_cast<std::uint8_t>(Div255(d[0] * na + mB * a));
        d[1] = static_cast<std::uint8_t>(Div255(d[1] * na + mG * a));
        d[2] = static_cast<std::uint8_t>(Div255(d[2] * na + mR * a));
        d[3] = static_cast<std::uint8_t>(D - Div255(D * a) + a);
    }
}

bool ClipPicture(int picWidth, int picHeight, int x, int y, int frameWidth, int frameHeight, SFrameClip& clip) noexcept {
    const long long left = std::max<long long>(0, -static_cast<long long>(x));
    const long long top = std::max<long long>(0, -static_cast<long long>(y));
    const long long right = std::min<long long>(picWidth, static_cast<long long>(frameWidth) - x);
    const long long bottom = std::min<long long>(picHeight, static_cast<long long>(frameHeight) - y);
    if (right <= left || bottom <= top) return false;
    clip = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left), static_cast<int>(bottom - top)};
    return true;
}
