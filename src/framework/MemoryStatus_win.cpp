#include "framework/MemoryStatus.h"

#include <windows.h>

#include <algorithm>

TAddressSpace ProcessAddressSpace()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return TAddressSpace{0, UINT64_MAX};
    // The free part of the process's own address space, and the commit the system can still
    // back with memory or the page file.
    return TAddressSpace{status.ullTotalVirtual, std::min<uint64_t>(status.ullAvailVirtual, status.ullAvailPageFile)};
}
