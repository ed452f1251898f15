// Processor time, for tests that show that something idle costs none. What is compared is the
// processor time used against the wall time that passed, so a busy machine (which stretches
// the wall time, not the work done) does not make such a test fail. The system counts
// processor time in ticks of about 10 ms: windows of observation last seconds.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>

inline double FileTimeMs(const FILETIME& Time)
{
    return static_cast<double>((uint64_t{Time.dwHighDateTime} << 32) | Time.dwLowDateTime) / 10000.0;
}

// The processor time used so far by every thread of this process (ThreadId 0) or by one.
inline double ProcessorTimeMs(DWORD ThreadId = 0)
{
    FILETIME created{}, ended{}, kernel{}, user{};
    if (ThreadId == 0) {
        GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    } else if (HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, ThreadId)) {
        GetThreadTimes(thread, &created, &ended, &kernel, &user);
        CloseHandle(thread);
    }
    return FileTimeMs(kernel) + FileTimeMs(user);
}

// The processor time a thread (or the process) uses while the calling thread sleeps through
// a window of WindowMs, as a share of the wall time that passed; the figures are printed.
inline double IdleShare(const char* What, DWORD WindowMs, DWORD ThreadId = 0)
{
    const double used = ProcessorTimeMs(ThreadId);
    const ULONGLONG start = GetTickCount64();
    Sleep(WindowMs);
    const double spent = ProcessorTimeMs(ThreadId) - used;
    const auto passed = static_cast<double>(GetTickCount64() - start);
    std::printf("%s: %.0f ms of processor time in %.0f ms (%.2f %%)\n", What, spent, passed, 100.0 * spent / passed);
    std::fflush(stdout);
    return spent / passed;
}
