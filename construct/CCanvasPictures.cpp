#include "construct/CCanvasPictures.h"

#include "scene/CItem.h"

#include <algorithm>

const CBmp& CCanvasPictures::For(const CItem& item, SViewScale scale, int width, int height) {
    if (scale.IsIdentity()) return item.Rendered();
    auto held = std::find_if(m_held.begin(), m_held.end(), [&item](const SHeld& h) { return h.item == &item; });
    if (held == m_held.end()) held = m_held.insert(m_held.end(), SHeld{&item, 0, 0, 0, 0, CBmp(), false});
    held->used = true;
    if (held->stamp != item.RenderStamp() || held->dpi != scale.dpi || held->width != width || held->height != height) {
        item.RenderAt(width, height, held->picture);
        held->stamp = item.RenderStamp();
        held->dpi = scale.dpi;
        held->width = width;
        held->height = height;
        ++m_renders;
    }
    return held->picture;
}

void CCanvasPictures::Sweep() {
    m_held.erase(std::remove_if(m_held.begin(), m_held.end(), [](const SHeld& h) { return !h.used; }), m_held.end());
    for (SHeld& h : m_held) h.used = false;
}
