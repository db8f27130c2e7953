#include "param/StoredText.h"

tstr TextFromStoredBytes(const void* bytes, std::size_t count) {
    tstr text;
    if (!bytes) return text;
    const auto* p = static_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < count; i += 2) {
        const unsigned lo = p[i];
        const unsigned hi = i + 1 < count ? p[i + 1] : 0u;
        const auto ch = static_cast<wchar_t>(lo | (hi << 8));
        if (ch == 0) break;
        text.push_back(ch);
    }
    return text;
}
