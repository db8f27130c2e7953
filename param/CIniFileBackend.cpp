#include "param/CIniFileBackend.h"

#include "param/Utf8.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace {
wchar_t Fold(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool SameName(const tstr& a, const tstr& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) return false;
    }
    return true;
}

// Whether section lies below path: path, a "\", then more.
bool IsBelow(const tstr& section, const tstr& path) {
    return section.size() > path.size() + 1 && section[path.size()] == L'\\' &&
           SameName(section.substr(0, path.size()), path);
}

tstr Trim(const tstr& s) {
    const std::size_t first = s.find_first_not_of(L" \t");
    if (first == tstr::npos) return tstr();
    const std::size_t last = s.find_last_not_of(L" \t");
    return s.substr(first, last - first + 1);
}

// Section paths may end with "\" (the store's root does); the file names sections without it.
tstr Normal(const tstr& path) {
    const std::size_t end = path.find_last_not_of(L'\\');
    return end == tstr::npos ? tstr() : path.substr(0, end + 1);
}

// Values with outer blanks or quotes are written in quotes, which reading takes off again.
tstr Quote(const tstr& v) { return Trim(v) != v || (!v.empty() && v[0] == L'"') ? L"\"" + v + L"\"" : v; }
tstr Unquote(const tstr& v) {
    return v.size() >= 2 && v.front() == L'"' && v.back() == L'"' ? v.substr(1, v.size() - 2) : v;
}

bool HasLineBreak(const tstr& s) { return s.find_first_of(L"\r\n") != tstr::npos; }

// Names the line format can hold unambiguously.
bool GoodSection(const tstr& s) { return !HasLineBreak(s) && s.find(L']') == tstr::npos && Trim(s) == s; }
bool GoodKey(const tstr& s) {
    return !s.empty() && !HasLineBreak(s) && s.find(L'=') == tstr::npos && s[0] != L'[' && s[0] != L';' && Trim(s) == s;
}

const wchar_t kHex[] = L"0123456789ABCDEF";
int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}
}  // namespace

CIniFileBackend::Sections CIniFileBackend::Load() const {
    Sections sections;
    std::ifstream in(std::filesystem::path(m_file), std::ios::binary);
    if (!in) return sections;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const tstr text = FromUtf8(bytes);
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find(L'\n', from);
        if (end == tstr::npos) end = text.size();
        tstr line = text.substr(from, end - from);
        from = end + 1;
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        const tstr trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == L';') continue;
        if (trimmed[0] == L'[') {
            const std::size_t close = trimmed.find(L']');
            if (close == tstr::npos) continue;
            sections.push_back({trimmed.substr(1, close - 1), {}});
            continue;
        }
        const std::size_t eq = trimmed.find(L'=');
        if (eq == tstr::npos || sections.empty()) continue;
        sections.back().entries.emplace_back(Trim(trimmed.substr(0, eq)), Unquote(Trim(trimmed.substr(eq + 1))));
    }
    return sections;
}

bool CIniFileBackend::Save(const Sections& sections) const {
    tstr text;
    for (const Section& section : sections) {
        if (section.entries.empty()) continue;
        text += L"[" + section.name + L"]\r\n";
        for (const auto& [key, value] : section.entries) text += key + L"=" + Quote(value) + L"\r\n";
    }
    const std::filesystem::path file(m_file);
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    // Write a neighbour file and move it over the old one, so a failed write never leaves half a file.
    std::filesystem::path temp = file;
    temp += ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        const std::string bytes = ToUtf8(text);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    std::filesystem::rename(temp, file, ec);
    if (ec) std::filesystem::remove(temp, ec);
    return !ec;
}

bool CIniFileBackend::Get(const tstr& rawPath, const tstr& name, tstr& value) const {
    const tstr path = Normal(rawPath);
    for (const Section& section : Load()) {
        if (!SameName(section.name, path)) continue;
        for (const auto& [key, v] : section.entries) {
            if (SameName(key, name)) {
                value = v;
                return true;
            }
        }
    }
    return false;
}

