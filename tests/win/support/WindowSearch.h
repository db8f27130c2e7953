// Finding the windows a test drives: a visible window of this thread by its title, a child by its
// control id or class, and whether any child shows a text.
#pragma once

#include <windows.h>

// A visible top-level window of the calling thread whose title is exactly title, or null.
HWND FindShownThreadWindow(const wchar_t* title);
// A child (at any depth) with control id id, or, when id is 0, of window class cls; or null.
HWND FindChild(HWND parent, int id, const wchar_t* cls = nullptr);
// Whether a child of parent (at any depth) has a window text containing text.
bool HasChildText(HWND parent, const wchar_t* text);
