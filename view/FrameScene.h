// FillFrameScene: the frame builder's view of the scene: the tree's and the items' pictures at
// their places in the frame, as the last composition left them (scaled to the view's display).
#pragma once

#include "view/CFrameBuilder.h"

#include <span>

class CItem;
struct SComposition;
struct SSceneBox;

// Refills out (reusing its storage) from the tree and the items in collection order. An item the
// composition does not know (the scene changed without a new composition) is placed from its own
// position and rendered picture at the composition's scale. The pictures are borrowed: out is
// valid until the items are rendered again or deleted, or the scene is composed again.
void FillFrameScene(const CItem& tree, std::span<CItem* const> items, const SComposition& composition,
                    SFrameScene& out);
// The same at 100 %: every item's own picture at its position relative to box.
void FillFrameScene(const CItem& tree, std::span<CItem* const> items, const SSceneBox& box, SFrameScene& out);
