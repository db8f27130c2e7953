#include "scene/DefaultScene.h"

#include "scene/CItem.h"

namespace {

struct SDefaultItem {
    const wchar_t* caption;
    int type;
    unsigned int resid;
    int brig, contr, hue, opaque, size, x, y;
};

// Garlands first, then the toys, the star last (drawn on top).
constexpr SDefaultItem kDefaultScene[kDefaultSceneItemCount] = {
    {L"Garland", CItem::kGarland, 145, 0, 0, 0, 100, 100, 58, 209},
    {L"Garland", CItem::kGarland, 145, 0, 0, 0, 100, 100, 97, 188},
    {L"Garland", CItem::kGarland, 145, 0, 0, 0, 100, 100, 25, 190},
    {L"Garland", CItem::kGarland, 145, 0, 0, 0, 100, 100, 100, 220},
    {L"Garland", CItem::kGarland, 145, 0, 0, 0, 100, 100, 9, 223},
    {L"Garland", CItem::kGarland, 145, 0, 0, 160, 100, 80, 72, 43},
    {L"Garland", CItem::kGarland, 145, 0, 0, 160, 100, 80, 80, 64},
    {L"Garland", CItem::kGarland, 145, 0, 0, 160, 100, 80, 49, 91},
    {L"Garland", CItem::kGarland, 145, 0, 0, 69, 100, 100, 34, 130},
    {L"Garland", CItem::kGarland, 145, 0, 0, 69, 100, 100, 84, 119},
    {L"Garland", CItem::kGarland, 145, 0, 0, 69, 100, 100, 58, 162},
    {L"Toy", CItem::kToy, 131, -25, 0, 84, 100, 50, 63, 174},
    {L"Toy", CItem::kToy, 131, -25, 0, 0, 100, 50, 139, 185},
    {L"Toy", CItem::kToy, 131, -25, 0, 122, 100, 50, 112, 145},
    {L"Toy", CItem::kToy, 131, -25, 0, 208, 100, 50, 56, 101},
    {L"Toy", CItem::kToy, 131, -25, 0, 25, 100, 50, 36, 141},
    {L"Toy", CItem::kToy, 134, -25, 0, 25, 100, 50, 105, 86},
    {L"Toy", CItem::kToy, 134, 0, 0, 96, 100, 50, 77, 131},
    {L"Toy", CItem::kToy, 134, 22, 40, 139, 100, 50, 65, 55},
    {L"Star", CItem::kToy, 140, 2, 3, 0, 100, 65, 72, 0},
};

}  // namespace

void ResetTreeItem(CItem& tree) {
    tree.Setup(L"XMas Tree", CItem::kTree, kDefaultTreeResource, 0, 0, 0, 100, 100, 0, 0);
}

void AddDefaultScene(CColReg<CItem*>& items) {
    for (const SDefaultItem& d : kDefaultScene) {
        CItem* item = new CItem();
        item->Setup(d.caption, d.type, d.resid, d.brig, d.contr, d.hue, d.opaque, d.size, d.x, d.y);
        items.Add(item);
    }
}
