// LoadTreePicture: the tree's picture with a visible fallback, the same at start-up, on the
// construction page and in the tree dialog.
#pragma once

class CItem;

// Loads the tree's source picture (CItem::LoadPicture). When that gives nothing (a picture file
// that does not decode, a built-in id that names no picture), the built-in tree the tree's resid
// chooses is loaded instead, or failing that the default tree, so the tree never disappears. The
// stored choice (source, resid, path) stays as it is. Answers whether the tree's own choice loaded.
bool LoadTreePicture(CItem& tree);
