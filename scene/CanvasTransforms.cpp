// Canvas operations of CBmp: ResizeCanvas, CropToContent, Shift and Scroll.
#include "scene/CBmp.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {
// A pixel's blue, green and red bytes within the 32-bit word that memcpy reads from its four.
constexpr std::uint32_t kColourBytes = std::endian::native == std::endian::little ? 0x00FFFFFFu : 0xFFFFFF00u;

std::uint32_t Mixed(std::uint32_t colour, std::uint32_t px) noexcept { return (colour & kColourBytes) | (px & ~kColourBytes); }

// The colour bytes of count pixels from colours over those of the pixels at d, whose alpha stays.
void MixColours(std::uint8_t* d, const std::uint32_t* colours, std::size_t count) noexcept {
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t px;
        std::memcpy(&px, d + i * 4, 4);
        px = Mixed(colours[i], px);
        std::memcpy(d + i * 4, &px, 4);
    }
}

// Pixels [begin, end) of p take the colour bytes of the pixel `from` before them, the last pixel
// first. A vector's load comes before its store, so every colour read is one not yet moved.
void TakeColoursBackwards(std::uint8_t* p, std::size_t begin, std::size_t end, std::size_t from) noexcept {
    std::size_t j = end;
#ifdef __SSE2__
    const __m128i colourBytes = _mm_set1_epi32(static_cast<int>(kColourBytes));
    for (; j >= begin + 4; j -= 4) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + (j - 4 - from) * 4));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + (j - 4) * 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + (j - 4) * 4),
                         _mm_or_si128(_mm_and_si128(c, colourBytes), _mm_andnot_si128(colourBytes, d)));
    }
#endif
    for (; j > begin; --j) {
        std::uint32_t c, d;
        std::memcpy(&c, p + (j - 1 - from) * 4, 4);
        std::memcpy(&d, p + (j - 1) * 4, 4);
        d = Mixed(c, d);
        std::memcpy(p + (j - 1) * 4, &d, 4);
    }
}

// Pixels [begin, end) of p take the colour bytes of the pixel `from` after them, the first first.
void TakeColoursForwards(std::uint8_t* p, std::size_t begin, std::size_t end, std::size_t from) noexcept {
    std::size_t j = begin;
#ifdef __SSE2__
    const __m128i colourBytes = _mm_set1_epi32(static_cast<int>(kColourBytes));
    for (; j + 4 <= end; j += 4) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + (j + from) * 4));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + j * 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + j * 4),
                         _mm_or_si128(_mm_and_si128(c, colourBytes), _mm_andnot_si128(colourBytes, d)));
    }
#endif
    for (; j < end; ++j) {
        std::uint32_t c, d;
        std::memcpy(&c, p + (j + from) * 4, 4);
        std::memcpy(&d, p + j * 4, 4);
        d = Mixed(c, d);
        std::memcpy(p + j * 4, &d, 4);
    }
}
}  // namespace

bool CBmp::ResizeCanvas(int left, int top, int right, int bottom, std::uint32_t fillColour) {
    if (IsEmpty()) return false;
    const long long newWidth = static_cast<long long>(m_width) - left + right;
    const long long newHeight = static_cast<long long>(m_height) - top + bottom;
    if (newWidth <= 0 || newHeight <= 0 || !IsAcceptableSize(newWidth, newHeight)) return false;
    const int nw = static_cast<int>(newWidth), nh = static_cast<int>(newHeight);
    std::unique_ptr<std::uint8_t[]> out(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(nw) * nh * 4]);
    if (!out) return false;

    // The fill colour is a colour reference (red in the low byte); pixels hold blue first.
    const std::uint8_t fill[4] = {static_cast<std::uint8_t>(fillColour >> 16), static_cast<std::uint8_t>(fillColour >> 8),
                                  static_cast<std::uint8_t>(fillColour), static_cast<std::uint8_t>(fillColour >> 24)};
    // Destination (x, y) shows source (x + left, y + top) where that lies inside the picture.
    const long long keepX0 = left < 0 ? -static_cast<long long>(left) : 0;
    const long long keepX1 = std::min<long long>(nw, static_cast<long long>(m_width) - left);
    for (int y = 0; y < nh; ++y) {
        std::uint8_t* d = out.get() + static_cast<std::size_t>(y) * nw * 4;
        const long long sy = static_cast<long long>(y) + top;
        const bool rowInside = sy >= 0 && sy < m_height && keepX0 < keepX1;
        for (int x = 0; x < nw; ++x) {
            if (!rowInside || x < keepX0 || x >= keepX1) std::memcpy(d + x * 4, fill, 4);
        }
        if (rowInside) {
            std::memcpy(d + keepX0 * 4,
                        m_bits.get() + (static_cast<std::size_t>(sy) * m_width + static_cast<std::size_t>(keepX0 + left)) * 4,
                        static_cast<std::size_t>(keepX1 - keepX0) * 4);
        }
    }
    m_bits = std::move(out);
    m_width = nw;
    m_height = nh;
    m_size = nw * nh * 4;
    return true;
}

