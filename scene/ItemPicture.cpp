#include "scene/ItemPicture.h"

#include "scene/CItem.h"
#include "scene/DefaultScene.h"
#include "scene/IPictureSource.h"

namespace {

// Offers the item no file and one built-in picture, whatever id it asks for: the item loads
// that picture through its usual steps while its own settings stay untouched (they may be bound
// to a dialog's controls).
class CBuiltInOnly : public IPictureSource {
public:
    CBuiltInOnly(IPictureSource& pictures, unsigned int id)
        : m_pictures(pictures), m_id(static_cast<int>(id & 0xFFFFu)) {}
    bool LoadResource(int, CBmp& out) override { return m_pictures.LoadResource(m_id, out); }
    bool LoadFile(const tstr&, CBmp&) override { return false; }
    bool FileExists(const tstr&) override { return false; }
    void ScreenSize(int& width, int& height) override { m_pictures.ScreenSize(width, height); }

private:
    IPictureSource& m_pictures;
    int m_id;
};

unsigned int DefaultResourceOf(int type) {
    switch (type) {
    case CItem::kToy: return kDefaultToyResource;
    case CItem::kGarland: return kDefaultGarlandResource;
    default: return kDefaultTreeResource;
    }
}

}  // namespace

bool LoadItemPicture(CItem& item) {
    if (item.LoadPicture()) return true;
    IPictureSource* pictures = CItem::PictureSource();
    if (!pictures) return false;
    for (const unsigned int id : {item.resid.Get(), DefaultResourceOf(item.type.Get())}) {
        CBuiltInOnly builtIn(*pictures, id);
        if (item.LoadPicture(builtIn)) break;
    }
    return false;
}
