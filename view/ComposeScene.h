// Scene composition: the box of everything visible (which sizes the desktop view and gives every
// item its offset), the composed picture of the tree and the visible toys (where blink lights may
// sit), and the garland layer. Portable pixel work only; resizing the view window to the box is
// the window's business.
#pragma once

#include "scene/CBmp.h"

#include <span>

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

struct SComposition {
    SSceneBox box;
    CBmp picture;   // tree and visible toys; fully opaque when no pixel carried alpha
    CBmp garlands;  // visible garlands on transparent black
};

// Sides longer than this are cut: items placed absurdly far apart cannot ask for a huge window.
constexpr int kMaxComposeSide = 8192;

// The bounding box of the tree's rendered picture (always, whatever its visibility) and of every
// visible item of the collection. An empty rendered picture contributes its position only.
SSceneBox ComposeBox(const CItem& tree, std::span<CItem* const> items);

// Box, composed picture and garland layer. The tree is drawn first, then the items in collection
// order: toys (type 1) into the picture, garlands (type 2) into the garland layer, others skipped.
// A picture or layer that cannot be allocated comes out empty.
void ComposeScene(const CItem& tree, std::span<CItem* const> items, SComposition& out);
