// The system's common controls (trackbars, up-downs, tabs, status bars, list views), loaded and
// registered the first time a window that holds them is made rather than at the program's start:
// the main window needs none of them.
#pragma once

namespace CommonControls {

// Registers the control classes the dialogs use; only the first call does any work.
void Ensure() noexcept;

}  // namespace CommonControls
