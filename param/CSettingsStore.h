// CSettingsStore: the one object through which the program keeps settings between runs.
// Callers address a value by section path and key name; the store prefixes the root, replaces
// placeholders (*firm*, *app*, *prof*, ...) and hands the full path to its backend.
#pragma once

#include "param/ISettingsBackend.h"
#include "param/Tstr.h"

#include <cstddef>
#include <utility>
#include <vector>

class CSettingsStore {
public:
    CSettingsStore() = default;
    // mode: true = registry, false = initialisation file (recorded; the backend does the storage).
    CSettingsStore(bool registry, const tstr& firm, const tstr& app);

    void SetMode(bool registry) { m_registry = registry; }
    bool IsRegistryMode() const { return m_registry; }

    // Keeps both names; when both are non-empty, the root becomes "Software\*firm*\*app*\" and
    // the placeholders *firm* and *app* are installed.
    void SetNames(const tstr& firm, const tstr& app);
    const tstr& GetFirmName() const { return m_firm; }
    const tstr& GetAppName() const { return m_app; }

    // The root ends with "\" whenever it is not empty.
    void SetRoot(const tstr& path);
    const tstr& GetRoot() const { return m_root; }

    void SetFileName(const tstr& name) { m_fileName = name; }
    const tstr& GetFileName() const { return m_fileName; }

    // Removes a pair with the same placeholder (exact comparison) and appends the new pair.
    void AddPlaceholder(const tstr& placeholder, const tstr& replacement);
    const std::vector<std::pair<tstr, tstr>>& GetPlaceholders() const { return m_placeholders; }

    // Replaces every occurrence of each placeholder, pair by pair in list order; a replacement is
    // not scanned again for the placeholder that produced it.
    tstr Expand(const tstr& text) const;
    // Expand(root + section): the path the backend sees.
    tstr FullPath(const tstr& section) const { return Expand(m_root + section); }

    // The storage the operations below use; not owned. Without one, reads find nothing and
    // writes fail.
    void SetBackend(ISettingsBackend* backend) { m_backend = backend; }
    ISettingsBackend* GetBackend() const { return m_backend; }

    // Found: out receives the text. Missing: false, out untouched.
    bool ReadString(const tstr& section, const tstr& key, tstr& out) const;
    // A null text deletes the value (the section is still created).
    bool WriteString(const tstr& section, const tstr& key, const wchar_t* text);
    bool WriteString(const tstr& section, const tstr& key, const tstr& text);
    // Stores the decimal text ("%d") of the value.
    bool WriteInt(const tstr& section, const tstr& key, int value);
    // Reads at most size bytes; a stored value longer than size fails and leaves the buffer
    // untouched. *read (when given) receives the number of bytes stored.
    bool ReadStruct(const tstr& section, const tstr& key, void* buffer, std::size_t size,
                    std::size_t* read = nullptr) const;
    // Stores exactly size bytes; null data deletes the value.
    bool WriteStruct(const tstr& section, const tstr& key, const void* data, std::size_t size);
    // Removes the section and everything below it; "" removes the root itself. A path that
    // would name the top of the store, or that names no key ("Profiles\" with nothing after it,
    // an empty name between two separators), is refused and removes nothing.
    bool DeleteSection(const tstr& section);
    bool SectionExists(const tstr& section) const;
    // Name of the index-th subsection of section.
    bool EnumSubsection(const tstr& section, int index, tstr& name) const;

    // A write batch, for saves that must not go on after a failure: from BeginBatch on, the first
    // write or deletion that fails makes every later one fail without touching the backend, until
    // EndBatch, which answers whether all of them succeeded. Deleting a section that does not
    // exist is not a failure.
    void BeginBatch() noexcept { m_batch = 1; }
    bool EndBatch() noexcept;
    bool BatchFailed() const noexcept { return m_batch == 2; }

private:
    bool m_registry = true;
    tstr m_root;
    tstr m_firm;
    tstr m_app;
    tstr m_fileName;
    std::vector<std::pair<tstr, tstr>> m_placeholders;
    ISettingsBackend* m_backend = nullptr;  // not owned
    int m_batch = 0;                        // 0 no batch, 1 batch going well, 2 batch failed

    // Records the outcome of one write inside a batch; answers it.
    bool Note(bool ok) noexcept;
    bool Stopped() const noexcept { return m_batch == 2; }
};
