#include "wnd/ResourceText.h"
// What the tree and item dialogs share besides the picture source: the value rows (label icon,
// edit, up-down, trackbar) bound to the item, the combo of built-in pictures, and texts from this
// program's string table.
#pragma once

#include <windows.h>

#include <string>

class CDialogIcons;
class CDialogParam;
class CItem;

// Width of the combo lists in the tree and item dialogs (pixels).
constexpr int kComboListWidth = 240;

// Appends text to a combo box with data as its item data.
void AddComboItem(HWND combo, const std::wstring& text, LPARAM data);
// Fills the combo with "caption #1" .. "caption #count", whose data are the bitmap ids first ..
// first + count - 1, and gives its list kComboListWidth.
void FillPictureCombo(HWND combo, const std::wstring& caption, int first, int count);
// Binds the rows hue, brightness, contrast, opacity (only withOpacity) and size to the item's
// parameters and gives their labels their icons.
void BindValueRows(CDialogParam& dialog, CDialogIcons& icons, CItem& item, bool withOpacity);
