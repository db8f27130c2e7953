#include "wnd/FileRead.h"

#include "wnd/Handles.h"

#include <algorithm>
#include <new>

bool ReadWholeFile(const wchar_t* path, std::size_t limit, std::vector<std::uint8_t>& out, bool* tooLarge) {
    if (tooLarge) *tooLarge = false;
    if (!path || !*path) return false;
    CUniqueFile file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || ::GetFileType(file.get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0)
        return false;
    if (static_cast<unsigned long long>(size.QuadPart) > limit) {
        if (tooLarge) *tooLarge = true;
        return false;
    }
    try {
        out.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return false;
    }
    // In pieces: ReadFile takes at most 4 GB at once, and a short read must not end the loop early.
    std::size_t done = 0;
    while (done < out.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 24));
        DWORD read = 0;
        if (!::ReadFile(file.get(), out.data() + done, chunk, &read, nullptr) || read == 0) return false;
        done += read;
    }
    return true;
}
