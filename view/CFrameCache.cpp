#include "view/FrameSimd.h"

#include "view/CFrameCache.h"

#include "scene/CBmp.h"
#include "view/CFrameBuilder.h"

#include <cstring>
#include <new>

namespace {
// Room for the lights' runs: 50 lights of 32 rows, twice over; more runs in one tick fall back to
// a whole-frame pass for that tick.
constexpr std::size_t kDrawnRuns = 4096;
// The longest gap a replayed run bridges with lanes of alpha 0.
constexpr int kGapLanes = 4;

// A copy of the short runs a tick restores (tens of bytes each, hundreds of them per tick), without
// a library call for each: 16 bytes at a time, the last 16 ending at n.
inline void CopyRun(std::uint8_t* d, const std::uint8_t* s, std::size_t n) noexcept {
#ifdef PINARBO_FRAME_SSE2
    if (n >= 16) {
        for (std::size_t i = 0; i + 16 < n; i += 16)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + n - 16), _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + n - 16)));
        return;
    }
#endif
    std::memcpy(d, s, n);
}

// n bytes of s scaled by f (below 256) into d, which is not s: the steps of ScaleBytes without its
// test for blocks of zeros (garland pixels seldom are) and without a call per run.
inline void ScaleRun(std::uint8_t* d, const std::uint8_t* s, std::size_t n, std::uint32_t f) noexcept {
#ifdef PINARBO_FRAME_SSE2
    if (n >= 16) {
        const __m128i factor = _mm_set1_epi16(static_cast<short>(f));
        auto scale = [&](std::size_t i) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), ScaleBytesX16(v, factor));
        };
        for (std::size_t i = 0; i + 16 < n; i += 16) scale(i);
        scale(n - 16);  // bytes scaled twice are scaled from s both times
        return;
    }
#endif
    ScaleBytes(s, d, n, f);
}
}  // namespace

CFrameCache::SKey CFrameCache::KeyOf(const SFramePicture& p) noexcept {
    const CBmp* bmp = p.picture;
    return {bmp, bmp ? bmp->Bits() : nullptr, bmp ? bmp->Width() : 0, bmp ? bmp->Height() : 0, p.x, p.y, p.type,
            p.visible};
}

bool CFrameCache::Matches(const SFrameScene& scene, int width, int height) const noexcept {
    if (!m_valid || width != m_width || height != m_height || m_key.size() != scene.items.size() + 1) return false;
    if (!(m_key[0] == KeyOf(scene.tree))) return false;
    for (std::size_t i = 0; i < scene.items.size(); ++i)
        if (!(m_key[i + 1] == KeyOf(scene.items[i]))) return false;
    return true;
}

