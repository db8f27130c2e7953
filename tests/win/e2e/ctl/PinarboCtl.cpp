// pinarbo_ctl: drives and inspects a running Pinarbo from the end-to-end test scripts, which cannot
// send window messages themselves. Every command prints what it found and ends with code 0 on
// success, 1 when the thing asked for is not there, 2 on a usage error.
//   find                       main window handle (title "Pinarbo", dialog class)
//   wait-main MS               waits up to MS for the main window
//   wait-gone MS               waits up to MS until no main window is left
//   count-main                 how many main windows there are
//   info                       main window and view window state, one "key=value" per line
//   cmd ID                     posts WM_COMMAND ID to the main window
//   minimize | restore         posts the window-menu minimise / restore command
//   endsession                 sends the end-of-logon query and notice
//   kill-exit MS               posts the end-of-logon notice, waits MS and ends the process hard
//   tray-exists                whether the shell knows the main window's icon (NIM_MODIFY)
//   tray-move | tray-click     sends the icon's pointer-moved / left-button-up callback
//   tray-delete                removes the main window's icon, as a shell restart loses it
//   taskbar-created            broadcasts the shell's "TaskbarCreated" message
//   question                   whether the "Quit program?" box is open
//   note                       prints the text of a message box titled "Pinarbo" (not the question)
//   note-ok                    presses OK in that box
//   answer ok|cancel           presses a button of that box
//   foreground MAINOR0         brings the main window (or another, "other") to the foreground
//   shortcut PATH              prints the target of a shell link
//   balloon                    prints the texts of visible balloon tooltips
//   settings                   how many "Settings" dialogs are shown, and the first one's rectangle
//   session lock|unlock|...    posts a session-change notice to the program's desktop watch
//                              (Wine sends none: lock 7, unlock 8, console-disconnect 2, console-connect 1)
//   view-changing MS           whether the tree's pixels on screen change within MS (1 or 0)
//   fullscreen MS              a popup covering the primary monitor, in front for MS
//   fullscreen-until FILE [topmost]
//                              the same popup (topmost when asked), in front until FILE exists
//                              (at most 60 s); prints "up" once in front (to stdout, flushed)
//   setmode W H [FILE]         changes the display resolution (in a Wine virtual desktop) and
//                              writes the new screen size to FILE
//   rect-file FILE             writes "main_rect" and "view_rect" lines (left top right bottom) to FILE
//   menu                       the open context menu of Pinarbo: its window rectangle
//   close                      posts WM_CLOSE to the main window (as "End task" does)
//   settings-edit ID TEXT      sets the text of control ID on the open Settings dialog's pages
//   open-item                  double-clicks the top row of the Settings dialog's items list
//   item-dialog                whether an "Item settings" dialog is shown
//   catcher MS FILE            a plain window under the tree's rectangle for MS that writes "clicks=N"
//                              (left-button presses it received) to FILE after each press
//   hold-hotkey MS             holds Ctrl+Alt+Shift+T system-wide for MS; prints "held=1" or "held=0"
//   settings-status            the open Settings dialog's status bar text
//   settings-check ID          the check state of control ID on the open Settings dialog's pages
#include "wnd/Handles.h"
#include "WindowSearch.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <commctrl.h>
#include <shobjidl.h>
#include <shlguid.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <utility>

