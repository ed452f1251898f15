#include "simulated_usb.h"

#include "device/D2XXUnit.h"
#include "support/simulated_d2xx.h"

#include <gtest/gtest.h>

SimulatedUsb::SimulatedUsb(const std::string& DeviceFile)
{
    ftsim::BusSpec bus;
    std::string error;
    EXPECT_TRUE(ftsim::ParseDeviceFile(DeviceFile, bus, error)) << error;
    sim_ = std::make_unique<ftsim::Simulation>(bus, clock_, [this](const std::string& Line) { Trace.push_back(Line); });
    ftsim::InstallSimulation(sim_.get());

    TD2XXUnit& link = D2XX();
    link.SetFunctions(SimulatedD2XXFunctions());
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
