#include "param/CParamDlgSet.h"

#include "param/CParamDlgBase.h"

#include <algorithm>

bool CParamDlgSet::Add(IParam* param, IParamDlg* binding) {
    if (!binding) return true;
    if (std::find(m_bindings.begin(), m_bindings.end(), binding) != m_bindings.end()) return false;
    if (!param) return false;
    m_bindings.push_back(binding);
    binding->SetParam(param);
    param->AddBinding(binding);
    return true;
}

void CParamDlgSet::UnbindAll() {
    // Each binding leaves the list before anything is called on it, so a call that comes back
    // here (a control notifying the dialog) finds only the bindings still to do.
    while (!m_bindings.empty()) {
        IParamDlg* binding = m_bindings.front();
        m_bindings.erase(m_bindings.begin());
        if (IParam* param = binding->GetParam()) param->RemoveBinding(binding);
        binding->SetParam(nullptr);
        DestroyBinding(binding);
    }
}

IParamDlg* CParamDlgSet::BindingAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_bindings.size()) return nullptr;
    return m_bindings[static_cast<std::size_t>(index)];
}
