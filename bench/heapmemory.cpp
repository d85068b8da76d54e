#include "heapmemory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

uint64_t heapBytesInUse()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    const struct mallinfo2 usage = mallinfo2();
    return usage.uordblks + usage.hblkhd;
#else
    return 0;
#endif
}
