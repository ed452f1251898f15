// The USB library's functions that the program calls, as a table: bound from FTD2XX.DLL at run
// time on Windows, or pointed at a simulation in tests. Shapes, values and calling convention
// are the library's.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define D2XX_CALL __stdcall
#else
#define D2XX_CALL
#endif

using FT_HANDLE = void*;
using FT_STATUS = uint32_t;

// Statuses; every other non-zero value is a failure too.
constexpr FT_STATUS FT_OK = 0;
constexpr FT_STATUS FT_INVALID_HANDLE = 1;
constexpr FT_STATUS FT_DEVICE_NOT_FOUND = 2;
constexpr FT_STATUS FT_DEVICE_NOT_OPENED = 3;
constexpr FT_STATUS FT_IO_ERROR = 4;

// FT_ListDevices flags: the count alone, or one device's text by index; FT_OpenEx flags.
constexpr uint32_t FT_LIST_NUMBER_ONLY = 0x80000000u;
constexpr uint32_t FT_LIST_BY_INDEX = 0x40000000u;
constexpr uint32_t FT_OPEN_BY_SERIAL_NUMBER = 1;
constexpr uint32_t FT_OPEN_BY_DESCRIPTION = 2;

struct TD2XXFunctions {
    // Count: Arg1 points to the 32-bit count. By index: Arg1 is the index itself, Arg2 a buffer
    // for the serial number (16 bytes with its NUL) or the description (64 bytes).
    FT_STATUS(D2XX_CALL* ListDevices)(void* Arg1, void* Arg2, uint32_t Flags) = nullptr;
    FT_STATUS(D2XX_CALL* Open)(int DeviceNumber, FT_HANDLE* Handle) = nullptr;
    // Arg1: the NUL-terminated serial number or description.
    FT_STATUS(D2XX_CALL* OpenEx)(void* Arg1, uint32_t Flags, FT_HANDLE* Handle) = nullptr;
    FT_STATUS(D2XX_CALL* Close)(FT_HANDLE Handle) = nullptr;
    FT_STATUS(D2XX_CALL* Read)(FT_HANDLE Handle, void* Buffer, uint32_t BytesToRead, uint32_t* BytesReturned) = nullptr;
    FT_STATUS(D2XX_CALL* Write)(FT_HANDLE Handle, void* Buffer, uint32_t BytesToWrite, uint32_t* BytesWritten) = nullptr;
    FT_STATUS(D2XX_CALL* SetBaudRate)(FT_HANDLE Handle, uint32_t BaudRate) = nullptr;
    // Milliseconds.
    FT_STATUS(D2XX_CALL* SetTimeouts)(FT_HANDLE Handle, uint32_t ReadTimeout, uint32_t WriteTimeout) = nullptr;
};

// The table of a missing library: every function answers FT_DEVICE_NOT_OPENED. A binding may
// leave an export it does not find nil; the link answers for it as for a missing library.
TD2XXFunctions AbsentD2XXFunctions();
