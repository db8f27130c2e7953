// The stored settings of the tree and the items as plain values, without any picture: what an
// undo step of the construction page keeps. Taking them copies no picture; putting them back sets
// the settings only (the caller reloads and renders the pictures that changed).
#pragma once

#include "param/Tstr.h"
#include "scene/CColReg.h"

#include <vector>

class CItem;

struct SItemSettings {
    tstr caption;
    tstr path;
    unsigned int resid = 0;
    int type = 0, source = 0, visible = 1;
    int x = 0, y = 0;
    int hue = 0, brig = 0, contr = 0, opaque = 100, size = 100;
    int bIgnClr = 0;
    unsigned long crIgnClr = 0;

    bool operator==(const SItemSettings& o) const;
    bool operator!=(const SItemSettings& o) const { return !(*this == o); }
    // Whether the picture itself (not only its colours, size or place) differs.
    bool OtherPicture(const SItemSettings& o) const;
};

struct SSceneSettings {
    SItemSettings tree;
    std::vector<SItemSettings> items;  // drawing order

    bool operator==(const SSceneSettings& o) const { return tree == o.tree && items == o.items; }
    bool operator!=(const SSceneSettings& o) const { return !(*this == o); }
};

SItemSettings SettingsOf(const CItem& item);
// Sets item's settings (through its parameters, so bound controls follow); no reload, no render.
void PutSettings(const SItemSettings& settings, CItem& item);
SSceneSettings SceneSettingsOf(const CItem& tree, const CColReg<CItem*>& items);
