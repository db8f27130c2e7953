// DecodeGif: the GIF file around the LZW data. Reads the screen descriptor, the colour tables,
// the extension blocks before the first image (for its transparent index) and the first image
// itself, placed on the logical screen. Every offset is checked against the data size.
#include "scene/CBmp.h"
#include "scene/GifDecoder.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImage = 0x2C;
constexpr std::uint8_t kGraphicControl = 0xF9;

int Le16(const std::uint8_t* p) { return p[0] | p[1] << 8; }

// Skips a chain of sub-blocks starting at pos; answers the position after the zero-length block,
// or 0 when the data ends first.
std::size_t SkipSubBlocks(const std::uint8_t* data, std::size_t size, std::size_t pos) {
    while (pos < size) {
        const std::size_t len = data[pos];
        if (len == 0) return pos + 1;
        pos += len + 1;
    }
    return 0;
}

// Row of the picture that the k-th decoded row of an interlaced image of height h belongs to.
int InterlacedRow(int k, int h) {
    static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows = h > kStart[pass] ? (h - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
        if (k < rows) return kStart[pass] + k * kStep[pass];
        k -= rows;
    }
    return -1;
}

}  // namespace

int DecodeGif(const std::uint8_t* data, std::size_t size, CBmp& bitmap, long long maxPixels) {
    bitmap.Free();
    if (!data || size < 13 || std::memcmp(data, "GIF", 3) != 0) return kGifFailed;
    const int screenW = Le16(data + 6), screenH = Le16(data + 8);
    const std::uint8_t flags = data[10];
    // Without a global colour table there is nothing to show: an empty bitmap, and the file
    // counts as read (a header-only file included).
    if (!(flags & 0x80)) return kGifDone;
    std::size_t pos = 13;
    int paletteSize = 1 << ((flags & 7) + 1);
    if (size - pos < static_cast<std::size_t>(paletteSize) * 3) return kGifFailed;
    const std::uint8_t* palette = data + pos;
    pos += static_cast<std::size_t>(paletteSize) * 3;

    // Blocks before the first image: extensions are skipped, a graphic control extension with
    // its transparency flag names the transparent index.
    int transparent = -1;
    while (true) {
        if (pos >= size) return kGifFailed;
        if (data[pos] == kImage) break;
        if (data[pos] != kExtension || size - pos < 2) return kGifFailed;  // trailer or junk: no image
        const std::uint8_t label = data[pos + 1];
        pos += 2;
        if (label == kGraphicControl && pos < size && data[pos] >= 4 && size - pos > 4) {
            transparent = (data[pos + 1] & 1) ? data[pos + 4] : -1;
        }
        pos = SkipSubBlocks(data, size, pos);
        if (pos == 0) return kGifFailed;
    }

    // The image descriptor: position, size, flags; then an optional local colour table.
    if (size - pos < 11) return kGifFailed;
    const int left = Le16(data + pos + 1), top = Le16(data + pos + 3);
    const int imageW = Le16(data + pos + 5), imageH = Le16(data + pos + 7);
    const std::uint8_t imageFlags = data[pos + 9];
    pos += 10;
    if (imageFlags & 0x80) {
        paletteSize = 1 << ((imageFlags & 7) + 1);
        if (size - pos < static_cast<std::size_t>(paletteSize) * 3) return kGifFailed;
        palette = data + pos;
        pos += static_cast<std::size_t>(paletteSize) * 3;
    }
    if (pos >= size) return kGifFailed;

    if (static_cast<long long>(screenW) * screenH > maxPixels || !bitmap.Create(screenW, screenH)) return kGifFailed;
    if (imageW == 0 || imageH == 0) return kGifDone;
    // The index buffer would be too large.
    if (!CBmp::IsAcceptableSize(imageW, imageH) || static_cast<long long>(imageW) * imageH > maxPixels) {
        bitmap.Free();
        return kGifFailed;
    }
    const std::size_t count = static_cast<std::size_t>(imageW) * static_cast<std::size_t>(imageH);
    std::unique_ptr<std::uint8_t[]> indices(new (std::nothrow) std::uint8_t[count]);
    if (!indices) {
        bitmap.Free();
        return kGifFailed;
    }
    const std::size_t decoded = DecodeLzw(data + pos, size - pos, indices.get(), count);
    if (decoded == 0) {  // a code size the decoder refuses, or no data at all: no picture
        bitmap.Free();
        return kGifFailed;
    }

    // Map the decoded indices onto the screen; pixels never decoded stay transparent black, as do
    // pixels of the transparent index. Indices past the colour table show black.
    const bool interlaced = (imageFlags & 0x40) != 0;
    std::uint8_t* bits = bitmap.Bits();
    bool anyAlpha = false;
    for (int k = 0; k < imageH; ++k) {
        const std::size_t rowStart = static_cast<std::size_t>(k) * imageW;
        if (rowStart >= decoded) break;
        const int y = top + (interlaced ? InterlacedRow(k, imageH) : k);
        if (y < 0 || y >= screenH) continue;
        for (int i = 0; i < imageW && rowStart + i < decoded; ++i) {
            const int x = left + i;
            if (x >= screenW) break;
            const int index = indices[rowStart + i];
            if (index == transparent) continue;
            std::uint8_t* px = bits + (static_cast<std::size_t>(y) * screenW + x) * 4;
            if (index < paletteSize) {
                px[0] = palette[index * 3 + 2];
                px[1] = palette[index * 3 + 1];
                px[2] = palette[index * 3];
            }
            px[3] = 255;
            anyAlpha = true;
        }
    }
    bitmap.SetHasAlpha(anyAlpha);
    return kGifDone;
}
