#include "app/TrayTip.h"

namespace TrayTip {

tstr Build(const tstr& displayName, const tstr& version, const wchar_t* callerText, const tstr& note) {
    tstr tip;
    if (callerText) {
        tip = callerText;
        if (tip.size() > kCallerCut) tip = tip.substr(0, kCallerCut) + L"...";
    } else {
        tip = displayName + L"\n" + version + L" ver.";
    }
    if (!note.empty()) tip += L"\n" + note;
    if (tip.size() > kMaxTip) tip.resize(kMaxTip);
    return tip;
}

}  // namespace TrayTip