bool CIniFileBackend::Put(const tstr& rawPath, const tstr& name, const tstr* value) {
    const tstr path = Normal(rawPath);
    if (!GoodSection(path) || !GoodKey(name) || (value && HasLineBreak(*value)))
        return false;
    Sections sections = Load();
    Section* target = nullptr;
    for (Section& section : sections) {
        if (SameName(section.name, path)) {
            target = &section;
            break;
        }
    }
    if (!target) {
        if (!value) return true;  // nothing to delete
        sections.push_back({path, {}});
        target = &sections.back();
    }
    auto& entries = target->entries;
    auto it = entries.begin();
    while (it != entries.end() && !SameName(it->first, name)) ++it;
    if (!value) {
        if (it == entries.end()) return true;
        entries.erase(it);
    } else if (it == entries.end()) {
        entries.emplace_back(name, *value);
    } else {
        it->second = *value;
    }
    return Save(sections);
}

bool CIniFileBackend::ReadText(const tstr& path, const tstr& name, tstr& out) {
    tstr value;
    if (!Get(path, name, value) || value.empty()) return false;
    out = value;
    return true;
}

bool CIniFileBackend::WriteText(const tstr& path, const tstr& name, const tstr* text) { return Put(path, name, text); }

bool CIniFileBackend::ReadBinary(const tstr& path, const tstr& name, void* buffer, std::size_t size,
                                 std::size_t* read) {
    tstr hex;
    if (!Get(path, name, hex) || hex.size() < 2 || hex.size() % 2 != 0) return false;
    const std::size_t count = hex.size() / 2 - 1;  // the last byte is the checksum
    if (count > size) return false;
    std::vector<unsigned char> bytes(count);
    unsigned sum = 0;
    for (std::size_t i = 0; i <= count; ++i) {
        const int hi = HexValue(hex[2 * i]), lo = HexValue(hex[2 * i + 1]);
        if (hi < 0 || lo < 0) return false;
        const auto byte = static_cast<unsigned char>(hi * 16 + lo);
        if (i == count) {
            if (byte != (sum & 0xFF)) return false;
        } else {
            bytes[i] = byte;
            sum += byte;
        }
    }
    if (count != 0) std::copy(bytes.begin(), bytes.end(), static_cast<unsigned char*>(buffer));
    if (read) *read = count;
    return true;
}

bool CIniFileBackend::WriteBinary(const tstr& path, const tstr& name, const void* data, std::size_t size) {
    if (!data) return Put(path, name, nullptr);
    const auto* p = static_cast<const unsigned char*>(data);
    tstr hex;
    hex.reserve(size * 2 + 2);
    unsigned sum = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        const unsigned byte = i < size ? p[i] : (sum & 0xFF);
        sum += byte;
        hex.push_back(kHex[byte >> 4]);
        hex.push_back(kHex[byte & 0xF]);
    }
    return Put(path, name, &hex);
}

bool CIniFileBackend::DeleteTree(const tstr& rawPath) {
    if (!NamesOneKey(rawPath)) return false;
    const tstr path = Normal(rawPath);
    if (path.empty()) return false;
    Sections sections = Load();
    const std::size_t before = sections.size();
    std::erase_if(sections, [&](const Section& s) { return SameName(s.name, path) || IsBelow(s.name, path); });
    if (sections.size() == before) return false;
    return Save(sections);
}

bool CIniFileBackend::KeyExists(const tstr& rawPath) {
    const tstr path = Normal(rawPath);
    for (const Section& section : Load()) {
        if (SameName(section.name, path) && !section.entries.empty()) return true;
    }
    return false;
}

bool CIniFileBackend::EnumSubkey(const tstr& rawPath, int index, tstr& name) {
    const tstr path = Normal(rawPath);
    if (index < 0) return false;
    std::vector<tstr> children;
    for (const Section& section : Load()) {
        if (section.entries.empty()) continue;
        if (!path.empty() && !IsBelow(section.name, path)) continue;
        const tstr rest = path.empty() ? section.name : section.name.substr(path.size() + 1);
        const tstr child = rest.substr(0, rest.find(L'\\'));
        bool seen = child.empty();
        for (const tstr& c : children) seen = seen || SameName(c, child);
        if (!seen) children.push_back(child);
    }
    if (static_cast<std::size_t>(index) >= children.size()) return false;
    name = children[static_cast<std::size_t>(index)];
    return true;
}
