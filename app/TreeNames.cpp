#include "app/TreeNames.h"

#include "app/CProfileApp.h"

#include <algorithm>
#include <cwctype>

namespace {

bool Taken(const tstr& name, const std::vector<tstr>& existing) {
    return std::any_of(existing.begin(), existing.end(), [&](const tstr& e) { return Profiles::SameName(e, name); });
}

bool IsDeviceName(const tstr& name) {
    // The part before the first dot names the device ("NUL.txt" is the device too).
    tstr stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    for (wchar_t& c : stem) c = static_cast<wchar_t>(std::towupper(c));
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (stem == device) return true;
    }
    return stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'0' && stem[3] <= L'9';
}

}  // namespace

tstr TrimmedTreeName(const tstr& typed) {
    const std::size_t first = typed.find_first_not_of(L" \t");
    if (first == tstr::npos) return tstr();
    return typed.substr(first, typed.find_last_not_of(L" \t") - first + 1);
}

ETreeNameProblem CheckTreeName(const tstr& name, const std::vector<tstr>& existing) {
    if (name.empty()) return ETreeNameProblem::Empty;
    if (name.size() > kMaxTreeName) return ETreeNameProblem::TooLong;
    for (const wchar_t c : name) {
        if (c < 32 || tstr(L"\\/:*?\"<>|").find(c) != tstr::npos) return ETreeNameProblem::BadCharacter;
    }
    if (name.back() == L'.' || IsDeviceName(name)) return ETreeNameProblem::Reserved;
    if (Taken(name, existing)) return ETreeNameProblem::Taken;
    return ETreeNameProblem::None;
}

tstr UniqueTreeName(const tstr& base, const std::vector<tstr>& existing) {
    for (int n = 1; n < 10000; ++n) {
        const tstr suffix = n == 1 ? tstr() : L" (" + std::to_wstring(n) + L")";
        tstr name = base.substr(0, kMaxTreeName - suffix.size()) + suffix;
        if (!Taken(name, existing)) return name;
    }
    return tstr();
}
