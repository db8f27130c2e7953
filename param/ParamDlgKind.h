// The control kinds of a dialog binding (its type code).
#pragma once

enum EParamDlgKind : int {
    kParamCheckBox = 1,    // check state = value
    kParamEdit = 2,        // decimal text (a text parameter: the text itself)
    kParamNoControl = 3,   // shows and reads nothing
    kParamComboData = 4,   // the combo item whose item data equals the value
    kParamRadioPos = 5,    // radio group: value = position of the checked button
    kParamRadioProp = 6,   // radio group: value in each button's "RADIO_DATA" property
    kParamUpDown = 7,      // range only; its buddy edit carries the value
    kParamTrackbar = 8,    // thumb position
    kParamColour = 9,      // colour swatch button: the system colour dialog sets the value
    kParamHotKey = 10,     // hot key control
    kParamComboText = 11,  // the combo item whose text parses to the value
};
