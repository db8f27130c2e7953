// LoadItemPicture: an item's picture with a visible fallback, the same at start-up, on the
// construction page and in the tree and item dialogs.
#pragma once

class CItem;

// Loads the item's source picture (CItem::LoadPicture). When that gives nothing (a picture file
// that does not decode, a built-in id that names no picture), the built-in picture the item's
// resid chooses is loaded instead, or failing that the default picture of its type (tree, toy or
// garland), so the item never disappears. The stored choice (source, resid, path) stays as it is.
// Answers whether the item's own choice loaded.
bool LoadItemPicture(CItem& item);
