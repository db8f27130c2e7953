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
