#include "app/TrayMenu.h"
#include "wnd/ResourceText.h"

#include <algorithm>
#include <string>

namespace TrayMenu {

namespace {

std::wstring Text(HINSTANCE, UINT id, const wchar_t* fallback) { return ResourceText(id, fallback); }

}  // namespace

std::wstring MenuText(const std::wstring& name) {
    std::wstring text;
    for (const wchar_t c : name) {
        if (c == L'&') text += L'&';
        text += c;
    }
    return text;
}

namespace {

// "Trees": one line per stored tree, the current one checked as the choice of a group.
HMENU BuildTrees(HINSTANCE module, const STreeState& tree, UINT busy, std::wstring& label) {
    label = Text(module, IDS_TRAY_TREES, L"Trees");
    const HMENU menu = ::CreatePopupMenu();
    if (!menu) return nullptr;
    const std::size_t count = std::min(tree.trees.size(), kMaxTreeLines);
    for (std::size_t i = 0; i < count; ++i) {
        const UINT id = kCmdTreeFirst + static_cast<UINT>(i);
        if (!::AppendMenuW(menu, MF_STRING | busy, id, MenuText(tree.trees[i]).c_str())) {
            ::DestroyMenu(menu);
            return nullptr;
        }
        if (::CompareStringOrdinal(tree.trees[i].c_str(), -1, tree.current.c_str(), -1, TRUE) == CSTR_EQUAL)
            ::CheckMenuRadioItem(menu, id, id, id, MF_BYCOMMAND);
    }
    // What can be done with trees; deleting needs a tree besides the one shown.
    bool ok = ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) != FALSE;
    for (const UINT command : {UINT{IDM_TRAY_TREE_NEW}, UINT{IDM_TRAY_TREE_DUPLICATE}, UINT{IDM_TRAY_TREE_RENAME},
                               UINT{IDM_TRAY_TREE_DELETE}, UINT{0}, UINT{IDM_TRAY_TREE_IMPORT}, UINT{IDM_TRAY_TREE_EXPORT}}) {
        const UINT grey = command == IDM_TRAY_TREE_DELETE && tree.trees.size() < 2 ? MF_GRAYED : busy;
        ok = ok && (command ? ::AppendMenuW(menu, MF_STRING | grey, command, Text(module, command, L"...").c_str())
                            : ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr));
    }
    if (!ok) {
        ::DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}

}  // namespace

bool IsMainShown(HWND main) { return main && ::IsWindowVisible(main) && !::IsIconic(main); }

namespace {

bool AppendTrees(HMENU menu, HINSTANCE module, const STreeState& tree, UINT busy) {
    std::wstring label;
    const HMENU trees = BuildTrees(module, tree, busy, label);
    if (!trees) return false;
    if (::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(trees), label.c_str())) return true;
    ::DestroyMenu(trees);
    return false;
}

}  // namespace

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
                    AppendTrees(menu, module, tree, busy) &&
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
