#include "scene/TreeFileProfile.h"

#include "param/CSettingsStore.h"
#include "scene/TreeFileKeys.h"
#include "scene/TreeFileNames.h"

#include <cstddef>

namespace {

constexpr std::size_t kMaxStructure = 255;
const wchar_t kHex[] = L"0123456789ABCDEF";

unsigned HexValue(wchar_t c) {
    return c <= L'9' ? static_cast<unsigned>(c - L'0') : static_cast<unsigned>((c | 0x20) - L'a' + 10);
}

// Structures as the settings file writes them: the bytes, then their byte sum.
tstr StructureText(const std::uint8_t* bytes, std::size_t size) {
    tstr hex;
    unsigned sum = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        const unsigned byte = i < size ? bytes[i] : (sum & 0xFF);
        sum += byte;
        hex.push_back(kHex[byte >> 4]);
        hex.push_back(kHex[byte & 15]);
    }
    return hex;
}

STreeFileSection ReadSection(const CSettingsStore& store, const tstr& root, const tstr& name) {
    STreeFileSection section{name, {}};
    for (const SCarriedKey& key : CarriedKeys(name)) {
        tstr text;
        if (key.kind == ECarriedKind::kBinary) {
            std::uint8_t buffer[kMaxStructure] = {};
            std::size_t read = 0;
            if (!store.ReadStruct(root + name, key.name, buffer, sizeof(buffer), &read)) continue;
            text = StructureText(buffer, read);
        } else if (!store.ReadString(root + name, key.name, text) || !IsCarriedValue(key.kind, text)) {
            continue;
        }
        section.values.emplace_back(key.name, text);
    }
    return section;
}

bool IsItem(const STreeFileSection& section) {
    return section.name == kTreeItemSection || TreeFileItemNumber(section.name) >= 0;
}

// An item whose source names a picture file ("source" not 0) and that names one.
bool UsesOwnPicture(const STreeFileSection& section) {
    const tstr source = TreeFileValue(section, L"source");
    return IsItem(section) && !source.empty() && source != L"0" && !TreeFileValue(section, L"path").empty();
}

// The last component of a path ('\' or '/' separated).
tstr LastComponent(const tstr& path) {
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == tstr::npos ? path : path.substr(cut + 1);
}

}  // namespace

STreeFile ReadProfileForTreeFile(const CSettingsStore& store, const tstr& root) {
    STreeFile file;
    std::vector<tstr> items{kTreeItemSection};
    for (int n = 0; n < kMaxTreeFileItems; ++n) {
        tstr type;
        if (!store.ReadString(root + TreeFileItemSection(n), L"type", type)) break;
        items.push_back(TreeFileItemSection(n));
    }
    for (const tstr& name : items) {
        STreeFileSection section = ReadSection(store, root, name);
        if (name == kTreeItemSection && TreeFileValue(section, L"type").empty()) continue;  // no stored tree
        if (!UsesOwnPicture(section)) SetTreeFileValue(section, L"path", tstr());
        std::erase_if(section.values, [](const auto& v) { return v.first == L"path" && v.second.empty(); });
        file.sections.push_back(std::move(section));
    }
    for (const tstr& name : CarriedOptionSections()) {
        STreeFileSection section = ReadSection(store, root, name);
        if (!section.values.empty()) file.sections.push_back(std::move(section));
    }
    return file;
}

std::vector<tstr> AttachPictures(STreeFile& file, const FReadPicture& read) {
    std::vector<tstr> missing;
    std::vector<tstr> sources;  // the path each picture was read from, by index
    std::vector<tstr> names;
    for (STreeFileSection& section : file.sections) {
        if (!UsesOwnPicture(section)) continue;
        const tstr path = TreeFileValue(section, L"path");
        tstr name;
        for (std::size_t i = 0; i < sources.size(); ++i)
            if (SameNameNoCase(sources[i], path)) name = names[i];
        bool left = false;
        for (const tstr& m : missing) left = left || SameNameNoCase(m, path);
        if (name.empty() && !left) {
            std::vector<std::uint8_t> bytes;
            if (read(path, bytes) && !bytes.empty() && bytes.size() <= kMaxTreeFilePictureBytes) {
                name = MakeUniqueName(MakeSafeTreeFileName(LastComponent(path), L"picture"), names, true);
                sources.push_back(path);
                names.push_back(name);
                file.pictures.push_back({name, std::move(bytes)});
            } else {
                missing.push_back(path);
            }
        }
        SetTreeFileValue(section, L"path", name);
        if (name.empty())
            std::erase_if(section.values, [](const auto& v) { return v.first == L"path"; });
    }
    return missing;
}

void PointPicturesAt(STreeFile& file, const tstr& folder) {
    for (STreeFileSection& section : file.sections) {
        const tstr name = TreeFileValue(section, L"path");
        if (IsItem(section) && !name.empty()) SetTreeFileValue(section, L"path", folder + L"\\" + name);
    }
}

void WriteTreeFileToStore(CSettingsStore& store, const tstr& prefix, const STreeFile& file) {
    for (const STreeFileSection& section : file.sections) {
        const std::vector<SCarriedKey>& keys = CarriedKeys(section.name);
        for (const auto& [key, value] : section.values) {
            bool binary = false;
            for (const SCarriedKey& k : keys) binary = binary || (key == k.name && k.kind == ECarriedKind::kBinary);
            if (!binary) {
                store.WriteString(prefix + section.name, key, value);
                continue;
            }
            std::vector<std::uint8_t> bytes;
            for (std::size_t i = 0; i + 2 < value.size(); i += 2)
                bytes.push_back(static_cast<std::uint8_t>(HexValue(value[i]) * 16 + HexValue(value[i + 1])));
            store.WriteStruct(prefix + section.name, key, bytes.data(), bytes.size());
        }
    }
}
