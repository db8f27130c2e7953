// Control helpers of the dialog bindings: texts, the edit echo, radio-group walks, combo items,
// and the colour swatch's colour dialog.
#pragma once

#include "param/Tstr.h"

#include <windows.h>

#include <cstdint>

// The whole text of a window, however long.
tstr ControlText(HWND control);
// Shows text in an edit without disturbing the user's typing: the selection (caret) is kept, and
// a text already shown is not set again.
void ShowEditText(HWND edit, const tstr& text);

// A radio button: class "Button" (exactly) with the radio or automatic radio style.
bool IsRadioButton(HWND control);
// The next sibling when it continues a radio group, else null. A group is walked from its bound
// control (position 0) through the radio buttons that follow it.
HWND NextRadioButton(HWND button);
// The button's "RADIO_DATA" property as a 32-bit number.
std::int32_t RadioData(HWND button);
inline constexpr wchar_t kRadioDataProp[] = L"RADIO_DATA";

int ComboCount(HWND combo);
// The selected item, or -1.
int ComboSelection(HWND combo);
// Item data taken as 32 bits, as a 32-bit program stores it.
std::int32_t ComboItemData(HWND combo, int index);
tstr ComboItemText(HWND combo, int index);

// The system colour dialog (full, any colour, starting at colour; custom colours kept for the
// session). True with the chosen colour when the user confirms; false and colour unchanged else.
bool ChooseSwatchColour(HWND owner, COLORREF& colour);
// The sixteen custom colours the colour dialog offers (the user may change them).
COLORREF* SwatchCustomColours();
// Repaints a colour swatch: the control and the part of its parent beneath it.
void RepaintSwatch(HWND control);
