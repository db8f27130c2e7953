// Private window messages of the program, in one block so that no two windows' messages collide.
#pragma once

#include <windows.h>

// The notification-area icon's callback message on the main dialog (wParam: icon id, lParam: event).
inline constexpr UINT kWmTrayNotify = 40001;

// Messages posted between the program's own windows: WM_APP + n.
enum : UINT {
    kWmAppFirst = WM_APP,
    // To the main dialog: the program's end that waited for dialogs over it to return.
    kWmCloseProgram = WM_APP + 1,
    // To a navigation pane, from its accessible object: run the default action of the row in
    // lParam (ignored when that row is gone meanwhile).
    kWmRowDefaultAction = WM_APP + 2,
    // To the main dialog: tell the user how a tree file request handed over by another copy ended.
    kWmTreeFileNote = WM_APP + 0x30,
    kWmAppLast = WM_APP + 0x0FFF,
};
static_assert(kWmTrayNotify > kWmAppLast, "the tray message lies outside the WM_APP + n block");
