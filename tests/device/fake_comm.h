// A fake of the system's comm functions for TComPort: one port whose line state, modem lines,
// line errors and queue are set by the test, whose calls are logged, whose calls can be made
// to fail, and whose overlapped event wait completes when the test raises an event.
//
// A cancelled wait completes only when its owner waits for it (GetOverlappedResult with
// wait); a wait still pending when the handle closes would be completed by the system into
// memory its owner may have freed, and is counted as LateCompletions.
#pragma once

#include "device/CommFunctions.h"

#include "support/pump.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class FakeComm {
public:
    // Installs this fake as the one its functions act on; one at a time.
    FakeComm();
    ~FakeComm();
    const TCommFunctions& Functions() const;

    // The next Times calls of Call (e.g. "PurgeComm") fail with Error; -1: every call.
    void Fail(const std::string& Call, DWORD Error, int Times = -1);
    // Completes the pending event wait (or stalled transfer) with Mask, waiting up to MaxMs for
    // one to start; false when none was started.
    bool Raise(DWORD Mask, int MaxMs = kPatienceMs);
    // The calls so far, by name, in order (the log never allocates while it is under its
    // reserve, so the port's thread can be watched for allocations).
    std::vector<std::string> Calls() const;
    int Count(const std::string& Call) const;

    // The port, as the test sets and reads it (under Lock()).
    std::unique_lock<std::mutex> Lock() const { return std::unique_lock<std::mutex>(mutex_); }
    DCB State{};
    COMMTIMEOUTS Timeouts{};
    DWORD InputSize = 0, OutputSize = 0, Mask = 0, ModemStatus = 0, LineErrors = 0, InputQueue = 0;
    std::vector<std::wstring> OpenedNames;
    std::vector<DWORD> Escapes, Purges;
    std::string Written;
    int OpenHandles = 0;
    int LateCompletions = 0;
    // Every event wait ends at once with nothing to report.
    bool EmptyWaits = false;
    // Reads and writes stay pending until they are cancelled (or raised), whatever the time-outs.
    bool StallTransfers = false;

private:
    friend struct FakeCommCalls;
    bool Failing(const char* Call);
    void Log(const char* Call);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<const char*> calls_;
    std::map<std::string, std::pair<DWORD, int>, std::less<>> failures_;
    LPOVERLAPPED pending_ = nullptr;
    LPDWORD pendingMask_ = nullptr;
    bool cancelled_ = false;
};
