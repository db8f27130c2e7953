// Reading a whole file into memory, bounded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Reads the whole disk file at path when it holds at most limit bytes. False when it cannot be
// opened or read, is no disk file (a device or pipe name), or is larger; tooLarge (when given)
// then tells the last case from the others.
bool ReadWholeFile(const wchar_t* path, std::size_t limit, std::vector<std::uint8_t>& out, bool* tooLarge = nullptr);
