#include "framework/MemoryStatus.h"

#include <windows.h>

#include <algorithm>

namespace {

// The process's virtual size now and at its peak, as the system counts it for the process
// (under Wine: the Linux process's, Wine's own reservations and the mappings of the OpenGL
// driver and other Linux libraries included).
struct TVirtualSize {
    uint64_t Now = 0;
    uint64_t Peak = 0;
};

TVirtualSize ProcessVirtualSize()
{
    // VM_COUNTERS as NtQueryInformationProcess fills it for ProcessVmCounters (3).
    struct TVmCounters {
        SIZE_T PeakVirtualSize, VirtualSize;
        ULONG PageFaultCount;
        SIZE_T PeakWorkingSetSize, WorkingSetSize, QuotaPeakPagedPoolUsage, QuotaPagedPoolUsage,
            QuotaPeakNonPagedPoolUsage, QuotaNonPagedPoolUsage, PagefileUsage, PeakPagefileUsage;
    };
    using TQuery = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<TQuery>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    TVmCounters counters{};
    ULONG length = 0;
    if (!query || query(GetCurrentProcess(), 3, &counters, sizeof counters, &length) != 0)
        return {};
    return {counters.VirtualSize, counters.PeakVirtualSize};
}

}  // namespace

TAddressSpace ProcessAddressSpace()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return TAddressSpace{0, UINT64_MAX};
    const TVirtualSize size = ProcessVirtualSize();
    // The free part of the process's own address space, and the commit the system can still
    // back with memory or the page file.
    return TAddressSpace{status.ullTotalVirtual, std::min<uint64_t>(status.ullAvailVirtual, status.ullAvailPageFile),
                         size.Now, size.Peak};
}
