#include "construct/DroppedFiles.h"

#include <shellapi.h>

#include <cwctype>

std::vector<tstr> DroppedFiles(HDROP drop) {
    std::vector<tstr> files;
    if (!drop) return files;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0) continue;
        tstr path(length + 1, L'\0');
        const UINT copied = ::DragQueryFileW(drop, i, path.data(), length + 1);
        if (copied == 0 || copied > length) continue;
        path.resize(copied);
        files.push_back(std::move(path));
    }
    return files;
}

namespace {

// The name's extension in lower case, without its dot; empty when it has none.
tstr ExtensionOf(const tstr& path) {
    const std::size_t dot = path.find_last_of(L'.');
    const std::size_t slash = path.find_last_of(L"\\/");
    if (dot == tstr::npos || (slash != tstr::npos && dot < slash)) return tstr();
    tstr extension = path.substr(dot + 1);
    for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
    return extension;
}

}  // namespace

bool IsPictureFileName(const tstr& path) {
    const tstr extension = ExtensionOf(path);
    for (const wchar_t* known : {L"png", L"jpg", L"jpeg", L"jpe", L"bmp", L"dib", L"gif"}) {
        if (extension == known) return true;
    }
    return false;
}

bool IsTreeFileName(const tstr& path) { return ExtensionOf(path) == L"pinarbo"; }

tstr BaseNameOf(const tstr& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    tstr name = slash == tstr::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != tstr::npos && dot > 0) name.resize(dot);
    return name;
}
