// Structural checks on picture files held in memory, made before handing them to the system
// decoder, which may accept a cut-off file and fill the missing part with zeros.
#pragma once

#include <cstddef>
#include <cstdint>

// False for a PNG whose chunk chain ends before its IEND chunk (a truncated or damaged file);
// true for a complete PNG and for data that is not PNG at all (left to the decoder).
bool IsCompletePng(const std::uint8_t* data, std::size_t size) noexcept;
