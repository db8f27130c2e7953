// HeapBytesInUse: the bytes in use in every heap of the process, for soak tests that check a
// long run of frames or dialogs leaves the heaps where it found them.
#pragma once

unsigned long long HeapBytesInUse();
