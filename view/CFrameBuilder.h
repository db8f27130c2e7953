// CFrameBuilder: builds one frame of the desktop view per timer tick: the tree, the toys, the
// garlands recoloured with the gradient's current column, the blink lights and the view opacity,
// as premultiplied BGRA pixels ready for a per-pixel-alpha layered window. Portable: the caller
// owns the frame buffer (the Win32 presenter hands in its DIB section's bits) and reuses it,
// leaving it as the last tick wrote it (see FrameReplaced).
// The scene, frame and lights types are in view/FrameTypes.h.
#pragma once

#include "view/CFrameCache.h"
#include "view/FrameTypes.h"

#include <cstdint>

class CBmp;

class CFrameBuilder {
public:
    // One timer tick. While paused, or for an empty frame (0 x 0 or no buffer), nothing is built,
    // no light moves and the gradient index stays. Otherwise the whole frame is rebuilt and true
    // is answered. opaque is the view opacity in percent (100 and above: fully opaque). The parts
    // that do not change from tick to tick come from the frame cache (view/CFrameCache.h), built
    // again when the scene or the frame size changes, after a pause, and after InvalidateScene.
    bool Tick(const SFrameScene& scene, const CBmp* gradient, int opaque, IFrameLights* lights,
              const SFrameView& frame);

    // The garland colour of this frame: column "gradient index" of the gradient's first row, then
    // the index moves on (wrapping at the gradient's width). An index left outside a narrower
    // gradient is brought back to 0 before reading. No gradient: red, and the index stays.
    SGradientColour NextGradientColour(const CBmp* gradient);

    bool IsPaused() const noexcept { return m_paused != 0; }
    // Leaving a pause also drops the cached layers: the scene is replaced while paused.
    void SetPaused(bool paused) noexcept;
    // The items' pictures changed in place (same buffers, new content): build the layers anew.
    void InvalidateScene() noexcept { m_cache.Invalidate(); }
    // Between ticks the frame is expected to hold what the last tick wrote, so a tick rewrites only
    // the pixels that change. Call this when the buffer was made anew (even at the same address) or
    // written by anyone else; a buffer at another address is noticed without it.
    void FrameReplaced() noexcept { m_cache.ForgetFrame(); }
    // How many times the static layers were built (tests).
    int CacheBuilds() const noexcept { return m_cache.Builds(); }
    // How many times the static layers were scaled for a new opacity (tests).
    int ScaledBuilds() const noexcept { return m_cache.ScaledBuilds(); }
    int GradientIndex() const noexcept { return m_gradientIndex; }
    void SetGradientIndex(int index) noexcept { m_gradientIndex = index; }

    // The pixel steps, each clipped to the frame (public for tests and benchmarks). DrawTree
    // expects the cleared frame under the tree, as Tick leaves it.
    static void DrawTree(const CBmp& picture, int x, int y, const SFrameView& frame) noexcept;
    static void DrawToy(const CBmp& picture, int x, int y, const SFrameView& frame) noexcept;
    static void DrawGarland(const CBmp& picture, int x, int y, SGradientColour colour,
                            const SFrameView& frame) noexcept;
    static void ApplyOpacity(int opaque, const SFrameView& frame) noexcept;
    // The tree and the items in order onto a cleared frame, without the cache.
    static void DrawScene(const SFrameScene& scene, SGradientColour colour, const SFrameView& frame) noexcept;

private:
    CFrameCache m_cache;
    int m_gradientIndex = 0;
    int m_paused = 0;
};
