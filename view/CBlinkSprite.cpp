#include "view/FrameSimd.h"

#include "view/CBlinkSprite.h"

#include "scene/CBmp.h"
#include "view/FrameRuns.h"

#include <algorithm>
#include <cstring>

std::shared_ptr<const CBlinkSprite> CBlinkSprite::Make(const CBmp& mask, const CBmp& strip) {
    auto sprite = std::make_shared<CBlinkSprite>();
    const int w = mask.IsEmpty() ? 0 : mask.Width();
    const int h = mask.IsEmpty() ? 0 : mask.Height();
    sprite->m_width = w;
    sprite->m_height = h;
    auto maskAt = [&](int r, int c) -> int {
        const std::uint8_t* p = mask.Bits() + (static_cast<std::size_t>(r) * w + c) * 4;
        return (p[0] | p[1] | p[2] | p[3]) == 0 ? 0 : p[0];
    };
    auto sparkAt = [&](int k, int r, int c) -> int {
        const long long col = static_cast<long long>(k) * w + c;
        if (strip.IsEmpty() || col >= strip.Width() || r >= strip.Height()) return 0;
        return strip.Bits()[(static_cast<std::size_t>(r) * strip.Width() + static_cast<std::size_t>(col)) * 4];
    };
    for (int k = 0; k < kFrames; ++k) {
        sprite->m_first[k] = sprite->m_runs.size();
        for (int r = 0; r < h; ++r) {
            // A pixel can blend only when full intensity gives b = sparkle * s / 256 >= 1.
            int first = w, last = -1;
            for (int c = 0; c < w; ++c) {
                if (sparkAt(k, r, c) * (maskAt(r, c) * 255 / 256) >= 256) {
                    first = std::min(first, c);
                    last = c;
                }
            }
            if (last < 0) continue;
            // Whole groups of four pixels where the sprite is wide enough: the extra pixels are
            // sprite pixels too and blend by the same rule.
            int count = last - first + 1;
            if (w >= 4) count = std::min(w, (count + 3) / 4 * 4);
            first = std::min(first, w - count);
            sprite->m_runs.push_back({r, first, count, sprite->m_mask.size()});
            for (int c = first; c < first + count; ++c) {
                sprite->m_mask.push_back(static_cast<std::uint8_t>(maskAt(r, c)));
                sprite->m_spark.push_back(static_cast<std::uint8_t>(sparkAt(k, r, c)));
            }
        }
    }
    sprite->m_first[kFrames] = sprite->m_runs.size();
    return sprite;
}

int CBlinkSprite::RunPixels(int k) const noexcept {
    if (k < 0 || k >= kFrames) return 0;
    int n = 0;
    for (std::size_t i = m_first[k]; i < m_first[k + 1]; ++i) n += m_runs[i].count;
    return n;
}

void CBlinkSprite::Draw(std::uint8_t* frame, int frameWidth, int frameHeight, int x, int y, int k, int intensity,
                        std::uint32_t colour, SFrameCopy* copy) const noexcept {
    if (!frame || k < 0 || k >= kFrames || intensity <= 0) return;  // intensity 0: s = 0 everywhere
    const std::uint32_t I = static_cast<std::uint32_t>(std::min(intensity, 255));
    const std::uint32_t cb = colour & 0xFF, cg = (colour >> 8) & 0xFF, cr = (colour >> 16) & 0xFF;
    const std::uint32_t f = copy ? copy->factor : 256;
#ifdef PINARBO_FRAME_SSE2
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi16(1);
    const __m128i all = _mm_set1_epi16(255);
    const __m128i level = _mm_set1_epi16(static_cast<short>(I));
    const __m128i tint = _mm_setr_epi16(static_cast<short>(cb), static_cast<short>(cg), static_cast<short>(cr), 0,
                                        static_cast<short>(cb), static_cast<short>(cg), static_cast<short>(cr), 0);
    const __m128i colourLanes = _mm_setr_epi16(-1, -1, -1, 0, -1, -1, -1, 0);
    const __m128i factor = _mm_set1_epi16(static_cast<short>(std::min<std::uint32_t>(f, 255)));
    // Two pixels in 16-bit lanes: Div255(d * (255 - b) + c * b); every term stays below 65536
    // and b = 0 (the alpha lanes) gives d back.
    auto blend = [&](__m128i d, __m128i b) {
        const __m128i x16 = _mm_add_epi16(_mm_mullo_epi16(d, _mm_sub_epi16(all, b)), _mm_mullo_epi16(tint, b));
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x16, one), _mm_srli_epi16(x16, 8)), 8);
    };
