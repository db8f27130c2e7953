#include "view/ComposeScene.h"

#include "scene/CItem.h"
#include "scene/CPixSurface.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

struct SBox64 {
    long long minX, maxX, minY, maxY;
    void Extend(const CItem& item) {
        const CBmp& pic = item.Rendered();
        minX = std::min(minX, static_cast<long long>(item.x));
        minY = std::min(minY, static_cast<long long>(item.y));
        maxX = std::max(maxX, static_cast<long long>(item.x) + pic.Width());
        maxY = std::max(maxY, static_cast<long long>(item.y) + pic.Height());
    }
};

// Draws pic at its scene position relative to the box; offsets beyond the cut box are skipped.
void DrawAt(const CBmp& pic, const CItem& item, const SSceneBox& box, CPixSurface& target) {
    if (pic.IsEmpty() || target.IsEmpty()) return;
    const long long dx = static_cast<long long>(item.x) - box.minX;
    const long long dy = static_cast<long long>(item.y) - box.minY;
    if (dx >= target.Width() || dy >= target.Height()) return;
    pic.DrawAlpha(target, static_cast<int>(dx), static_cast<int>(dy));
}

// A picture in which no pixel carries alpha is meant to be opaque.
void ApplyAlphaRule(CBmp& pic) {
    if (pic.IsEmpty()) return;
    std::uint8_t* p = pic.Bits();
    const int n = pic.Width() * pic.Height();
    for (int i = 0; i < n; ++i)
        if (p[i * 4 + 3]) {
            pic.SetHasAlpha(true);
            return;
        }
    for (int i = 0; i < n; ++i) p[i * 4 + 3] = 255;
    pic.SetHasAlpha(false);
}

}  // namespace

SSceneBox ComposeBox(const CItem& tree, std::span<CItem* const> items) {
    // The box starts at the tree's corner, not at fixed bounds such as (10000, 0): fixed bounds
    // would stretch the box (and the window, and every frame) from a scene beyond them to those
    // bounds, so a tree at negative positions or far right would drag in empty canvas. Starting
    // from the tree, the box is exactly the tree's rectangle when nothing else is visible.
    SBox64 b{tree.x, tree.x, tree.y, tree.y};
    b.Extend(tree);
    for (const CItem* item : items)
        if (item && item->IsVisible()) b.Extend(*item);

    SSceneBox box;
    box.minX = static_cast<int>(b.minX);  // a position: always within int
    box.minY = static_cast<int>(b.minY);
    const long long w = std::min<long long>({b.maxX - b.minX, kMaxComposeSide, INT_MAX - b.minX});
    const long long h = std::min<long long>({b.maxY - b.minY, kMaxComposeSide, INT_MAX - b.minY});
    box.maxX = static_cast<int>(b.minX + w);
    box.maxY = static_cast<int>(b.minY + h);
    return box;
}

void ComposeScene(const CItem& tree, std::span<CItem* const> items, SComposition& out) {
    out.box = ComposeBox(tree, items);
    const int w = out.box.Width();
    const int h = out.box.Height();

    CPixSurface picture;
    CPixSurface garlands;
    picture.Create(w, h);
    garlands.Create(w, h);

    DrawAt(tree.Rendered(), tree, out.box, picture);
    for (const CItem* item : items) {
        if (!item || !item->IsVisible()) continue;
        if (item->Type() == CItem::kToy)
            DrawAt(item->Rendered(), *item, out.box, picture);
        else if (item->Type() == CItem::kGarland)
            DrawAt(item->Rendered(), *item, out.box, garlands);
    }

    out.garlands.Free();
    out.garlands.CopyFromSurface(garlands);
    out.picture.Free();
    out.picture.CopyFromSurface(picture);
    ApplyAlphaRule(out.picture);
}
