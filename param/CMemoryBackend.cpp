#include "param/CMemoryBackend.h"

#include "param/StoredText.h"

#include <cstring>
#include <iterator>

namespace {
wchar_t FoldCase(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

std::vector<std::uint8_t> TextBytes(const tstr& text) {
    // Characters and the terminating null, little-endian.
    std::vector<std::uint8_t> bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const auto c = static_cast<std::uint32_t>(i < text.size() ? text[i] : 0);
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    }
    return bytes;
}
}  // namespace

bool CMemoryBackend::NoCaseLess::operator()(const tstr& a, const tstr& b) const {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const wchar_t ca = FoldCase(a[i]), cb = FoldCase(b[i]);
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

CMemoryBackend::CMemoryBackend() : m_root(std::make_unique<Node>()) {}
CMemoryBackend::~CMemoryBackend() = default;

void CMemoryBackend::Clear() { m_root = std::make_unique<Node>(); }

bool CMemoryBackend::Split(const tstr& path, std::vector<tstr>& parts) {
    parts.clear();
    std::size_t from = 0;
    while (from <= path.size()) {
        std::size_t to = path.find(L'\\', from);
        if (to == tstr::npos) to = path.size();
        if (to > from) {
            if (to - from > kMaxKeyNameLength) return false;
            parts.emplace_back(path, from, to - from);
        }
        from = to + 1;
    }
    return true;
}

const CMemoryBackend::Node* CMemoryBackend::Find(const tstr& path) const {
    std::vector<tstr> parts;
    if (!Split(path, parts)) return nullptr;
    const Node* node = m_root.get();
    for (const tstr& part : parts) {
        const auto it = node->children.find(part);
        if (it == node->children.end()) return nullptr;
        node = it->second.get();
    }
    return node;
}

CMemoryBackend::Node* CMemoryBackend::Create(const tstr& path) {
    std::vector<tstr> parts;
    if (!Split(path, parts)) return nullptr;
    Node* node = m_root.get();
    for (const tstr& part : parts) {
        auto& child = node->children[part];
        if (!child) child = std::make_unique<Node>();
        node = child.get();
    }
    return node;
}

const CMemoryBackend::Value* CMemoryBackend::FindValue(const tstr& path, const tstr& name) const {
    const Node* node = Find(path);
    if (!node) return nullptr;
    const auto it = node->values.find(name);
    return it == node->values.end() ? nullptr : &it->second;
}

bool CMemoryBackend::ReadText(const tstr& path, const tstr& name, tstr& out) {
    const Value* value = FindValue(path, name);
    if (!value || value->bytes.empty()) return false;
    out = TextFromStoredBytes(value->bytes.data(), value->bytes.size());
    return true;
}

bool CMemoryBackend::WriteText(const tstr& path, const tstr& name, const tstr* text) {
    if (!text) {
        if (!Create(path)) return false;
        return DeleteValue(path, name);
    }
    return SetRaw(path, name, kText, TextBytes(*text));
}

bool CMemoryBackend::ReadBinary(const tstr& path, const tstr& name, void* buffer, std::size_t size,
                                std::size_t* read) {
    const Value* value = FindValue(path, name);
    if (!value || value->bytes.size() > size) return false;
    if (!value->bytes.empty()) std::memcpy(buffer, value->bytes.data(), value->bytes.size());
    if (read) *read = value->bytes.size();
    return true;
}

bool CMemoryBackend::WriteBinary(const tstr& path, const tstr& name, const void* data, std::size_t size) {
    if (!data) {
        if (!Create(path)) return false;
        return DeleteValue(path, name);
    }
    const auto* p = static_cast<const std::uint8_t*>(data);
    return SetRaw(path, name, kBinary, std::vector<std::uint8_t>(p, p + size));
}

bool CMemoryBackend::DeleteValue(const tstr& path, const tstr& name) {
    // Deleting an absent value leaves the wanted state: it counts as done.
    if (Node* node = Find(path)) node->values.erase(name);
    return true;
}

bool CMemoryBackend::DeleteTree(const tstr& path) {
    if (!NamesOneKey(path)) return false;
    std::vector<tstr> parts;
    if (!Split(path, parts) || parts.empty()) return false;
    const tstr leaf = parts.back();
    parts.pop_back();
    Node* parent = m_root.get();
    for (const tstr& part : parts) {
        const auto it = parent->children.find(part);
        if (it == parent->children.end()) return false;
        parent = it->second.get();
    }
    return parent->children.erase(leaf) != 0;
}

bool CMemoryBackend::KeyExists(const tstr& path) { return Find(path) != nullptr; }

bool CMemoryBackend::EnumSubkey(const tstr& path, int index, tstr& name) {
    const Node* node = Find(path);
    if (!node || index < 0 || static_cast<std::size_t>(index) >= node->children.size()) return false;
    auto it = node->children.begin();
    std::advance(it, index);
    name = it->first;
    return true;
}

bool CMemoryBackend::SetRaw(const tstr& path, const tstr& name, std::uint32_t type, std::vector<std::uint8_t> bytes) {
    if (name.size() > kMaxValueNameLength) return false;
    Node* node = Create(path);
    if (!node) return false;
    auto it = node->values.find(name);
    if (it == node->values.end()) it = node->values.emplace(name, Value{}).first;
    it->second.type = type;
    it->second.bytes = std::move(bytes);
    return true;
}

bool CMemoryBackend::GetRaw(const tstr& path, const tstr& name, std::uint32_t& type,
                            std::vector<std::uint8_t>& bytes) const {
    const Value* value = FindValue(path, name);
    if (!value) return false;
    type = value->type;
    bytes = value->bytes;
    return true;
}

bool CMemoryBackend::ValueExists(const tstr& path, const tstr& name) const { return FindValue(path, name) != nullptr; }

std::size_t CMemoryBackend::ValueCount(const tstr& path) const {
    const Node* node = Find(path);
    return node ? node->values.size() : 0;
}
