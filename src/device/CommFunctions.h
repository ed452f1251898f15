// The system's comm functions the serial-port component calls, as a table: the system's own in
// the program, a fake in tests (a pseudo-terminal cannot show modem lines, and failures of the
// system calls cannot be provoked on demand). Shapes and calling convention are the system's.
#pragma once

#include <windows.h>

struct TCommFunctions {
    HANDLE(WINAPI* CreateFileW)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) = nullptr;
    BOOL(WINAPI* CloseHandle)(HANDLE) = nullptr;
    BOOL(WINAPI* GetCommState)(HANDLE, LPDCB) = nullptr;
    BOOL(WINAPI* SetCommState)(HANDLE, LPDCB) = nullptr;
    BOOL(WINAPI* SetCommTimeouts)(HANDLE, LPCOMMTIMEOUTS) = nullptr;
    BOOL(WINAPI* SetupComm)(HANDLE, DWORD, DWORD) = nullptr;
    BOOL(WINAPI* SetCommMask)(HANDLE, DWORD) = nullptr;
    BOOL(WINAPI* WaitCommEvent)(HANDLE, LPDWORD, LPOVERLAPPED) = nullptr;
    BOOL(WINAPI* GetOverlappedResult)(HANDLE, LPOVERLAPPED, LPDWORD, BOOL) = nullptr;
    BOOL(WINAPI* CancelIo)(HANDLE) = nullptr;
    BOOL(WINAPI* PurgeComm)(HANDLE, DWORD) = nullptr;
    BOOL(WINAPI* ClearCommError)(HANDLE, LPDWORD, LPCOMSTAT) = nullptr;
    BOOL(WINAPI* GetCommModemStatus)(HANDLE, LPDWORD) = nullptr;
    BOOL(WINAPI* EscapeCommFunction)(HANDLE, DWORD) = nullptr;
    BOOL(WINAPI* ReadFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) = nullptr;
    BOOL(WINAPI* WriteFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) = nullptr;
};

// The system's functions (kernel32).
const TCommFunctions& SystemCommFunctions();
