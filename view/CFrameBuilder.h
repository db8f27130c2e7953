// CFrameBuilder: builds one frame of the desktop view per timer tick: the tree, the toys, the
// garlands recoloured with the gradient's current column, the blink lights and the view opacity,
// as premultiplied BGRA pixels ready for a per-pixel-alpha layered window. Portable: the caller
// owns the frame buffer (the Win32 presenter hands in its DIB section's bits) and reuses it.
// SFramePicture / SFrameScene: what a frame is built from. IFrameLights: the blink lights' hook.
#pragma once

#include <cstdint>
#include <vector>

class CBmp;

// One picture of the scene at its place in the frame.
struct SFramePicture {
    const CBmp* picture = nullptr;  // straight-alpha BGRA; null or empty draws nothing
    int x = 0;                      // top-left in frame pixels (scene position minus box minimum)
    int y = 0;
    int type = 0;                   // items: 1 toy, 2 garland; other types are not drawn
    bool visible = true;            // items only: the tree is drawn whatever its visibility
};

struct SFrameScene {
    SFramePicture tree;
    std::vector<SFramePicture> items;  // in drawing (collection) order
};

// A caller-owned frame: width x height pixels, rows top to bottom, stride width * 4.
struct SFrameView {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
};

// Advances the blink lights by one tick and draws the visible ones into the frame.
class IFrameLights {
public:
    virtual ~IFrameLights() = default;
    virtual void StepAndDraw(std::uint8_t* frame, int width, int height) = 0;
};

struct SGradientColour {
    std::uint8_t r, g, b;
};

class CFrameBuilder {
public:
    // One timer tick. While paused, or for an empty frame (0 x 0 or no buffer), nothing is built,
    // no light moves and the gradient index stays. Otherwise the whole frame is rebuilt and true
    // is answered. opaque is the view opacity in percent (100 and above: fully opaque).
    bool Tick(const SFrameScene& scene, const CBmp* gradient, int opaque, IFrameLights* lights,
              const SFrameView& frame);

    // The garland colour of this frame: column "gradient index" of the gradient's first row, then
    // the index moves on (wrapping at the gradient's width). An index left outside a narrower
    // gradient is brought back to 0 before reading. No gradient: red, and the index stays.
    SGradientColour NextGradientColour(const CBmp* gradient);

    bool IsPaused() const noexcept { return m_paused != 0; }
    void SetPaused(bool paused) noexcept { m_paused = paused ? 1 : 0; }
    int GradientIndex() const noexcept { return m_gradientIndex; }
    void SetGradientIndex(int index) noexcept { m_gradientIndex = index; }

    // The pixel steps, each clipped to the frame (public for tests and benchmarks). DrawTree
    // expects the cleared frame under the tree, as Tick leaves it.
    static void DrawTree(const CBmp& picture, int x, int y, const SFrameView& frame) noexcept;
    static void DrawToy(const CBmp& picture, int x, int y, const SFrameView& frame) noexcept;
    static void DrawGarland(const CBmp& picture, int x, int y, SGradientColour colour,
                            const SFrameView& frame) noexcept;
    static void ApplyOpacity(int opaque, const SFrameView& frame) noexcept;

private:
    int m_gradientIndex = 0;
    int m_paused = 0;
};
