// The default scene over the built-in tree, rendered from the program's own bitmap resources and
// composed, compared pixel for pixel with the golden pictures in tests/data/golden. To regenerate
// them on purpose (after a deliberate change of the art or of the rendering), run this test with
// PINARBO_REGEN_GOLDEN=1 in the environment, look at the new pictures and commit them:
//   PINARBO_REGEN_GOLDEN=1 scripts/wine-run --prefix build/x64/wineprefix build/x64/tests/wintest_scene.exe
//       --gtest_filter='DefaultSceneGolden.*'
// (the pictures are written to tests/data/golden of the source tree the test was built from).
#include "PngFile.h"

#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "scene/DefaultScene.h"
#include "scene/win/CResourcePictureSource.h"
#include "view/ComposeScene.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

SPixels PixelsOf(const CBmp& bmp) {
    SPixels p;
    p.width = bmp.Width();
    p.height = bmp.Height();
    p.bgra.assign(bmp.Bits(), bmp.Bits() + bmp.ByteSize());
    return p;
}

void CompareWithGolden(const CBmp& bmp, const wchar_t* name) {
    const std::wstring path = TestDataPath((std::wstring(L"golden/") + name).c_str());
    const SPixels actual = PixelsOf(bmp);
    const char* regen = std::getenv("PINARBO_REGEN_GOLDEN");
    if (regen && std::strcmp(regen, "1") == 0) {
        ASSERT_TRUE(WritePng(path, actual));
        GTEST_SKIP() << "golden picture rewritten";
    }
    SPixels golden;
    ASSERT_TRUE(ReadPng(path, golden)) << "missing golden picture; run with PINARBO_REGEN_GOLDEN=1";
    ASSERT_EQ(actual.width, golden.width);
    ASSERT_EQ(actual.height, golden.height);
    int differing = 0, firstX = -1, firstY = -1;
    for (std::size_t i = 0; i < actual.bgra.size(); i += 4)
        if (std::memcmp(&actual.bgra[i], &golden.bgra[i], 4) != 0) {
            if (differing++ == 0) {
                firstX = static_cast<int>(i / 4) % actual.width;
                firstY = static_cast<int>(i / 4) / actual.width;
            }
        }
    EXPECT_EQ(differing, 0) << "first difference at (" << firstX << ", " << firstY
                            << "); after a deliberate change of the art or the rendering, regenerate with "
                               "PINARBO_REGEN_GOLDEN=1 and look at the new picture";
}

class DefaultSceneGolden : public ::testing::Test {
protected:
    void SetUp() override {
        CItem::SetPictureSource(&m_pictures);
        ResetTreeItem(m_tree);
        m_tree.LoadPicture();
        m_tree.Render();
        AddDefaultScene(m_items);
        for (CItem* item : m_items) {
            item->LoadPicture();
            item->Render();
        }
        ComposeScene(m_tree, m_items.Items(), m_out);
    }
    void TearDown() override { CItem::SetPictureSource(nullptr); }

    CResourcePictureSource m_pictures;
    CItem m_tree;
    CColReg<CItem*> m_items;
    SComposition m_out;
};

TEST_F(DefaultSceneGolden, BuiltInPicturesHaveTheirSizes) {
    EXPECT_EQ(m_tree.SourcePicture().Width(), 193);
    EXPECT_EQ(m_tree.SourcePicture().Height(), 250);
    const struct {
        int index, w, h;  // source sizes of the built-in pictures (before cropping they are these)
    } cases[] = {{0, 60, 15}, {11, 50, 50}, {16, 50, 85}, {19, 50, 48}};
    for (const auto& c : cases) {
        const CBmp& source = m_items.GetAt(c.index)->SourcePicture();
        EXPECT_LE(source.Width(), c.w) << c.index;
        EXPECT_LE(source.Height(), c.h) << c.index;
        EXPECT_GT(source.Width(), 0) << c.index;
    }
}

TEST_F(DefaultSceneGolden, BoxHoldsTheTreeAndEveryItem) {
    EXPECT_LE(m_out.box.minX, 0);
    EXPECT_LE(m_out.box.minY, 0);
    EXPECT_GE(m_out.box.maxX, 193);
    EXPECT_GE(m_out.box.maxY, 250);
    EXPECT_EQ(m_out.picture.Width(), m_out.box.Width());
    EXPECT_EQ(m_out.garlands.Height(), m_out.box.Height());
}

TEST_F(DefaultSceneGolden, ComposedPictureMatchesTheGolden) { CompareWithGolden(m_out.picture, L"default-scene.png"); }

TEST_F(DefaultSceneGolden, GarlandLayerMatchesTheGolden) {
    CompareWithGolden(m_out.garlands, L"default-garlands.png");
}

}  // namespace
