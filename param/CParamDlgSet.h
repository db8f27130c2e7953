// CParamDlgSet: the bindings a dialog made, in the order added. While bound, a binding belongs to
// its parameter; UnbindAll detaches every binding and destroys it. The set's own destructor
// only frees its list.
#pragma once

#include "param/IParam.h"
#include "param/IParamDlg.h"

#include <vector>

class CParamDlgSet {
public:
    CParamDlgSet() = default;
    virtual ~CParamDlgSet() = default;
    CParamDlgSet(const CParamDlgSet&) = delete;
    CParamDlgSet& operator=(const CParamDlgSet&) = delete;

    // False for a binding already in the set, and for a binding without a parameter (the caller
    // keeps it). True and nothing else for a null binding. Otherwise appends the binding, gives
    // it the parameter and attaches it to the parameter, which then owns it.
    bool Add(IParam* param, IParamDlg* binding);
    // From the front: detach from the parameter, forget the parameter, leave the set, destroy.
    void UnbindAll();

    int BindingCount() const { return static_cast<int>(m_bindings.size()); }
    // The binding at index, or null past the end.
    IParamDlg* BindingAt(int index) const;

protected:
    std::vector<IParamDlg*> m_bindings;  // not owned
};
