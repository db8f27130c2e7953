#include "GifTestStreams.h"
#include "PixelHelpers.h"
#include "scene/GifDecoder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>

namespace {

const std::string kDir = std::string(PINARBO_TEST_DATA) + "/imaging/gif/";

struct SImFile {
    const char* name;
    int w, h;
};
const SImFile kImFiles[] = {
    {"min2_13x7", 13, 7},       {"min3_31x17", 31, 17},    {"min4_40x30", 40, 30},
    {"min5_64x64", 64, 64},     {"min6_50x50", 50, 50},    {"min7_97x61", 97, 61},
    {"min8_160x120", 160, 120}, {"smooth_128x128", 128, 128}, {"single_1x1", 1, 1},
    {"wide_300x2", 300, 2},     {"transparent_24x16", 24, 16}, {"interlaced_70x46", 70, 46},
};

// Where the first image's LZW data starts (after colour tables and extensions), and the flags
// byte of its descriptor; read independently of the decoder under test.
std::size_t LocateImageData(const Bytes& f, std::uint8_t* imageFlags) {
    std::size_t p = 13 + ((f[10] & 0x80) ? 3u << ((f[10] & 7) + 1) : 0);
    while (f.at(p) == 0x21) {
        p += 2;
        while (f.at(p)) p += f[p] + 1u;
        ++p;
    }
    *imageFlags = f.at(p + 9);
    return p + 10 + ((*imageFlags & 0x80) ? 3u << ((*imageFlags & 7) + 1) : 0);
}

}  // namespace

// Our decoding of each ImageMagick-made GIF against ImageMagick's own decoding of it.
TEST(GifFiles, MatchImageMagick) {
    for (const auto& file : kImFiles) {
        SCOPED_TRACE(file.name);
        const Bytes gif = ReadFileBytes(kDir + file.name + ".gif");
        const Bytes rgba = ReadFileBytes(kDir + file.name + ".rgba");
        ASSERT_FALSE(gif.empty());
        ASSERT_EQ(rgba.size(), static_cast<std::size_t>(file.w) * file.h * 4);
        CBmp bmp;
        ASSERT_EQ(DecodeGif(gif.data(), gif.size(), bmp), kGifDone);
        ASSERT_EQ(bmp.Width(), file.w);
        ASSERT_EQ(bmp.Height(), file.h);
        int mismatches = 0;
        for (int i = 0; i < file.w * file.h && mismatches < 5; ++i) {
            const std::uint8_t* im = &rgba[static_cast<std::size_t>(i) * 4];
            // ImageMagick keeps the palette colour under a transparent pixel; we make it transparent black.
            const std::uint32_t expected =
                im[3] == 0 ? 0u : (0xFF000000u | static_cast<std::uint32_t>(im[0]) << 16 | im[1] << 8 | im[2]);
            const std::uint32_t got = bmp.PixelAt(i % file.w, i / file.w);
            if (got != expected) {
                ++mismatches;
                ADD_FAILURE() << "pixel " << i << ": " << std::hex << got << " != " << expected;
            }
        }
    }
}

// DecodeLzw's indices, looked up in the file's colour table, give ImageMagick's colours; the
// files cover every minimum code size from 2 to 8.
TEST(GifFiles, IndicesMatchImageMagick) {
    std::set<int> minSizes;
    for (const auto& file : kImFiles) {
        SCOPED_TRACE(file.name);
        const Bytes gif = ReadFileBytes(kDir + file.name + ".gif");
        const Bytes rgba = ReadFileBytes(kDir + file.name + ".rgba");
        std::uint8_t flags = 0;
        const std::size_t at = LocateImageData(gif, &flags);
        if (flags & 0x40) continue;  // interlaced rows come in another order; covered above
        minSizes.insert(gif.at(at));
        const std::size_t count = static_cast<std::size_t>(file.w) * file.h;
        std::vector<std::uint8_t> indices(count + 16, 0xEE);
        ASSERT_EQ(DecodeLzw(&gif[at], gif.size() - at, indices.data(), count), count);
        for (std::size_t i = count; i < indices.size(); ++i) ASSERT_EQ(indices[i], 0xEE) << "wrote past the buffer";
        const std::uint8_t* palette = &gif[13];
        for (std::size_t i = 0; i < count; ++i) {
            if (rgba[i * 4 + 3] == 0) continue;
            ASSERT_EQ(0, std::memcmp(palette + indices[i] * 3, &rgba[i * 4], 3)) << "index " << i;
        }
    }
    EXPECT_EQ(minSizes, (std::set<int>{2, 3, 4, 5, 6, 7, 8}));
}

