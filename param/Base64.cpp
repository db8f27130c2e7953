#include "param/Base64.h"

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Sextet(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string Base64Encode(const std::uint8_t* data, std::size_t size) {
    std::string text;
    text.reserve((size + 2) / 3 * 4);
    for (std::size_t i = 0; i < size; i += 3) {
        const std::size_t n = size - i < 3 ? size - i : 3;
        std::uint32_t v = std::uint32_t{data[i]} << 16;
        if (n > 1) v |= std::uint32_t{data[i + 1]} << 8;
        if (n > 2) v |= data[i + 2];
        text.push_back(kAlphabet[(v >> 18) & 63]);
        text.push_back(kAlphabet[(v >> 12) & 63]);
        text.push_back(n > 1 ? kAlphabet[(v >> 6) & 63] : '=');
        text.push_back(n > 2 ? kAlphabet[v & 63] : '=');
    }
    return text;
}

bool Base64Decode(std::string_view text, std::vector<std::uint8_t>& out) {
    out.clear();
    if (text.size() % 4 != 0) return false;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const int pad = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
        if (pad == 1 && text[i + 2] == '=') return out.clear(), false;  // "x=" then a sextet
        std::uint32_t v = 0;
        for (int k = 0; k < 4 - pad; ++k) {
            const int s = Sextet(text[i + static_cast<std::size_t>(k)]);
            if (s < 0) return out.clear(), false;
            v |= static_cast<std::uint32_t>(s) << (18 - 6 * k);
        }
        // Bits below the last whole byte must be zero, so each text has one decoding only.
        if ((pad == 1 && (v & 0xFF)) || (pad == 2 && (v & 0xFFFF))) return out.clear(), false;
        out.push_back(static_cast<std::uint8_t>(v >> 16));
        if (pad < 2) out.push_back(static_cast<std::uint8_t>(v >> 8));
        if (pad < 1) out.push_back(static_cast<std::uint8_t>(v));
    }
    return true;
}
