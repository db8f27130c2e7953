#include "param/CParamRegSet.h"

#include "param/CSettingsStore.h"

#include <algorithm>

bool CParamRegSet::Add(IParamReg* param) {
    if (!param || param->GetName().empty()) return false;
    if (std::find(m_members.begin(), m_members.end(), param) != m_members.end()) return false;
    m_members.push_back(param);
    return true;
}

bool CParamRegSet::Add(IParamReg* param, const wchar_t* name) {
    if (!param) return false;
    param->SetName(name);
    return Add(param);
}

void CParamRegSet::LoadAll(const tstr& section) {
    if (!m_store) return;
    for (IParamReg* param : m_members) param->Load(*m_store, section);
}

void CParamRegSet::LoadAll() {
    if (!m_section.empty()) LoadAll(m_section);
}

void CParamRegSet::SaveAll(const tstr& section) {
    if (!m_store) return;
    for (IParamReg* param : m_members) param->Save(*m_store, section);
}

void CParamRegSet::SaveAll() {
    if (!m_section.empty()) SaveAll(m_section);
}
