#include "view/FrameScene.h"

#include "scene/CItem.h"
#include "view/ComposeScene.h"

#include <algorithm>
#include <climits>

namespace {

// Scene position minus box minimum, kept inside int for positions read from anywhere.
int FramePos(int position, int minimum) {
    const long long v = static_cast<long long>(position) - minimum;
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

SFramePicture PictureOf(const CItem& item, const SSceneBox& box) {
    return {&item.Rendered(), FramePos(item.x, box.minX), FramePos(item.y, box.minY), item.Type(), item.IsVisible()};
}

}  // namespace

void FillFrameScene(const CItem& tree, std::span<CItem* const> items, const SSceneBox& box, SFrameScene& out) {
    out.tree = PictureOf(tree, box);
    out.items.clear();
    for (const CItem* item : items) {
        if (item) out.items.push_back(PictureOf(*item, box));
    }
}
