#include "app/TrayMenu.h"

#include <string>

namespace TrayMenu {

namespace {

std::wstring Text(HINSTANCE module, UINT id, const wchar_t* fallback) {
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring(fallback);
}

}  // namespace

bool IsMainShown(HWND main) { return main && ::IsWindowVisible(main) && !::IsIconic(main); }

HMENU Build(HINSTANCE module, HWND main, STreeState tree) {
    if (!main || !::IsWindow(main)) return nullptr;
    const HMENU menu = ::CreatePopupMenu();
    if (!menu) return nullptr;
    // A disabled main window has a modal dialog open over it (the settings, the exit question).
    const UINT busy = ::IsWindowEnabled(main) ? MF_ENABLED : MF_GRAYED;
    const bool shown = IsMainShown(main);
    const UINT toggle = shown ? kCmdHide : kCmdShow;
    const bool ok = ::AppendMenuW(menu, MF_STRING | busy, kCmdSettings, Text(module, IDS_TRAY_SETTINGS, L"Settings...").c_str()) &&
                    ::AppendMenuW(menu, MF_STRING, toggle,
                                  shown ? Text(module, IDS_TRAY_HIDE, L"Hide Pinarbo").c_str()
                                        : Text(module, IDS_TRAY_SHOW, L"Show Pinarbo").c_str()) &&
                    ::AppendMenuW(menu, MF_STRING, kCmdTree,
                                  tree.hidden ? Text(module, IDS_TRAY_SHOW_TREE, L"Show tree").c_str()
                                              : Text(module, IDS_TRAY_HIDE_TREE, L"Hide tree").c_str()) &&
                    ::AppendMenuW(menu, MF_STRING | (tree.clickThrough ? MF_CHECKED : MF_UNCHECKED), kCmdClickThrough,
                                  Text(module, IDS_TRAY_CLICKS, L"Let clicks through").c_str()) &&
                    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) &&
                    ::AppendMenuW(menu, MF_STRING | busy, kCmdExit, Text(module, IDS_TRAY_EXIT, L"Exit").c_str());
    if (!ok) {
        ::DestroyMenu(menu);
        return nullptr;
    }
    ::SetMenuDefaultItem(menu, toggle, FALSE);
    return menu;
}

}  // namespace TrayMenu
