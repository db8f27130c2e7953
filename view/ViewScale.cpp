#include "view/ViewScale.h"

#include <algorithm>
#include <climits>

namespace {

// n / d rounded to nearest, halves away from zero (d > 0), clamped into int.
int RoundDiv(long long n, long long d) {
    const long long q = n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d);
    return static_cast<int>(std::clamp<long long>(q, INT_MIN, INT_MAX));
}

}  // namespace

SViewScale SViewScale::ForDpi(int dpi) noexcept {
    SViewScale s;
    s.dpi = std::clamp(dpi, kMinDpi, kMaxDpi);
    return s;
}

int SViewScale::Edge(long long v) const noexcept {
    // Scene values are ints: v x 480 stays far inside 64 bits.
    v = std::clamp<long long>(v, LLONG_MIN / kMaxDpi, LLONG_MAX / kMaxDpi);
    return RoundDiv(v * dpi, kBaseDpi);
}

int SViewScale::Unscale(long long v) const noexcept {
    v = std::clamp<long long>(v, LLONG_MIN / kMaxDpi, LLONG_MAX / kMaxDpi);
    return RoundDiv(v * kBaseDpi, dpi > 0 ? dpi : kBaseDpi);
}
