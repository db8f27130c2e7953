#include "app/CProfileApp.h"

namespace Profiles {

bool IsUsableName(const tstr& name) {
    return !name.empty() && name.size() <= kMaxKeyName && name.find(L'\\') == tstr::npos;
}

}  // namespace Profiles
