#include "ParamDlgFixture.h"

#include <cstdio>

void InitControls() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
}

std::wstring TextOf(HWND control) {
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

void TypeChars(HWND control, const std::wstring& text) {
    for (wchar_t c : text) ::SendMessageW(control, WM_CHAR, c, 1);
}

void NotifyCommand(HWND dialog, int id, WORD code) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool HaveXdotool() { return ::GetFileAttributesW(L"Z:\\usr\\bin\\xdotool") != INVALID_FILE_ATTRIBUTES; }

bool RunXdotool(const std::wstring& args, DWORD pumpMs) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"xdotool " + args;
    // Wine starts a host program it is given directly, without a process handle to wait on.
    if (!::CreateProcessW(L"Z:\\usr\\bin\\xdotool", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi)) {
        std::printf("CreateProcessW failed: %lu\n", ::GetLastError());
        return false;
    }
    if (pi.hProcess) ::CloseHandle(pi.hProcess);
    if (pi.hThread) ::CloseHandle(pi.hThread);
    PumpMessages(pumpMs);
    return true;
}

POINT CentreOf(HWND control) {
    RECT rc{};
    ::GetWindowRect(control, &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

unsigned long long HeapBytesInUse() {
    HANDLE heaps[64];
    const DWORD count = ::GetProcessHeaps(64, heaps);
    unsigned long long total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!::HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        }
        ::HeapUnlock(heaps[i]);
    }
    return total;
}

namespace {
BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
BOOL CALLBACK CountTop(HWND hwnd, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    ::EnumChildWindows(hwnd, &CountChild, count);
    return TRUE;
}
}  // namespace

int ThreadWindowCount() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountTop, reinterpret_cast<LPARAM>(&count));
    return count;
}
