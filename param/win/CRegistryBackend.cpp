#include "param/win/CRegistryBackend.h"

#include "param/StoredText.h"
#include "wnd/Handles.h"

#include <windows.h>

#include <cstring>
#include <new>
#include <vector>

namespace {
// Section paths keep a trailing "\" (the root ends with one); the registry wants none.
tstr KeyPath(const tstr& path) {
    const std::size_t end = path.find_last_not_of(L'\\');
    return end == tstr::npos ? tstr() : path.substr(0, end + 1);
}

CUniqueKey OpenForRead(const tstr& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    return CUniqueKey(key);
}

CUniqueKey OpenForWrite(const tstr& path) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return {};
    return CUniqueKey(key);
}

bool DeleteValue(HKEY key, const tstr& name) {
    const LSTATUS rc = ::RegDeleteValueW(key, name.c_str());
    // An absent value is what was asked for.
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool SetValue(HKEY key, const tstr& name, DWORD type, const void* data, std::size_t size) {
    if (size > MAXDWORD) return false;
    return ::RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)) ==
           ERROR_SUCCESS;
}
}  // namespace

bool CRegistryBackend::ReadText(const tstr& path, const tstr& name, tstr& out) {
    const CUniqueKey key = OpenForRead(path);
    if (!key) return false;
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return false;
    // Whatever the type: read the bytes, then take the characters up to the first null or the
    // end of what was read (a missing terminator or an odd last byte is no reason to overrun).
    std::vector<BYTE> bytes;
    try {
        bytes.assign(size, 0);
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
    DWORD got = size;
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, bytes.data(), &got) != ERROR_SUCCESS ||
        got > size) {
        // The value changed between the two calls: known to exist, but nothing readable.
        out.clear();
        return false;
    }
    out = TextFromStoredBytes(bytes.data(), got);
    return true;
}

bool CRegistryBackend::WriteText(const tstr& path, const tstr& name, const tstr* text) {
    const CUniqueKey key = OpenForWrite(path);
    if (!key) return false;
    if (!text) return DeleteValue(key.get(), name);
    if (text->size() >= MAXDWORD / sizeof(wchar_t)) return false;
    return SetValue(key.get(), name, REG_SZ, text->c_str(), (text->size() + 1) * sizeof(wchar_t));
}

bool CRegistryBackend::ReadBinary(const tstr& path, const tstr& name, void* buffer, std::size_t size,
                                  std::size_t* read) {
    const CUniqueKey key = OpenForRead(path);
    if (!key) return false;
    DWORD stored = 0;
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, nullptr, &stored) != ERROR_SUCCESS ||
        stored > size)
        return false;
    // Read into a buffer of our own so that a failing read never leaves part of a value behind.
    std::vector<BYTE> bytes(stored == 0 ? 1 : stored);
    DWORD got = stored;
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, bytes.data(), &got) != ERROR_SUCCESS ||
        got > stored)
        return false;
    if (got != 0) std::memcpy(buffer, bytes.data(), got);
    if (read) *read = got;
    return true;
}

bool CRegistryBackend::WriteBinary(const tstr& path, const tstr& name, const void* data, std::size_t size) {
    const CUniqueKey key = OpenForWrite(path);
    if (!key) return false;
    if (!data) return DeleteValue(key.get(), name);
    return SetValue(key.get(), name, REG_BINARY, data, size);
}

bool CRegistryBackend::DeleteTree(const tstr& path) {
    // A trailing separator is not stripped here: the key left would be the parent of the one named.
    if (!NamesOneKey(path)) return false;
    const tstr keyPath = KeyPath(path);
    // An empty path would name HKEY_CURRENT_USER itself.
    if (keyPath.empty()) return false;
    return ::RegDeleteTreeW(HKEY_CURRENT_USER, keyPath.c_str()) == ERROR_SUCCESS;
}

bool CRegistryBackend::KeyExists(const tstr& path) { return static_cast<bool>(OpenForRead(path)); }

bool CRegistryBackend::EnumSubkey(const tstr& path, int index, tstr& name) {
    if (index < 0) return false;
    const CUniqueKey key = OpenForRead(path);
    if (!key) return false;
    wchar_t buf[1024];
    DWORD length = 1024;
    if (::RegEnumKeyExW(key.get(), static_cast<DWORD>(index), buf, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return false;
    name.assign(buf, length < 1024 ? length : 1023);
    return true;
}
