// Hand-made GIF streams for the decoder tests: codes packed least-significant bit first with the
// code width the GIF format prescribes, split into sub-blocks, and small GIF files around them.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Image data for codes (min code size byte, sub-blocks of at most blockSize bytes, terminator).
// The width of each code follows the format: min + 1 bits after a clear code, one more each
// time the next free code reaches a power of two, never above 12 bits.
inline Bytes PackLzw(int min, const std::vector<int>& codes, int blockSize = 255, bool terminate = true) {
    const int clear = 1 << min;
    int size = min + 1, next = clear + 2;
    bool first = true;
    Bytes stream;
    std::uint32_t acc = 0;
    int bits = 0;
    for (int code : codes) {
        acc |= static_cast<std::uint32_t>(code) << bits;
        bits += size;
        while (bits >= 8) {
            stream.push_back(static_cast<std::uint8_t>(acc));
            acc >>= 8;
            bits -= 8;
        }
        if (code == clear) {
            size = min + 1;
            next = clear + 2;
            first = true;
        } else if (first) {
            first = false;
        } else if (next < 4096) {
            ++next;
            if (next == (1 << size) && size < 12) ++size;
        }
    }
    if (bits > 0) stream.push_back(static_cast<std::uint8_t>(acc));
    Bytes out{static_cast<std::uint8_t>(min)};
    for (std::size_t i = 0; i < stream.size(); i += blockSize) {
        const std::size_t n = std::min<std::size_t>(blockSize, stream.size() - i);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), stream.begin() + static_cast<long>(i), stream.begin() + static_cast<long>(i + n));
    }
    if (terminate) out.push_back(0);
    return out;
}

struct SGifParts {
    int screenW = 2, screenH = 2;
    int paletteBits = 1;            // table of 2^paletteBits entries; 0: no global table
    Bytes extensions;               // raw blocks between the table and the image
    int left = 0, top = 0, imageW = 2, imageH = 2;
    int localBits = 0;              // local table of 2^localBits entries; 0: none
    bool interlaced = false;
    Bytes data;                     // PackLzw output
};

// Palette entry i of a hand-made file is (R, G, B) = (i * 10 + 1, i * 10 + 2, i * 10 + 3), local
// tables use + 100.
inline Bytes MakeGif(const SGifParts& g) {
    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    const auto le16 = [&](int v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    le16(g.screenW);
    le16(g.screenH);
    out.push_back(static_cast<std::uint8_t>(g.paletteBits ? 0x80 | (g.paletteBits - 1) : 0));
    out.push_back(0);
    out.push_back(0);
    for (int i = 0; g.paletteBits && i < (1 << g.paletteBits); ++i) {
        for (int k = 1; k <= 3; ++k) out.push_back(static_cast<std::uint8_t>(i * 10 + k));
    }
    out.insert(out.end(), g.extensions.begin(), g.extensions.end());
    out.push_back(0x2C);
    le16(g.left);
    le16(g.top);
    le16(g.imageW);
    le16(g.imageH);
    out.push_back(static_cast<std::uint8_t>((g.localBits ? 0x80 | (g.localBits - 1) : 0) | (g.interlaced ? 0x40 : 0)));
    for (int i = 0; g.localBits && i < (1 << g.localBits); ++i) {
        for (int k = 1; k <= 3; ++k) out.push_back(static_cast<std::uint8_t>(100 + i * 10 + k));
    }
    out.insert(out.end(), g.data.begin(), g.data.end());
    out.push_back(0x3B);
    return out;
}

// The pixel word a hand-made palette entry becomes (opaque).
inline std::uint32_t PaletteWord(int i, bool local = false) {
    const std::uint32_t base = local ? 100 : 0;
    const std::uint32_t r = base + i * 10 + 1, g = base + i * 10 + 2, b = base + i * 10 + 3;
    return 0xFF000000u | r << 16 | g << 8 | b;
}
