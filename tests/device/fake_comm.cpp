#include "device/fake_comm.h"

#include <chrono>
#include <utility>
#include <string_view>

namespace {

FakeComm* current = nullptr;
const HANDLE FakeHandle = reinterpret_cast<HANDLE>(0x4C30);
constexpr ULONG_PTR StatusPending = 0x103, StatusCancelled = 0xC0000120;

} // namespace

// The functions of the table; each acts on the installed fake.
struct FakeCommCalls {
    static FakeComm& F() { return *current; }

    // Logs Name and, unless the call is to fail, runs Body; both under the fake's lock.
    template <class Body>
    static BOOL Call(const char* Name, Body&& Action)
    {
        auto lock = F().Lock();
        F().Log(Name);
        if (F().Failing(Name))
            return FALSE;
        Action();
        return TRUE;
    }

    static void Complete(LPOVERLAPPED Overlapped, ULONG_PTR Status)
    {
        Overlapped->Internal = Status;
        SetEvent(Overlapped->hEvent);
        F().pending_ = nullptr;
        F().changed_.notify_all();
    }

    static HANDLE WINAPI CreateFileW(LPCWSTR Name, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE)
    {
        const BOOL opened = Call("CreateFileW", [] { ++F().OpenHandles; });
        auto lock = F().Lock();
        F().OpenedNames.emplace_back(Name);
        return opened ? FakeHandle : INVALID_HANDLE_VALUE;
    }
    static BOOL WINAPI CloseHandle(HANDLE)
    {
        return Call("CloseHandle", [] {
            // The system would now complete the wait into memory its owner may have freed.
            if (F().pending_)
                ++F().LateCompletions;
            F().pending_ = nullptr;
            --F().OpenHandles;
        });
    }
    static BOOL WINAPI GetCommState(HANDLE, LPDCB Dcb) { return Call("GetCommState", [&] { *Dcb = F().State; }); }
    static BOOL WINAPI SetCommState(HANDLE, LPDCB Dcb) { return Call("SetCommState", [&] { F().State = *Dcb; }); }
    static BOOL WINAPI SetCommTimeouts(HANDLE, LPCOMMTIMEOUTS Timeouts)
    {
        return Call("SetCommTimeouts", [&] { F().Timeouts = *Timeouts; });
    }
    static BOOL WINAPI SetupComm(HANDLE, DWORD In, DWORD Out)
    {
        return Call("SetupComm", [&] { F().InputSize = In, F().OutputSize = Out; });
    }
    static BOOL WINAPI SetCommMask(HANDLE, DWORD Mask) { return Call("SetCommMask", [&] { F().Mask = Mask; }); }
    static BOOL WINAPI WaitCommEvent(HANDLE, LPDWORD Mask, LPOVERLAPPED Overlapped)
    {
        bool empty = false;
        if (!Call("WaitCommEvent", [&] {
                if ((empty = F().EmptyWaits))
                    return;
                F().pending_ = Overlapped;
                F().pendingMask_ = Mask;
                F().cancelled_ = false;
                Overlapped->Internal = StatusPending;
                F().changed_.notify_all();
            }))
            return FALSE;
        if (empty) {
            *Mask = 0;
            return TRUE;
        }
        SetLastError(ERROR_IO_PENDING);
        return FALSE;
    }
    // A stalled transfer waits like an event wait, with no mask.
    static BOOL Stall(LPOVERLAPPED Overlapped)
    {
        F().pending_ = Overlapped;
        F().pendingMask_ = nullptr;
        F().cancelled_ = false;
        Overlapped->Internal = StatusPending;
        F().changed_.notify_all();
        SetLastError(ERROR_IO_PENDING);
        return FALSE;
    }
    // A cancelled wait completes here, when its owner waits for it.
    static BOOL WINAPI GetOverlappedResult(HANDLE, LPOVERLAPPED Overlapped, LPDWORD Done, BOOL Wait)
    {
        auto lock = F().Lock();
        F().Log(Wait ? "GetOverlappedResult(wait)" : "GetOverlappedResult");
        if (F().pending_ == Overlapped) {
            if (!Wait) {
                SetLastError(ERROR_IO_INCOMPLETE);
                return FALSE;
            }
            if (F().cancelled_)
                Complete(Overlapped, StatusCancelled);
            F().changed_.wait(lock, [&] { return F().pending_ != Overlapped; });
        }
        *Done = 0;
        if (Overlapped->Internal == 0)
            return TRUE;
        SetLastError(ERROR_OPERATION_ABORTED);
        return FALSE;
    }
    static BOOL WINAPI CancelIo(HANDLE) { return Call("CancelIo", [] { F().cancelled_ = F().pending_ != nullptr; }); }
    static BOOL WINAPI PurgeComm(HANDLE, DWORD Flags) { return Call("PurgeComm", [&] { F().Purges.push_back(Flags); }); }
    static BOOL WINAPI ClearCommError(HANDLE, LPDWORD Errors, LPCOMSTAT Status)
    {
        return Call("ClearCommError", [&] {
            *Errors = std::exchange(F().LineErrors, 0);
            *Status = COMSTAT{};
            Status->cbInQue = F().InputQueue;
        });
    }
    static BOOL WINAPI GetCommModemStatus(HANDLE, LPDWORD Status)
    {
        return Call("GetCommModemStatus", [&] { *Status = F().ModemStatus; });
    }
    static BOOL WINAPI EscapeCommFunction(HANDLE, DWORD Function)
    {
        return Call("EscapeCommFunction", [&] { F().Escapes.push_back(Function); });
    }
    static BOOL WINAPI ReadFile(HANDLE, LPVOID, DWORD, LPDWORD Done, LPOVERLAPPED Overlapped)
    {
        *Done = 0;
        bool stalled = false;
        const BOOL done = Call("ReadFile", [&] { stalled = F().StallTransfers; });
        if (!stalled)
            return done;
        auto lock = F().Lock();
        return Stall(Overlapped);
    }
    static BOOL WINAPI WriteFile(HANDLE, LPCVOID Data, DWORD Count, LPDWORD Done, LPOVERLAPPED Overlapped)
    {
        *Done = 0;
        bool stalled = false;
        const BOOL done = Call("WriteFile", [&] {
            if (!(stalled = F().StallTransfers))
                F().Written.append(static_cast<const char*>(Data), *Done = Count);
        });
        if (!stalled)
            return done;
        auto lock = F().Lock();
        return Stall(Overlapped);
    }
};

