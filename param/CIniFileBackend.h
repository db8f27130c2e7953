// CIniFileBackend: settings in an initialisation file ("[section]" headers, "key=value" lines,
// UTF-8), one section per full path. The file is read and rewritten on every call; nothing stays
// open. Structures are stored as hexadecimal bytes followed by a checksum byte (the byte sum),
// the usual encoding of structures in such files.
#pragma once

#include "param/ISettingsBackend.h"
#include "param/Tstr.h"

#include <string>
#include <utility>
#include <vector>

class CIniFileBackend : public ISettingsBackend {
public:
    // file: the file's full path; its folders are created when the first value is written.
    explicit CIniFileBackend(const tstr& file) : m_file(file) {}
    const tstr& GetFile() const { return m_file; }

    // An empty value counts as missing.
    bool ReadText(const tstr& path, const tstr& name, tstr& out) override;
    // Texts with line breaks, and names that the format cannot hold, are refused.
    bool WriteText(const tstr& path, const tstr& name, const tstr* text) override;
    bool ReadBinary(const tstr& path, const tstr& name, void* buffer, std::size_t size, std::size_t* read) override;
    bool WriteBinary(const tstr& path, const tstr& name, const void* data, std::size_t size) override;
    // Removes the section and every section below it (names beginning with path + "\").
    bool DeleteTree(const tstr& path) override;
    // A section exists while it holds a value.
    bool KeyExists(const tstr& path) override;
    // Subsections are the next path components of the sections below path, in file order.
    bool EnumSubkey(const tstr& path, int index, tstr& name) override;

private:
    struct Section {
        tstr name;
        std::vector<std::pair<tstr, tstr>> entries;
    };
    using Sections = std::vector<Section>;

    Sections Load() const;
    bool Save(const Sections& sections) const;
    bool Put(const tstr& path, const tstr& name, const tstr* value);
    bool Get(const tstr& path, const tstr& name, tstr& value) const;

    tstr m_file;
};
