#include "GuardedHeap.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::size_t kPage = 4096;
// Address space only (pages are committed per block): 8 GiB, or 256 MiB in a 32-bit process.
constexpr std::size_t kRegion = static_cast<std::size_t>(sizeof(void*) >= 8 ? 8ULL << 30 : 256ULL << 20);
constexpr std::size_t kHeader = 16;                     // the block's span, kept before the block

char* g_region = nullptr;
std::atomic<std::size_t> g_next{0};
std::atomic<int> g_armed{0};

bool InRegion(const void* p) noexcept {
    const char* c = static_cast<const char*>(p);
    return g_region && c >= g_region && c < g_region + kRegion;
}

LONG CALLBACK OnFault(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* r = info->ExceptionRecord;
    if (r->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || r->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
    const void* at = reinterpret_cast<const void*>(r->ExceptionInformation[1]);
    if (!InRegion(at)) return EXCEPTION_CONTINUE_SEARCH;
    std::fprintf(stderr, "GuardedHeap: use after free: %s of freed memory at %p by code at %p\n",
                 r->ExceptionInformation[0] ? "write" : "read", at, r->ExceptionAddress);
    std::fflush(stdout);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

namespace GuardedHeap {

void* Allocate(std::size_t size) noexcept {
    if (g_armed.load() > 0 && g_region) {
        const std::size_t span = (size + kHeader + kPage - 1) / kPage * kPage;
        const std::size_t at = g_next.fetch_add(span);
        if (at + span <= kRegion) {
            char* base = g_region + at;
            if (::VirtualAlloc(base, span, MEM_COMMIT, PAGE_READWRITE)) {
                *reinterpret_cast<std::size_t*>(base) = span;
                return base + kHeader;
            }
        }
    }
    return std::malloc(size ? size : 1);
}

void Free(void* block) noexcept {
    if (!block) return;
    if (!InRegion(block)) {
        std::free(block);
        return;
    }
    // The pages stay reserved and are never handed out again: every later touch faults.
    char* base = static_cast<char*>(block) - kHeader;
    ::VirtualFree(base, *reinterpret_cast<std::size_t*>(base), MEM_DECOMMIT);
}

bool IsGuarded(const void* block) noexcept { return InRegion(block); }

CArmed::CArmed() {
    if (!g_region) {
        g_region = static_cast<char*>(::VirtualAlloc(nullptr, kRegion, MEM_RESERVE, PAGE_NOACCESS));
        if (g_region) ::AddVectoredExceptionHandler(1, OnFault);
    }
    ++g_armed;
}

CArmed::~CArmed() { --g_armed; }

}  // namespace GuardedHeap
