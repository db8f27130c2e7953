// Stretched drawing of CBmp onto a draw target: DrawStretchedFaded (whole picture, faded, written
// back opaque) and DrawStretchedBorder (a frame kept at its own size, the middle stretched).
#include "scene/CBmp.h"
#include "scene/CDrawTarget.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

namespace {

using Byte = std::uint8_t;

std::unique_ptr<Byte[]> NewBuffer(int width, int height, bool zero) {
    if (!CBmp::IsAcceptableSize(width, height)) return nullptr;
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    return std::unique_ptr<Byte[]>(zero ? new (std::nothrow) Byte[bytes]() : new (std::nothrow) Byte[bytes]);
}

// Where middle element k of a destination run of `dst` elements samples a source run of `src`
// elements starting at `first`: element r and weight t (0..254) of element r + 1. A run of one
// destination element takes the first source element; a source run shorter than one element
// stays on its first element.
struct SSample {
    int r;
    unsigned t;
};

SSample MiddleSample(int k, int first, int src, int dst, int limit) {
    const long long span = std::max(src - 1, 0);
    const long long div = dst - 1;
    SSample s{first, 0};
    if (div > 0 && span > 0) {
        s.r = first + static_cast<int>(k * span / div);
        s.t = static_cast<unsigned>((static_cast<long long>(k) * 255 * span / div) % 255);
    }
    if (s.r > limit - 1) s.r = limit - 1;
    if (s.r < 0) s.r = 0;
    if (s.r + 1 >= limit) s.t = 0;  // never weigh an element past the end
    return s;
}

}  // namespace

void CBmp::DrawStretchedFaded(CDrawTarget& target, int x, int y, int width, int height, int opacity) const {
    if (IsEmpty() || !IsAcceptableSize(width, height)) return;
    const unsigned op = static_cast<unsigned>(std::clamp(opacity, 0, 255));
    const int left = x + m_offsetX, top = y + m_offsetY;
    auto buf = NewBuffer(width, height, false);
    if (!buf || !target.Read(left, top, width, height, buf.get())) return;
    for (int j = 0; j < height; ++j) {
        const int sy = static_cast<int>(static_cast<long long>(j) * m_height / height);
        const Byte* srow = m_bits.get() + static_cast<std::size_t>(sy) * m_width * 4;
        Byte* d = buf.get() + static_cast<std::size_t>(j) * width * 4;
        for (int i = 0; i < width; ++i, d += 4) {
            const Byte* s = srow + static_cast<std::size_t>(static_cast<long long>(i) * m_width / width) * 4;
            const unsigned u = op * s[3] / 255;
            for (int b = 0; b < 3; ++b) d[b] = static_cast<Byte>((d[b] * (255 - u) + u * s[b]) / 255);
            d[3] = 255;
        }
    }
    target.Write(left, top, width, height, buf.get());
}

void CBmp::DrawStretchedBorder(CDrawTarget& target, int x, int y, int W, int H, int bX, int bY) const {
    if (IsEmpty() || !IsAcceptableSize(W, H) || !IsAcceptableSize(m_width, H)) return;
    bX = std::max(bX, 0);
    bY = std::max(bY, 0);
    const int w = m_width, h = m_height;
    const std::size_t srcRow = static_cast<std::size_t>(w) * 4;

    // 1. Rows into an intermediate picture of w x H: frame rows as they are, middle rows stretched.
    auto mid = NewBuffer(w, H, true);
    if (!mid) return;
    const auto copyRow = [&](long long dstRow, long long srcRowIndex) {
        if (dstRow >= 0 && dstRow < H && srcRowIndex >= 0 && srcRowIndex < h)
            std::memcpy(mid.get() + dstRow * srcRow, m_bits.get() + srcRowIndex * srcRow, srcRow);
    };
    for (long long j = 0; j < bY; ++j) copyRow(j, j);
    for (long long j = 0; j < bY; ++j) copyRow(static_cast<long long>(H) - bY + j, static_cast<long long>(h) - bY + j);
    const long long midRows = static_cast<long long>(H) - 2LL * bY;
    for (int k = 0; k < midRows; ++k) {
        const SSample s = MiddleSample(k, std::min(bY, h - 1), h - 2 * bY, static_cast<int>(midRows), h);
        const Byte* a = m_bits.get() + static_cast<std::size_t>(s.r) * srcRow;
        Byte* d = mid.get() + static_cast<std::size_t>(bY + k) * srcRow;
        if (s.t == 0) {
            for (std::size_t i = 0; i < srcRow; ++i) d[i] = static_cast<Byte>((a[i] * 255u) >> 8);
        } else {
            const Byte* b = a + srcRow;
            for (std::size_t i = 0; i < srcRow; ++i) d[i] = static_cast<Byte>((b[i] * s.t + a[i] * (255 - s.t)) >> 8);
        }
    }

    // 2. and 3. Columns, blended straight onto the target's pixels (target alpha kept).
    const int left = x + m_offsetX, top = y + m_offsetY;
    auto buf = NewBuffer(W, H, false);
    if (!buf || !target.Read(left, top, W, H, buf.get())) return;
    const std::size_t dstRow = static_cast<std::size_t>(W) * 4;
    const long long midCols = static_cast<long long>(W) - 2LL * bX;
    for (int k = 0; k < midCols; ++k) {
        const SSample s = MiddleSample(k, std::min(bX, w - 1), w - 2 * bX, static_cast<int>(midCols), w);
        const Byte* a = mid.get() + static_cast<std::size_t>(s.r) * 4;
        Byte* d = buf.get() + static_cast<std::size_t>(bX + k) * 4;
        for (int row = 0; row < H; ++row, a += srcRow, d += dstRow) {
            const unsigned A = a[3];
            for (int b = 0; b < 3; ++b) {
                const unsigned X = (s.t ? a[b + 4] * s.t : 0u) + a[b] * (255 - s.t);
                d[b] = static_cast<Byte>((d[b] * (255 - A) + A * X / 256) >> 8);
            }
        }
    }
    const auto blendColumn = [&](long long dstCol, long long srcCol) {
        if (dstCol < 0 || dstCol >= W || srcCol < 0 || srcCol >= w) return;
        const Byte* a = mid.get() + srcCol * 4;
        Byte* d = buf.get() + dstCol * 4;
        for (int row = 0; row < H; ++row, a += srcRow, d += dstRow) {
            const unsigned A = a[3];
            for (int b = 0; b < 3; ++b) d[b] = static_cast<Byte>((d[b] * (255 - A) + a[b] * A) >> 8);
        }
    };
    for (long long j = 0; j < bX; ++j) blendColumn(j, j);
    for (long long j = 0; j < bX; ++j) blendColumn(static_cast<long long>(W) - bX + j, static_cast<long long>(w) - bX + j);
    target.Write(left, top, W, H, buf.get());
}

void CBmp::DrawGroupStretchedBorder(int group, CDrawTarget& target, int x, int y, int W, int H, int bX, int bY) const {
    for (int i = 0; i < LayerCount(group); ++i) Layer(group, i)->DrawStretchedBorder(target, x, y, W, H, bX, bY);
}
