// The program's text type: wide characters for every text, key and path.
#pragma once

#include <string>

using tstr = std::wstring;
