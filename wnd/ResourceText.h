// The program's texts from its string table.
#pragma once

#include <windows.h>

#include <string>

// The string numbered id in the program's own module, or fallback when it has none (a missing
// resource must not leave a control or a message empty where a text is needed).
std::wstring ResourceText(UINT id, const wchar_t* fallback = L"");
