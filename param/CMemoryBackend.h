// CMemoryBackend: an in-memory settings tree with the registry's behaviour (case-insensitive
// key and value names, typed values, key creation on write, the same text decoding), so that
// portable code and tests can use a settings store without Windows.
#pragma once

#include "param/ISettingsBackend.h"
#include "param/Tstr.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CMemoryBackend : public ISettingsBackend {
public:
    // Value type codes, numbered as the registry numbers them.
    enum : std::uint32_t { kNone = 0, kText = 1, kBinary = 3, kDword = 4, kMultiText = 7 };
    // Limits the registry imposes on names (characters).
    static constexpr std::size_t kMaxKeyNameLength = 255;
    static constexpr std::size_t kMaxValueNameLength = 16383;

    CMemoryBackend();
    ~CMemoryBackend() override;
    CMemoryBackend(const CMemoryBackend&) = delete;
    CMemoryBackend& operator=(const CMemoryBackend&) = delete;

    bool ReadText(const tstr& path, const tstr& name, tstr& out) override;
    bool WriteText(const tstr& path, const tstr& name, const tstr* text) override;
    bool ReadBinary(const tstr& path, const tstr& name, void* buffer, std::size_t size, std::size_t* read) override;
    bool WriteBinary(const tstr& path, const tstr& name, const void* data, std::size_t size) override;
    bool DeleteTree(const tstr& path) override;
    bool KeyExists(const tstr& path) override;
    bool EnumSubkey(const tstr& path, int index, tstr& name) override;

    // Raw access for tests: store any type and bytes (creating the key), read them back.
    bool SetRaw(const tstr& path, const tstr& name, std::uint32_t type, std::vector<std::uint8_t> bytes);
    bool GetRaw(const tstr& path, const tstr& name, std::uint32_t& type, std::vector<std::uint8_t>& bytes) const;
    bool ValueExists(const tstr& path, const tstr& name) const;
    std::size_t ValueCount(const tstr& path) const;
    // Removes everything.
    void Clear();

private:
    struct Node;
    struct Value {
        std::uint32_t type = kNone;
        std::vector<std::uint8_t> bytes;
    };
    struct NoCaseLess {
        bool operator()(const tstr& a, const tstr& b) const;
    };
    struct Node {
        std::map<tstr, std::unique_ptr<Node>, NoCaseLess> children;
        std::map<tstr, Value, NoCaseLess> values;
    };

    // Splits a path on "\" (empty components are skipped); false for an over-long component.
    static bool Split(const tstr& path, std::vector<tstr>& parts);
    const Node* Find(const tstr& path) const;
    Node* Find(const tstr& path) { return const_cast<Node*>(static_cast<const CMemoryBackend*>(this)->Find(path)); }
    Node* Create(const tstr& path);
    bool DeleteValue(const tstr& path, const tstr& name);
    const Value* FindValue(const tstr& path, const tstr& name) const;

    std::unique_ptr<Node> m_root;
};
