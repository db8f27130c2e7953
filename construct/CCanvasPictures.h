// CCanvasPictures: the construction canvas's pictures of the scene's items at the page's scale,
// each rendered from its item's source once and kept until the item is rendered again, the scale
// changes or the item leaves the scene; moving items and hovering rows only place them anew.
#pragma once

#include "scene/CBmp.h"
#include "view/ViewScale.h"

#include <vector>

class CItem;

class CCanvasPictures {
public:
    // The item's picture at the scale, width x height pixels (its rendered picture itself at
    // 100 %), marked as used in this drawing pass.
    const CBmp& For(const CItem& item, SViewScale scale, int width, int height);
    // Drops the pictures of items not asked for since the last sweep (items gone from the scene).
    void Sweep();
    void Clear() noexcept { m_held.clear(); }
    // How many pictures were rendered since the cache was made (for tests: drags render none).
    int Renders() const noexcept { return m_renders; }

private:
    struct SHeld {
        const CItem* item;  // compared only: the item may be gone
        unsigned long long stamp;
        int dpi;
        int width;  // asked for: a picture that could not be rendered is not tried again per paint
        int height;
        CBmp picture;
        bool used;
    };
    std::vector<SHeld> m_held;
    int m_renders = 0;
};
