#include "ImagingTestData.h"
#include "wnd/Handles.h"

TEST(LoadFromFile, ImageMagickPicturesMatch) {
    struct Case {
        const char* file;
        int w, h;
        bool hasAlpha;
        int tolerance;
    } cases[] = {
        {"rose24.bmp", 70, 46, false, 0},   {"alpha32.bmp", 20, 12, true, 0},
        {"alpha.png", 20, 12, true, 0},     {"palette.png", 70, 46, false, 0},
        {"grey.png", 70, 46, false, 0},     {"palette_transparent.png", 30, 20, true, 0},
        {"rose.jpg", 70, 46, false, 6},  // two JPEG decoders may round differently
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const long live = CHandleTally::LiveTotal();
        CBmp bmp;
        ASSERT_TRUE(bmp.LoadFromFile(DataPath(std::string("files/") + c.file).c_str()));
        EXPECT_EQ(bmp.Width(), c.w);
        EXPECT_EQ(bmp.Height(), c.h);
        EXPECT_EQ(bmp.HasAlpha(), c.hasAlpha);
        const std::string name(c.file);
        ExpectMatchesDump(bmp, "files/" + name.substr(0, name.rfind('.')) + ".rgba", c.tolerance);
        EXPECT_EQ(CHandleTally::LiveTotal(), live) << "owners left alive";
    }
}

TEST(LoadFromFile, BrokenFilesGiveAnEmptyBitmapAndFalse) {
    const char* files[] = {"broken/empty.png",      "broken/truncated.png", "broken/truncated.jpg",
                           "broken/random.png",     "broken/lying.png",     "broken/lying.bmp",
                           "broken/over_limit.bmp", "broken/missing.png",   "gif/../nowhere/x.bmp"};
    for (const char* f : files) {
        const long live = CHandleTally::LiveTotal();
        CBmp bmp;
        bmp.Create(2, 2);
        EXPECT_FALSE(bmp.LoadFromFile(DataPath(f).c_str())) << f;
        EXPECT_TRUE(bmp.IsEmpty()) << f;
        EXPECT_EQ(CHandleTally::LiveTotal(), live) << f;
    }
    CBmp bmp;
    EXPECT_FALSE(bmp.LoadFromFile(nullptr));
    EXPECT_FALSE(bmp.LoadFromFile(L""));
}

TEST(LoadFromFile, ContentDecidesNotTheName) {
    CBmp bmp;
    ASSERT_TRUE(bmp.LoadFromFile(DataPath("broken/jpeg_named.png").c_str()));
    EXPECT_EQ(bmp.Width(), 70);
}

TEST(LoadFromFile, WorksWhenComIsAlreadyInitialised) {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    CBmp bmp;
    EXPECT_TRUE(bmp.LoadFromFile(DataPath("files/alpha.png").c_str()));
    ::CoUninitialize();
}
