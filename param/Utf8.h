// Conversion between the program's wide text and UTF-8, for files. Works whether wchar_t holds
// UTF-16 units (Windows) or whole code points (elsewhere); broken sequences become U+FFFD.
#pragma once

#include "param/Tstr.h"

#include <string>

std::string ToUtf8(const tstr& text);
tstr FromUtf8(const std::string& bytes);
