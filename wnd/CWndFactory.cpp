#include "wnd/CWndFactory.h"

#include <forward_list>

namespace {

std::forward_list<SWndFactory>& Factories() {
    static std::forward_list<SWndFactory> list;  // lives for the whole process
    return list;
}

}  // namespace

void RegisterWndFactory(const wchar_t* className, WndFactoryFn factory, WndDeleterFn deleter) {
    if (!className || !factory || !deleter) return;
    Factories().push_front(SWndFactory{className, factory, deleter});
}

const SWndFactory* FindWndFactory(HWND hwnd) {
    wchar_t name[128] = {};
    if (!hwnd || ::GetClassNameW(hwnd, name, 128) <= 0) return nullptr;
    for (const SWndFactory& entry : Factories()) {
        if (entry.className == name) return &entry;
    }
    return nullptr;
}
