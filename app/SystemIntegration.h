// Small services between the program and the shell: the program file's version texts and its path.
// The window-manager services every window may use are in wnd/WindowServices.h.
#pragma once

#include <windows.h>

#include "param/Tstr.h"

namespace SysIntegration {

// The named version text (for example L"FileVersion") of a file's version information, taken from
// the first language/code page pair that has it; empty when the file has none.
tstr GetVersionText(const tstr& file, const tstr& name);

// Full path of the running program file.
tstr ModulePath();

}  // namespace SysIntegration
