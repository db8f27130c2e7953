// Window placements in the settings store: "topmost" ("1" while the window is topmost) and
// "plmnt" (the system's 44-byte window placement record) in one section per window; and keeping
// a window on screen when the displays change.
#pragma once

#include <windows.h>

#include "param/Tstr.h"

class CSettingsStore;

// With storedSize the normal rectangle keeps its corner but gets that size (the desktop view
// stores its size in 100 % units).
bool SaveWindowPlacement(CSettingsStore& store, HWND window, const tstr& section, const SIZE* storedSize = nullptr);
// For a window whose size comes from its template (the main dialog, restored keeping its size):
// the stored size stays in 100 % units. At 96 DPI the window's own size is stored; at another
// scale the size stored before is kept (the window's own size there is no 100 % size), or, when
// none was stored, its own size scaled back.
bool SaveTemplateWindowPlacement(CSettingsStore& store, HWND window, const tstr& section);
// Whether the section holds a placement record (of any content).
bool HasWindowPlacement(const CSettingsStore& store, const tstr& section);

// How a restored window is shown: as stored (minimised, maximised, normal), or always normal.
enum class EShowAs { Stored, Normal };

// Applies a stored placement; with keepSize the window keeps its current width and height at the
// stored position. A stored position that lies on no monitor is brought back onto the nearest one.
// With EShowAs::Normal a stored minimised or maximised state is ignored: a window without a
// taskbar button (the desktop view) could never be restored from it; such a window is shown
// without being activated.
// Without a usable record the window is only shown. Answers whether a stored placement was applied.
bool RestoreWindowPlacement(CSettingsStore* store, HWND window, const tstr& section, bool keepSize,
                            EShowAs showAs = EShowAs::Stored);

// After a display change: a window of which less than a quarter lies on the monitors' work areas
// moves, keeping its size, onto the monitor it overlaps most (or the nearest). Answers whether
// it moved.
bool KeepWindowOnScreen(HWND window);

// Checks a placement record read from the store and repairs what cannot be right in it: a wrong
// length, an unknown or hiding show command, an inverted normal rectangle. False when the record
// is unusable.
bool SanitizePlacement(WINDOWPLACEMENT& wp, size_t bytesRead);
