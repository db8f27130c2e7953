// libFuzzer entry: arbitrary bytes as a GIF file (container and LZW decoder), and as bare LZW
// image data into a small index buffer.
#include "scene/CBmp.h"
#include "scene/GifDecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Pictures above a megapixel only cost time here (the size limits have their own tests).
    CBmp bitmap;
    const int result = DecodeGif(data, size, bitmap, 1 << 20);
    if (result != kGifDone && !bitmap.IsEmpty()) __builtin_trap();
    if (!bitmap.IsEmpty() && bitmap.ByteSize() != bitmap.Width() * bitmap.Height() * 4) __builtin_trap();

    static std::uint8_t indices[4096 + 1];
    const std::size_t capacity = size > 0 ? 1 + data[size - 1] * 16u : 0;
    indices[capacity] = 0xA5;
    const std::size_t n = DecodeLzw(data, size, indices, capacity);
    if (n > capacity || indices[capacity] != 0xA5) __builtin_trap();
    return 0;
}