TEST(Lzw, HandMadeStreams) {
    // min 2: clear 4, end 5, first free code 6.
    struct Case {
        const char* what;
        int min;
        std::vector<int> codes;
        std::vector<int> expected;
    } cases[] = {
        {"plain", 2, {4, 1, 2, 6, 5}, {1, 2, 1, 2}},
        {"two clear codes first", 2, {4, 4, 1, 2, 6, 5}, {1, 2, 1, 2}},
        {"clear codes in the middle", 2, {4, 1, 4, 4, 2, 6, 5}, {1, 2, 2, 2}},
        {"code equal to next free", 2, {4, 1, 6, 7, 5}, {1, 1, 1, 1, 1, 1}},
        {"code above next free stops", 3, {8, 1, 2, 13, 3, 9}, {1, 2}},
        {"first code after clear not literal", 2, {4, 6, 1, 5}, {}},
        {"end code right away", 2, {4, 5, 1}, {}},
        {"no clear code first", 3, {1, 2, 10, 9}, {1, 2, 1, 2}},
        {"no end code (16 bits, no padding)", 2, {4, 3, 3, 6, 7}, {3, 3, 3, 3, 3, 3}},
    };
    for (const auto& c : cases) {
        for (int block : {255, 1, 2}) {
            const Bytes data = PackLzw(c.min, c.codes, block);
            std::vector<std::uint8_t> out(64, 0xEE);
            const std::size_t n = DecodeLzw(data.data(), data.size(), out.data(), 32);
            EXPECT_EQ(std::vector<int>(out.begin(), out.begin() + static_cast<long>(n)), c.expected)
                << c.what << ", sub-blocks of " << block;
        }
    }
}

TEST(Lzw, FullDictionaryWithoutClear) {
    // min 8: literals l0, l1, ... each add entry 258 + i = "l(i) l(i+1)". After 3838 entries the
    // dictionary is full (codes stay 12 bits, nothing more is added); code 4095 is "l3837 l3838".
    std::vector<int> codes = {256};
    std::vector<int> expected;
    const auto literal = [](int i) { return (i * 7 + 3) % 256; };
    for (int i = 0; i < 3839 + 20; ++i) {
        codes.push_back(literal(i));
        expected.push_back(literal(i));
    }
    codes.push_back(4095);
    expected.push_back(literal(3837));
    expected.push_back(literal(3838));
    codes.push_back(258);
    expected.push_back(literal(0));
    expected.push_back(literal(1));
    codes.push_back(257);
    const Bytes data = PackLzw(8, codes);
    std::vector<std::uint8_t> out(expected.size() + 8, 0xEE);
    const std::size_t n = DecodeLzw(data.data(), data.size(), out.data(), out.size());
    ASSERT_EQ(n, expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), out.begin()));
}

TEST(Lzw, NeverWritesPastTheIndexBuffer) {
    // "1" then the growing strings 1 1, 1 1 1, ...: far more indices than the buffer holds.
    std::vector<int> codes = {4, 1};
    for (int c = 6; c < 60; ++c) codes.push_back(c);
    codes.push_back(5);
    const Bytes data = PackLzw(2, codes);
    for (std::size_t capacity : {1u, 2u, 7u, 100u}) {
        std::vector<std::uint8_t> out(capacity + 8, 0xEE);
        EXPECT_EQ(DecodeLzw(data.data(), data.size(), out.data(), capacity), capacity);
        for (std::size_t i = capacity; i < out.size(); ++i) ASSERT_EQ(out[i], 0xEE);
    }
}

