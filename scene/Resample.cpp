// CBmp::Resample: two separable integer passes, rows first into an intermediate buffer of
// old width x new height, then columns into the final buffer. Enlarging interpolates linearly
// between neighbours; shrinking (or keeping) a dimension averages the covered areas.
#include "scene/CBmp.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

namespace {

using Byte = std::uint8_t;

// Pixels along one dimension: row r of width w lies at r * w * 4 bytes.
// Vertical pass, enlarging h -> n rows (h < n). Rows with fraction 0 are copied; the others mix
// the two neighbouring rows with /255.
void EnlargeRows(const Byte* src, Byte* dst, int w, int h, int n) {
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
    for (int i = 0; i < n; ++i) {
        const long long num = static_cast<long long>(i) * (h - 1);
        const int r = static_cast<int>(num / (n - 1));
        const unsigned f = static_cast<unsigned>((num * 255 / (n - 1)) % 255);
        Byte* d = dst + i * rowBytes;
        const Byte* a = src + r * rowBytes;
        if (f == 0) {
            std::memcpy(d, a, rowBytes);
            continue;
        }
        const Byte* b = a + rowBytes;  // f != 0 only happens below the last source row
        const unsigned nf = 255 - f;
        for (std::size_t k = 0; k < rowBytes; ++k) d[k] = static_cast<Byte>((b[k] * f + a[k] * nf) / 255);
    }
}

// Area average of h source rows into n <= h output rows (dst zero-filled). Source row i covers
// output [i * n / h, (i + 1) * n / h); its share of each output row is added, each contribution
// truncated on its own.
void ShrinkRows(const Byte* src, Byte* dst, int w, int h, int n) {
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
    Byte first[256], second[256];
    for (int i = 0; i < h; ++i) {
        const long long p = static_cast<long long>(i) * n;
        const long long q = p + n;
        const long long d = q / h;
        const long long pd = p / h;
        const Byte* s = src + i * rowBytes;
        if (pd == d) {
            for (int v = 0; v < 256; ++v) first[v] = static_cast<Byte>(static_cast<long long>(n) * v / h);
            Byte* o = dst + pd * rowBytes;
            for (std::size_t k = 0; k < rowBytes; ++k) o[k] = static_cast<Byte>(o[k] + first[s[k]]);
            continue;
        }
        if (p != h * d) {
            const long long wt = h * d - p;
            for (int v = 0; v < 256; ++v) first[v] = static_cast<Byte>(v * wt / h);
            Byte* o = dst + pd * rowBytes;
            for (std::size_t k = 0; k < rowBytes; ++k) o[k] = static_cast<Byte>(o[k] + first[s[k]]);
        }
        const long long e = q % h;
        if (e != 0) {
            for (int v = 0; v < 256; ++v) second[v] = static_cast<Byte>(e * v / h);
            Byte* o = dst + d * rowBytes;
            for (std::size_t k = 0; k < rowBytes; ++k) o[k] = static_cast<Byte>(o[k] + second[s[k]]);
        }
    }
}

// Horizontal pass, enlarging w -> m columns (w < m), on every one of rows rows: mixes column c and
// c + 1 with >> 8. With fraction 0 the right neighbour has weight 0 and is not read.
void EnlargeColumns(const Byte* src, Byte* dst, int w, int m, int rows) {
    const std::size_t srcRow = static_cast<std::size_t>(w) * 4;
    const std::size_t dstRow = static_cast<std::size_t>(m) * 4;
    for (int i = 0; i < m; ++i) {
        const long long num = static_cast<long long>(i) * (w - 1);
        const int c = static_cast<int>(num / (m - 1));
        const unsigned f = static_cast<unsigned>((num * 255 / (m - 1)) % 255);
        const unsigned nf = 255 - f;
        const Byte* s = src + static_cast<std::size_t>(c) * 4;
        Byte* d = dst + static_cast<std::size_t>(i) * 4;
        for (int y = 0; y < rows; ++y, s += srcRow, d += dstRow) {
            if (f == 0) {
                for (int k = 0; k < 4; ++k) d[k] = static_cast<Byte>((s[k] * 255u) >> 8);
            } else {
                for (int k = 0; k < 4; ++k) d[k] = static_cast<Byte>((s[k] * nf + s[k + 4] * f) >> 8);
            }
        }
    }
}

// Area average of w source columns into m <= w output columns (dst zero-filled).
void ShrinkColumns(const Byte* src, Byte* dst, int w, int m, int rows) {
    const std::size_t srcRow = static_cast<std::size_t>(w) * 4;
    const std::size_t dstRow = static_cast<std::size_t>(m) * 4;
    for (int i = 0; i < w; ++i) {
        const long long p = static_cast<long long>(i) * m;
        const long long q = p + m;
        const long long d = q / w;
        const long long pd = p / w;
        const long long e = q % w;
        const bool single = pd == d;
        const long long w1 = single ? m : w * d - p;  // share of output column pd (0 when none)
        const long long w2 = single ? 0 : e;          // share of output column d
        const Byte* s = src + static_cast<std::size_t>(i) * 4;
        Byte* o1 = dst + static_cast<std::size_t>(pd) * 4;
        Byte* o2 = w2 ? dst + static_cast<std::size_t>(d) * 4 : o1;
        for (int y = 0; y < rows; ++y, s += srcRow, o1 += dstRow, o2 += dstRow) {
            for (int k = 0; k < 4; ++k) {
                if (w1) o1[k] = static_cast<Byte>(o1[k] + s[k] * w1 / w);
                if (w2) o2[k] = static_cast<Byte>(o2[k] + s[k] * w2 / w);
            }
        }
    }
}

std::unique_ptr<Byte[]> ZeroBuffer(int width, int height) {
    return std::unique_ptr<Byte[]>(new (std::nothrow)
                                       Byte[static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4]());
}

}  // namespace

bool CBmp::Resample(int newWidth, int newHeight) {
    if (IsEmpty() || newWidth <= 0 || newHeight <= 0) return false;
    if (newWidth == m_width && newHeight == m_height) return false;
    if (!IsAcceptableSize(newWidth, newHeight) || !IsAcceptableSize(m_width, newHeight)) return false;

    auto rows = ZeroBuffer(m_width, newHeight);
    if (!rows) return false;
    if (m_height < newHeight)
        EnlargeRows(m_bits.get(), rows.get(), m_width, m_height, newHeight);
    else
        ShrinkRows(m_bits.get(), rows.get(), m_width, m_height, newHeight);

    auto out = ZeroBuffer(newWidth, newHeight);
    if (!out) return false;
    if (m_width < newWidth)
        EnlargeColumns(rows.get(), out.get(), m_width, newWidth, newHeight);
    else
        ShrinkColumns(rows.get(), out.get(), m_width, newWidth, newHeight);

    m_bits = std::move(out);
    m_width = newWidth;
    m_height = newHeight;
    m_size = newWidth * newHeight * 4;
    return true;
}
