// Names that a tree file brings onto the disk: its pictures' file names and the tree's folder.
// A safe name is one plain file name in every file system the program runs on: no folders, no
// device, nothing the system would silently change.
#pragma once

#include "param/Tstr.h"

#include <cstddef>
#include <vector>

inline constexpr std::size_t kMaxTreeFileName = 64;

// 1..64 characters; no control characters, none of \ / : * ? " < > |; not "." or ".."; no blank
// at either end and no dot at the end; not a device name (CON, NUL, COM1...) with or without an
// extension.
bool IsSafeTreeFileName(const tstr& name);
// A safe name made from raw (a file's own name, or the user's): unsafe characters become "_",
// blanks and dots at the ends go, the length is cut to 64; a device name gets "_" in front; an
// empty result gives fallback.
tstr MakeSafeTreeFileName(const tstr& raw, const tstr& fallback);
// name, or "stem (2).ext", "stem (3).ext"... (the extension kept when keepExtension) so that it
// equals none of taken without regard to case; the result stays within 64 characters.
tstr MakeUniqueName(const tstr& name, const std::vector<tstr>& taken, bool keepExtension);
// Case-insensitive comparison of names (ASCII letters and the rest of the first Unicode plane as
// the C library folds them).
bool SameNameNoCase(const tstr& a, const tstr& b);
