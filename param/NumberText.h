// The program's number texts: base-10 parsing with saturation, and the signed "%d" form.
#pragma once

#include "param/Tstr.h"

#include <cstdint>
#include <optional>

// Skips leading white space, accepts one sign, reads decimal digits up to the first other
// character. No digits give 0; values beyond the signed 32-bit range saturate at its limits.
std::int32_t ParseDecimal(const wchar_t* text);
inline std::int32_t ParseDecimal(const tstr& text) { return ParseDecimal(text.c_str()); }

// A number the user is typing: as ParseDecimal, but a text with no digit after the blanks and the
// sign ("", "-", "+", "abc") is not a number yet and gives nothing, so it changes no value.
std::optional<std::int32_t> ParseEnteredDecimal(const wchar_t* text);
inline std::optional<std::int32_t> ParseEnteredDecimal(const tstr& text) { return ParseEnteredDecimal(text.c_str()); }

// The decimal text of a signed 32-bit number ("%d").
tstr DecimalText(std::int32_t value);
