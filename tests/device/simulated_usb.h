// The program's USB link served in-process by the stand-in library's simulation, on a virtual
// clock: reads that wait for a device cost no time, and the link's exchange clock is the same
// virtual clock. One at a time (the link is one per program).
#pragma once

#include "ftd2xx/Library.h"

#include <memory>
#include <string>
#include <vector>

class SimulatedUsb {
public:
    // Devices as in a device file; a file that does not parse fails the test and leaves the bus empty.
    explicit SimulatedUsb(const std::string& DeviceFile);
    ~SimulatedUsb();
    SimulatedUsb(const SimulatedUsb&) = delete;
    SimulatedUsb& operator=(const SimulatedUsb&) = delete;

    ftsim::Simulation& Sim() { return *sim_; }
    const ftsim::Simulation::DeviceState& Device(size_t Index) const { return sim_->Devices().at(Index); }
    uint64_t NowMs() const { return clock_.NowMs(); }
    ftsim::VirtualClock& Clock() { return clock_; }

    // Calls traced so far whose line holds Text.
    size_t Calls(const std::string& Text) const;
    std::vector<std::string> Trace;
    // Failure reports of the link, in order.
    std::vector<std::u16string> Reports;

private:
    ftsim::VirtualClock clock_;
    std::unique_ptr<ftsim::Simulation> sim_;
};