void CFrameCache::Build(const SFrameScene& scene, int width, int height) {
    m_valid = false;
    m_key.clear();
    m_key.push_back(KeyOf(scene.tree));
    for (const SFramePicture& item : scene.items) m_key.push_back(KeyOf(item));
    m_width = width;
    m_height = height;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);

    auto drawn = [](const SFramePicture& p) { return p.visible && p.picture && !p.picture->IsEmpty(); };
    std::size_t first = scene.items.size();  // the first visible garland
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        if (drawn(scene.items[i]) && scene.items[i].type == 2) {
            first = i;
            break;
        }
    }

    // S, keeping a copy of the frame as it stands before the first garland (P).
    m_static.assign(pixels * 4, 0);
    const SFrameView view{m_static.data(), width, height};
    if (drawn(scene.tree)) CFrameBuilder::DrawTree(*scene.tree.picture, scene.tree.x, scene.tree.y, view);
    std::vector<std::uint8_t> under;
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        if (i == first) under = m_static;
        const SFramePicture& item = scene.items[i];
        if (!drawn(item)) continue;
        if (item.type == 1) CFrameBuilder::DrawToy(*item.picture, item.x, item.y, view);
        if (item.type == 2) CFrameBuilder::DrawGarland(*item.picture, item.x, item.y, {0, 255, 0}, view);
    }

    // M: every pixel a garland from the first on covers with non-zero alpha.
    std::vector<std::uint8_t> covered(first < scene.items.size() ? pixels : 0, 0);
    for (std::size_t i = first; i < scene.items.size(); ++i) {
        const SFramePicture& item = scene.items[i];
        SFrameClip clip;
        if (!drawn(item) || item.type != 2 ||
            !ClipPicture(item.picture->Width(), item.picture->Height(), item.x, item.y, width, height, clip))
            continue;
        for (int row = 0; row < clip.rows; ++row) {
            const std::uint8_t* s = item.picture->Bits() +
                                    (static_cast<std::size_t>(clip.row0 + row) * item.picture->Width() + clip.col0) * 4;
            std::uint8_t* m = covered.data() + static_cast<std::size_t>(item.y + clip.row0 + row) * width + (item.x + clip.col0);
            for (int c = 0; c < clip.cols; ++c) m[c] |= s[c * 4 + 3] != 0;
        }
    }
    m_spans.clear();
    m_under.clear();
    for (std::size_t at = 0; at < covered.size();) {
        if (!covered[at]) {
            ++at;
            continue;
        }
        std::size_t end = at;
        const std::size_t rowEnd = (at / width + 1) * width;
        while (end < rowEnd && covered[end]) ++end;
        m_spans.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(end - at)});
        m_under.insert(m_under.end(), under.begin() + static_cast<std::ptrdiff_t>(at * 4),
                       under.begin() + static_cast<std::ptrdiff_t>(end * 4));
        at = end;
    }

    // The replay: each item from the first garland on, over its non-zero pixels inside M, as groups
    // of eight in ascending frame order.
    m_layers.clear();
    m_groups.clear();
    m_groupAt.clear();
    for (std::size_t i = first; i < scene.items.size(); ++i) {
        const SFramePicture& item = scene.items[i];
        SFrameClip clip;
        if (!drawn(item) || (item.type != 1 && item.type != 2) ||
            !ClipPicture(item.picture->Width(), item.picture->Height(), item.x, item.y, width, height, clip))
            continue;
        const int pw = item.picture->Width();
        const std::size_t groupsBefore = m_groupAt.size();
        for (int row = 0; row < clip.rows; ++row) {
            const std::size_t src0 = static_cast<std::size_t>(clip.row0 + row) * pw + clip.col0;
            const std::size_t at0 = static_cast<std::size_t>(item.y + clip.row0 + row) * width + (item.x + clip.col0);
            const std::uint8_t* s = item.picture->Bits() + src0 * 4;
            // A run goes on over gaps of up to kGapLanes pixels (transparent, or outside M) as
            // lanes of alpha 0: cheaper than starting another group.
            auto replayed = [&](int c) { return s[c * 4 + 3] != 0 && covered[at0 + static_cast<std::size_t>(c)]; };
            for (int c = 0; c < clip.cols;) {
                if (!replayed(c)) {
                    ++c;
                    continue;
                }
                int last = c;
                for (int e = c + 1; e < clip.cols && e - last <= kGapLanes; ++e)
                    if (replayed(e)) last = e;
                const int end = last + 1;
                for (int g = c; g < end; g += kGroupPixels) {
                    const std::size_t at = m_groups.size();
                    m_groups.resize(at + kGroupValues, 0);
                    for (int lane = 0; lane < kGroupPixels && g + lane < end; ++lane) {
                        if (!replayed(g + lane)) continue;
                        const std::uint8_t* px = s + static_cast<std::size_t>(g + lane) * 4;
                        for (int ch = 0; ch < 4; ++ch) m_groups[at + static_cast<std::size_t>(ch * kGroupPixels + lane)] = px[ch];
                    }
                    m_groupAt.push_back(static_cast<std::uint32_t>(at0 + static_cast<std::size_t>(g)));
                }
                c = end;
            }
        }
        if (m_groupAt.size() != groupsBefore) m_layers.push_back({item.type, groupsBefore, m_groupAt.size()});
    }
    // W with room for a garland group that starts within eight pixels of the end.
    m_work.assign(m_static.size() + 4 * kGroupPixels, 0);
    std::memcpy(m_work.data(), m_static.data(), m_static.size());
    m_scaled.clear();
    m_factor = 256;
    m_copy.runs.Reserve(kDrawnRuns);
    m_copy.runs.Clear();
    m_kept = nullptr;
    m_valid = true;
    ++m_builds;
}

