#include "app/CProfileApp.h"

#include <windows.h>

namespace Profiles {

bool IsUsableName(const tstr& name) {
    return !name.empty() && name.size() <= kMaxKeyName && name.find(L'\\') == tstr::npos;
}

bool SameName(const tstr& a, const tstr& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace Profiles
