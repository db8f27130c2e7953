#include "view/ComposeScene.h"

#include "scene/CItem.h"
#include "scene/CPixSurface.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

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

// Draws an item's view picture at its place; places beyond the cut box are skipped.
void DrawAt(const SViewPicture& place, CPixSurface& target) {
    const CBmp& pic = place.Picture();
    if (pic.IsEmpty() || target.IsEmpty()) return;
    if (place.x >= target.Width() || place.y >= target.Height()) return;
    pic.DrawAlpha(target, place.x, place.y);
}

bool IsDrawn(const CItem& item) {
    return item.IsVisible() && (item.Type() == CItem::kToy || item.Type() == CItem::kGarland);
}

// The item's place in the view and, away from 100 %, its picture rendered at the scaled size.
void Compose(const CItem& item, bool drawn, const SSceneBox& viewBox, SViewScale scale, SViewPicture& out) {
    const CBmp& pic = item.Rendered();
    out.item = &item;
    PlaceInView(item.x, item.y, pic.Width(), pic.Height(), viewBox, scale, out);
    out.ownPicture = !scale.IsIdentity();
    out.scaled.Free();
    if (out.ownPicture && drawn && !pic.IsEmpty()) item.RenderAt(out.width, out.height, out.scaled);
}

// A picture in which no pixel carries alpha is meant to be opaque; one nothing was drawn into
// stays clear.
void ApplyAlphaRule(CBmp& pic, bool drawn) {
    if (pic.IsEmpty() || !drawn) return;
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
    // The box starts at the first visible item's corner, not at fixed bounds such as (10000, 0):
    // fixed bounds would stretch the box (and the window, and every frame) from a scene beyond
    // them to those bounds, so a scene at negative positions or far right would drag in empty
    // canvas. With the tree visible and nothing else, the box is exactly the tree's rectangle.
    std::optional<SBox64> b;
    const auto extend = [&b](const CItem& item) {
        if (!b) b = SBox64{item.x, item.x, item.y, item.y};
        b->Extend(item);
    };
    if (tree.IsVisible()) extend(tree);
    for (const CItem* item : items)
        if (item && item->IsVisible()) extend(*item);
    // Nothing visible has a picture: the tree's rectangle all the same, so the view keeps its size
    // and place rather than shrinking to nothing.
    if (!b || b->maxX == b->minX || b->maxY == b->minY) {
        b.reset();
        extend(tree);
    }

    SSceneBox box;
    box.minX = static_cast<int>(b->minX);  // a position: always within int
    box.minY = static_cast<int>(b->minY);
    const long long w = std::min<long long>({b->maxX - b->minX, kMaxComposeSide, INT_MAX - b->minX});
    const long long h = std::min<long long>({b->maxY - b->minY, kMaxComposeSide, INT_MAX - b->minY});
    box.maxX = static_cast<int>(b->minX + w);
    box.maxY = static_cast<int>(b->minY + h);
    return box;
}

SSceneBox ScaleBox(const SSceneBox& box, SViewScale scale) {
    SSceneBox out;
    out.minX = scale.Edge(box.minX);
    out.minY = scale.Edge(box.minY);
    const long long w = std::min<long long>(
        {scale.Span(box.minX, box.maxX), kMaxComposeSide, static_cast<long long>(INT_MAX) - out.minX});
    const long long h = std::min<long long>(
        {scale.Span(box.minY, box.maxY), kMaxComposeSide, static_cast<long long>(INT_MAX) - out.minY});
    out.maxX = static_cast<int>(out.minX + std::max(0LL, w));
    out.maxY = static_cast<int>(out.minY + std::max(0LL, h));
    return out;
}

void PlaceInView(int x, int y, int width, int height, const SSceneBox& viewBox, SViewScale scale, SViewPicture& out) {
    const long long left = scale.Edge(x);
    const long long top = scale.Edge(y);
    out.x = static_cast<int>(std::clamp<long long>(left - viewBox.minX, INT_MIN, INT_MAX));
    out.y = static_cast<int>(std::clamp<long long>(top - viewBox.minY, INT_MIN, INT_MAX));
    out.width = width > 0 ? scale.Span(x, static_cast<long long>(x) + width) : 0;
    out.height = height > 0 ? scale.Span(y, static_cast<long long>(y) + height) : 0;
}

const CBmp& SViewPicture::Picture() const noexcept {
    static const CBmp kNone;
    if (ownPicture) return scaled;
    return item ? item->Rendered() : kNone;
}

void ComposeScene(const CItem& tree, std::span<CItem* const> items, SComposition& out, SViewScale scale) {
    out.scale = scale;
    out.sceneBox = ComposeBox(tree, items);
    out.box = ScaleBox(out.sceneBox, scale);
    const int w = out.box.Width();
    const int h = out.box.Height();

    Compose(tree, tree.IsVisible(), out.box, scale, out.tree);
    out.items.resize(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i]) {
            Compose(*items[i], IsDrawn(*items[i]), out.box, scale, out.items[i]);
        } else {
            out.items[i] = SViewPicture{};
        }
    }

    CPixSurface picture;
    CPixSurface garlands;
    picture.Create(w, h);
    garlands.Create(w, h);

    bool drawn = false;  // anything drawn into the picture
    if (tree.IsVisible()) {
        DrawAt(out.tree, picture);
        drawn = true;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CItem* item = items[i];
        if (!item || !item->IsVisible()) continue;
        if (item->Type() == CItem::kToy) {
            DrawAt(out.items[i], picture);
            drawn = true;
        } else if (item->Type() == CItem::kGarland) {
            DrawAt(out.items[i], garlands);
        }
    }

    out.garlands.Free();
    out.garlands.CopyFromSurface(garlands);
    out.picture.Free();
    out.picture.CopyFromSurface(picture);
    ApplyAlphaRule(out.picture, drawn);
}
