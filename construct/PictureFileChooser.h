// The open-file dialog of the tree settings: picks a picture file, with room for any path Windows
// returns, and says in the status line of the owning dialog when the dialog itself fails.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

// Runs an open-file dialog described by ofn; false when no file was chosen, with error set to the
// dialog's extended error (0 when the user cancelled).
using OpenFileDialogFn = bool (*)(OPENFILENAMEW& ofn, DWORD& error);

// The system's dialog (GetOpenFileNameW, CommDlgExtendedError).
bool SystemOpenFileDialog(OPENFILENAMEW& ofn, DWORD& error);

// Lets the user choose a picture file, starting at current. True with the chosen path in chosen;
// false when cancelled, or when the dialog failed, which the status line of owner's dialog then
// reports (chosen untouched in both cases).
bool ChoosePictureFile(HWND owner, const std::wstring& current, std::wstring& chosen,
                       OpenFileDialogFn dialog = &SystemOpenFileDialog);

// Writes text into the status bar of window's dialog (the first window up the parent and owner
// chain with one). False when there is none.
bool ShowInStatusLine(HWND window, const std::wstring& text);
