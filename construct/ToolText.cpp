#include "construct/ToolText.h"

#include <windows.h>

namespace {

std::wstring Load(int id) {
    const wchar_t* text = nullptr;
    if (id <= 0 || id > 0xFFFF) return {};
    const int length =
        ::LoadStringW(::GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

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
