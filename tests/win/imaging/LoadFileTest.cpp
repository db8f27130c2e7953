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

namespace {

// A 3 x 1 32-bit bitmap file with the given alpha bytes: with a BITMAPV5HEADER and an alpha
// mask (as newer tools write) or with a plain BITMAPINFOHEADER and no mask.
std::vector<std::uint8_t> Bmp32File(bool alphaMask, const std::uint8_t (&alpha)[3]) {
    const std::uint32_t header = alphaMask ? 124 : 40;
    std::vector<std::uint8_t> out;
    const auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    put('B' | 'M' << 8, 2);
    put(14 + header + 12, 4);
    put(0, 4);
    put(14 + header, 4);
    put(header, 4);
    put(3, 4);
    put(1, 4);
    put(1 | 32 << 16, 4);  // planes, bits
    put(alphaMask ? 3 : 0, 4);  // BI_BITFIELDS or BI_RGB
    put(12, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    if (alphaMask) {
        put(0x00FF0000, 4);
        put(0x0000FF00, 4);
        put(0x000000FF, 4);
        put(0xFF000000, 4);
        put(0x73524742, 4);  // sRGB
        out.resize(out.size() + 124 - 60, 0);
    }
    const std::uint8_t colours[3][3] = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
    for (int i = 0; i < 3; ++i) {
        out.insert(out.end(), colours[i], colours[i] + 3);
        out.push_back(alpha[i]);
    }
    return out;
}

}  // namespace

TEST(LoadFromFile, AlphaBytesThatAreAllZeroMeanAnOpaquePicture) {
    struct Case {
        const char* what;
        bool mask;
        std::uint8_t alpha[3];
        std::uint32_t expected[3];
        bool hasAlpha;
    } cases[] = {
        {"mask, alpha all zero", true, {0, 0, 0}, {0xFF1E140A, 0xFF3C3228, 0xFF5A5046}, false},
        {"mask, one pixel with alpha", true, {0, 200, 0}, {0x001E140A, 0xC83C3228, 0x005A5046}, true},
        {"mask, all opaque", true, {255, 255, 255}, {0xFF1E140A, 0xFF3C3228, 0xFF5A5046}, true},
        {"no mask, alpha all zero", false, {0, 0, 0}, {0xFF1E140A, 0xFF3C3228, 0xFF5A5046}, false},
    };
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"pinarbo-alpha-test.bmp";
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> bytes = Bmp32File(c.mask, c.alpha);
        CUniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        file.reset();
        CBmp bmp;
        ASSERT_TRUE(bmp.LoadFromFile(path.c_str())) << c.what;
        ASSERT_EQ(bmp.Width(), 3) << c.what;
        for (int x = 0; x < 3; ++x) EXPECT_EQ(bmp.PixelAt(x, 0), c.expected[x]) << c.what << " pixel " << x;
        EXPECT_EQ(bmp.HasAlpha(), c.hasAlpha) << c.what;
    }
    ::DeleteFileW(path.c_str());
}
