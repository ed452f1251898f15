// The USB library's function table served by the stand-in's simulation in this process (the
// simulation installed with ftsim::InstallSimulation), for tests and fuzz targets of the
// device layer.
#pragma once

#include "device/D2XXFunctions.h"
#include "ftd2xx/Library.h"

namespace simulated_d2xx {
inline FT_STATUS D2XX_CALL ListDevices(void* A1, void* A2, uint32_t F) { return ftsim::LibListDevices(A1, A2, F); }
inline FT_STATUS D2XX_CALL Open(int I, FT_HANDLE* H) { return ftsim::LibOpen(I, H); }
inline FT_STATUS D2XX_CALL OpenEx(void* A1, uint32_t F, FT_HANDLE* H) { return ftsim::LibOpenEx(A1, F, H); }
inline FT_STATUS D2XX_CALL Close(FT_HANDLE H) { return ftsim::LibClose(H); }
inline FT_STATUS D2XX_CALL Read(FT_HANDLE H, void* B, uint32_t N, uint32_t* G) { return ftsim::LibRead(H, B, N, G); }
inline FT_STATUS D2XX_CALL Write(FT_HANDLE H, void* B, uint32_t N, uint32_t* W) { return ftsim::LibWrite(H, B, N, W); }
inline FT_STATUS D2XX_CALL SetBaudRate(FT_HANDLE H, uint32_t R) { return ftsim::LibSetBaudRate(H, R); }
inline FT_STATUS D2XX_CALL SetTimeouts(FT_HANDLE H, uint32_t R, uint32_t W) { return ftsim::LibSetTimeouts(H, R, W); }
} // namespace simulated_d2xx

inline TD2XXFunctions SimulatedD2XXFunctions()
{
    TD2XXFunctions f;
    f.ListDevices = simulated_d2xx::ListDevices;
    f.Open = simulated_d2xx::Open;
    f.OpenEx = simulated_d2xx::OpenEx;
    f.Close = simulated_d2xx::Close;
    f.Read = simulated_d2xx::Read;
    f.Write = simulated_d2xx::Write;
    f.SetBaudRate = simulated_d2xx::SetBaudRate;
    f.SetTimeouts = simulated_d2xx::SetTimeouts;
    return f;
}
