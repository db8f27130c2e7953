// Moving one member of an ordered collection beside another: the construction page keeps its
// items in the order of their rows in the items pane. Free of <windows.h>, tested natively.
#pragma once

#include "param/CCollector.h"

#include <algorithm>
#include <vector>

// Moves source to just before (or just after) target. False, and nothing changed, when they are
// the same or either is not a member.
template <class T>
bool MoveBeside(CCollector<T*>& list, T* source, T* target, bool before) {
    if (source == target || !list.Contains(source) || !list.Contains(target)) return false;
    std::vector<T*> order = list.Items();
    order.erase(std::find(order.begin(), order.end(), source));
    const auto at = std::find(order.begin(), order.end(), target);
    order.insert(before ? at : at + 1, source);
    list.DetachAll();
    for (T* member : order) list.Add(member);
    return true;
}
