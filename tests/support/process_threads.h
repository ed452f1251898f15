// The threads of the test's own process, for tests that see that work on a thread of its own
// leaves none behind.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <tlhelp32.h>
#else
#include <filesystem>
#endif

namespace l3d::testing {

// The threads this process runs now.
inline int ThreadsOfThisProcess()
{
#ifdef _WIN32
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int n = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        n += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    CloseHandle(snapshot);
    return n;
#else
    int n = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
#endif
}

}  // namespace l3d::testing
