// FillFrameScene: the frame builder's view of the scene: the tree's and the items' rendered
// pictures at their places in the frame (scene position minus the composition box's minimum).
#pragma once

#include "view/CFrameBuilder.h"

#include <span>

class CItem;
struct SSceneBox;

// Refills out (reusing its storage) from the tree and the items in collection order. The pictures
// are borrowed: out is valid until the items are rendered again or deleted.
void FillFrameScene(const CItem& tree, std::span<CItem* const> items, const SSceneBox& box, SFrameScene& out);
