// The stand-in library as one process sees it: the simulation its entry points serve, and the
// set-up from the environment.
//
//   L3D_FTD2XX_DEVICES   path of the device file (see DeviceFile.h); unset or unreadable: no
//                        devices
//   L3D_FTD2XX_TRACE     path of a log that gets one line per call, with the time, the
//                        arguments, the status and the bytes moved; unset: no log
#pragma once

#include "Simulation.h"

#include <memory>
#include <string>

namespace ftsim {

constexpr const char* DevicesVariable = "L3D_FTD2XX_DEVICES";
constexpr const char* TraceVariable = "L3D_FTD2XX_TRACE";

// The simulation the entry points below serve; nil serves an empty bus. The caller keeps it
// alive while it is installed.
void InstallSimulation(Simulation* Sim);

// The library's entry points. Calls are serialised: the simulation serves one at a time.
uint32_t LibListDevices(void* Arg1, void* Arg2, uint32_t Flags);
uint32_t LibOpen(int Index, Handle* Out);
uint32_t LibOpenEx(void* Arg1, uint32_t Flags, Handle* Out);
uint32_t LibClose(Handle H);
uint32_t LibRead(Handle H, void* Buffer, uint32_t ToRead, uint32_t* Returned);
uint32_t LibWrite(Handle H, void* Buffer, uint32_t ToWrite, uint32_t* Written);
uint32_t LibSetBaudRate(Handle H, uint32_t Baud);
uint32_t LibSetTimeouts(Handle H, uint32_t ReadMs, uint32_t WriteMs);

// The values of the two variables, as UTF-8 paths (empty when unset).
struct Environment {
    std::string DevicesFile;
    std::string TraceFile;
};

// A sink appending each line to the file at Path (UTF-8), flushed line by line.
TraceSink FileTrace(const std::string& Path);

// The simulation the environment describes, on Time. A device file that cannot be read or
// parsed gives an empty bus, and the trace says why.
std::unique_ptr<Simulation> SimulationFromEnvironment(const Environment& Env, Clock& Time);

} // namespace ftsim
