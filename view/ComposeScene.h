// Scene composition: the box of everything visible (which sizes the desktop view and gives every
// item its offset), the composed picture of the visible tree and toys (where blink lights may
// sit), and the garland layer. Portable pixel work only; resizing the view window to the box is
// the window's business.
#pragma once

#include "scene/CBmp.h"
#include "view/ViewScale.h"

#include <span>
#include <vector>

class CItem;

// Scene-coordinate rectangle [minX, maxX) x [minY, maxY).
struct SSceneBox {
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = 0;
    int Width() const noexcept { return maxX - minX; }
    int Height() const noexcept { return maxY - minY; }
};

// One item as the view shows it: where its picture lies and, at a scale other than 100 %, the
// picture rendered for that scale from the item's source (at 100 % the item's own serves).
struct SViewPicture {
    const CItem* item = nullptr;  // borrowed: the item this place was composed from
    int x = 0;                    // top-left in view pixels, relative to the box
    int y = 0;
    int width = 0;                // size in view pixels
    int height = 0;
    bool ownPicture = false;      // scaled holds the picture (the scale is not 100 %)
    CBmp scaled;

    // The picture to draw; the item must still exist.
    const CBmp& Picture() const noexcept;
};

struct SComposition {
    SViewScale scale;
    SSceneBox sceneBox;  // the box in scene (100 %) units
    SSceneBox box;       // the box in view pixels: the view window's size
    CBmp picture;        // visible tree and toys; clear when none, opaque when no pixel carried alpha
    CBmp garlands;       // visible garlands on transparent black
    SViewPicture tree;
    std::vector<SViewPicture> items;  // the collection's items, in its order
};

// Sides longer than this are cut: items placed absurdly far apart cannot ask for a huge window.
constexpr int kMaxComposeSide = 8192;

// The bounding box of the visible tree's rendered picture and of every visible item of the
// collection. An empty rendered picture contributes its position only; when the box comes out
// empty (nothing visible has a picture), it is the tree's rectangle, so the view keeps a size.
SSceneBox ComposeBox(const CItem& tree, std::span<CItem* const> items);

// A scene box in view pixels: between its scaled edges, each side cut at kMaxComposeSide.
SSceneBox ScaleBox(const SSceneBox& box, SViewScale scale);

// Where a scene rectangle (top-left x, y; size width x height, 100 % units) lies in the view:
// between its scaled edges, relative to the view box's corner.
void PlaceInView(int x, int y, int width, int height, const SSceneBox& viewBox, SViewScale scale, SViewPicture& out);

// Box, composed picture and garland layer at the view's scale. Every item is placed at its scaled
// position; away from 100 % the visible tree and the drawn items get pictures rendered from their
// sources at their scaled size, once here (never per frame). The visible tree is drawn first, then
// the visible items in collection order: toys (type 1) into the picture, garlands (type 2) into
// the garland layer, others skipped. A picture or layer that cannot be allocated comes out empty.
void ComposeScene(const CItem& tree, std::span<CItem* const> items, SComposition& out, SViewScale scale = {});
