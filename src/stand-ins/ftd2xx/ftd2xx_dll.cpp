// The stand-in FTD2XX.DLL: the library's exports, undecorated and __stdcall, over the simulated
// bus. The bus is set up from the environment on the first call (see Library.h) and runs on the
// real clock.
#include "Library.h"

#include <windows.h>

#include <memory>
#include <mutex>

namespace {

std::string Variable(const char* Name)
{
    // The process environment itself, so that a variable set by the host program after it
    // started is seen too.
    std::wstring wide(Name, Name + std::char_traits<char>::length(Name));
    DWORD n = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (n == 0)
        return {};
    std::wstring value(n, L'\0');
    n = GetEnvironmentVariableW(wide.c_str(), value.data(), n);
    value.resize(n);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()), out.data(), bytes, nullptr, nullptr);
    return out;
}

struct Bus {
    ftsim::RealClock Clock;
    std::unique_ptr<ftsim::Simulation> Sim;
    ~Bus() { ftsim::InstallSimulation(nullptr); }
};

void Ready()
{
    static Bus bus;
    static std::once_flag once;
    std::call_once(once, [] {
        bus.Sim = ftsim::SimulationFromEnvironment({Variable(ftsim::DevicesVariable), Variable(ftsim::TraceVariable)},
                                                   bus.Clock);
        ftsim::InstallSimulation(bus.Sim.get());
    });
}

uint32_t* Dw(DWORD* P)
{
    static_assert(sizeof(DWORD) == sizeof(uint32_t));
    return reinterpret_cast<uint32_t*>(P);
}

} // namespace

extern "C" {

__declspec(dllexport) ULONG WINAPI FT_ListDevices(PVOID pArg1, PVOID pArg2, DWORD Flags)
{
    Ready();
    return ftsim::LibListDevices(pArg1, pArg2, Flags);
}

__declspec(dllexport) ULONG WINAPI FT_Open(int deviceNumber, PVOID* pHandle)
{
    Ready();
    return ftsim::LibOpen(deviceNumber, pHandle);
}

__declspec(dllexport) ULONG WINAPI FT_OpenEx(PVOID pArg1, DWORD Flags, PVOID* pHandle)
{
    Ready();
    return ftsim::LibOpenEx(pArg1, Flags, pHandle);
}

__declspec(dllexport) ULONG WINAPI FT_Close(PVOID ftHandle)
{
    Ready();
    return ftsim::LibClose(ftHandle);
}

__declspec(dllexport) ULONG WINAPI FT_Read(PVOID ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead, LPDWORD lpBytesReturned)
{
    Ready();
    return ftsim::LibRead(ftHandle, lpBuffer, dwBytesToRead, Dw(lpBytesReturned));
}

__declspec(dllexport) ULONG WINAPI FT_Write(PVOID ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite, LPDWORD lpBytesWritten)
{
    Ready();
    return ftsim::LibWrite(ftHandle, lpBuffer, dwBytesToWrite, Dw(lpBytesWritten));
}

__declspec(dllexport) ULONG WINAPI FT_SetBaudRate(PVOID ftHandle, ULONG BaudRate)
{
    Ready();
    return ftsim::LibSetBaudRate(ftHandle, BaudRate);
}

__declspec(dllexport) ULONG WINAPI FT_SetTimeouts(PVOID ftHandle, ULONG ReadTimeout, ULONG WriteTimeout)
{
    Ready();
    return ftsim::LibSetTimeouts(ftHandle, ReadTimeout, WriteTimeout);
}

} // extern "C"
