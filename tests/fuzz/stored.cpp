// Fuzzes what the program reads back from the registry, over the in-memory backend that decodes
// values as the registry does: any value type, texts without a null, odd byte counts, structures
// of any length. The input fills the values of two item sections and an option set; the scene is
// then created and loaded as at start-up. Every loaded field must lie within its bounds, and a
// save followed by a load must give the same scene.
#include "param/CEdges.h"
#include "param/CMemoryBackend.h"
#include "param/CParam.h"
#include "param/CParamRegSet.h"
#include "param/CSettingsStore.h"
#include "scene/CColReg.h"
#include "scene/CItem.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

const wchar_t* const kNames[] = {L"type", L"resid", L"x", L"y", L"hue", L"brig", L"contr", L"opaque", L"size",
                                 L"visible", L"source", L"path", L"Caption", L"crIgnClr", L"bIgnClr", L"num"};

bool InBounds(const CItem& i) {
    return i.hue.Get() >= 0 && i.hue.Get() <= 240 && i.brig.Get() >= -100 && i.brig.Get() <= 100 &&
           i.contr.Get() >= -100 && i.contr.Get() <= 100 && i.opaque.Get() >= 20 && i.opaque.Get() <= 100 &&
           i.size.Get() >= 10 && i.size.Get() <= 200;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CMemoryBackend backend;
    CSettingsStore store;
    store.SetRoot(L"Software\\Fuzz");
    store.SetBackend(&backend);

    // Records: section (1 byte), name (1 byte), type (1 byte), length (1 byte), bytes.
    std::size_t at = 0;
    while (at + 4 <= size) {
        const tstr section = data[at] % 3 == 0 ? L"Software\\Fuzz\\Items\\000"
                             : data[at] % 3 == 1 ? L"Software\\Fuzz\\Items\\001"
                                                 : L"Software\\Fuzz\\Options";
        const tstr name = kNames[data[at + 1] % (sizeof(kNames) / sizeof(kNames[0]))];
        const std::uint32_t type = data[at + 2] % 8;
        const std::size_t length = std::min<std::size_t>(data[at + 3], size - at - 4);
        backend.SetRaw(section, name, type, std::vector<std::uint8_t>(data + at + 4, data + at + 4 + length));
        at += 4 + length;
    }

    CColReg<CItem*> items;
    items.SetNames(L"Items", L"%03d");
    items.Create(store, 0);
    items.LoadAll(&store, true);
    Require(items.Count() <= 2);
    for (const CItem* item : items.Items()) Require(InBounds(*item));

    CEdges<CParam<int>, int> num;
    num.SetRange(0, 50);
    CParamRegSet options(&store);
    options.Add(&num, L"num");
    options.LoadAll(L"Options");
    Require(num.Get() >= 0 && num.Get() <= 50);

    // Saved and loaded again, the scene is the same.
    CMemoryBackend second;
    store.SetBackend(&second);
    items.SaveAll(&store, true);
    CColReg<CItem*> again;
    again.SetNames(L"Items", L"%03d");
    again.Create(store, 0);
    again.LoadAll(&store, true);
    Require(again.Count() == items.Count());
    for (int n = 0; n < items.Count(); ++n) {
        const CItem& a = *items.GetAt(n);
        const CItem& b = *again.GetAt(n);
        Require(a.x == b.x && a.y == b.y && a.path == b.path && a.Caption.Get() == b.Caption.Get() &&
                a.hue.Get() == b.hue.Get() && a.size.Get() == b.size.Get() && a.resid.Get() == b.resid.Get() &&
                a.type.Get() == b.type.Get() && a.visible.Get() == b.visible.Get());
    }
    return 0;
}
