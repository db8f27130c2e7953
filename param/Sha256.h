// SHA-256 (FIPS 180-4) over bytes in memory, for checksums that must recognise any change.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

using SSha256Digest = std::array<std::uint8_t, 32>;

SSha256Digest Sha256(const void* data, std::size_t size);
// The digest as 64 lower-case hexadecimal digits.
std::string Sha256Hex(const void* data, std::size_t size);
