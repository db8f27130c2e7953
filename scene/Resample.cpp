// CBmp::Resample: two separable integer passes, rows first into an intermediate buffer of
// old width x new height, then columns into the final buffer. Enlarging interpolates linearly
// between neighbours; shrinking (or keeping) a dimension averages the covered areas.
#include "scene/CBmp.h"
#include "scene/ExactDivide.h"

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
// truncated on its own. Every numerator is at most 255 * h.
void AddShare(const Byte* s, Byte* o, std::size_t count, std::uint64_t weight, const CExactDivide& byH) {
    for (std::size_t k = 0; k < count; ++k) o[k] = static_cast<Byte>(o[k] + byH(s[k] * weight));
}

void ShrinkRows(const Byte* src, Byte* dst, int w, int h, int n) {
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
    const CExactDivide byH(static_cast<std::uint32_t>(h));
    for (int i = 0; i < h; ++i) {
        const long long p = static_cast<long long>(i) * n;
        const long long q = p + n;
        const long long d = q / h;
        const long long pd = p / h;
        const Byte* s = src + i * rowBytes;
        if (pd == d) {
            AddShare(s, dst + pd * rowBytes, rowBytes, static_cast<std::uint64_t>(n), byH);
            continue;
        }
        if (p != h * d) AddShare(s, dst + pd * rowBytes, rowBytes, static_cast<std::uint64_t>(h * d - p), byH);
        const long long e = q % h;
        if (e != 0) AddShare(s, dst + d * rowBytes, rowBytes, static_cast<std::uint64_t>(e), byH);
    }
}

// Horizontal pass, enlarging w -> m columns (w < m), row by row: mixes column c and c + 1 with
// >> 8, where c and the fraction f come from T = i * 255 * (w - 1) / (m - 1) (c = T / 255,
// f = T % 255), stepped per column without division. With fraction 0 the right neighbour has
// weight 0 and is not read.
void EnlargeColumns(const Byte* src, Byte* dst, int w, int m, int rows) {
    const std::uint64_t K = 255ull * static_cast<std::uint64_t>(w - 1), D = static_cast<std::uint64_t>(m - 1);
    const std::uint64_t stepQuot = K / D, stepRem = K % D;
    for (int y = 0; y < rows; ++y) {
        const Byte* s = src + static_cast<std::size_t>(y) * w * 4;
        Byte* d = dst + static_cast<std::size_t>(y) * m * 4;
        std::uint64_t T = 0, rem = 0;
        for (int i = 0; i < m; ++i, d += 4) {
            const std::size_t c = static_cast<std::size_t>(T / 255);
            const unsigned f = static_cast<unsigned>(T % 255), nf = 255 - f;
            const Byte* a = s + c * 4;
            if (f == 0) {
                for (int k = 0; k < 4; ++k) d[k] = static_cast<Byte>((a[k] * 255u) >> 8);
            } else {
                for (int k = 0; k < 4; ++k) d[k] = static_cast<Byte>((a[k] * nf + a[k + 4] * f) >> 8);
            }
            T += stepQuot;
            rem += stepRem;
            if (rem >= D) {
                rem -= D;
                ++T;
            }
        }
    }
}

// Area average of w source columns into m <= w output columns (dst zero-filled), row by row.
// Source column i covers output [i * m / w, (i + 1) * m / w): with p = i * m = pd * w + rem,
// it lies inside output column pd when rem + m <= w (share m), else it gives w - rem to column
// pd and rem + m - w to column pd + 1. p steps by m per column, so no division is needed.
void ShrinkColumns(const Byte* src, Byte* dst, int w, int m, int rows) {
    const CExactDivide byW(static_cast<std::uint32_t>(w));
    const std::uint64_t W = static_cast<std::uint64_t>(w), M = static_cast<std::uint64_t>(m);
    for (int y = 0; y < rows; ++y) {
        const Byte* s = src + static_cast<std::size_t>(y) * w * 4;
        Byte* row = dst + static_cast<std::size_t>(y) * m * 4;
        std::uint64_t pd = 0, rem = 0;
        for (int i = 0; i < w; ++i, s += 4) {
            Byte* o = row + pd * 4;
            if (rem + M <= W) {
                // Inside one output column (rem + m == w ends exactly on its edge).
                for (int k = 0; k < 4; ++k) o[k] = static_cast<Byte>(o[k] + byW(s[k] * M));
            } else {
                const std::uint64_t first = W - rem, second = rem + M - W;
                for (int k = 0; k < 4; ++k) {
                    o[k] = static_cast<Byte>(o[k] + byW(s[k] * first));
                    o[k + 4] = static_cast<Byte>(o[k + 4] + byW(s[k] * second));
                }
            }
            rem += M;
            if (rem >= W) {
                rem -= W;
                ++pd;
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
