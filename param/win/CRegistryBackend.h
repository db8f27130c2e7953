// CRegistryBackend: settings storage in the per-user registry (HKEY_CURRENT_USER). Texts are
// REG_SZ with their terminating null, structures REG_BINARY; each call opens its key, does one
// thing and closes it again.
#pragma once

#include "param/ISettingsBackend.h"

class CRegistryBackend : public ISettingsBackend {
public:
    bool ReadText(const tstr& path, const tstr& name, tstr& out) override;
    bool WriteText(const tstr& path, const tstr& name, const tstr* text) override;
    bool ReadBinary(const tstr& path, const tstr& name, void* buffer, std::size_t size, std::size_t* read) override;
    bool WriteBinary(const tstr& path, const tstr& name, const void* data, std::size_t size) override;
    bool DeleteTree(const tstr& path) override;
    bool KeyExists(const tstr& path) override;
    bool EnumSubkey(const tstr& path, int index, tstr& name) override;
};
