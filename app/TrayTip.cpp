#include "app/TrayTip.h"

namespace TrayTip {

tstr Build(const tstr& displayName, const tstr& version, const wchar_t* callerText) {
    tstr tip;
    if (callerText) {
        tip = callerText;
        if (tip.size() > kCallerCut) tip = tip.substr(0, kCallerCut) + L"...";
    } else {
        tip = displayName + L"\n" + version + L" ver.";
    }
    if (tip.size() > kMaxTip) tip.resize(kMaxTip);
    return tip;
}

}  // namespace TrayTip
