// Files dropped from Explorer (WM_DROPFILES): their paths, and which of them the picture loader
// reads (PNG, JPEG, BMP, GIF, told by the file name's extension).
#pragma once

#include "param/Tstr.h"

#include <vector>

#include <windows.h>

// The dropped files' full paths, in the order the drop lists them (long paths included).
std::vector<tstr> DroppedFiles(HDROP drop);

// Whether the name ends in one of the picture loader's extensions, in any case.
bool IsPictureFileName(const tstr& path);
// Whether the name ends in ".pinarbo" (a tree file), in any case.
bool IsTreeFileName(const tstr& path);

// The file's name without its folder and extension ("C:\a\Bell.png" gives "Bell").
tstr BaseNameOf(const tstr& path);
