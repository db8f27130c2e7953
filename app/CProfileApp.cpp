#include "app/CProfileApp.h"

namespace Profiles {

bool IsUsableName(const tstr& name) {
    if (name.empty()) return false;
    size_t start = 0;
    for (;;) {
        const size_t slash = name.find(L'\\', start);
        const size_t length = (slash == tstr::npos ? name.size() : slash) - start;
        if (length == 0 || length > kMaxKeyName) return false;
        if (slash == tstr::npos) return true;
        start = slash + 1;
    }
}

}  // namespace Profiles
