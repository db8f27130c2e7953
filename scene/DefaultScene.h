// The built-in decoration a profile without items starts with, and the tree every load starts from.
#pragma once

#include "scene/CColReg.h"

class CItem;

// Resets the tree item to the built-in tree 122 at (0, 0) with neutral colour settings; the
// stored tree section is loaded over it.
void ResetTreeItem(CItem& tree);

// Appends the twenty default garlands, toys and the star, in drawing order. Their pictures are
// neither loaded nor rendered here.
void AddDefaultScene(CColReg<CItem*>& items);

// Resource ids the default scene and the tree reset use.
constexpr unsigned int kDefaultTreeResource = 122;
// The first toy and the lights garland: what a toy or garland shows when its own picture fails.
constexpr unsigned int kDefaultToyResource = 131;
constexpr unsigned int kDefaultGarlandResource = 145;
constexpr int kDefaultSceneItemCount = 20;
