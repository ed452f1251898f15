#include "framework/MemoryStatus.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

// The process's address space in use, from /proc; 0 when it cannot be read.
uint64_t AddressSpaceInUse()
{
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    return pages > 0 ? uint64_t(pages) * uint64_t(sysconf(_SC_PAGESIZE)) : 0;
}

// The most address space the process has held, from /proc; 0 when it cannot be read.
uint64_t PeakAddressSpaceInUse()
{
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    uint64_t peak = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        unsigned long long kb = 0;
        if (std::sscanf(line, "VmPeak: %llu kB", &kb) == 1)
            peak = kb * 1024;
    }
    std::fclose(status);
    return peak;
}

// The system's available memory and free swap, from /proc; UINT64_MAX when unknown.
uint64_t SystemMemoryAvailable()
{
    FILE* info = std::fopen("/proc/meminfo", "r");
    if (!info)
        return UINT64_MAX;
    uint64_t available = 0, swap = 0;
    bool found = false;
    char line[256];
    while (std::fgets(line, sizeof line, info)) {
        unsigned long long kb = 0;
        if (std::sscanf(line, "MemAvailable: %llu kB", &kb) == 1) {
            available = kb * 1024;
            found = true;
        } else if (std::sscanf(line, "SwapFree: %llu kB", &kb) == 1) {
            swap = kb * 1024;
        }
    }
    std::fclose(info);
    return found ? available + swap : UINT64_MAX;
}

}  // namespace

TAddressSpace ProcessAddressSpace()
{
    TAddressSpace space{0, SystemMemoryAvailable(), AddressSpaceInUse(), PeakAddressSpaceInUse()};
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        space.Total = uint64_t(limit.rlim_cur);
        space.Left = std::min(space.Left, space.Total > space.InUse ? space.Total - space.InUse : 0);
    }
    return space;
}
