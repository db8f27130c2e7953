// The pictures of the construction page's pane and toolbar at a window's DPI. Thumbnails are
// rendered from their item's source at the scaled size; the small tool pictures exist as 100 %
// art only, so away from 96 DPI they are resampled smoothly (linear when enlarging) before their
// button looks are built, the looks' offsets scaled with them.
#pragma once

#include <windows.h>

class CBmp;
class CItem;

// The item's thumbnail for a pane at dpi into out: at 96 DPI a copy of the item's own, elsewhere
// its size scaled and rendered from the source. False when out stays empty.
bool ThumbnailForDpi(const CItem& item, UINT dpi, CBmp& out);
// Bitmap resource id of module at dpi, its button looks built with tint, into out. Above 125 %
// a picture drawn at twice the size (largeId, when given) is scaled down instead of id scaled up.
bool ToolPictureForDpi(HINSTANCE module, int id, UINT dpi, unsigned long tint, CBmp& out, int largeId = 0);
