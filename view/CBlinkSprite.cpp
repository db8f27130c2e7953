#include "view/CBlinkSprite.h"

#include "scene/CBmp.h"
#include "view/BlinkSpan.h"
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
            // Whole groups of eight (else four) pixels where the sprite is wide enough, for the
            // vector kernels: the extra pixels are sprite pixels too and blend by the same rule.
            int count = last - first + 1;
            const int group = w >= 8 ? 8 : 4;
            if (w >= 4) count = std::min(w, (count + group - 1) / group * group);
            first = std::min(first, w - count);
            // b >= 1 needs s >= ceil(256 / sparkle) = need, that is mask * intensity >= 256 * need.
            int least = 256;
            for (int c = first; c < first + count; ++c) {
                const int m = maskAt(r, c), sp = sparkAt(k, r, c);
                if (m > 0 && sp > 0) least = std::min(least, (256 * ((255 + sp) / sp) + m - 1) / m);
            }
            sprite->m_runs.push_back({r, first, count, sprite->m_mask.size(), least});
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
    const SLightTint tint{static_cast<std::uint32_t>(std::min(intensity, 255)), colour & 0xFF, (colour >> 8) & 0xFF,
                          (colour >> 16) & 0xFF, copy ? copy->factor : 256};
    const BlinkSpanKernels::Kernel blend = LightSpanKernel();
    for (std::size_t i = m_first[k]; i < m_first[k + 1]; ++i) {
        const SRun& run = m_runs[i];
        if (static_cast<int>(tint.level) < run.least) continue;  // b = 0 on the whole run
        const long long fy = static_cast<long long>(y) + run.row;
        if (fy < 0 || fy >= frameHeight) continue;
        const int lo = static_cast<int>(std::max<long long>(run.col, -static_cast<long long>(x)));
        const int hi = static_cast<int>(std::min<long long>(run.col + run.count, static_cast<long long>(frameWidth) - x));
        if (lo >= hi) continue;
        // Column lo of the sprite: byte lo - col of the run, frame pixel x + lo of the row.
        const std::size_t at = static_cast<std::size_t>(fy) * static_cast<std::size_t>(frameWidth) +
                               static_cast<std::size_t>(static_cast<long long>(x) + lo);
        const std::size_t bytes = run.bytes + static_cast<std::size_t>(lo - run.col);
        if (copy) copy->runs.Add(at, static_cast<std::size_t>(hi - lo));
        blend(m_mask.data() + bytes, m_spark.data() + bytes, hi - lo, frame + at * 4, copy ? copy->bits + at * 4 : nullptr,
              tint);
    }
}
