// CFrameCache: the part of the desktop frame that stays the same from tick to tick, so a tick only
// computes the pixels that change.
//
// A frame is the tree, then the items in order (toys as they are, garlands recoloured with the
// tick's gradient colour), then the lights and the opacity. Only the garlands depend on the tick,
// and only where they have non-zero alpha. Let k be the first visible garland. The cache keeps:
//   - S, the whole frame after every item, built once with some gradient colour: exact wherever no
//     garland from k on covers the pixel (a garland pixel of alpha 0 changes nothing);
//   - M, those covered pixels, as row spans, and P, the frame after the tree and the items before k,
//     on M only;
//   - for every visible item from k on, the runs of its non-zero pixels that lie in M, copied as
//     planar groups of eight pixels with their places (view/FrameGroups.h), a run's last group
//     padded with pixels of alpha 0, which blend to what is there (W has room for a group past
//     its end).
// A tick works in W, an unscaled copy of the frame that equals S except where the tick draws: it
// puts P back on M and replays the items from k on over their runs with the tick's colour (the
// same per-pixel steps in the same order, so bit for bit the full build; toys after k are replayed
// on M only, elsewhere S already holds them). The view opacity scales each byte on its own, so
// the window's frame is S' (S scaled once per opacity) with M scaled from W; then the lights draw
// into W, put each pixel they change, scaled, into the frame too, and report their runs, which go
// back to S in W before the next tick. The window's frame is written whole only when it is a new
// buffer or the opacity changed; otherwise the lights' last runs go back to S' there, so a tick
// touches M and the lights' pixels and nothing else. The cache is keyed by the
// frame size and the scene's pictures (object, buffer and size), places, types and visibility. New
// content in the same buffers cannot be seen from here: the builder drops the cache after every
// pause (the scene is replaced while paused) and on request (Invalidate).
#pragma once

#include "view/FrameTypes.h"
#include "view/FrameGroups.h"
#include "view/FramePixels.h"
#include "view/FrameRuns.h"

#include <cstdint>
#include <vector>

class CFrameCache {
public:
    // True when the cache holds the static layers of this scene at this frame size.
    bool Matches(const SFrameScene& scene, int width, int height) const noexcept;
    // Builds the static layers (allocates; not per tick).
    void Build(const SFrameScene& scene, int width, int height);
    // Writes the whole frame (of the cached size) for the gradient colour: items, lights (may be
    // null; they draw into W and report their runs) and the view opacity in percent.
    void Compose(std::uint8_t* frame, SGradientColour colour, int opaque, IFrameLights* lights) noexcept;
    void Invalidate() noexcept { m_valid = false; }
    // The caller's frame buffer was made anew or written by someone else: the next Compose writes
    // it whole. (A different buffer is noticed here; a new one at the old address is not.)
    void ForgetFrame() noexcept { m_kept = nullptr; }
    bool IsValid() const noexcept { return m_valid; }

    // How many times the layers were built; the pixels a tick computes (tests and benchmarks).
    int Builds() const noexcept { return m_builds; }
    int ScaledBuilds() const noexcept { return m_scaledBuilds; }
    std::size_t ChangingPixels() const noexcept { return m_under.size() / 4; }

private:
    // What a cached picture was: a change of any field means another scene.
    struct SKey {
        const void* picture;
        const std::uint8_t* bits;
        int width, height, x, y, type;
        bool visible;
        bool operator==(const SKey&) const = default;
    };
    struct SSpan {  // pixels [at, at + count) of the frame
        std::uint32_t at, count;
    };
    struct SLayer {  // an item replayed as groups [first, last)
        int type;
        std::size_t first, last;
    };

    static SKey KeyOf(const SFramePicture& picture) noexcept;
    // The static frame scaled by factor f: S itself at 256, else S' (made again when f changed).
    const std::uint8_t* Scaled(std::uint32_t f) noexcept;

    std::vector<SKey> m_key;  // tree first, then the items
    int m_width = 0;
    int m_height = 0;
    bool m_valid = false;
    int m_builds = 0;
    int m_scaledBuilds = 0;
    std::vector<std::uint8_t> m_static;  // S: width * height * 4
    std::vector<std::uint8_t> m_scaled;  // S' for m_factor (empty until an opacity below 100 %)
    std::uint32_t m_factor = 256;
    std::vector<std::uint8_t> m_work;    // W
    SFrameCopy m_copy;                   // the lights' output: the window's frame, their runs
    const std::uint8_t* m_kept = nullptr;  // the frame the last tick wrote whole, at m_keptFactor
    std::uint32_t m_keptFactor = 256;
    std::vector<SSpan> m_spans;          // M
    std::vector<std::uint8_t> m_under;   // P on M, span after span
    std::vector<SLayer> m_layers;
    std::vector<std::uint16_t> m_groups;   // the replayed pixels, planar (view/FrameGroups.h)
    std::vector<std::uint32_t> m_groupAt;  // each group's first frame pixel
};
