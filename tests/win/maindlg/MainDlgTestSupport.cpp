#include "MainDlgTestSupport.h"

namespace test_input {

namespace {
bool g_quit = false;
}  // namespace

bool TakeQuit() {
    const bool quit = g_quit;
    g_quit = false;
    return quit;
}

void Pump(HWND dialog, int ms) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                g_quit = true;
                continue;
            }
            if (dialog && ::IsWindow(dialog) && ::IsDialogMessageW(dialog, &msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

namespace {

void SendMouse(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    ::SendInput(1, &in, sizeof(in));
}
}  // namespace

void MoveTo(HWND dialog, POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    Pump(dialog, 80);
}

void LeftDown(HWND dialog) {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Pump(dialog, 80);
}

void LeftUp(HWND dialog) {
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(dialog, 80);
}

void Key(HWND dialog, WORD vk) {
    INPUT in[2]{};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wVk = vk;
    in[1] = in[0];
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
    Pump(dialog, 100);
}

RECT ButtonScreenRect(HWND dialog) {
    RECT r{};
    ::GetWindowRect(::GetDlgItem(dialog, CMainDlg::kButtonId), &r);
    return r;
}

}  // namespace test_input
