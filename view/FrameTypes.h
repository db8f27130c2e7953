// FrameTypes: what a desktop frame is built from and into. SFramePicture / SFrameScene: the
// scene's pictures at their places; SFrameView: a caller-owned frame; IFrameLights: the blink
// lights' hook; SGradientColour: the garland colour of a tick.
#pragma once

#include <cstdint>
#include <vector>

class CBmp;
struct SFrameCopy;

// One picture of the scene at its place in the frame.
struct SFramePicture {
    const CBmp* picture = nullptr;  // straight-alpha BGRA; null or empty draws nothing
    int x = 0;                      // top-left in frame pixels (scene position minus box minimum)
    int y = 0;
    int type = 0;                   // items: 1 toy, 2 garland; other types are not drawn
    bool visible = true;            // hidden pictures are not drawn (the tree's included)
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

// Advances the blink lights by one tick and draws the visible ones into the frame. With a copy
// (view/FrameRuns.h), every pixel a light changes is also written, scaled, into the copy and
// reported in its runs: the frame builder draws the lights into its own unscaled work frame.
class IFrameLights {
public:
    virtual ~IFrameLights() = default;
    virtual void StepAndDraw(std::uint8_t* frame, int width, int height, SFrameCopy* copy) = 0;
};

struct SGradientColour {
    std::uint8_t r, g, b;
};
