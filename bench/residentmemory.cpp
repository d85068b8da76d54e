#include "residentmemory.h"

#include <fstream>
#include <string>

uint64_t residentMemoryBytes()
{
#if defined(__linux__)
    std::ifstream status("/proc/self/status");
    std::string field;
    while (status >> field) {
        if (field == "VmRSS:") {
            uint64_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
    }
#endif
    return 0;
}
