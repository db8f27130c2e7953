#include "scene/SceneSettings.h"

#include "scene/CItem.h"

#include <tuple>

namespace {

auto Fields(const SItemSettings& s) {
    return std::tie(s.caption, s.path, s.resid, s.type, s.source, s.visible, s.x, s.y, s.hue, s.brig, s.contr,
                    s.opaque, s.size, s.bIgnClr, s.crIgnClr);
}

}  // namespace

bool SItemSettings::operator==(const SItemSettings& o) const { return Fields(*this) == Fields(o); }

bool SItemSettings::OtherPicture(const SItemSettings& o) const {
    return resid != o.resid || source != o.source || path != o.path;
}

SItemSettings SettingsOf(const CItem& item) {
    SItemSettings s;
    s.caption = item.Caption.Get();
    s.path = item.path;
    s.resid = item.resid.Get();
    s.type = item.type.Get();
    s.source = item.source.Get();
    s.visible = item.visible.Get();
    s.x = item.x;
    s.y = item.y;
    s.hue = item.hue.Get();
    s.brig = item.brig.Get();
    s.contr = item.contr.Get();
    s.opaque = item.opaque.Get();
    s.size = item.size.Get();
    s.bIgnClr = item.bIgnClr.Get();
    s.crIgnClr = item.crIgnClr.Get();
    return s;
}

void PutSettings(const SItemSettings& s, CItem& item) {
    item.Caption.Set(s.caption);
    item.path = s.path;
    item.resid.Set(s.resid);
    item.type.Set(s.type);
    item.source.Set(s.source);
    item.visible.Set(s.visible);
    item.x = s.x;
    item.y = s.y;
    item.hue.Set(s.hue);
    item.brig.Set(s.brig);
    item.contr.Set(s.contr);
    item.opaque.Set(s.opaque);
    item.size.Set(s.size);
    item.bIgnClr.Set(s.bIgnClr);
    item.crIgnClr.Set(s.crIgnClr);
}

SSceneSettings SceneSettingsOf(const CItem& tree, const CColReg<CItem*>& items) {
    SSceneSettings scene;
    scene.tree = SettingsOf(tree);
    scene.items.reserve(static_cast<std::size_t>(items.Count()));
    for (const CItem* item : items) scene.items.push_back(SettingsOf(*item));
    return scene;
}
