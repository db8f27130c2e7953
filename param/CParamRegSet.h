// CParamRegSet: a group of parameters loaded and saved together under one section of the
// settings store. Holds its members without owning them.
#pragma once

#include "param/IParamReg.h"
#include "param/Tstr.h"

#include <vector>

class CSettingsStore;

class CParamRegSet {
public:
    explicit CParamRegSet(CSettingsStore* store = nullptr) : m_store(store) {}
    virtual ~CParamRegSet() = default;
    CParamRegSet(const CParamRegSet&) = delete;
    CParamRegSet& operator=(const CParamRegSet&) = delete;

    // Refuses a null parameter, one with an empty name, and one that is already a member.
    bool Add(IParamReg* param);
    // SetName(name), then Add.
    bool Add(IParamReg* param, const wchar_t* name);
    void SetSection(const tstr& section) { m_section = section; }
    const tstr& GetSection() const { return m_section; }
    void SetStore(CSettingsStore* store) { m_store = store; }
    CSettingsStore* GetStore() const { return m_store; }

    // Load / Save of every member in the order added; results are not reported. The forms
    // without a section use the own section and do nothing while it is empty.
    void LoadAll(const tstr& section);
    void LoadAll();
    void SaveAll(const tstr& section);
    void SaveAll();
    // Forgets the members without touching them.
    void DetachAll() { m_members.clear(); }
    const std::vector<IParamReg*>& Members() const { return m_members; }

private:
    std::vector<IParamReg*> m_members;  // not owned
    CSettingsStore* m_store;            // not owned
    tstr m_section;
};