#endif
    for (std::size_t i = m_first[k]; i < m_first[k + 1]; ++i) {
        const SRun& run = m_runs[i];
        const long long fy = static_cast<long long>(y) + run.row;
        if (fy < 0 || fy >= frameHeight) continue;
        const int lo = static_cast<int>(std::max<long long>(run.col, -static_cast<long long>(x)));
        const int hi = static_cast<int>(std::min<long long>(run.col + run.count, static_cast<long long>(frameWidth) - x));
        if (lo >= hi) continue;
        // Column c of the sprite: byte c - col of the run, frame pixel x + c of the row.
        const std::uint8_t* m = m_mask.data() + run.bytes;
        const std::uint8_t* sp = m_spark.data() + run.bytes;
        const std::size_t rowStart = static_cast<std::size_t>(fy) * static_cast<std::size_t>(frameWidth);
        auto offset = [&](int c) { return (rowStart + static_cast<std::size_t>(static_cast<long long>(x) + c)) * 4; };
        if (copy) copy->runs.Add(offset(lo) / 4, static_cast<std::size_t>(hi - lo));
        int c = lo;
#ifdef PINARBO_FRAME_SSE2
        for (; c + 4 <= hi; c += 4) {
            int mw, sw;
            std::memcpy(&mw, m + (c - run.col), 4);
            std::memcpy(&sw, sp + (c - run.col), 4);
            const __m128i s16 = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(mw), zero), level), 8);
            const __m128i b16 = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(sw), zero), s16), 8);
            const __m128i bb = _mm_unpacklo_epi16(b16, b16);
            const __m128i b01 = _mm_and_si128(_mm_unpacklo_epi32(bb, bb), colourLanes);
            const __m128i b23 = _mm_and_si128(_mm_unpackhi_epi32(bb, bb), colourLanes);
            std::uint8_t* d = frame + offset(c);
            const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
            const __m128i lo16 = blend(_mm_unpacklo_epi8(px, zero), b01);
            const __m128i hi16 = blend(_mm_unpackhi_epi8(px, zero), b23);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(lo16, hi16));
            if (copy) {
                // byte * f >> 8 on the 16-bit lanes (f = 256 keeps them as they are).
                const __m128i out = f >= 256 ? _mm_packus_epi16(lo16, hi16)
                                             : _mm_packus_epi16(_mm_srli_epi16(_mm_mullo_epi16(lo16, factor), 8),
                                                                _mm_srli_epi16(_mm_mullo_epi16(hi16, factor), 8));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(copy->bits + offset(c)), out);
            }
        }
#endif
        for (; c < hi; ++c) {
            const std::uint32_t s = m[c - run.col] * I / 256;
            const std::uint32_t b = sp[c - run.col] * s / 256;
            if (b == 0) continue;  // d * 255 / 255 == d
            std::uint8_t* d = frame + offset(c);
            d[0] = static_cast<std::uint8_t>((d[0] * (255 - b) + cb * b) / 255);
            d[1] = static_cast<std::uint8_t>((d[1] * (255 - b) + cg * b) / 255);
            d[2] = static_cast<std::uint8_t>((d[2] * (255 - b) + cr * b) / 255);
            if (copy)
                for (int byte = 0; byte < 4; ++byte) copy->bits[offset(c) + static_cast<std::size_t>(byte)] = static_cast<std::uint8_t>((d[byte] * f) >> 8);
        }
    }
}