const std::uint8_t* CFrameCache::Scaled(std::uint32_t f) noexcept {
    if (f >= 256) return m_static.data();
    if (m_scaled.size() != m_static.size() || f != m_factor) {
        if (m_scaled.size() != m_static.size()) {
            try {
                m_scaled.resize(m_static.size());
            } catch (const std::bad_alloc&) {
                m_scaled.clear();
                return nullptr;  // no room: the caller scales the whole frame
            }
        }
        ScaleBytes(m_static.data(), m_scaled.data(), m_static.size(), f);
        m_factor = f;
        ++m_scaledBuilds;
    }
    return m_scaled.data();
}

void CFrameCache::Compose(std::uint8_t* frame, SGradientColour colour, int opaque, IFrameLights* lights) noexcept {
    std::uint8_t* work = m_work.data();
    const std::size_t bytes = m_static.size();
    const std::uint32_t f = OpacityFactor(opaque);
    const std::uint8_t* scaled = Scaled(f);
    // The window's frame still holds the last tick when it is the same buffer at the same
    // opacity and the lights' runs were all recorded: then only those runs go back to S' there.
    const bool kept = scaled && frame == m_kept && f == m_keptFactor && !m_copy.runs.Overflowed();

    // W (and a kept frame) back to S (S') where the last tick's lights drew.
    if (m_copy.runs.Overflowed()) {
        std::memcpy(work, m_static.data(), bytes);
    } else {
        for (const CFrameRuns::SRun& run : m_copy.runs) {
            const std::size_t at = static_cast<std::size_t>(run.at) * 4;
            const std::size_t count = static_cast<std::size_t>(run.count) * 4;
            CopyRun(work + at, m_static.data() + at, count);
            if (kept) CopyRun(frame + at, scaled + at, count);
        }
    }

    // The garlands and what lies over them, on M.
    const std::uint8_t* under = m_under.data();
    for (const SSpan& span : m_spans) {
        CopyRun(work + static_cast<std::size_t>(span.at) * 4, under, static_cast<std::size_t>(span.count) * 4);
        under += static_cast<std::size_t>(span.count) * 4;
    }
    const SGarlandMix mix = GarlandMix(colour.r, colour.g, colour.b);
    for (const SLayer& layer : m_layers) {
        const std::uint16_t* src = m_groups.data() + layer.first * kGroupValues;
        const std::uint32_t* at = m_groupAt.data() + layer.first;
        if (layer.type == 1) {
            BlendToyGroups(src, at, layer.last - layer.first, work);
        } else {
            BlendGarlandGroups(src, at, layer.last - layer.first, work, mix);
        }
    }

    // The window's frame: S' (already there when kept) with M scaled from W, then the lights,
    // drawn into W and, scaled, into the frame.
    if (scaled) {
        if (!kept) std::memcpy(frame, scaled, bytes);
        for (const SSpan& span : m_spans) {
            const std::size_t at = static_cast<std::size_t>(span.at) * 4;
            const std::size_t count = static_cast<std::size_t>(span.count) * 4;
            if (f >= 256) {
                CopyRun(frame + at, work + at, count);
            } else {
                ScaleRun(frame + at, work + at, count, f);
            }
        }
    } else {
        ScaleBytes(work, frame, bytes, f);
    }
    m_kept = scaled ? frame : nullptr;
    m_keptFactor = f;
    m_copy.bits = frame;
    m_copy.factor = f;
    m_copy.runs.Clear();
    if (lights) lights->StepAndDraw(work, m_width, m_height, &m_copy);
}
