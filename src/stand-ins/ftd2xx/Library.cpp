#include "Library.h"

#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

namespace ftsim {

namespace {

std::mutex& CallLock()
{
    static std::mutex lock;
    return lock;
}

Simulation*& Installed()
{
    static Simulation* sim = nullptr;
    return sim;
}

// Serves a call on the installed simulation, or on an empty bus when none is installed.
template <class F>
uint32_t Serve(F&& Call)
{
    std::lock_guard<std::mutex> hold(CallLock());
    if (Simulation* sim = Installed())
        return Call(*sim);
    static VirtualClock idle;
    static Simulation empty(BusSpec{}, idle);
    return Call(empty);
}

std::filesystem::path Utf8Path(const std::string& Path)
{
    return std::filesystem::path(std::u8string(Path.begin(), Path.end()));
}

} // namespace

void InstallSimulation(Simulation* Sim)
{
    std::lock_guard<std::mutex> hold(CallLock());
    Installed() = Sim;
}

uint32_t LibListDevices(void* Arg1, void* Arg2, uint32_t Flags)
{
    return Serve([&](Simulation& s) { return s.ListDevices(Arg1, Arg2, Flags); });
}
uint32_t LibOpen(int Index, Handle* Out)
{
    return Serve([&](Simulation& s) { return s.Open(Index, Out); });
}
uint32_t LibOpenEx(void* Arg1, uint32_t Flags, Handle* Out)
{
    return Serve([&](Simulation& s) { return s.OpenEx(Arg1, Flags, Out); });
}
uint32_t LibClose(Handle H)
{
    return Serve([&](Simulation& s) { return s.Close(H); });
}
uint32_t LibRead(Handle H, void* Buffer, uint32_t ToRead, uint32_t* Returned)
{
    return Serve([&](Simulation& s) { return s.Read(H, Buffer, ToRead, Returned); });
}
uint32_t LibWrite(Handle H, void* Buffer, uint32_t ToWrite, uint32_t* Written)
{
    return Serve([&](Simulation& s) { return s.Write(H, Buffer, ToWrite, Written); });
}
uint32_t LibSetBaudRate(Handle H, uint32_t Baud)
{
    return Serve([&](Simulation& s) { return s.SetBaudRate(H, Baud); });
}
uint32_t LibSetTimeouts(Handle H, uint32_t ReadMs, uint32_t WriteMs)
{
    return Serve([&](Simulation& s) { return s.SetTimeouts(H, ReadMs, WriteMs); });
}

TraceSink FileTrace(const std::string& Path)
{
    auto out = std::make_shared<std::ofstream>(Utf8Path(Path), std::ios::app | std::ios::binary);
    if (!*out)
        return {};
    return [out](const std::string& Line) {
        *out << Line << '\n';
        out->flush();
    };
}

std::unique_ptr<Simulation> SimulationFromEnvironment(const Environment& Env, Clock& Time)
{
    TraceSink trace = Env.TraceFile.empty() ? TraceSink{} : FileTrace(Env.TraceFile);
    BusSpec bus;
    std::string problem;
    if (Env.DevicesFile.empty()) {
        problem = std::string(DevicesVariable) + " is not set: no devices";
    } else {
        std::ifstream in(Utf8Path(Env.DevicesFile), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        std::string error;
        if (!in)
            problem = "cannot read " + Env.DevicesFile + ": no devices";
        else if (!ParseDeviceFile(text.str(), bus, error))
            problem = Env.DevicesFile + ", " + error + ": no devices";
        if (!problem.empty())
            bus = BusSpec{};
    }
    auto sim = std::make_unique<Simulation>(std::move(bus), Time, trace);
    if (trace)
        trace(problem.empty() ? "library ready, devices from " + Env.DevicesFile : problem);
    return sim;
}

} // namespace ftsim
