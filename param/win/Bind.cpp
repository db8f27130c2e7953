#include "param/win/Bind.h"

#include "param/win/CParamDlg.h"

#include <new>

namespace {
template <class T>
bool BindTyped(CParamDlgSet* set, CParam<T>& param, int type, int id) {
    if (!set) return false;
    auto* binding = new (std::nothrow) CParamDlg<T>;
    if (!binding) return false;
    binding->Init(type, id);
    if (set->Add(static_cast<IParam*>(&param), binding)) return true;
    delete binding;  // not taken: still ours
    return false;
}
}  // namespace

bool Bind(CParamDlgSet* set, CParam<int>& param, int type, int id) { return BindTyped(set, param, type, id); }
bool Bind(CParamDlgSet* set, CParam<unsigned int>& param, int type, int id) {
    return BindTyped(set, param, type, id);
}
bool Bind(CParamDlgSet* set, CParam<unsigned long>& param, int type, int id) {
    return BindTyped(set, param, type, id);
}
bool Bind(CParamDlgSet* set, CParam<bool>& param, int type, int id) { return BindTyped(set, param, type, id); }
bool Bind(CParamDlgSet* set, CParam<tstr>& param, int type, int id) { return BindTyped(set, param, type, id); }
