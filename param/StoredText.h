// Decoding of stored value bytes as text, shared by every settings backend so that all of them
// read odd byte counts, missing terminators and values of other types the same way.
#pragma once

#include "param/Tstr.h"

#include <cstddef>

// UTF-16 little-endian characters up to the first null or the end of the bytes; a trailing odd
// byte becomes the low byte of a last character.
tstr TextFromStoredBytes(const void* bytes, std::size_t count);
