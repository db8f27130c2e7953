#include "XInput.h"

#include "../wnd/Pump.h"

#include <cstdio>

bool HaveXdotool() { return ::GetFileAttributesW(L"Z:\\usr\\bin\\xdotool") != INVALID_FILE_ATTRIBUTES; }

bool Xdo(const std::wstring& args, DWORD pumpMs, void (*onPump)(void*), void* context) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"xdotool " + args;
    if (!::CreateProcessW(L"Z:\\usr\\bin\\xdotool", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi)) {
        std::printf("CreateProcessW failed: %lu\n", ::GetLastError());
        return false;
    }
    // Wine starts a Unix program without a Windows process: the handles it hands back are not
    // ours to close (closing them can close this process's own standard handles).
    const ULONGLONG end = ::GetTickCount64() + pumpMs;
    while (::GetTickCount64() < end) {
        PumpMessages(2);
        if (onPump) onPump(context);
    }
    return true;
}

std::wstring MoveTo(HWND hwnd, POINT client) {
    ::ClientToScreen(hwnd, &client);
    return L"mousemove " + std::to_wstring(client.x) + L" " + std::to_wstring(client.y) + L" ";
}

POINT CentreOf(HWND hwnd) {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}
