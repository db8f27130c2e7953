#include "wnd/OwnedDialogs.h"

#include <algorithm>
#include <cwchar>
#include <utility>

namespace {

struct SOwnedSearch {
    HWND owner;
    std::vector<std::pair<int, HWND>> found;  // depth below the owner, dialog
};

BOOL CALLBACK CollectOwned(HWND hwnd, LPARAM p) {
    auto* search = reinterpret_cast<SOwnedSearch*>(p);
    wchar_t name[8] = {};
    if (hwnd == search->owner || ::GetClassNameW(hwnd, name, 8) <= 0 || std::wcscmp(name, L"#32770") != 0) return TRUE;
    int depth = 1;
    for (HWND up = ::GetWindow(hwnd, GW_OWNER); up; up = ::GetWindow(up, GW_OWNER), ++depth) {
        if (up == search->owner) {
            search->found.emplace_back(depth, hwnd);
            break;
        }
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> DialogsOwnedBy(HWND owner) {
    SOwnedSearch search{owner, {}};
    if (owner) ::EnumThreadWindows(::GetCurrentThreadId(), CollectOwned, reinterpret_cast<LPARAM>(&search));
    std::stable_sort(search.found.begin(), search.found.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<HWND> dialogs;
    for (const auto& entry : search.found) dialogs.push_back(entry.second);
    return dialogs;
}
