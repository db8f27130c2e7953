#include "WindowSearch.h"

#include <cwchar>

namespace {

// Enumeration callbacks are named functions: a lambda cannot carry the stdcall convention that
// 32-bit Windows needs.
struct SSearch {
    const wchar_t* text;  // a title or a text to contain
    int id;
    const wchar_t* cls;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM p) {
    auto* s = reinterpret_cast<SSearch*>(p);
    wchar_t text[256] = {};
    ::GetWindowTextW(hwnd, text, 256);
    if (std::wcscmp(text, s->text) == 0 && ::IsWindowVisible(hwnd)) s->found = hwnd;
    return s->found == nullptr;
}

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM p) {
    auto* s = reinterpret_cast<SSearch*>(p);
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    if (s->id ? ::GetDlgCtrlID(hwnd) == s->id : std::wcscmp(cls, s->cls) == 0) s->found = hwnd;
    return s->found == nullptr;
}

BOOL CALLBACK MatchChildText(HWND hwnd, LPARAM p) {
    auto* s = reinterpret_cast<SSearch*>(p);
    wchar_t text[256] = {};
    ::GetWindowTextW(hwnd, text, 256);
    if (std::wcsstr(text, s->text)) s->found = hwnd;
    return s->found == nullptr;
}

}  // namespace

HWND FindShownThreadWindow(const wchar_t* title) {
    SSearch s{title, 0, nullptr, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchTitle, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND FindChild(HWND parent, int id, const wchar_t* cls) {
    if (id == 0 && !cls) return nullptr;
    SSearch s{nullptr, id, cls, nullptr};
    ::EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool HasChildText(HWND parent, const wchar_t* text) {
    SSearch s{text, 0, nullptr, nullptr};
    ::EnumChildWindows(parent, MatchChildText, reinterpret_cast<LPARAM>(&s));
    return s.found != nullptr;
}
