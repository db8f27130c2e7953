#include "scene/TreeFileNames.h"

#include "scene/PicturePath.h"

#include <cwctype>

namespace {

bool IsForbidden(wchar_t c) { return c < 0x20 || c == 0x7F || tstr(L"\\/:*?\"<>|").find(c) != tstr::npos; }

}  // namespace

bool SameNameNoCase(const tstr& a, const tstr& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return true;
}

bool IsSafeTreeFileName(const tstr& name) {
    if (name.empty() || name.size() > kMaxTreeFileName || name == L"." || name == L"..") return false;
    for (const wchar_t c : name)
        if (IsForbidden(c)) return false;
    if (name.front() == L' ' || name.back() == L' ' || name.back() == L'.') return false;
    return !IsReservedDeviceName(name);
}

tstr MakeSafeTreeFileName(const tstr& raw, const tstr& fallback) {
    tstr name;
    for (const wchar_t c : raw) name.push_back(IsForbidden(c) ? L'_' : c);
    const std::size_t first = name.find_first_not_of(L" .");
    name = first == tstr::npos ? tstr() : name.substr(first);
    if (name.size() > kMaxTreeFileName) name.resize(kMaxTreeFileName);
    while (!name.empty() && (name.back() == L' ' || name.back() == L'.')) name.pop_back();
    if (IsReservedDeviceName(name)) name.insert(0, 1, L'_');
    if (name.size() > kMaxTreeFileName) name.resize(kMaxTreeFileName);
    return IsSafeTreeFileName(name) ? name : fallback;
}

tstr MakeUniqueName(const tstr& name, const std::vector<tstr>& taken, bool keepExtension) {
    const auto isTaken = [&](const tstr& candidate) {
        for (const tstr& t : taken)
            if (SameNameNoCase(t, candidate)) return true;
        return false;
    };
    if (!isTaken(name)) return name;
    const std::size_t dot = keepExtension ? name.find_last_of(L'.') : tstr::npos;
    const tstr ext = dot == tstr::npos || dot == 0 ? tstr() : name.substr(dot);
    const tstr stem = name.substr(0, name.size() - ext.size());
    for (int n = 2;; ++n) {
        const tstr suffix = L" (" + std::to_wstring(n) + L")" + ext;
        const std::size_t room = kMaxTreeFileName > suffix.size() ? kMaxTreeFileName - suffix.size() : 0;
        tstr candidate = stem.substr(0, room);
        while (!candidate.empty() && candidate.back() == L' ') candidate.pop_back();
        candidate += suffix;
        if (!isTaken(candidate)) return candidate;
    }
}
