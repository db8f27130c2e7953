// DialogsOwnedBy: the dialogs that run over a window (modal dialogs, message boxes and the dialogs
// opened over those), so that the window can end them before it goes.
#pragma once

#include <windows.h>

#include <vector>

// The dialog windows of the calling thread owned by owner, directly or through other owned
// windows; the most deeply owned first, so that each dialog comes before the one it was opened
// over. Empty for a null owner.
std::vector<HWND> DialogsOwnedBy(HWND owner);
