// GradientFill: a linear colour gradient through several stops, written into every pixel.
#include "scene/CBmp.h"
#include "scene/Transforms.h"

#include <cstddef>
#include <vector>

namespace {

constexpr int kFar = 1 << 24;

struct SVec {
    long long x, y;
};

long long Dot(long long qx, long long qy, const SVec& p, const SVec& d) {
    return (qx - p.x) * d.x + (qy - p.y) * d.y;
}

// A colour reference (red low, alpha top) as pixel bytes blue, green, red, alpha.
void ToPixel(std::uint32_t c, long long out[4]) {
    out[0] = (c >> 16) & 0xFF;
    out[1] = (c >> 8) & 0xFF;
    out[2] = c & 0xFF;
    out[3] = (c >> 24) & 0xFF;
}

}  // namespace

void GradientFill(CBmp& bitmap, const SPoint* stops, const std::uint32_t* colours, int n, bool fillBefore,
                  bool fillAfter) {
    if (bitmap.IsEmpty() || !stops || !colours || n < 2) return;
    // p[0] and p[n+1], p[n+2] extend the stops so every stop has a direction d[k] = p[k+1] - p[k-1].
    std::vector<SVec> p(static_cast<std::size_t>(n) + 3);
    // Stops far outside any picture are pulled in to +-2^24, which keeps every product in range.
    const auto limit = [](int v) { return static_cast<long long>(v < -kFar ? -kFar : (v > kFar ? kFar : v)); };
    for (int k = 1; k <= n; ++k) p[k] = {limit(stops[k - 1].x), limit(stops[k - 1].y)};
    p[0] = {2 * p[1].x - p[2].x, 2 * p[1].y - p[2].y};
    p[n + 1] = {2 * p[n].x - p[n - 1].x, 2 * p[n].y - p[n - 1].y};
    p[n + 2] = {2 * p[n + 1].x - p[n].x, 2 * p[n + 1].y - p[n].y};
    std::vector<SVec> d(static_cast<std::size_t>(n) + 2);
    for (int k = 1; k <= n + 1; ++k) d[k] = {p[k + 1].x - p[k - 1].x, p[k + 1].y - p[k - 1].y};
    std::vector<long long> c(static_cast<std::size_t>(n + 1) * 4);
    for (int k = 1; k <= n; ++k) ToPixel(colours[k - 1], &c[static_cast<std::size_t>(k) * 4]);

    const int w = bitmap.Width(), h = bitmap.Height();
    std::uint8_t* bits = bitmap.Bits();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint8_t* px = bits + (static_cast<std::size_t>(y) * w + x) * 4;
            if (fillBefore && Dot(x, y, p[1], d[1]) <= 0) {
                for (int b = 0; b < 4; ++b) px[b] = static_cast<std::uint8_t>(c[4 + b]);
            }
            for (int k = 2; k <= n; ++k) {
                const long long A = Dot(x, y, p[k - 1], d[k - 1]);
                const long long B = Dot(x, y, p[k], d[k]);
                if (A < 0 || B > 0) continue;
                const long long* ck = &c[static_cast<std::size_t>(k) * 4];
                const long long* cp = &c[static_cast<std::size_t>(k - 1) * 4];
                for (int b = 0; b < 4; ++b) {
                    px[b] = static_cast<std::uint8_t>(A - B < 1 ? ck[b] : (ck[b] * A - cp[b] * B) / (A - B));
                }
            }
            if (fillAfter && Dot(x, y, p[n], d[n]) >= 0) {
                for (int b = 0; b < 4; ++b) px[b] = static_cast<std::uint8_t>(c[static_cast<std::size_t>(n) * 4 + b]);
            }
        }
    }
}
