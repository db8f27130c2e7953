// What the item and tree dialogs show while the user edits: the construction page repainted and
// the item's pane entry showing the item's current thumbnail. Both may be missing (no page open,
// no entry): then nothing happens.
#pragma once

class CItem;
class CNavPaneItem;

// Repaints the open construction page, if any.
void RepaintOpenPage();
// Image 0 of the entry's first leading tool becomes the item's thumbnail at the pane's DPI; the
// entry's pane repaints.
void ShowThumbnailInEntry(CNavPaneItem* entry, const CItem& item);