bool CBmp::CropToContent() {
    if (IsEmpty()) return false;
    int minX = m_width, maxX = -1, minY = m_height, maxY = -1;
    const std::uint8_t* p = m_bits.get();
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* row = p + static_cast<std::size_t>(y) * m_width * 4;
        for (int x = 0; x < m_width; ++x) {
            if (row[x * 4 + 3] == 0) continue;
            if (x < minX) minX = x;
            if (x > maxX) maxX = x;
            if (y < minY) minY = y;
            maxY = y;
        }
    }
    if (maxX < minX || maxY < minY) return false;
    if (minX == 0 && minY == 0 && maxX == m_width - 1 && maxY == m_height - 1) return true;
    return ResizeCanvas(minX, minY, maxX + 1 - m_width, maxY + 1 - m_height, 0);
}

void CBmp::Shift(int dx, int dy) {
    if (IsEmpty()) return;
    const long long count = static_cast<long long>(m_width) * m_height;
    const long long by = static_cast<long long>(dx) + static_cast<long long>(dy) * m_width;
    std::unique_ptr<std::uint8_t[]> out(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(m_size)]());
    if (!out) return;
    // Pixel i moves to i + by; whatever leaves [0, count) is lost.
    if (by > -count && by < count) {
        const long long from = by < 0 ? -by : 0;
        const long long to = by < 0 ? 0 : by;
        std::memcpy(out.get() + to * 4, m_bits.get() + from * 4, static_cast<std::size_t>(count - (by < 0 ? -by : by)) * 4);
    }
    m_bits = std::move(out);
}

long long CBmp::ScrollTurn(int width, int height, int dx, int dy) noexcept {
    if (width <= 0 || height <= 0) return 0;
    const long long count = static_cast<long long>(width) * height;
    long long by = static_cast<long long>(dx % width) + static_cast<long long>(dy % height) * width;
    by %= count;
    return by < 0 ? by + count : by;
}

void CBmp::Scroll(int dx, int dy) { RotateColours(ScrollTurn(m_width, m_height, dx, dy)); }

void CBmp::RotateColours(long long pixels) {
    if (IsEmpty()) return;
    const long long count = static_cast<long long>(m_width) * m_height;
    long long by = pixels % count;
    if (by < 0) by += count;
    if (by == 0) return;
    // Colours rotate by `by` pixels; every alpha byte stays where it was. In place, whole pixels
    // (four at a time where SSE2 is there): the hover animation scrolls three large textures on
    // every tick.
    const std::size_t n = static_cast<std::size_t>(count), k = static_cast<std::size_t>(by);
    const std::size_t held = std::min(k, n - k);  // the colours the first pass overwrites
    std::unique_ptr<std::uint32_t[]> keep(new (std::nothrow) std::uint32_t[held]);
    if (!keep) return;
    std::uint8_t* const p = m_bits.get();
    if (k == held) {
        // To the right: pixel j takes the colour of j - k, from the end backwards (so j - k is
        // still unwritten); the first k take the last k's colours.
        std::memcpy(keep.get(), p + (n - k) * 4, k * 4);
        TakeColoursBackwards(p, k, n, k);
        MixColours(p, keep.get(), k);
    } else {
        // To the left by s = n - k: pixel j takes the colour of j + s, from the start forwards;
        // the last s take the first s's colours.
        const std::size_t s = held;
        std::memcpy(keep.get(), p, s * 4);
        TakeColoursForwards(p, 0, n - s, s);
        MixColours(p + (n - s) * 4, keep.get(), s);
    }
}
