#include "param/NumberText.h"

#include <cstdint>

namespace {
bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}
}  // namespace

std::int32_t ParseDecimal(const wchar_t* text) {
    if (!text) return 0;
    while (IsBlank(*text)) ++text;
    bool negative = false;
    if (*text == L'+' || *text == L'-') {
        negative = *text == L'-';
        ++text;
    }
    // Accumulate the magnitude, stopping its growth just past the largest representable one.
    constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;
    std::int64_t magnitude = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text) {
        if (magnitude < kLimit) magnitude = magnitude * 10 + (*text - L'0');
    }
    if (negative) return magnitude >= kLimit ? INT32_MIN : static_cast<std::int32_t>(-magnitude);
    return magnitude > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(magnitude);
}

std::optional<std::int32_t> ParseEnteredDecimal(const wchar_t* text) {
    if (!text) return std::nullopt;
    const wchar_t* p = text;
    while (IsBlank(*p)) ++p;
    if (*p == L'+' || *p == L'-') ++p;
    if (*p < L'0' || *p > L'9') return std::nullopt;
    return ParseDecimal(text);
}

tstr DecimalText(std::int32_t value) {
    // Built by hand: the wide printf family differs between C runtimes in its "%s"/"%d" details.
    wchar_t buf[16];
    wchar_t* p = buf + 16;
    *--p = 0;
    std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    do {
        *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--p = L'-';
    return tstr(p);
}
