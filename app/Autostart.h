// The autostart shortcut: a shell link named after the program in the user's Startup folder.
#pragma once

#include <windows.h>

#include "param/Tstr.h"

namespace Autostart {

// Writes a shell link at linkPath pointing at target, with the target's folder as working folder.
// An icon index of 0 and empty arguments are not set. Answers the last result code.
HRESULT CreateShortcut(const tstr& target, const tstr& linkPath, const tstr& description, int iconIndex,
                       const tstr& arguments);

// What a shell link holds, read back through the shell link interface (for checks and tests).
struct SShortcut {
    tstr target;
    tstr workingFolder;
    tstr description;
    tstr arguments;
};
bool ReadShortcut(const tstr& linkPath, SShortcut& out);

// The folder part of a path: everything before its last "\" (empty without one).
tstr FolderOf(const tstr& path);

// folder + "\" (when missing) + name + ".lnk"; empty when the folder or the name is empty.
tstr ShortcutPathIn(const tstr& folder, const tstr& name);

// The user's Startup folder; empty when the shell cannot name it.
tstr StartupFolder();

// The program's shortcut path in the Startup folder; empty when it cannot be formed.
tstr ShortcutPath(const tstr& displayName);

}  // namespace Autostart
