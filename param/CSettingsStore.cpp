#include "param/CSettingsStore.h"

#include "param/NumberText.h"

#include <algorithm>

CSettingsStore::CSettingsStore(bool registry, const tstr& firm, const tstr& app) : m_registry(registry) {
    SetNames(firm, app);
}

void CSettingsStore::SetNames(const tstr& firm, const tstr& app) {
    m_firm = firm;
    m_app = app;
    if (firm.empty() || app.empty()) return;
    SetRoot(L"Software\\*firm*\\*app*\\");
    AddPlaceholder(L"*firm*", firm);
    AddPlaceholder(L"*app*", app);
}

void CSettingsStore::SetRoot(const tstr& path) {
    m_root = path;
    if (!m_root.empty() && m_root.back() != L'\\') m_root += L'\\';
}

void CSettingsStore::AddPlaceholder(const tstr& placeholder, const tstr& replacement) {
    std::erase_if(m_placeholders, [&](const auto& pair) { return pair.first == placeholder; });
    m_placeholders.emplace_back(placeholder, replacement);
}

tstr CSettingsStore::Expand(const tstr& text) const {
    tstr current = text;
    for (const auto& [placeholder, replacement] : m_placeholders) {
        // An empty placeholder would match everywhere; it replaces nothing.
        if (placeholder.empty()) continue;
        tstr result;
        std::size_t from = 0;
        for (std::size_t at; (at = current.find(placeholder, from)) != tstr::npos; from = at + placeholder.size()) {
            result.append(current, from, at - from);
            result += replacement;
        }
        result.append(current, from, tstr::npos);
        current = std::move(result);
    }
    return current;
}

bool CSettingsStore::ReadString(const tstr& section, const tstr& key, tstr& out) const {
    return m_backend && m_backend->ReadText(FullPath(section), key, out);
}

bool CSettingsStore::Note(bool ok) noexcept {
    if (!ok && m_batch == 1) m_batch = 2;
    return ok;
}

bool CSettingsStore::EndBatch() noexcept {
    const bool ok = m_batch != 2;
    m_batch = 0;
    return ok;
}

bool CSettingsStore::WriteString(const tstr& section, const tstr& key, const wchar_t* text) {
    if (!m_backend || Stopped()) return Note(false);
    if (!text) return Note(m_backend->WriteText(FullPath(section), key, nullptr));
    const tstr value(text);
    return Note(m_backend->WriteText(FullPath(section), key, &value));
}

bool CSettingsStore::WriteString(const tstr& section, const tstr& key, const tstr& text) {
    if (!m_backend || Stopped()) return Note(false);
    return Note(m_backend->WriteText(FullPath(section), key, &text));
}

bool CSettingsStore::WriteInt(const tstr& section, const tstr& key, int value) {
    return WriteString(section, key, DecimalText(value));
}

bool CSettingsStore::ReadStruct(const tstr& section, const tstr& key, void* buffer, std::size_t size,
                                std::size_t* read) const {
    if (!m_backend || (!buffer && size != 0)) return false;
    return m_backend->ReadBinary(FullPath(section), key, buffer, size, read);
}

bool CSettingsStore::WriteStruct(const tstr& section, const tstr& key, const void* data, std::size_t size) {
    if (!m_backend || Stopped()) return Note(false);
    return Note(m_backend->WriteBinary(FullPath(section), key, data, size));
}

bool CSettingsStore::DeleteSection(const tstr& section) {
    if (!m_backend || Stopped()) return Note(false);
    tstr path = FullPath(section);
    // "" or a path of separators only would name the top of the store: never remove that.
    if (path.find_first_not_of(L'\\') == tstr::npos) return false;
    // "" names the root itself, which ends with a separator; any other section has to name a key
    // on its own ("Profiles\" with nothing after it names none and must not take "Profiles").
    if (section.empty()) path.erase(path.find_last_not_of(L'\\') + 1);
    if (m_backend->DeleteTree(path)) return true;
    // A section that is not there is as good as deleted, for a batch.
    Note(!m_backend->KeyExists(path));
    return false;
}

bool CSettingsStore::SectionExists(const tstr& section) const {
    return m_backend && m_backend->KeyExists(FullPath(section));
}

bool CSettingsStore::EnumSubsection(const tstr& section, int index, tstr& name) const {
    return m_backend && index >= 0 && m_backend->EnumSubkey(FullPath(section), index, name);
}