namespace {

constexpr UINT kTrayMessage = 40001;

bool IsDialogClass(HWND hwnd) {
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    return std::wcscmp(cls, L"#32770") == 0;
}

// Enumeration callbacks are named functions: a lambda cannot carry the stdcall convention
// that 32-bit Windows needs.
BOOL CALLBACK MatchMain(HWND hwnd, LPARAM p) {
    wchar_t title[64] = {};
    ::GetWindowTextW(hwnd, title, 64);
    if (std::wcscmp(title, L"Pinarbo") == 0 && IsDialogClass(hwnd) && ::GetDlgItem(hwnd, 1002)) {
        *reinterpret_cast<HWND*>(p) = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CountMain(HWND hwnd, LPARAM p) {
    wchar_t title[64] = {};
    ::GetWindowTextW(hwnd, title, 64);
    if (std::wcscmp(title, L"Pinarbo") == 0 && IsDialogClass(hwnd) && ::GetDlgItem(hwnd, 1002)) ++*reinterpret_cast<int*>(p);
    return TRUE;
}

BOOL CALLBACK MatchQuestion(HWND hwnd, LPARAM p) {
    if (IsDialogClass(hwnd) && ::IsWindowVisible(hwnd) && HasChildText(hwnd, L"Quit program?")) {
        *reinterpret_cast<HWND*>(p) = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK MatchNote(HWND hwnd, LPARAM p) {
    wchar_t title[64] = {};
    ::GetWindowTextW(hwnd, title, 64);
    if (std::wcscmp(title, L"Pinarbo") == 0 && IsDialogClass(hwnd) && ::IsWindowVisible(hwnd) &&
        !::GetDlgItem(hwnd, 1002) && !HasChildText(hwnd, L"Quit program?")) {
        *reinterpret_cast<HWND*>(p) = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindNote() {
    HWND found = nullptr;
    ::EnumWindows(MatchNote, reinterpret_cast<LPARAM>(&found));
    return found;
}

struct SSettingsSearch {
    int count;
    HWND first;
};

BOOL CALLBACK MatchSettings(HWND hwnd, LPARAM p) {
    wchar_t title[64] = {};
    ::GetWindowTextW(hwnd, title, 64);
    if (std::wcscmp(title, L"Settings") == 0 && IsDialogClass(hwnd) && ::IsWindowVisible(hwnd)) {
        auto* s = reinterpret_cast<SSettingsSearch*>(p);
        if (!s->first) s->first = hwnd;
        ++s->count;
    }
    return TRUE;
}

BOOL CALLBACK CountBalloons(HWND hwnd, LPARAM p) {
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    if (_wcsicmp(cls, L"tooltips_class32") == 0 && ::IsWindowVisible(hwnd)) {
        wchar_t text[512] = {};
        ::GetWindowTextW(hwnd, text, 512);
        std::printf("balloon=%ls\n", text);
        ++*reinterpret_cast<int*>(p);
    }
    return TRUE;
}

// A hash of what the screen shows in a rectangle.
unsigned long long ScreenHash(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return 0;
    const HDC screen = ::GetDC(nullptr);
    const HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    unsigned long long hash = 1469598103934665603ULL;
    if (bmp && bits) {
        const HGDIOBJ old = ::SelectObject(mem, bmp);
        ::BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        ::GdiFlush();
        const auto* p = static_cast<const unsigned char*>(bits);
        for (long long i = 0; i < static_cast<long long>(w) * h * 4; ++i) hash = (hash ^ p[i]) * 1099511628211ULL;
        ::SelectObject(mem, old);
    }
    if (bmp) ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return hash;
}

struct SMenuSearch {
    DWORD pid;
    HWND found;        // the lowest open menu: the one opened first
    HWND top = nullptr;  // the highest: a submenu opened over it, when there is one
};

BOOL CALLBACK MatchMenu(HWND hwnd, LPARAM p) {
    auto* s = reinterpret_cast<SMenuSearch*>(p);
    wchar_t cls[16] = {};
    ::GetClassNameW(hwnd, cls, 16);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    // Windows come highest first: the last one met is the menu opened first.
    if (std::wcscmp(cls, L"#32768") == 0 && ::IsWindowVisible(hwnd) && pid == s->pid) {
        if (!s->top) s->top = hwnd;
        s->found = hwnd;
    }
    return TRUE;
}

// The main dialog: a dialog titled "Pinarbo" holding the image button (control 1002).
HWND FindMain() {
    HWND found = nullptr;
    ::EnumWindows(MatchMain, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindQuestion() {
    HWND found = nullptr;
    ::EnumWindows(MatchQuestion, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindView() { return ::FindWindowW(L"KV_ViewWnd", nullptr); }

const wchar_t* g_catcherFile = nullptr;
int g_catcherClicks = 0;

LRESULT CALLBACK CatcherProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_LBUTTONDOWN || msg == WM_NCLBUTTONDOWN) {
        ++g_catcherClicks;
        // Without a window manager a clicked window may rise above the topmost tree in X: the
        // tree is put back on top, where Windows keeps it.
        ::SetWindowPos(FindView(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (FILE* f = _wfopen(g_catcherFile, L"w")) {
            std::fprintf(f, "clicks=%d\n", g_catcherClicks);
            std::fclose(f);
        }
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void PumpFor(long ms) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    while (static_cast<long>(end - ::GetTickCount()) > 0) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(10);
    }
}

void PrintWindow(const char* name, HWND hwnd) {
    if (!hwnd) {
        std::printf("%s=none\n", name);
        return;
    }
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    const LONG_PTR ex = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    ::GetWindowPlacement(hwnd, &wp);
    std::printf("%s=%lld\n%s_visible=%d\n%s_iconic=%d\n%s_rect=%ld %ld %ld %ld\n%s_size=%ld %ld\n"
                "%s_topmost=%d\n%s_transparent=%d\n%s_showcmd=%u\n",
                name, static_cast<long long>(reinterpret_cast<INT_PTR>(hwnd)), name, ::IsWindowVisible(hwnd) ? 1 : 0,
                name, ::IsIconic(hwnd) ? 1 : 0, name, r.left, r.top, r.right, r.bottom, name, r.right - r.left,
                r.bottom - r.top, name, (ex & WS_EX_TOPMOST) ? 1 : 0, name, (ex & WS_EX_TRANSPARENT) ? 1 : 0, name,
                wp.showCmd);
}

bool WaitFor(bool wantPresent, long ms) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        const bool present = FindMain() != nullptr;
        if (present == wantPresent) return true;
        if (static_cast<long>(::GetTickCount() - start) > ms) return false;
        ::Sleep(100);
    }
}

int Usage() {
    std::fprintf(stderr, "usage: pinarbo_ctl COMMAND [ARG]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring cmd = argv[1];
    const wchar_t* arg = argc > 2 ? argv[2] : L"";

    if (cmd == L"catcher" && argc > 3) {
        const HWND view = FindView();
        RECT r{};
        if (!view || !::GetWindowRect(view, &r)) return 1;
        g_catcherFile = argv[3];
        WNDCLASSW wc{};
        wc.lpfnWndProc = CatcherProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = L"PinarboCtlCatcher";
        ::RegisterClassW(&wc);
        const HWND catcher = ::CreateWindowExW(WS_EX_NOACTIVATE, wc.lpszClassName, L"catcher", WS_POPUP, r.left - 20,
                                               r.top - 20, r.right - r.left + 40, r.bottom - r.top + 40, nullptr,
                                               nullptr, wc.hInstance, nullptr);
        if (!catcher) return 1;
        ::ShowWindow(catcher, SW_SHOWNOACTIVATE);
        // Under the tree, which stays the topmost window; the tree is put back on top in X too.
        ::SetWindowPos(view, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (FILE* f = _wfopen(g_catcherFile, L"w")) {
            std::fprintf(f, "clicks=0\n");
            std::fclose(f);
        }
        PumpFor(std::wcstol(arg, nullptr, 10));
        ::DestroyWindow(catcher);
        return 0;
    }
    if (cmd == L"hold-hotkey") {
        const HWND holder = ::CreateWindowExW(0, L"STATIC", L"hotkey holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                              nullptr, nullptr);
        const bool held = holder && ::RegisterHotKey(holder, 1, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'T');
        std::printf("held=%d\n", held ? 1 : 0);
        std::fflush(stdout);
        PumpFor(std::wcstol(arg, nullptr, 10));
        if (holder) ::DestroyWindow(holder);
        return held ? 0 : 1;
    }
    if (cmd == L"settings-status" || cmd == L"settings-check") {
        SSettingsSearch search{0, nullptr};
        ::EnumWindows(MatchSettings, reinterpret_cast<LPARAM>(&search));
        if (!search.first) return 1;
        if (cmd == L"settings-status") {
            wchar_t text[256] = {};
            ::GetWindowTextW(::GetDlgItem(search.first, 154), text, 256);
            std::printf("status=%ls\n", text);
            const HWND hotkey = FindChild(search.first, 1162, nullptr);
            std::printf("hotkey=%lld enabled=%d\n", static_cast<long long>(::SendMessageW(hotkey, HKM_GETHOTKEY, 0, 0)),
                        ::IsWindowEnabled(hotkey) ? 1 : 0);
            return 0;
        }
        const HWND box = FindChild(search.first, static_cast<int>(std::wcstol(arg, nullptr, 10)), nullptr);
        if (!box) return 1;
        std::printf("checked=%d\n", ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        return 0;
    }
    if (cmd == L"wait-main") return WaitFor(true, std::wcstol(arg, nullptr, 10)) ? 0 : 1;
    if (cmd == L"wait-gone") return WaitFor(false, std::wcstol(arg, nullptr, 10)) ? 0 : 1;
    if (cmd == L"question") return FindQuestion() ? 0 : 1;
    if (cmd == L"note" || cmd == L"note-ok") {
        const HWND box = FindNote();
        if (!box) return 1;
        if (cmd == L"note-ok") {
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
            return 0;
        }
        wchar_t text[1024] = {};
        ::GetDlgItemTextW(box, 0xFFFF, text, 1024);  // a message box's text control
        std::printf("%ls\n", text);
        return 0;
    }
    if (cmd == L"count-main") {
        int count = 0;
        ::EnumWindows(CountMain, reinterpret_cast<LPARAM>(&count));
        std::printf("%d\n", count);
        return 0;
    }
    if (cmd == L"answer") {
        const HWND box = FindQuestion();
        if (!box) return 1;
        const int id = std::wcscmp(arg, L"ok") == 0 ? IDOK : IDCANCEL;
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, id)));
        return 0;
    }
    if (cmd == L"shortcut") {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        int rc = 1;
        {
            CComPtr<IShellLinkW> link;
            CComPtr<IPersistFile> file;
            if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                             link.put_void())) &&
                SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.put_void())) &&
                SUCCEEDED(file->Load(arg, STGM_READ))) {
                wchar_t target[1024] = {};
                wchar_t folder[1024] = {};
                link->GetPath(target, 1024, nullptr, SLGP_RAWPATH);
                link->GetWorkingDirectory(folder, 1024);
                std::printf("target=%ls\nfolder=%ls\n", target, folder);
                rc = 0;
            }
        }  // the interfaces are released before COM is shut down
        ::CoUninitialize();
        return rc;
    }
    if (cmd == L"settings") {
        SSettingsSearch search{0, nullptr};
        ::EnumWindows(MatchSettings, reinterpret_cast<LPARAM>(&search));
        RECT r{};
        if (search.first) ::GetWindowRect(search.first, &r);
        std::printf("settings=%d\nsettings_rect=%ld %ld %ld %ld\n", search.count, r.left, r.top, r.right, r.bottom);
        // Where a user clicks: the items list and the dialog's OK button (screen rectangles).
        for (const auto& [name, child] : {std::pair{"pane_rect", search.first ? FindChild(search.first, 0, L"KV_NavigatePane") : nullptr},
                                          std::pair{"ok_rect", search.first ? ::GetDlgItem(search.first, IDOK) : nullptr}}) {
            RECT c{};
            if (child) ::GetWindowRect(child, &c);
            std::printf("%s=%ld %ld %ld %ld\n", name, c.left, c.top, c.right, c.bottom);
        }
        // The tabs, the Common page's list of trees (its lines, the chosen one, whether it shows)
        // and its Show button.
        const HWND trees = search.first ? FindChild(search.first, 1164, nullptr) : nullptr;
        for (const auto& [name, child] : {std::pair{"tabs_rect", search.first ? ::GetDlgItem(search.first, 1003) : nullptr},
                                          std::pair{"trees_rect", trees},
                                          std::pair{"show_rect", search.first ? FindChild(search.first, 1163, nullptr) : nullptr}}) {
            RECT c{};
            if (child) ::GetWindowRect(child, &c);
            std::printf("%s=%ld %ld %ld %ld\n", name, c.left, c.top, c.right, c.bottom);
        }
        if (trees) {
            std::printf("trees_visible=%d\ntrees_item_height=%ld\ntrees_sel=%ld\n", ::IsWindowVisible(trees) ? 1 : 0,
                        static_cast<long>(::SendMessageW(trees, LB_GETITEMHEIGHT, 0, 0)),
                        static_cast<long>(::SendMessageW(trees, LB_GETCURSEL, 0, 0)));
            const LRESULT lines = ::SendMessageW(trees, LB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < lines && i < 64; ++i) {
                wchar_t line[128] = {};
                if (::SendMessageW(trees, LB_GETTEXTLEN, i, 0) < 127) ::SendMessageW(trees, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
                std::printf("trees_line%ld=%ls\n", static_cast<long>(i), line);
            }
        }
        return search.count > 0 ? 0 : 1;
    }
    if (cmd == L"settings-edit" || cmd == L"open-item") {
        SSettingsSearch search{0, nullptr};
        ::EnumWindows(MatchSettings, reinterpret_cast<LPARAM>(&search));
        if (!search.first) return 1;
        if (cmd == L"settings-edit") {
            const HWND control = FindChild(search.first, static_cast<int>(std::wcstol(arg, nullptr, 10)), nullptr);
            if (!control || argc < 4) return 1;
            // The edit control tells its page of the change (EN_CHANGE), as typing would.
            ::SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
            return 0;
        }
        const HWND pane = FindChild(search.first, 0, L"KV_NavigatePane");
        if (!pane) return 1;
        RECT r{};
        ::GetClientRect(pane, &r);
        ::PostMessageW(pane, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.right / 2, 8));
        return 0;
    }
    if (cmd == L"item-dialog") {
        const HWND dlg = ::FindWindowW(L"#32770", L"Item settings");
        return dlg && ::IsWindowVisible(dlg) ? 0 : 1;
    }
    if (cmd == L"view-changing") {
        const HWND view = FindView();
        if (!view) return 1;
        RECT r{};
        ::GetWindowRect(view, &r);
        const unsigned long long first = ScreenHash(r);
        const DWORD end = ::GetTickCount() + static_cast<DWORD>(std::wcstol(arg, nullptr, 10));
        bool changed = false;
        while (!changed && static_cast<long>(end - ::GetTickCount()) > 0) {
            ::Sleep(50);
            changed = ScreenHash(r) != first;
        }
        std::printf("%d\n", changed ? 1 : 0);
        return 0;
    }
    if (cmd == L"fullscreen" || cmd == L"fullscreen-until") {
        // As a borderless full-screen game or video: a popup over the whole primary monitor.
        const bool untilFile = cmd == L"fullscreen-until";
        const bool topmost = untilFile && argc > 3 && std::wcscmp(argv[3], L"topmost") == 0;
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = L"PinarboCtlFullScreen";
        ::RegisterClassW(&wc);
        const HWND popup = ::CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, wc.lpszClassName, L"full screen",
                                             WS_POPUP | WS_VISIBLE, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                                             ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, wc.hInstance, nullptr);
        if (!popup) return 1;
        ::SetForegroundWindow(popup);
        const DWORD end = ::GetTickCount() + (untilFile ? 60000u : static_cast<DWORD>(std::wcstol(arg, nullptr, 10)));
        bool told = false;
        while (static_cast<long>(end - ::GetTickCount()) > 0) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
            if (untilFile && !told && ::GetForegroundWindow() == popup) {
                std::printf("up\n");
                std::fflush(stdout);
                told = true;
            }
            if (untilFile && ::GetFileAttributesW(arg) != INVALID_FILE_ATTRIBUTES) break;
            ::Sleep(20);
        }
        std::printf("foreground_was_popup=%d\n", ::GetForegroundWindow() == popup ? 1 : 0);
        ::DestroyWindow(popup);
        return 0;
    }
    if (cmd == L"setmode") {
        DEVMODEW mode{};
        mode.dmSize = sizeof(mode);
        mode.dmPelsWidth = static_cast<DWORD>(std::wcstol(arg, nullptr, 10));
        mode.dmPelsHeight = static_cast<DWORD>(std::wcstol(argc > 3 ? argv[3] : L"0", nullptr, 10));
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        const LONG rc = ::ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
        ::Sleep(500);
        if (argc > 4) {
            if (FILE* f = _wfopen(argv[4], L"w")) {
                std::fprintf(f, "result=%ld\nscreen=%d %d\n", rc, ::GetSystemMetrics(SM_CXSCREEN),
                             ::GetSystemMetrics(SM_CYSCREEN));
                std::fclose(f);
            }
        }
        return rc == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
    }
    if (cmd == L"session") {
        const HWND watch = ::FindWindowW(L"KW_DesktopWatch", nullptr);
        if (!watch) return 1;
        const std::wstring what = arg;
        const WPARAM code = what == L"lock" ? 7 : what == L"unlock" ? 8 : what == L"console-disconnect" ? 2
                          : what == L"console-connect" ? 1 : 0;
        if (!code) return Usage();
        ::PostMessageW(watch, 0x02B1 /* WM_WTSSESSION_CHANGE */, code, 1);
        return 0;
    }
    if (cmd == L"rect-file") {
        FILE* f = _wfopen(arg, L"w");
        if (!f) return 1;
        for (const auto& [name, hwnd] : {std::pair<const char*, HWND>{"main", FindMain()}, {"view", FindView()}}) {
            RECT r{};
            if (hwnd) ::GetWindowRect(hwnd, &r);
            std::fprintf(f, "%s_rect=%ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom);
        }
        std::fprintf(f, "screen=%d %d\n", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        std::fclose(f);
        return 0;
    }
    if (cmd == L"balloon") {
        int shown = 0;
        ::EnumWindows(CountBalloons, reinterpret_cast<LPARAM>(&shown));
        return shown > 0 ? 0 : 1;
    }

    const HWND main = FindMain();
    if (cmd == L"find") {
        if (!main) return 1;
        std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(main)));
        return 0;
    }
    if (cmd == L"info") {
        PrintWindow("main", main);
        PrintWindow("view", FindView());
        const HWND fg = ::GetForegroundWindow();
        std::printf("foreground_is_main=%d\n", main && fg == main ? 1 : 0);
        return main ? 0 : 1;
    }
    if (!main) return 1;
    if (cmd == L"cmd") {
        ::PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(std::wcstol(arg, nullptr, 10)), 0);
    } else if (cmd == L"close") {
        ::PostMessageW(main, WM_CLOSE, 0, 0);
    } else if (cmd == L"minimize") {
        ::PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (cmd == L"restore") {
        ::PostMessageW(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (cmd == L"endsession") {
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer);
        std::printf("query_answer=%lld\n", static_cast<long long>(answer));
        ::SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer);
    } else if (cmd == L"kill-exit") {
        // As Windows may do at log-off: the program is told the session ends, and is ended
        // (TerminateProcess) while it may still be saving.
        DWORD pid = 0;
        ::GetWindowThreadProcessId(main, &pid);
        const CUniqueFile process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
        if (!process) return 1;
        ::PostMessageW(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        ::Sleep(static_cast<DWORD>(std::wcstol(arg, nullptr, 10)));
        ::TerminateProcess(process.get(), 9);
        ::WaitForSingleObject(process.get(), 10000);
    } else if (cmd == L"tray-exists") {
        NOTIFYICONDATAW nid{};
        nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
        nid.hWnd = main;
        nid.uID = 0;
        nid.uFlags = NIF_TIP;
        std::wcscpy(nid.szTip, L"Pinarbo");
        return ::Shell_NotifyIconW(NIM_MODIFY, &nid) ? 0 : 1;
    } else if (cmd == L"tray-delete") {
        NOTIFYICONDATAW nid{};
        nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
        nid.hWnd = main;
        nid.uID = 0;
        return ::Shell_NotifyIconW(NIM_DELETE, &nid) ? 0 : 1;
    } else if (cmd == L"tray-move") {
        ::SendMessageW(main, kTrayMessage, 0, WM_MOUSEMOVE);
    } else if (cmd == L"tray-click") {
        ::SendMessageW(main, kTrayMessage, 0, WM_LBUTTONUP);
    } else if (cmd == L"taskbar-created") {
        // As the shell does: to every top-level window.
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_NORMAL, 5000,
                              &ignored);
    } else if (cmd == L"menu") {
        SMenuSearch search{0, nullptr};
        ::GetWindowThreadProcessId(main, &search.pid);
        ::EnumWindows(MatchMenu, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return 1;
        RECT r{};
        ::GetWindowRect(search.found, &r);
        std::printf("menu_rect=%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        if (search.top != search.found && ::GetWindowRect(search.top, &r))
            std::printf("submenu_rect=%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    } else if (cmd == L"foreground") {
        if (std::wcscmp(arg, L"other") == 0) {
            // A window of this process takes the foreground, as another program's would.
            const HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr,
                                                 nullptr, nullptr, nullptr);
            ::SetForegroundWindow(other);
            ::Sleep(300);
            ::DestroyWindow(other);
        } else {
            ::SetForegroundWindow(main);
        }
    } else {
        return Usage();
    }
    return 0;
}
