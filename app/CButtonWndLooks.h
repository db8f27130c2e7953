// BuildButtonLooks: the main window's image button looks (normal, hot, pressed) built as layers of
// its base picture, from a texture and a gloss overlay.
#pragma once

class CBmp;

// Look groups of the button picture.
inline constexpr int kLookNormal = 0;
inline constexpr int kLookHot = 1;
inline constexpr int kLookPressed = 2;

// Layers (group, index) that hold the texture; the button scrolls them while the pointer hovers.
struct SLayerRef {
    int group;
    int index;
};
inline constexpr SLayerRef kTextureLayers[] = {{kLookHot, 2}, {kLookNormal, 0}, {kLookPressed, 2}};

// Adds groups 0..2 to base (when missing) and fills them from base, texture and overlay:
// each look is the texture cut to the base's shape under the overlay; the hot look adds two soft
// shadows and a brighter face, the pressed look a dark and a light copy shifted against each other
// and a darker face. An empty texture or overlay leaves its layers empty. Answers false, adding no
// layers, when base is empty (its alpha channel cannot be taken).
// At a dpi other than 96 the button is built at that scale: base, texture and overlay are first
// resampled once from their 96-DPI pictures, and the looks' sizes and offsets are scaled, so no
// finished look is ever stretched.
bool BuildButtonLooks(CBmp& base, const CBmp& texture, const CBmp& overlay, int dpi = 96);

// The same in steps, so that a look is built only when it is first shown: PrepareButtonBase
// resamples base to the dpi's scale and adds the groups (false when base is empty), and
// BuildButtonLook then adds one look's layers (kLookNormal, kLookHot or kLookPressed) from the
// 96-DPI texture and overlay, exactly as BuildButtonLooks does.
bool PrepareButtonBase(CBmp& base, int dpi);
bool BuildButtonLook(CBmp& base, int look, const CBmp& texture, const CBmp& overlay, int dpi);
