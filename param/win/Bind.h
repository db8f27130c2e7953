// Bind: one line per control in a dialog's OnInitDialog. Makes a binding of the parameter's value
// type for the control kind and id and adds it to the dialog's set (the parameter then owns it).
// False, with nothing bound, for a null set or when the binding cannot be made.
#pragma once

#include "param/CParam.h"
#include "param/CParamDlgSet.h"
#include "param/ParamDlgKind.h"
#include "param/Tstr.h"

bool Bind(CParamDlgSet* set, CParam<int>& param, int type, int id);
bool Bind(CParamDlgSet* set, CParam<unsigned int>& param, int type, int id);
bool Bind(CParamDlgSet* set, CParam<unsigned long>& param, int type, int id);
bool Bind(CParamDlgSet* set, CParam<bool>& param, int type, int id);
bool Bind(CParamDlgSet* set, CParam<tstr>& param, int type, int id);
