// SViewScale: the desktop view's display scale, the DPI of its monitor over the 96 of a 100 %
// display. The scene stays in 100 % units (item positions and sizes, the view's stored size);
// only the pixels the view shows are scaled, so a profile looks the same on every display.
#pragma once

struct SViewScale {
    static constexpr int kBaseDpi = 96;
    static constexpr int kMinDpi = 48;   // 50 %
    static constexpr int kMaxDpi = 480;  // 500 %

    // A scale for dpi, brought into kMinDpi..kMaxDpi (a system answering 0 or nonsense draws at
    // the nearest sane scale, never divides by zero).
    static SViewScale ForDpi(int dpi) noexcept;

    int dpi = kBaseDpi;

    bool IsIdentity() const noexcept { return dpi == kBaseDpi; }
    // A scene coordinate in view pixels: v x dpi / 96, rounded to nearest with halves away from
    // zero (as MulDiv). A scene rectangle covers the view pixels between its scaled edges, so
    // neighbouring rectangles stay neighbours and a box's size is its size x scale within 1 pixel.
    int Edge(long long v) const noexcept;
    // The view pixels between two scene edges (a scaled length at a place).
    int Span(long long from, long long to) const noexcept { return Edge(to) - Edge(from); }
    // A view length back in 100 % units, rounded to nearest.
    int Unscale(long long v) const noexcept;

    bool operator==(const SViewScale&) const = default;
};