TEST(Lzw, RefusesBadInput) {
    std::uint8_t out[8];
    for (int min : {0, 1, 9, 12, 255}) {
        const Bytes data = {static_cast<std::uint8_t>(min), 2, 0xFF, 0xFF, 0};
        EXPECT_EQ(DecodeLzw(data.data(), data.size(), out, sizeof out), 0u) << min;
    }
    const Bytes data = PackLzw(2, {4, 1, 1, 1, 5});
    EXPECT_EQ(DecodeLzw(nullptr, 10, out, sizeof out), 0u);
    EXPECT_EQ(DecodeLzw(data.data(), 0, out, sizeof out), 0u);
    EXPECT_EQ(DecodeLzw(data.data(), data.size(), out, 0), 0u);
    // Cut anywhere: decodes a prefix, never reads past the given size (checked by the sanitizers).
    for (std::size_t cut = 1; cut < data.size(); ++cut) {
        Bytes part(data.begin(), data.begin() + static_cast<long>(cut));
        EXPECT_LE(DecodeLzw(part.data(), part.size(), out, sizeof out), 3u);
    }
}

TEST(GifContainer, HandMadeFiles) {
    const Bytes fourOnes = PackLzw(2, {4, 1, 1, 1, 1, 5});
    const Bytes gce = {0x21, 0xF9, 4, 0x01, 0, 0, 1, 0};     // transparent index 1
    const Bytes gceOff = {0x21, 0xF9, 4, 0x00, 0, 0, 1, 0};  // index given, flag clear
    const Bytes comment = {0x21, 0xFE, 3, 'a', 'b', 'c', 2, 'd', 'e', 0};
    const std::uint32_t c1 = PaletteWord(1);
    struct Case {
        const char* what;
        SGifParts parts;
        int result;
        int w, h;
        std::vector<std::uint32_t> pixels;
    } cases[] = {
        {"plain", {.data = fourOnes}, kGifDone, 2, 2, {c1, c1, c1, c1}},
        {"comment skipped", {.extensions = comment, .data = fourOnes}, kGifDone, 2, 2, {c1, c1, c1, c1}},
        {"transparent index", {.extensions = gce, .data = fourOnes}, kGifDone, 2, 2, {0, 0, 0, 0}},
        {"transparency flag clear", {.extensions = gceOff, .data = fourOnes}, kGifDone, 2, 2, {c1, c1, c1, c1}},
        {"no colour table", {.paletteBits = 0, .data = fourOnes}, kGifDone, 0, 0, {}},
        {"local table wins", {.localBits = 2, .data = fourOnes}, kGifDone, 2, 2,
         {PaletteWord(1, true), PaletteWord(1, true), PaletteWord(1, true), PaletteWord(1, true)}},
        // Without a global colour table nothing is shown, whatever follows.
        {"only a local table", {.paletteBits = 0, .localBits = 1, .data = fourOnes}, kGifDone, 0, 0, {}},
        {"no colour table, no image", {.paletteBits = 0, .imageW = 0, .data = {}}, kGifDone, 0, 0, {}},
        // Image data that yields no pixel is no picture.
        {"code size 1", {.data = {1, 2, 0x0F, 0x0F, 0}}, kGifFailed, 0, 0, {}},
        {"code size 9", {.data = {9, 2, 0xFF, 0xFF, 0}}, kGifFailed, 0, 0, {}},
        {"code size 0", {.data = {0, 2, 0xFF, 0xFF, 0}}, kGifFailed, 0, 0, {}},
        {"no data blocks", {.data = {2, 0}}, kGifFailed, 0, 0, {}},
        {"end code first", {.data = PackLzw(2, {4, 5})}, kGifFailed, 0, 0, {}},
        {"image placed and clipped", {.screenW = 3, .screenH = 2, .left = 2, .top = 1, .data = fourOnes}, kGifDone,
         3, 2, {0, 0, 0, 0, 0, c1}},
        {"short data leaves the rest transparent", {.data = PackLzw(2, {4, 1, 5})}, kGifDone, 2, 2, {c1, 0, 0, 0}},
        {"index past a small table shows black",
         {.paletteBits = 1, .data = PackLzw(2, {4, 3, 5}), }, kGifDone, 2, 2, {0xFF000000, 0, 0, 0}},
        // Rows come in the passes 0, 4, 2, 1 3.
        {"interlaced rows",
         {.screenW = 1, .screenH = 5, .paletteBits = 2, .imageW = 1, .imageH = 5, .interlaced = true,
          .data = PackLzw(2, {4, 0, 1, 2, 3, 0, 5})},
         kGifDone, 1, 5, {PaletteWord(0), PaletteWord(3), PaletteWord(2), PaletteWord(0), PaletteWord(1)}},
        {"empty screen", {.screenW = 0, .data = fourOnes}, kGifFailed, 0, 0, {}},
        {"huge screen", {.screenW = 65535, .screenH = 65535, .data = fourOnes}, kGifFailed, 0, 0, {}},
        {"huge image on a small screen", {.imageW = 65535, .imageH = 65535, .data = fourOnes}, kGifFailed, 0, 0, {}},
    };
    for (const auto& c : cases) {
        const Bytes file = MakeGif(c.parts);
        CBmp bmp = SolidBmp(1, 1, 0xFFFFFFFF);
        EXPECT_EQ(DecodeGif(file.data(), file.size(), bmp), c.result) << c.what;
        EXPECT_EQ(bmp.Width(), c.w) << c.what;
        EXPECT_EQ(bmp.Height(), c.h) << c.what;
        EXPECT_EQ(Words(bmp), c.pixels) << c.what;
    }
}

