#include "construct/ToolText.h"
#include "wnd/ResourceText.h"

#include <windows.h>

namespace {

std::wstring Load(int id) { return id <= 0 || id > 0xFFFF ? std::wstring() : ResourceText(static_cast<UINT>(id)); }

}  // namespace

namespace tool_text {

std::wstring Help(int commandId) { return Load(commandId); }

std::wstring Key(int commandId) { return commandId > 0 ? Load(commandId + kKeyOffset) : std::wstring(); }

std::wstring Tip(int commandId) {
    std::wstring tip = Help(commandId);
    const std::wstring key = Key(commandId);
    if (!tip.empty() && !key.empty()) tip += L" (" + key + L")";
    return tip;
}

}  // namespace tool_text
