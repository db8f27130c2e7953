// Real input for the Windows tests: xdotool (a program of the host system, which Wine starts
// directly) moves the X pointer and presses keys, so the events reach our windows the way a
// user's do. Tests pump messages while it works, since X events reach Wine asynchronously.
#pragma once

#include <windows.h>

#include <string>

// Whether xdotool can drive this display.
bool HaveXdotool();
// Runs xdotool with the arguments, pumping messages for pumpMs while it works; onPump (optional)
// runs after every round of messages, so a test can watch or act during the input.
bool Xdo(const std::wstring& args, DWORD pumpMs, void (*onPump)(void*) = nullptr, void* context = nullptr);
// "mousemove X Y " for a client point of a window.
std::wstring MoveTo(HWND hwnd, POINT client);
// Screen point at the middle of a window.
POINT CentreOf(HWND hwnd);
