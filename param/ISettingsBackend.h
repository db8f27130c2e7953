// ISettingsBackend: raw storage of texts and binary values under full key paths. The settings
// store builds the paths; a backend only reads and writes them (the registry on Windows, an
// in-memory tree for tests).
#pragma once

#include "param/Tstr.h"

#include <cstddef>

// Whether a full path names one key: non-empty names between its separators, none before the
// first or after the last: "A\B" does; "A\", "A\\B" and "\A" do not. Deleting is refused
// for the latter, so that a path naming no key never removes its parent.
inline bool NamesOneKey(const tstr& path) {
    if (path.empty() || path.front() == L'\\' || path.back() == L'\\') return false;
    return path.find(L"\\\\") == tstr::npos;
}

class ISettingsBackend {
public:
    virtual ~ISettingsBackend() = default;

    // Reads a text value. A value of zero bytes, a missing value or a key that does not open
    // counts as missing (false, out untouched). The stored bytes are taken as UTF-16 up to the
    // first null or their end, whatever type the value has.
    virtual bool ReadText(const tstr& path, const tstr& name, tstr& out) = 0;
    // Creates the key if needed and stores the text (with its terminating null); a null text
    // deletes the value instead. False when the key cannot be created or the value not set.
    virtual bool WriteText(const tstr& path, const tstr& name, const tstr* text) = 0;
    // Reads a binary value into buffer when it holds at most size bytes; longer values fail and
    // leave the buffer untouched. *read (when given) receives the byte count on success.
    virtual bool ReadBinary(const tstr& path, const tstr& name, void* buffer, std::size_t size,
                            std::size_t* read) = 0;
    // Creates the key if needed and stores exactly size bytes; null data deletes the value.
    virtual bool WriteBinary(const tstr& path, const tstr& name, const void* data, std::size_t size) = 0;
    // Removes the key with all its subkeys and values. A path naming the top itself, or a path
    // that names no key (NamesOneKey), is refused.
    virtual bool DeleteTree(const tstr& path) = 0;
    virtual bool KeyExists(const tstr& path) = 0;
    // Name of the index-th subkey; false when there is none.
    virtual bool EnumSubkey(const tstr& path, int index, tstr& name) = 0;
};
