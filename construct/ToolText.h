// The texts of a toolbar command from the string table: its help text (the string numbered like
// the command), the key that does the same from the keyboard (the string numbered kKeyOffset
// above the command, when there is one), and the tool tip that names both.
#pragma once

#include <string>

namespace tool_text {

inline constexpr int kKeyOffset = 2200;

std::wstring Help(int commandId);
std::wstring Key(int commandId);
// "Help (Key)", or the help text alone; empty when the command has no help text.
std::wstring Tip(int commandId);

}  // namespace tool_text
