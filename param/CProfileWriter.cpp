#include "param/CProfileWriter.h"

#include "param/CSettingsStore.h"

#include <utility>

CProfileWriter::CProfileWriter(CSettingsStore& store, tstr placeholder, tstr section, tstr pending)
    : m_store(store), m_placeholder(std::move(placeholder)), m_section(std::move(section)), m_pending(std::move(pending)) {}

tstr CProfileWriter::LoadRoot() const {
    tstr mark;
    const bool complete = m_store.ReadString(m_pending, kCompleteValue, mark) && mark == L"1";
    return (complete ? m_pending : m_section) + L"\\";
}

void CProfileWriter::PointAtLoadRoot() const { m_store.AddPlaceholder(m_placeholder, LoadRoot()); }

void CProfileWriter::Point(const tstr& section) const { m_store.AddPlaceholder(m_placeholder, section + L"\\"); }

void CProfileWriter::DropPending() const {
    if (!m_store.SectionExists(m_pending)) return;
    m_store.WriteString(m_pending, kCompleteValue, static_cast<const wchar_t*>(nullptr));
    m_store.DeleteSection(m_pending);
    // The section that holds pending copies goes too once it is empty, so a finished save leaves
    // no trace.
    const std::size_t cut = m_pending.find_last_of(L'\\');
    if (cut == tstr::npos || cut == 0) return;
    const tstr parent = m_pending.substr(0, cut);
    tstr any;
    if (!m_store.EnumSubsection(parent, 0, any)) m_store.DeleteSection(parent);
}

// The copy a start reads (the complete pending copy, else the profile's own section) always holds
// a complete profile: each pass writes into the other copy and only then hands the reading over.
bool CProfileWriter::Save(const std::function<void()>& write) {
    m_store.BeginBatch();

    if (LoadRoot() != m_pending + L"\\") {
        // The own section is read: write the new profile beside it, then mark that copy complete.
        DropPending();  // an unfinished copy from an earlier save
        Point(m_pending);
        write();
        m_store.WriteString(m_pending, kCompleteValue, L"1");
        if (m_store.BatchFailed()) {
            m_store.EndBatch();
            DropPending();  // the stored profile is untouched: an unfinished copy only gets in the way
            Point(m_section);
            return false;
        }
    }

    // The pending copy is read: rewrite the own section, then hand the reading back to it.
    Point(m_section);
    m_store.DeleteSection(m_section);
    write();
    if (!m_store.BatchFailed()) DropPending();
    return m_store.EndBatch();
}
