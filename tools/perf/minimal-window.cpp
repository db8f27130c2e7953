// The smallest Win32 window program, the yardstick for Pinarbo's resident memory under Wine:
//   x86_64-w64-mingw32-g++ -O2 -municode -mwindows -static minimal-window.cpp -o minimal-window.exe
#include <windows.h>
static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) { PostQuitMessage(0); return 0; }
    return DefWindowProcW(h, m, w, l);
}
int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{}; wc.lpfnWndProc = Proc; wc.hInstance = inst; wc.lpszClassName = L"hello";
    RegisterClassW(&wc);
    HWND h = CreateWindowW(L"hello", L"hello", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr, inst, nullptr);
    (void)h;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) { TranslateMessage(&msg); DispatchMessageW(&msg); }
    return 0;
}
