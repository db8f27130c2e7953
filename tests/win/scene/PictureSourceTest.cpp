#include "PngFile.h"

#include "scene/CBmp.h"
#include "scene/win/CResourcePictureSource.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ResourcePictureSource, BuiltInPicturesLoadAndRepeatIdentically) {
    CResourcePictureSource pictures;
    CBmp first, second;
    ASSERT_TRUE(pictures.LoadResource(122, first));
    ASSERT_TRUE(pictures.LoadResource(122, second));
    EXPECT_EQ(first.Width(), 193);
    EXPECT_EQ(first.Height(), 250);
    ASSERT_EQ(first.ByteSize(), second.ByteSize());
    EXPECT_EQ(0, std::memcmp(first.Bits(), second.Bits(), static_cast<std::size_t>(first.ByteSize())));
}

TEST(ResourcePictureSource, MissingResourceEmptiesTheTarget) {
    CResourcePictureSource pictures;
    CBmp out;
    ASSERT_TRUE(pictures.LoadResource(131, out));
    EXPECT_FALSE(pictures.LoadResource(0, out));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_FALSE(pictures.LoadResource(65000, out));
    EXPECT_TRUE(out.IsEmpty());
}

TEST(ResourcePictureSource, FilesAndFolders) {
    CResourcePictureSource pictures;
    const std::wstring png = TestDataPath(L"golden/default-garlands.png");
    EXPECT_TRUE(pictures.FileExists(png));
    EXPECT_FALSE(pictures.FileExists(TestDataPath(L"golden")));
    EXPECT_FALSE(pictures.FileExists(TestDataPath(L"golden/none.png")));
    CBmp out;
    ASSERT_TRUE(pictures.LoadFile(png, out));
    EXPECT_EQ(out.Width(), 193);
    EXPECT_FALSE(pictures.LoadFile(TestDataPath(L"golden/none.png"), out));
    EXPECT_TRUE(out.IsEmpty());
    int w = 0, h = 0;
    pictures.ScreenSize(w, h);
    EXPECT_GT(w, 0);
    EXPECT_GT(h, 0);
}

}  // namespace
