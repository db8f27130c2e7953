#include "scene/PictureCheck.h"

#include <cstring>

bool IsCompletePng(const std::uint8_t* data, std::size_t size) noexcept {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!data || size < 8 || std::memcmp(data, kSignature, 8) != 0) return true;
    std::size_t pos = 8;
    // Each chunk: 4-byte big-endian length, 4-byte type, data, 4-byte CRC.
    while (size - pos >= 12) {
        const std::uint32_t length = static_cast<std::uint32_t>(data[pos]) << 24 | data[pos + 1] << 16 |
                                     data[pos + 2] << 8 | data[pos + 3];
        if (length > 0x7FFFFFFFu || length > size - pos - 12) return false;
        if (std::memcmp(data + pos + 4, "IEND", 4) == 0) return true;
        pos += 12 + static_cast<std::size_t>(length);
    }
    return false;
}
