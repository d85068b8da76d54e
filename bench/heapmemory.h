#pragma once

#include <cstdint>

// Bytes the process holds from the allocator right now; 0 where the C library cannot say.
// Unlike resident memory it falls when memory is freed, so a figure taken after a large
// earlier case is not hidden by pages that case left behind.
uint64_t heapBytesInUse();