// A caller's picture-size limit refuses a larger screen or image, and only those.
TEST(GifContainer, PictureSizeLimit) {
    SGifParts parts;
    parts.screenW = 4;
    parts.screenH = 2;
    parts.data = PackLzw(2, {4, 1, 1, 1, 1, 5});
    const Bytes file = MakeGif(parts);
    const struct {
        long long limit;
        int result;
    } cases[] = {{8, kGifDone}, {7, kGifFailed}, {1 << 20, kGifDone}, {0, kGifFailed}};
    for (const auto& c : cases) {
        CBmp bmp;
        EXPECT_EQ(DecodeGif(file.data(), file.size(), bmp, c.limit), c.result) << c.limit;
        EXPECT_EQ(bmp.IsEmpty(), c.result == kGifFailed) << c.limit;
    }
}

TEST(GifContainer, DamagedFilesGiveAnEmptyBitmap) {
    SGifParts parts;
    parts.extensions = {0x21, 0xFE, 3, 'a', 'b', 'c', 0};
    parts.data = PackLzw(2, {4, 1, 1, 1, 1, 5});
    const Bytes good = MakeGif(parts);
    CBmp bmp;
    ASSERT_EQ(DecodeGif(good.data(), good.size(), bmp), kGifDone);
    // Every cut that ends before the first pixel fails cleanly; later cuts decode a prefix.
    const std::size_t dataStart = good.size() - 1 - parts.data.size();
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        const Bytes part(good.begin(), good.begin() + static_cast<long>(cut));
        CBmp b = SolidBmp(1, 1, 0xFFFFFFFF);
        const int r = DecodeGif(part.data(), part.size(), b);
        // The minimum code size byte and the first block's length byte alone give no pixel.
        if (cut <= dataStart + 2) {
            EXPECT_EQ(r, kGifFailed) << "cut at " << cut;
            EXPECT_TRUE(b.IsEmpty());
        } else {
            EXPECT_EQ(r, kGifDone) << "cut at " << cut;
        }
    }
    // A file that ends right after its screen descriptor: with a global colour table flag the
    // table is missing (damaged); without one there is simply nothing to show.
    for (const auto& [flags, result] : {std::pair{0x80, kGifFailed}, std::pair{0x00, kGifDone}}) {
        Bytes header(good.begin(), good.begin() + 13);
        header[10] = static_cast<std::uint8_t>(flags);
        CBmp b = SolidBmp(1, 1, 0xFFFFFFFF);
        EXPECT_EQ(DecodeGif(header.data(), header.size(), b), result) << flags;
        EXPECT_TRUE(b.IsEmpty()) << flags;
    }
    Bytes notGif = good;
    notGif[0] = 'X';
    EXPECT_EQ(DecodeGif(notGif.data(), notGif.size(), bmp), kGifFailed);
    Bytes junkBlock = good;
    junkBlock[13 + 6] = 0x99;  // where the extension starts
    EXPECT_EQ(DecodeGif(junkBlock.data(), junkBlock.size(), bmp), kGifFailed);
    EXPECT_EQ(DecodeGif(nullptr, 100, bmp), kGifFailed);
    EXPECT_TRUE(bmp.IsEmpty());
}
