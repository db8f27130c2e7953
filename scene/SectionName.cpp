#include "scene/SectionName.h"

#include <algorithm>
#include <string>

tstr FormatSectionName(const tstr& format, int n) {
    tstr out;
    out.reserve(format.size() + 8);
    bool used = false;
    std::size_t i = 0;
    while (i < format.size()) {
        const wchar_t ch = format[i];
        if (ch != L'%') {
            out += ch;
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == L'%') {
            out += L'%';
            i += 2;
            continue;
        }
        // %[flags][width]conversion
        std::size_t j = i + 1;
        bool zero = false, left = false;
        for (; j < format.size() && (format[j] == L'0' || format[j] == L'-'); ++j) (format[j] == L'0' ? zero : left) = true;
        std::size_t width = 0;
        for (; j < format.size() && format[j] >= L'0' && format[j] <= L'9'; ++j)
            width = std::min<std::size_t>(width * 10 + static_cast<std::size_t>(format[j] - L'0'), 64);
        const bool integer = j < format.size() && (format[j] == L'd' || format[j] == L'i' || format[j] == L'u');
        if (!integer || used) {
            out.append(format, i, (j < format.size() ? j + 1 : j) - i);
            i = j + 1;
            continue;
        }
        used = true;
        const long long v = format[j] == L'u' ? static_cast<long long>(static_cast<unsigned int>(n)) : n;
        tstr digits = std::to_wstring(v < 0 ? -v : v);
        const std::size_t signWidth = v < 0 ? 1 : 0;
        if (!left && zero && digits.size() + signWidth < width) digits.insert(0, width - digits.size() - signWidth, L'0');
        tstr field = (v < 0 ? L"-" : L"") + digits;
        if (field.size() < width) {
            if (left)
                field.append(width - field.size(), L' ');
            else
                field.insert(0, width - field.size(), L' ');
        }
        out += field;
        i = j + 1;
    }
    return out;
}
