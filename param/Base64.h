// Base64 (RFC 4648, standard alphabet, with padding) for binary data inside text files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

std::string Base64Encode(const std::uint8_t* data, std::size_t size);
// Strict decoding: only the alphabet, a length that is a multiple of four and padding at the end
// alone; false (out emptied) for anything else.
bool Base64Decode(std::string_view text, std::vector<std::uint8_t>& out);
