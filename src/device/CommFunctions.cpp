#include "device/CommFunctions.h"

const TCommFunctions& SystemCommFunctions()
{
    static const TCommFunctions functions = [] {
        TCommFunctions f;
        f.CreateFileW = ::CreateFileW;
        f.CloseHandle = ::CloseHandle;
        f.GetCommState = ::GetCommState;
        f.SetCommState = ::SetCommState;
        f.SetCommTimeouts = ::SetCommTimeouts;
        f.SetupComm = ::SetupComm;
        f.SetCommMask = ::SetCommMask;
        f.WaitCommEvent = ::WaitCommEvent;
        f.GetOverlappedResult = ::GetOverlappedResult;
        f.CancelIo = ::CancelIo;
        f.PurgeComm = ::PurgeComm;
        f.ClearCommError = ::ClearCommError;
        f.GetCommModemStatus = ::GetCommModemStatus;
        f.EscapeCommFunction = ::EscapeCommFunction;
        f.ReadFile = ::ReadFile;
        f.WriteFile = ::WriteFile;
        return f;
    }();
    return functions;
}
