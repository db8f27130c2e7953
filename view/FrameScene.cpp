#include "view/FrameScene.h"

#include "scene/CItem.h"
#include "view/ComposeScene.h"

namespace {

SFramePicture PictureOf(const CItem& item, const SViewPicture* composed, const SComposition& composition) {
    if (composed && composed->item == &item)
        return {&composed->Picture(), composed->x, composed->y, item.Type(), item.IsVisible()};
    SViewPicture place;
    PlaceInView(item.x, item.y, 0, 0, composition.box, composition.scale, place);
    return {&item.Rendered(), place.x, place.y, item.Type(), item.IsVisible()};
}

}  // namespace

void FillFrameScene(const CItem& tree, std::span<CItem* const> items, const SSceneBox& box, SFrameScene& out) {
    SComposition unscaled;  // no places of its own: each item is placed from its position
    unscaled.box = box;
    FillFrameScene(tree, items, unscaled, out);
}

void FillFrameScene(const CItem& tree, std::span<CItem* const> items, const SComposition& composition,
                    SFrameScene& out) {
    out.tree = PictureOf(tree, &composition.tree, composition);
    out.items.clear();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CItem* item = items[i];
        if (!item) continue;
        const SViewPicture* composed = i < composition.items.size() ? &composition.items[i] : nullptr;
        out.items.push_back(PictureOf(*item, composed, composition));
    }
}
