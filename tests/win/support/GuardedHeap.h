// GuardedHeap: a checking allocator for tests that must see a use after free. While armed, each
// block from operator new lies on pages of its own in one reserved region; freeing the block takes
// its pages away, so any later read or write of the freed object faults. Such a fault is reported
// on stderr as a use after free and ends the process with code 3 (the test fails, naming the
// address). Blocks made while not armed come from malloc as usual. A test executable routes
// operator new and delete here by including GuardedHeapOperators.h in exactly one source file.
#pragma once

#include <cstddef>

namespace GuardedHeap {

// A block of at least size bytes, 16-byte aligned; null when no memory is left.
void* Allocate(std::size_t size) noexcept;
void Free(void* block) noexcept;
// Whether the block lies in the guarded region (it was made while armed).
bool IsGuarded(const void* block) noexcept;

// Arms the allocator for the object's lifetime (nesting allowed).
class CArmed {
public:
    CArmed();
    ~CArmed();
    CArmed(const CArmed&) = delete;
    CArmed& operator=(const CArmed&) = delete;
};

}  // namespace GuardedHeap
