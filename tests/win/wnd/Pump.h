// Message pumping for tests: X events reach Wine asynchronously, so tests pump before asserting.
#pragma once

#include <windows.h>

// Dispatches every queued message for about ms milliseconds.
inline void PumpMessages(DWORD ms = 50) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(1);
    } while (::GetTickCount64() < end);
}

// Pumps until pred() holds or ms milliseconds have passed; answers pred().
template <class Pred>
bool PumpUntil(Pred pred, DWORD ms = 3000) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (!pred() && ::GetTickCount64() < end) PumpMessages(5);
    return pred();
}
