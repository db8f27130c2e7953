// Rendering the default scene's 21 items and composing it, with synthetic pictures of the
// built-in sizes (tree 193 x 250, toys 50 x 50 and 50 x 85, star 50 x 48, garland 60 x 15).
#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "scene/DefaultScene.h"
#include "scene/IPictureSource.h"
#include "view/ComposeScene.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>

namespace {

class CPatternSource : public IPictureSource {
public:
    bool LoadResource(int id, CBmp& out) override {
        static const std::map<int, std::pair<int, int>> sizes = {
            {122, {193, 250}}, {131, {50, 50}}, {134, {50, 85}}, {140, {50, 48}}, {145, {60, 15}}};
        const auto it = sizes.find(id);
        if (it == sizes.end() || !out.Create(it->second.first, it->second.second)) return false;
        // A deterministic pattern with a soft, partly transparent edge.
        std::uint8_t* p = out.Bits();
        const int w = out.Width(), h = out.Height();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x, p += 4) {
                p[0] = static_cast<std::uint8_t>(x * 7 + y * 3 + id);
                p[1] = static_cast<std::uint8_t>(x * 5 + y * 11);
                p[2] = static_cast<std::uint8_t>(x * 13 + y * 2 + id * 3);
                const int edge = std::min({x, y, w - 1 - x, h - 1 - y});
                p[3] = static_cast<std::uint8_t>(edge >= 4 ? 255 : edge * 64);
            }
        return true;
    }
    bool LoadFile(const tstr&, CBmp& out) override {
        out.Free();
        return false;
    }
    bool FileExists(const tstr&) override { return false; }
    void ScreenSize(int& width, int& height) override {
        width = 1920;
        height = 1080;
    }
};

struct SScene {
    SScene() {
        CItem::SetPictureSource(&pictures);
        ResetTreeItem(tree);
        AddDefaultScene(items);
        tree.LoadPicture();
        for (CItem* item : items) item->LoadPicture();
    }
    void RenderAll() {
        tree.Render();
        for (CItem* item : items) item->Render();
    }
    CPatternSource pictures;
    CItem tree;
    CColReg<CItem*> items;
};

void BM_RenderDefaultScene(benchmark::State& state) {
    SScene scene;
    for (auto _ : state) {
        scene.RenderAll();
        benchmark::DoNotOptimize(scene.tree.Rendered().Bits());
    }
    state.SetItemsProcessed(state.iterations() * 21);
}
BENCHMARK(BM_RenderDefaultScene)->Unit(benchmark::kMicrosecond);

void BM_ComposeDefaultScene(benchmark::State& state) {
    SScene scene;
    scene.RenderAll();
    SComposition out;
    for (auto _ : state) {
        ComposeScene(scene.tree, scene.items.Items(), out);
        benchmark::DoNotOptimize(out.picture.Bits());
    }
}
BENCHMARK(BM_ComposeDefaultScene)->Unit(benchmark::kMicrosecond);

}  // namespace
