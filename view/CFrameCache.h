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
//   - for every visible item from k on, the runs of its non-zero pixels that lie in M.
// A tick copies S, puts P back on M and replays the items from k on over their runs with the tick's
// colour: the same per-pixel steps in the same order, so the result is bit for bit the full build.
// Toys after k are replayed on M only; elsewhere S already holds them. The cache is keyed by the
// frame size and the scene's pictures (object, buffer and size), places, types and visibility. New
// content in the same buffers cannot be seen from here: the builder drops the cache after every
// pause (the scene is replaced while paused) and on request (Invalidate).
#pragma once

#include "view/FrameTypes.h"
#include "view/FramePixels.h"

#include <cstdint>
#include <vector>

class CFrameCache {
public:
    // True when the cache holds the static layers of this scene at this frame size.
    bool Matches(const SFrameScene& scene, int width, int height) const noexcept;
    // Builds the static layers (allocates; not per tick).
    void Build(const SFrameScene& scene, int width, int height);
    // Writes the frame after all items for the gradient colour into frame (of the cached size).
    void Compose(std::uint8_t* frame, SGradientColour colour) const noexcept;
    void Invalidate() noexcept { m_valid = false; }
    bool IsValid() const noexcept { return m_valid; }

    // How many times the layers were built; the pixels a tick computes (tests and benchmarks).
    int Builds() const noexcept { return m_builds; }
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
    struct SRun {  // count pixels from picture pixel src onto frame pixel at
        std::uint32_t at, src, count;
    };
    struct SLayer {  // an item replayed over runs [first, last)
        const std::uint8_t* bits;
        int type;
        std::size_t first, last;
    };

    static SKey KeyOf(const SFramePicture& picture) noexcept;

    std::vector<SKey> m_key;  // tree first, then the items
    int m_width = 0;
    int m_height = 0;
    bool m_valid = false;
    int m_builds = 0;
    std::vector<std::uint8_t> m_static;  // S: width * height * 4
    std::vector<SSpan> m_spans;          // M
    std::vector<std::uint8_t> m_under;   // P on M, span after span
    std::vector<SRun> m_runs;
    std::vector<SLayer> m_layers;
};
