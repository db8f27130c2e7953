#include "scene/PicturePath.h"

#include <cwctype>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return true;
}

// "\\?\" or "\\.\" (any separators) at the start.
bool HasPrefix(std::wstring_view path, wchar_t third) {
    return path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] == third &&
           IsSeparator(path[3]);
}

bool IsDriveSpec(std::wstring_view s) {
    return s.size() >= 2 && s[1] == L':' && ((s[0] >= L'A' && s[0] <= L'Z') || (s[0] >= L'a' && s[0] <= L'z'));
}

// A drive or relative path: a device when any component names one.
EPathKind ClassifyLocal(std::wstring_view path) {
    if (IsDriveSpec(path)) path.remove_prefix(2);
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        if (IsReservedDeviceName(path.substr(start, end - start))) return EPathKind::kDevice;
        start = end + 1;
    }
    return EPathKind::kLocal;
}

}  // namespace

bool IsReservedDeviceName(std::wstring_view component) {
    // The name before the first dot or stream colon, without trailing blanks and dots.
    const std::size_t cut = component.find_first_of(L".:");
    std::wstring_view base = component.substr(0, cut);
    while (!base.empty() && (base.back() == L' ' || base.back() == L'.')) base.remove_suffix(1);
    for (const wchar_t* name : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (EqualsNoCase(base, name)) return true;
    if (base.size() == 4 && (EqualsNoCase(base.substr(0, 3), L"COM") || EqualsNoCase(base.substr(0, 3), L"LPT"))) {
        const wchar_t d = base[3];
        return (d >= L'0' && d <= L'9') || d == L'\u00B9' || d == L'\u00B2' || d == L'\u00B3';
    }
    return false;
}

EPathKind ClassifyPicturePath(std::wstring_view path) {
    while (!path.empty() && path.front() == L' ') path.remove_prefix(1);
    while (!path.empty() && path.back() == L' ') path.remove_suffix(1);
    if (path.empty()) return EPathKind::kEmpty;
    if (HasPrefix(path, L'.')) return EPathKind::kDevice;
    if (HasPrefix(path, L'?')) {
        const std::wstring_view rest = path.substr(4);
        // \\?\C:\... is a drive path that skips name parsing; \\?\UNC\server\share a share.
        if (IsDriveSpec(rest) && (rest.size() == 2 || IsSeparator(rest[2]))) return ClassifyLocal(rest);
        if (rest.size() >= 4 && EqualsNoCase(rest.substr(0, 3), L"UNC") && IsSeparator(rest[3]))
            return EPathKind::kNetwork;
        if (rest.size() >= 7 && EqualsNoCase(rest.substr(0, 7), L"Volume{")) return EPathKind::kNetwork;
        return EPathKind::kDevice;  // GLOBALROOT, pipes, raw devices
    }
    // The object manager's own prefix.
    if (path.size() >= 4 && IsSeparator(path[0]) && path[1] == L'?' && path[2] == L'?' && IsSeparator(path[3]))
        return EPathKind::kDevice;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return EPathKind::kNetwork;
    return ClassifyLocal(path);
}

bool ReloadAtOnce(const SPathFacts& facts) noexcept {
    switch (facts.kind) {
    case EPathKind::kEmpty:
    case EPathKind::kDevice:
        return true;
    case EPathKind::kNetwork:
        return false;
    case EPathKind::kLocal:
        break;
    }
    if (!facts.fastDrive) return false;
    if (!facts.exists || !facts.regularFile) return true;
    return !facts.offline && facts.bytes <= kQuickPictureBytes;
}
