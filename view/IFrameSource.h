// IFrameSource: what the desktop view asks for at every frame: the scene, the garland gradient,
// the view opacity and the blink lights. The application implements it over the data it owns.
#pragma once

#include "view/CFrameBuilder.h"

class CBmp;
struct HDROP__;

class IFrameSource {
public:
    virtual ~IFrameSource() = default;
    // The scene of the next frame in frame coordinates; null draws nothing.
    virtual const SFrameScene* FrameScene() = 0;
    // The loaded garland gradient (first row used), or null for the fixed red.
    virtual const CBmp* Gradient() = 0;
    // The view opacity in percent, 10..100.
    virtual int Opacity() = 0;
    // The lights to advance and draw, or null.
    virtual IFrameLights* Lights() = 0;
    // The view now shows at another display scale (it moved to a monitor of another DPI): the
    // scene is to be composed again for it. Nothing by default.
    virtual void OnViewDpiChanged() {}
    // The user ended a drag of the view. Nothing by default.
    virtual void OnViewMovedByUser() {}
    // Files were dropped on the view (a shell drop handle). Answers whether the source took the
    // drop and frees it; by default it does not, and the view frees it unread.
    virtual bool OnFilesDropped(HDROP__* /*drop*/) { return false; }
};
