#include "simulated_usb.h"

#include "device/D2XXUnit.h"

#include <gtest/gtest.h>

namespace {

FT_STATUS D2XX_CALL ListDevices(void* A1, void* A2, uint32_t F) { return ftsim::LibListDevices(A1, A2, F); }
FT_STATUS D2XX_CALL Open(int I, FT_HANDLE* H) { return ftsim::LibOpen(I, H); }
FT_STATUS D2XX_CALL OpenEx(void* A1, uint32_t F, FT_HANDLE* H) { return ftsim::LibOpenEx(A1, F, H); }
FT_STATUS D2XX_CALL Close(FT_HANDLE H) { return ftsim::LibClose(H); }
FT_STATUS D2XX_CALL Read(FT_HANDLE H, void* B, uint32_t N, uint32_t* G) { return ftsim::LibRead(H, B, N, G); }
FT_STATUS D2XX_CALL Write(FT_HANDLE H, void* B, uint32_t N, uint32_t* W) { return ftsim::LibWrite(H, B, N, W); }
FT_STATUS D2XX_CALL SetBaudRate(FT_HANDLE H, uint32_t R) { return ftsim::LibSetBaudRate(H, R); }
FT_STATUS D2XX_CALL SetTimeouts(FT_HANDLE H, uint32_t R, uint32_t W) { return ftsim::LibSetTimeouts(H, R, W); }

} // namespace

SimulatedUsb::SimulatedUsb(const std::string& DeviceFile)
{
    ftsim::BusSpec bus;
    std::string error;
    EXPECT_TRUE(ftsim::ParseDeviceFile(DeviceFile, bus, error)) << error;
    sim_ = std::make_unique<ftsim::Simulation>(bus, clock_, [this](const std::string& Line) { Trace.push_back(Line); });
    ftsim::InstallSimulation(sim_.get());

    TD2XXFunctions f;
    f.ListDevices = ListDevices;
    f.Open = Open;
    f.OpenEx = OpenEx;
    f.Close = Close;
    f.Read = Read;
    f.Write = Write;
    f.SetBaudRate = SetBaudRate;
    f.SetTimeouts = SetTimeouts;
    TD2XXUnit& link = D2XX();
    link.SetFunctions(f);
    link.NowMs = [this] { return clock_.NowMs(); };
    link.OnReport = [this](const std::u16string& Text) { Reports.push_back(Text); };
}

SimulatedUsb::~SimulatedUsb()
{
    TD2XXUnit& link = D2XX();
    link.SetFunctions(AbsentD2XXFunctions());
    link.NowMs = TD2XXUnit::SteadyNowMs;
    link.OnReport = nullptr;
    link.ReportErrors = false;
    ftsim::InstallSimulation(nullptr);
}

size_t SimulatedUsb::Calls(const std::string& Text) const
{
    size_t n = 0;
    for (const std::string& line : Trace)
        n += line.find(Text) != std::string::npos;
    return n;
}
