// Export and import of tree files (.pinarbo, see scene/TreeFile.h) over the program's store: what
// the menus, the command line and file drops call. Neither switches the running tree.
#pragma once

#include "param/Tstr.h"

class CSettingsStore;

enum class ETreeFileResult {
    kDone,
    kRefused,  // the file (or the request) is not acceptable; nothing was changed
    kFailed,   // the system refused a read or write; nothing was changed
};

struct STreeFileOutcome {
    ETreeFileResult result = ETreeFileResult::kFailed;
    tstr message;  // for the user: what was done, or what is wrong
    tstr tree;     // the tree exported, or the new tree an import made
};

// Writes the stored profile (from where its last complete save lies) and a copy of every picture
// file of the user's own that it uses into file, replacing it whole or not at all.
STreeFileOutcome ExportTreeFile(CSettingsStore& store, const tstr& profile, const tstr& file);

// Reads and checks the whole file, then makes it a new profile named after the file (made unique
// with " (2)", " (3)"...): its pictures go into a new folder "<pictures>\<tree>\" (every one must
// decode first), the items' paths point there, and the profile is written through the profile's
// safe save. A refusal or failure leaves no profile and no folder behind.
// pictures: the folder that holds the trees' picture folders; empty: "%LOCALAPPDATA%\<app>\Pictures".
STreeFileOutcome ImportTreeFile(CSettingsStore& store, const tstr& file, const tstr& pictures = tstr());

// "%LOCALAPPDATA%\<app>\Pictures"; empty when the folder cannot be named.
tstr TreePicturesFolder(const tstr& app);
