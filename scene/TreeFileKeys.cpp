#include "scene/TreeFileKeys.h"

#include "scene/SectionName.h"

namespace {

const std::vector<SCarriedKey> kItemKeys = {
    {L"resid", ECarriedKind::kNumber},  {L"Caption", ECarriedKind::kText}, {L"visible", ECarriedKind::kNumber},
    {L"bIgnClr", ECarriedKind::kNumber}, {L"crIgnClr", ECarriedKind::kNumber}, {L"type", ECarriedKind::kNumber},
    {L"source", ECarriedKind::kNumber}, {L"hue", ECarriedKind::kNumber},     {L"brig", ECarriedKind::kNumber},
    {L"contr", ECarriedKind::kNumber},  {L"opaque", ECarriedKind::kNumber},  {L"size", ECarriedKind::kNumber},
    {L"path", ECarriedKind::kText},     {L"x", ECarriedKind::kNumber},       {L"y", ECarriedKind::kNumber},
};
// The view's placement record holds its size (in 100 % units); its own monitor ("mon", "monx",
// "mony") and the pause and capture choices are this PC's.
const std::vector<SCarriedKey> kViewKeys = {{L"opaque", ECarriedKind::kNumber}, {L"plmnt", ECarriedKind::kBinary}};
const std::vector<SCarriedKey> kBlinkKeys = {
    {L"num", ECarriedKind::kNumber}, {L"freq", ECarriedKind::kNumber}, {L"size", ECarriedKind::kNumber}};
const std::vector<SCarriedKey> kGarlandKeys = {{L"id", ECarriedKind::kNumber}};
const std::vector<SCarriedKey> kNone;

bool IsHex(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f'); }
unsigned HexValue(wchar_t c) {
    return c <= L'9' ? static_cast<unsigned>(c - L'0') : static_cast<unsigned>((c | 0x20) - L'a' + 10);
}

}  // namespace

tstr TreeFileItemSection(int n) { return FormatSectionName(L"Items\\%03d", n); }

int TreeFileItemNumber(const tstr& section) {
    if (section.size() != 9 || section.compare(0, 6, L"Items\\") != 0) return -1;
    int n = 0;
    for (std::size_t i = 6; i < 9; ++i) {
        if (section[i] < L'0' || section[i] > L'9') return -1;
        n = n * 10 + (section[i] - L'0');
    }
    return n;
}

const std::vector<tstr>& CarriedOptionSections() {
    static const std::vector<tstr> sections = {L"Options\\ViewWnd", L"Options\\Blinks", L"Options\\Garland"};
    return sections;
}

const std::vector<SCarriedKey>& CarriedKeys(const tstr& section) {
    if (section == kTreeItemSection || TreeFileItemNumber(section) >= 0) return kItemKeys;
    if (section == L"Options\\ViewWnd") return kViewKeys;
    if (section == L"Options\\Blinks") return kBlinkKeys;
    if (section == L"Options\\Garland") return kGarlandKeys;
    return kNone;
}

bool IsCarriedValue(ECarriedKind kind, const tstr& text) {
    switch (kind) {
    case ECarriedKind::kNumber: {
        const std::size_t digits = text.size() - (!text.empty() && text[0] == L'-');
        if (digits == 0 || digits > 10) return false;
        for (std::size_t i = text.size() - digits; i < text.size(); ++i)
            if (text[i] < L'0' || text[i] > L'9') return false;
        return true;
    }
    case ECarriedKind::kText:
        return text.size() <= kMaxCarriedText && text.find_first_of(L"\r\n") == tstr::npos;
    case ECarriedKind::kBinary: {
        if (text.size() < 2 || text.size() % 2 != 0 || text.size() > 2 * 256) return false;
        unsigned sum = 0;
        for (std::size_t i = 0; i < text.size(); i += 2) {
            if (!IsHex(text[i]) || !IsHex(text[i + 1])) return false;
            const unsigned byte = HexValue(text[i]) * 16 + HexValue(text[i + 1]);
            if (i + 2 == text.size()) return byte == (sum & 0xFF);
            sum += byte;
        }
        return false;
    }
    }
    return false;
}
