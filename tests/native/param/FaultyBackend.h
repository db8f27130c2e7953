// A settings backend for tests that passes everything to another one until its write budget is
// spent. Mode kFail: the write after the budget fails and later ones succeed again (one bad
// write). Mode kKill: every write after the budget is dropped while answering success, as if the
// process had been killed there. Reads always pass through. Writes are counted either way.
// With deleteKeyByKey, a tree is removed as the registry removes it (RegDeleteTree): each subkey
// depth first, then the key itself, one counted write per key, so a cut can fall inside it.
#pragma once

#include "param/ISettingsBackend.h"

#include <vector>

class CFaultyBackend : public ISettingsBackend {
public:
    enum EMode { kFail, kKill };

    explicit CFaultyBackend(ISettingsBackend& inner, int budget = -1, EMode mode = kFail, bool deleteKeyByKey = false)
        : m_inner(inner), m_budget(budget), m_mode(mode), m_keyByKey(deleteKeyByKey) {}

    int Writes() const noexcept { return m_writes; }

    bool ReadText(const tstr& path, const tstr& name, tstr& out) override { return m_inner.ReadText(path, name, out); }
    bool ReadBinary(const tstr& path, const tstr& name, void* buffer, std::size_t size, std::size_t* read) override {
        return m_inner.ReadBinary(path, name, buffer, size, read);
    }
    bool KeyExists(const tstr& path) override { return m_inner.KeyExists(path); }
    bool EnumSubkey(const tstr& path, int index, tstr& name) override { return m_inner.EnumSubkey(path, index, name); }

    bool WriteText(const tstr& path, const tstr& name, const tstr* text) override {
        return Write([&] { return m_inner.WriteText(path, name, text); });
    }
    bool WriteBinary(const tstr& path, const tstr& name, const void* data, std::size_t size) override {
        return Write([&] { return m_inner.WriteBinary(path, name, data, size); });
    }
    bool DeleteTree(const tstr& path) override {
        if (m_keyByKey && NamesOneKey(path) && m_inner.KeyExists(path)) {
            std::vector<tstr> children;
            tstr name;
            for (int i = 0; m_inner.EnumSubkey(path, i, name); ++i) children.push_back(name);
            for (const tstr& child : children)
                if (!DeleteTree(path + L"\\" + child)) return false;
        }
        return Write([&] { return m_inner.DeleteTree(path); });
    }

private:
    template <class F>
    bool Write(F&& write) {
        const int n = m_writes++;
        if (m_budget < 0 || n < m_budget) return write();
        if (m_mode == kKill) return true;
        return n == m_budget ? false : write();
    }

    ISettingsBackend& m_inner;
    int m_budget;
    EMode m_mode;
    bool m_keyByKey;
    int m_writes = 0;
};
