// CColReg<T*>: an owning, ordered collection of stored items (CCollector) that also creates, loads
// and saves its members under numbered sections: base section "\" item name format, the n-th member
// (from 0) in the section formatted with n ("*prof*Items\000", "*prof*Items\001", ...).
// T needs a default constructor and Exists / Load / Save (store, section) and Release().
#pragma once

#include <climits>

#include "param/CCollector.h"
#include "param/CSettingsStore.h"
#include "param/Tstr.h"
#include "scene/SectionName.h"

template <class T>
class CColReg : public CCollector<T> {
public:
    using Element = typename CCollector<T>::Element;

    // The format names an item's section below the base; an empty one means "Item%03d".
    bool SetNames(const tstr& section, const tstr& format) {
        m_format = format.empty() ? tstr(L"Item%03d") : format;
        m_section = section;
        m_pathFormat = m_section + L"\\" + m_format;
        return true;
    }
    const tstr& PathFormat() const { return m_pathFormat; }
    const tstr& Section() const { return m_section; }
    const tstr& NameFormat() const { return m_format; }
    void SetSection(const tstr& section) {
        m_section = section;
        m_pathFormat = m_section + L"\\" + m_format;
    }
    // The section of the member at index.
    tstr SectionOf(int index) const { return FormatSectionName(m_pathFormat, index); }

    virtual bool LoadAll(CSettingsStore* store, bool now) {
        if (now) LoadItems(store);
        return true;
    }
    virtual bool SaveAll(CSettingsStore* store, bool now) {
        if (now) SaveItems(store);
        return true;
    }
    // Deletes the base section with everything below it; refused with an empty base section.
    virtual bool DeleteAll(CSettingsStore& store) {
        if (m_section.empty()) return false;
        store.DeleteSection(m_section);
        return true;
    }
    // Appends one default item for every stored section from number 0 up to the first number
    // whose section holds no "type"; sections after a gap are ignored. Values are read by
    // LoadItems. The flags are passed on to nobody: items take no construction flags.
    virtual bool Create(CSettingsStore& store, int flags) {
        (void)flags;
        if (m_format.empty()) return false;
        for (int n = 0; n < INT_MAX; ++n) {  // bounded: the count stays an int
            Element* item = new Element();
            if (!item->Exists(store, SectionOf(n)) || !this->Add(item)) {
                delete item;
                break;
            }
        }
        return true;
    }
    // Calls every member's release hook, then deletes them all.
    virtual bool ReleaseAll() {
        for (Element* item : this->m_items) item->Release();
        this->Clear();
        return true;
    }
    virtual bool LoadItems(CSettingsStore* store) {
        if (m_format.empty()) return false;
        if (!store) return true;
        for (int i = 0; i < this->Count(); ++i) this->m_items[static_cast<std::size_t>(i)]->Load(*store, SectionOf(i));
        return true;
    }
    // Rewrites every member's section (deleted first, so keys left out by default rules are gone).
    // Sections numbered beyond the member count are left alone: callers clear the base first.
    virtual bool SaveItems(CSettingsStore* store) {
        if (m_format.empty() || !store) return false;
        for (int i = 0; i < this->Count(); ++i) {
            const tstr name = SectionOf(i);
            store->DeleteSection(name);
            this->m_items[static_cast<std::size_t>(i)]->Save(*store, name);
        }
        return true;
    }

private:
    tstr m_section;     // base section
    tstr m_format;      // item name format
    tstr m_pathFormat;  // base section + "\" + item name format
};
