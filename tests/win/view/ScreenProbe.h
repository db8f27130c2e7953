// Reads back what the screen shows, through the screen's device context, and pumps messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// The screen's pixels in (x, y, w, h) as 0x00RRGGBB words, row by row.
std::vector<std::uint32_t> CaptureScreen(int x, int y, int w, int h);

// Dispatches every queued message for about ms milliseconds.
void PumpMessages(DWORD ms);

// Pumps until pred() holds or ms milliseconds have passed; answers pred().
template <class Pred>
bool PumpUntil(Pred pred, DWORD ms = 3000) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (!pred() && ::GetTickCount64() < end) PumpMessages(5);
    return pred();
}
