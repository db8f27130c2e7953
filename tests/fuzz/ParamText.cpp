// Fuzzes the parsers that meet user-editable text: stored bytes decoded as text, decimal
// numbers, INI-formatted blocks and placeholder expansion. Besides crashes and sanitizer reports
// it checks invariants that must hold for any input.
#include "param/CParam.h"
#include "param/CSettingsStore.h"
#include "param/NumberText.h"
#include "param/StoredText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}

// Splits the decoded text at U+0001 into up to four parts.
std::vector<tstr> Parts(const tstr& text) {
    std::vector<tstr> parts(1);
    for (wchar_t c : text) {
        if (c == 1 && parts.size() < 4) parts.emplace_back();
        else parts.back().push_back(c);
    }
    parts.resize(4);
    return parts;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tstr text = TextFromStoredBytes(data, size);
    Require(text.size() <= (size + 1) / 2);
    Require(text.find(L'\0') == tstr::npos);

    // Numbers: whatever the text, the result prints and parses back to itself.
    const std::int32_t n = ParseDecimal(text);
    Require(ParseDecimal(DecimalText(n)) == n);
    CParam<unsigned int> u;
    u.FromString(text);
    tstr out;
    u.FromString(u.ToString(out));
    Require(static_cast<std::int32_t>(u.Get()) == n);

    // INI block: name and section from the input; a found text value never spans lines.
    const std::vector<tstr> parts = Parts(text);
    CParam<tstr> param;
    param.SetName(parts[1].c_str());
    param.Set(L"\x1F");
    if (param.LoadFromText(parts[0].c_str(), parts[2])) {
        Require(param.Get().find_first_of(L"\r\n") == tstr::npos);
    } else {
        Require(param.Get() == L"\x1F");
    }

    // Expansion always ends, whatever the placeholders.
    CSettingsStore store;
    store.AddPlaceholder(parts[1], parts[2]);
    store.AddPlaceholder(parts[3], parts[1]);
    const tstr expanded = store.Expand(parts[0]);
    if (parts[1].empty() && parts[3].empty()) Require(expanded == parts[0]);
    return 0;
}
