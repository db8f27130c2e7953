#include "HeapUse.h"

#include <windows.h>

unsigned long long HeapBytesInUse() {
    HANDLE heaps[64];
    const DWORD count = ::GetProcessHeaps(64, heaps);
    unsigned long long total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!::HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        }
        ::HeapUnlock(heaps[i]);
    }
    return total;
}
