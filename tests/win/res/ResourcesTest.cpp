// The program's built-in resources: every bitmap loads with its size, depth and alpha; the button
// texture GIF has the layout the program's own GIF reader relies on; every icon has its sizes; the
// strings, the version text and the manifest are there.
#include <gtest/gtest.h>

#include <windows.h>
#include "PinarboVersion.h"

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "resource.h"
#include "scene/CBmp.h"
#include "scene/GifDecoder.h"
#include "wnd/Handles.h"

namespace {

HINSTANCE Self() { return ::GetModuleHandleW(nullptr); }

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;  // top-down, 4 bytes per pixel
    std::uint8_t Alpha(int x, int y) const { return bgra[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
};

// Loads a bitmap resource the way the program does (a device-dependent bitmap read back as a
// 32-bit top-down DIB through the screen's device context).
Pixels LoadAsProgramDoes(int id) {
    Pixels p;
    CUniqueBitmap bmp(static_cast<HBITMAP>(
        ::LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE)));
    if (!bmp) return p;
    BITMAP info{};
    if (::GetObjectW(bmp.get(), sizeof info, &info) != sizeof info) return p;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -info.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> bits(static_cast<size_t>(info.bmWidth) * info.bmHeight * 4);
    CWindowDc screen(nullptr);
    if (::GetDIBits(screen.get(), bmp.get(), 0, static_cast<UINT>(info.bmHeight), bits.data(), &bi,
                    DIB_RGB_COLORS) != info.bmHeight)
        return p;
    p.width = info.bmWidth;
    p.height = info.bmHeight;
    p.bgra = std::move(bits);
    return p;
}

// Bits per pixel of the bitmap as stored in the resource.
int StoredDepth(int id) {
    CUniqueBitmap bmp(static_cast<HBITMAP>(
        ::LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION ds{};
    if (!bmp || ::GetObjectW(bmp.get(), sizeof ds, &ds) != sizeof ds) return 0;
    return ds.dsBmih.biBitCount;
}

enum class Kind { Item, Tree, Picture, Opaque, Sprite };

struct BitmapCase {
    int id;
    int width;
    int height;
    int depth;
    Kind kind;
};

std::vector<BitmapCase> AllBitmaps() {
    std::vector<BitmapCase> cases = {
        {IDB_TOOL_GEAR, 16, 16, 32, Kind::Picture},
        {IDB_TOOLBAR_BACK, 26, 26, 32, Kind::Opaque},
        {IDB_EYE_OPEN, 16, 16, 32, Kind::Picture},
        {IDB_BUTTON_BASE, 96, 96, 32, Kind::Picture},
        {IDB_BUTTON_GLOSS, 96, 96, 32, Kind::Picture},
        {IDB_GRADIENT_HUE, 256, 1, 32, Kind::Opaque},
        {IDB_GRADIENT_PULSE, 256, 1, 32, Kind::Opaque},
        {IDB_GRADIENT_BLOCKS, 320, 1, 32, Kind::Opaque},
        {IDB_TREE_DEFAULT, 193, 250, 32, Kind::Tree},
        {IDB_TOY_ROUND, 50, 50, 32, Kind::Item},
        {IDB_TOY_LONG, 50, 85, 32, Kind::Item},
        {IDB_TOY_STAR, 50, 48, 32, Kind::Item},
        {IDB_GARLAND_LIGHTS, 60, 15, 32, Kind::Item},
        {IDB_TOOL_MINUS, 20, 20, 32, Kind::Picture},
        {IDB_TOOL_PLUS, 20, 20, 32, Kind::Picture},
        {IDB_EYE_CLOSED, 16, 16, 32, Kind::Picture},
        {IDB_BLINK_MASK, 32, 32, 24, Kind::Sprite},
        {IDB_BLINK_STRIP, 384, 32, 24, Kind::Sprite},
    };
    // The other trees and toys: any size that fits the scene, 32-bit with alpha.
    for (int id = IDB_TREE_FIRST + 1; id <= IDB_TREE_LAST; ++id) cases.push_back({id, 0, 0, 32, Kind::Tree});
    for (int id = IDB_TOY_FIRST; id <= IDB_TOY_LAST; ++id) {
        bool listed = false;
        for (const auto& c : cases) listed = listed || c.id == id;
        if (!listed) cases.push_back({id, 0, 0, 32, Kind::Item});
    }
    return cases;
}

TEST(ResourcesTest, EveryBitmapHasItsSizeDepthAndAlpha) {
    for (const auto& c : AllBitmaps()) {
        SCOPED_TRACE("bitmap " + std::to_string(c.id));
        const Pixels p = LoadAsProgramDoes(c.id);
        ASSERT_GT(p.width, 0);
        if (c.width) {
            EXPECT_EQ(p.width, c.width);
            EXPECT_EQ(p.height, c.height);
        } else {
            EXPECT_LE(p.width, 260);
            EXPECT_LE(p.height, 260);
        }
        EXPECT_EQ(StoredDepth(c.id), c.depth);

        int transparent = 0, partial = 0, opaque = 0;
        for (size_t i = 3; i < p.bgra.size(); i += 4) {
            const int a = p.bgra[i];
            (a == 0 ? transparent : a == 255 ? opaque : partial)++;
        }
        switch (c.kind) {
        case Kind::Sprite:  // 24-bit: the alpha bytes read back as zero, the program makes them opaque
            EXPECT_EQ(opaque + partial, 0);
            break;
        case Kind::Opaque:
            EXPECT_EQ(transparent + partial, 0);
            break;
        default:  // shaped pictures: clear surroundings and anti-aliased (not 1-bit) edges
            EXPECT_GT(transparent, 0);
            EXPECT_GT(opaque, 0);
            EXPECT_GT(partial, 0);
        }
    }
}

// Item pictures are cropped to their visible pixels, so the default tree must reach every edge of
// its box or the whole default scene would shift against it.
TEST(ResourcesTest, DefaultTreeFillsItsBox) {
    const Pixels p = LoadAsProgramDoes(IDB_TREE_DEFAULT);
    ASSERT_EQ(p.width, 193);
    ASSERT_EQ(p.height, 250);
    bool top = false, bottom = false, left = false, right = false;
    for (int x = 0; x < p.width; ++x) {
        top = top || p.Alpha(x, 0) != 0;
        bottom = bottom || p.Alpha(x, p.height - 1) != 0;
    }
    for (int y = 0; y < p.height; ++y) {
        left = left || p.Alpha(0, y) != 0;
        right = right || p.Alpha(p.width - 1, y) != 0;
    }
    EXPECT_TRUE(top && bottom && left && right) << top << bottom << left << right;
    // The apex sits under the star of the default scene, near x = 88.
    int apex = -1;
    for (int x = 0; x < p.width && apex < 0; ++x)
        if (p.Alpha(x, 0) != 0) apex = x;
    EXPECT_NEAR(apex, 88, 4);
}

// Black (0x000000) is the default colour key of scene items: a visible black pixel in a built-in
// picture would be punched out.
TEST(ResourcesTest, ItemPicturesHaveNoVisibleKeyBlack) {
    for (int id = IDB_TREE_FIRST; id <= IDB_TOY_LAST; ++id) {
        const Pixels p = LoadAsProgramDoes(id);
        int black = 0;
        for (size_t i = 0; i < p.bgra.size(); i += 4)
            if (p.bgra[i + 3] != 0 && p.bgra[i] == 0 && p.bgra[i + 1] == 0 && p.bgra[i + 2] == 0) ++black;
        EXPECT_EQ(black, 0) << "bitmap " << id;
    }
}

struct RawResource {
    const std::uint8_t* data = nullptr;
    DWORD size = 0;
};

RawResource FindRaw(int id, const wchar_t* type) {
    RawResource r;
    HRSRC found = ::FindResourceW(Self(), MAKEINTRESOURCEW(id), type);
    if (!found) return r;
    HGLOBAL loaded = ::LoadResource(Self(), found);  // resource memory: not freed by the caller
    if (!loaded) return r;
    r.data = static_cast<const std::uint8_t*>(::LockResource(loaded));
    r.size = ::SizeofResource(Self(), found);
    return r;
}

unsigned U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

TEST(ResourcesTest, ButtonTextureGifHasTheExpectedLayout) {
    const RawResource gif = FindRaw(IDR_BUTTON_TEXTURE, L"GIF");
    ASSERT_NE(gif.data, nullptr);
    ASSERT_GT(gif.size, 13u + 96u + 11u);
    const std::uint8_t* d = gif.data;
    EXPECT_EQ(std::memcmp(d, "GIF89a", 6), 0);
    EXPECT_EQ(U16(d + 6), 256u);
    EXPECT_EQ(U16(d + 8), 256u);
    const std::uint8_t flags = d[10];
    EXPECT_TRUE(flags & 0x80) << "global colour table";
    EXPECT_EQ(2 << (flags & 7), 32) << "colour table entries";

    // The image must follow the colour table directly: no extension blocks.
    const std::uint8_t* img = d + 13 + 3 * 32;
    ASSERT_EQ(img[0], 0x2C) << "found block 0x" << std::hex << int(img[0]);
    EXPECT_EQ(U16(img + 1), 0u);
    EXPECT_EQ(U16(img + 3), 0u);
    EXPECT_EQ(U16(img + 5), 256u);
    EXPECT_EQ(U16(img + 7), 256u);
    EXPECT_EQ(img[9] & 0x40, 0) << "interlaced";
    EXPECT_EQ(img[9] & 0x80, 0) << "local colour table";
    EXPECT_EQ(img[10], 5) << "LZW minimum code size for 32 colours";

    // The sub-block chain ends inside the resource, followed by the trailer.
    size_t pos = static_cast<size_t>(img + 11 - d);
    while (pos < gif.size && d[pos] != 0) pos += 1 + d[pos];
    ASSERT_LT(pos + 1, gif.size);
    EXPECT_EQ(d[pos + 1], 0x3B);
}

// The program's own GIF reader turns the texture into an opaque 256 x 256 picture that really
// uses its palette (a texture, not a flat fill).
TEST(ResourcesTest, ButtonTextureDecodesWithTheProgramsReader) {
    const RawResource gif = FindRaw(IDR_BUTTON_TEXTURE, L"GIF");
    ASSERT_NE(gif.data, nullptr);
    CBmp texture;
    ASSERT_EQ(DecodeGif(gif.data, gif.size, texture), kGifDone);
    ASSERT_EQ(texture.Width(), 256);
    ASSERT_EQ(texture.Height(), 256);
    std::set<std::uint32_t> colours;
    int transparent = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const std::uint32_t px = texture.PixelAt(x, y);
            if ((px >> 24) != 255) ++transparent;
            colours.insert(px);
        }
    EXPECT_EQ(transparent, 0);
    EXPECT_LE(colours.size(), 32u);
    EXPECT_GE(colours.size(), 16u);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(ResourcesTest, EveryIconHasItsSizes) {
    const struct {
        int id;
        std::set<int> sizes;
    } icons[] = {
        {IDI_APP, {16, 32, 48, 256}}, {IDI_SETTINGS, {16, 32}},   {IDI_CONSTRUCT, {16, 32}},
        {IDI_HUE, {16, 32}},          {IDI_BRIGHTNESS, {16, 32}}, {IDI_CONTRAST, {16, 32}},
        {IDI_OPACITY, {16, 32}},      {IDI_SIZE, {16, 32}},
    };
    for (const auto& icon : icons) {
        SCOPED_TRACE("icon " + std::to_string(icon.id));
        const RawResource group = FindRaw(icon.id, MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
        ASSERT_NE(group.data, nullptr);
        const unsigned count = U16(group.data + 4);
        ASSERT_EQ(group.size, 6 + count * sizeof(GroupIconEntry));
        std::set<int> stored;
        for (unsigned i = 0; i < count; ++i) {
            GroupIconEntry e;
            std::memcpy(&e, group.data + 6 + i * sizeof e, sizeof e);
            const int size = e.width ? e.width : 256;
            EXPECT_EQ(e.bitCount, 32) << "size " << size;
            stored.insert(size);
        }
        EXPECT_EQ(stored, icon.sizes);

        for (int size : icon.sizes) {
            CUniqueIcon h(static_cast<HICON>(
                ::LoadImageW(Self(), MAKEINTRESOURCEW(icon.id), IMAGE_ICON, size, size, 0)));
            ASSERT_TRUE(h) << "size " << size;
            ICONINFO ii{};
            ASSERT_TRUE(::GetIconInfo(h.get(), &ii));
            CUniqueBitmap colour(ii.hbmColor), mask(ii.hbmMask);
            BITMAP bm{};
            ASSERT_TRUE(colour);
            ASSERT_EQ(::GetObjectW(colour.get(), sizeof bm, &bm), static_cast<int>(sizeof bm));
            EXPECT_EQ(bm.bmWidth, size);
            EXPECT_EQ(bm.bmHeight, size);
        }
    }
}

TEST(ResourcesTest, StringsReadBack) {
    const struct {
        int id;
        const wchar_t* text;
    } strings[] = {
        {IDS_EXIT, L"E&xit"},
        {IDS_TREE, L"XMas Tree"},
        {IDS_TOY, L"Toy"},
        {IDS_GARLAND, L"Garland"},
        {IDS_CONFIRMATION, L"Confirmation"},
        {IDS_DELETE_SELECTED, L"Delete selected items?"},
        {IDS_TREE_UNREADABLE, L"The picture file could not be read; the built-in tree is shown."},
        {IDS_ITEM_UNREADABLE, L"The picture file could not be read; the built-in picture is shown."},
        {IDS_START_SHOW, L"Show main window, when the program starts"},
        {IDS_START_MINIMIZE, L"Minimize main window, when the program starts"},
        {IDS_START_AS_LAST, L"Show main window, as it was shown on last exit"},
        {IDS_TRAY_SETTINGS, L"&Settings..."},
        {IDS_TRAY_SHOW, L"Show &Pinarbo"},
        {IDS_TRAY_HIDE, L"Hide &Pinarbo"},
        {IDS_TRAY_EXIT, L"E&xit"},
        {IDS_TRAY_SHOW_TREE, L"Show &tree"},
        {IDS_TRAY_HIDE_TREE, L"Hide &tree"},
        {IDS_TRAY_CLICKS, L"&Let clicks through"},
        {IDS_HELP_ADD_ITEM, L"Add a toy or garland"},
        {IDS_HELP_DELETE_ITEMS, L"Delete selected toy and garlands"},
        {IDS_HELP_APPLY, L"Apply changes to final picture on the screen"},
    };
    for (const auto& s : strings) {
        wchar_t buf[256] = {};
        const int n = ::LoadStringW(Self(), static_cast<UINT>(s.id), buf, 256);
        EXPECT_EQ(std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0)), s.text) << "string " << s.id;
    }
}

TEST(ResourcesTest, VersionTextAndManifest) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<std::uint8_t> info(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path, 0, size, info.data()));
    struct Translation {
        WORD language, codePage;
    }* tr = nullptr;
    UINT len = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&tr), &len));
    ASSERT_GE(len, sizeof(Translation));
    wchar_t key[64];
    swprintf(key, 64, L"\\StringFileInfo\\%04X%04X\\FileVersion", tr->language, tr->codePage);
    wchar_t* text = nullptr;
    ASSERT_TRUE(::VerQueryValueW(info.data(), key, reinterpret_cast<void**>(&text), &len));
    EXPECT_STREQ(text, PINARBO_VERSION_WTEXT);

    const RawResource manifest = FindRaw(1, MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(manifest.data, nullptr);
    const std::string xml(reinterpret_cast<const char*>(manifest.data), manifest.size);
    EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(xml.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(xml.find("asInvoker"), std::string::npos);
}

}  // namespace
