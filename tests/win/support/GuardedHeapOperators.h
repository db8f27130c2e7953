// Replaces the global operator new and delete of the test executable with GuardedHeap's. Include
// in exactly one source file of an executable (the replacements must be defined once).
#pragma once

#include "GuardedHeap.h"

#include <new>

void* operator new(std::size_t size) {
    if (void* block = GuardedHeap::Allocate(size)) return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* block) noexcept { GuardedHeap::Free(block); }
void operator delete[](void* block) noexcept { GuardedHeap::Free(block); }
void operator delete(void* block, std::size_t) noexcept { GuardedHeap::Free(block); }
void operator delete[](void* block, std::size_t) noexcept { GuardedHeap::Free(block); }