FakeComm::FakeComm()
{
    calls_.reserve(1 << 16);
    State.DCBlength = sizeof State;
    current = this;
}

FakeComm::~FakeComm()
{
    current = nullptr;
}

const TCommFunctions& FakeComm::Functions() const
{
    static const TCommFunctions functions = [] {
        TCommFunctions f;
        f.CreateFileW = FakeCommCalls::CreateFileW;
        f.CloseHandle = FakeCommCalls::CloseHandle;
        f.GetCommState = FakeCommCalls::GetCommState;
        f.SetCommState = FakeCommCalls::SetCommState;
        f.SetCommTimeouts = FakeCommCalls::SetCommTimeouts;
        f.SetupComm = FakeCommCalls::SetupComm;
        f.SetCommMask = FakeCommCalls::SetCommMask;
        f.WaitCommEvent = FakeCommCalls::WaitCommEvent;
        f.GetOverlappedResult = FakeCommCalls::GetOverlappedResult;
        f.CancelIo = FakeCommCalls::CancelIo;
        f.PurgeComm = FakeCommCalls::PurgeComm;
        f.ClearCommError = FakeCommCalls::ClearCommError;
        f.GetCommModemStatus = FakeCommCalls::GetCommModemStatus;
        f.EscapeCommFunction = FakeCommCalls::EscapeCommFunction;
        f.ReadFile = FakeCommCalls::ReadFile;
        f.WriteFile = FakeCommCalls::WriteFile;
        return f;
    }();
    return functions;
}

void FakeComm::Fail(const std::string& Call, DWORD Error, int Times)
{
    auto lock = Lock();
    failures_[Call] = {Error, Times};
}

bool FakeComm::Raise(DWORD EventMask, int MaxMs)
{
    auto lock = Lock();
    if (!changed_.wait_for(lock, std::chrono::milliseconds(MaxMs), [&] { return pending_ && !cancelled_; }))
        return false;
    if (pendingMask_)
        *pendingMask_ = EventMask;
    FakeCommCalls::Complete(pending_, 0);
    return true;
}

std::vector<std::string> FakeComm::Calls() const
{
    auto lock = Lock();
    return {calls_.begin(), calls_.end()};
}

int FakeComm::Count(const std::string& Call) const
{
    int n = 0;
    for (const std::string& c : Calls())
        n += c == Call;
    return n;
}

bool FakeComm::Failing(const char* Call)
{
    const auto found = failures_.find(std::string_view(Call));
    if (found == failures_.end() || found->second.second == 0)
        return false;
    if (found->second.second > 0)
        --found->second.second;
    SetLastError(found->second.first);
    return true;
}

void FakeComm::Log(const char* Call)
{
    calls_.push_back(Call);
}
