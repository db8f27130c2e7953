#include "settings/CStatusDlg.h"

#include <commctrl.h>

namespace StatusBar {

HWND Create(HWND dialog, int id) {
    if (!dialog) return nullptr;
    return ::CreateStatusWindowW(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"", dialog, static_cast<UINT>(id));
}

void Layout(HWND dialog, HWND status, bool shortenOthers) {
    if (!dialog || !status) return;
    // A status bar places and sizes itself along its parent's bottom when told of a size change.
    ::SendMessageW(status, WM_SIZE, 0, 0);
    RECT bar{};
    ::GetWindowRect(status, &bar);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bar), 2);
    if (!shortenOthers) return;
    // Direct children only: controls inside child dialogs keep their own layout.
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (child == status) continue;
        RECT rc{};
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
        if (rc.bottom <= bar.top) continue;
        const int height = bar.top > rc.top ? bar.top - rc.top : 0;
        ::SetWindowPos(child, nullptr, 0, 0, rc.right - rc.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace StatusBar
