// Device replies through the USB component's reading routines, against the stand-in library's
// simulation on a virtual clock. The input gives the component's settings and then either a
// device file or the raw bytes of one device's answer to "HELLO". Every reply must be a prefix
// of what the device sent, no read may ask beyond the link's buffer, a counted read never
// returns more than asked, and a block read ends within its time-out.
#include "device/D2XXUnit.h"
#include "device/_TUSBDevice.h"
#include "support/simulated_d2xx.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

using namespace ftsim;

// Raw mode: the bytes split at each 0x00, whose next byte is the gap before the next piece
// (in 10 ms units).
DeviceSpec RawDevice(const std::string& Bytes, uint8_t Mode, uint8_t Faults)
{
    DeviceSpec d;
    d.Description = "Fuzz";
    d.Serial = "F1";
    Answer a;
    a.Command = "HELLO";
    a.Reply.emplace_back();
    for (size_t i = 0; i < Bytes.size(); ++i) {
        if (Bytes[i] != '\0' || i + 1 >= Bytes.size()) {
            a.Reply.back().Bytes.push_back(Bytes[i]);
            continue;
        }
        a.Reply.push_back(ReplyPiece{static_cast<uint8_t>(Bytes[++i]) * 10u, {}, false});
    }
    a.Reply.back().Endless = (Mode & 2) != 0;
    d.Answers.push_back(std::move(a));
    if (Mode & 4)
        d.Baud = 115200;
    const uint32_t n = Faults >> 2;
    switch (Faults & 3) {
    case 1: d.ShortWrite = 1 + n; break;
    case 2: d.ReadErrorAfter = n * 37; break;
    case 3: d.UnplugAfter = n; break;
    }
    return d;
}

// Byte K of what a device sends in answer to HELLO at the rate set.
char SentAt(const DeviceSpec& D, const std::vector<ReplyPiece>& Reply, uint32_t Baud, uint64_t K, bool& Exists)
{
    Exists = true;
    char c = 0;
    bool found = false;
    for (const ReplyPiece& p : Reply) {
        if (K < p.Bytes.size()) {
            c = p.Bytes[K];
            found = true;
            break;
        }
        K -= p.Bytes.size();
        if (p.Endless) {
            c = PatternByte(K);
            found = true;
            break;
        }
    }
    if (!found) {
        Exists = false;
        return 0;
    }
    const bool garbled = D.Baud != 0 && D.Baud != Baud;
    return garbled ? static_cast<char>(0x80 | (static_cast<uint8_t>(c) >> 1)) : c;
}

void CheckReply(const Simulation::DeviceState& Device, bool Wrote, uint32_t Baud, const std::string& Reply)
{
    const auto answer = std::find_if(Device.Spec.Answers.begin(), Device.Spec.Answers.end(),
                                     [](const Answer& a) { return a.Command == "HELLO"; });
    if (!Wrote || answer == Device.Spec.Answers.end()) {
        // Without a whole command, or an answer to it, nothing can come back.
        if (!Reply.empty())
            std::abort();
        return;
    }
    for (size_t k = 0; k < Reply.size(); ++k) {
        bool exists = false;
        if (SentAt(Device.Spec, answer->Reply, Baud, k, exists) != Reply[k] || !exists)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 5)
        return 0;
    const uint8_t mode = Data[0], block = Data[1], counted = Data[2], timing = Data[3], faults = Data[4];
    const std::string rest(reinterpret_cast<const char*>(Data + 5), Size - 5);
    BusSpec bus;
    if (mode & 1) {
        bus.Devices.push_back(RawDevice(rest, mode, faults));
    } else {
        std::string error;
        if (!ParseDeviceFile(rest, bus, error))
            return 0;
        bus.Devices.resize(std::min<size_t>(bus.Devices.size(), 4));
    }

    VirtualClock clock;
    Simulation sim(bus, clock);
    InstallSimulation(&sim);
    TD2XXUnit& link = D2XX();
    link.SetFunctions(SimulatedD2XXFunctions());
    link.NowMs = [&clock] { return clock.NowMs(); };

    {
        TOwned<TUSBDevice> usb{CreateComponent<TUSBDevice>(nullptr)};
        usb->SetBlockSize(static_cast<uint16_t>(block * 17));  // 0 is refused
        if (usb->BlockSize() == 0)
            std::abort();
        usb->ReadTimeout = (timing & 15) * 100u;
        usb->ReplyTimeout = (timing >> 4) * 200u;
        usb->Baudrate = static_cast<TBaudRate>(mode >> 4);
        usb->AutoConnect = false;
        const int32_t count = counted < 128 ? 0 : (counted - 127) * 611;
        const uint32_t baud = BaudRateValue(usb->Baudrate);

        usb->EnumDevices([&](int32_t, const std::string& Description, const std::string& Serial) {
            usb->DeviceSerial = Serial;
            usb->DeviceName = Description;
            if (!usb->Connect()) {
                if (!usb->Disconnect() || usb->Connected())
                    std::abort();
                return;
            }
            const auto open = std::find_if(sim.Devices().begin(), sim.Devices().end(),
                                           [](const Simulation::DeviceState& d) { return d.Open != nullptr; });
            if (open == sim.Devices().end())
                std::abort();
            const size_t index = static_cast<size_t>(open - sim.Devices().begin());
            const uint64_t start = clock.NowMs();
            const bool wrote = usb->WriteString("HELLO", true);
            const std::string reply = usb->ReadString(count);
            const uint64_t elapsed = clock.NowMs() - start;
            if (count >= 1 && reply.size() > static_cast<size_t>(count))
                std::abort();
            if (count < 1 && elapsed > usb->ReplyTimeout + usb->ReadTimeout + 1)
                std::abort();
            CheckReply(sim.Devices()[index], wrote, baud, reply);
            usb->Disconnect();
            if (usb->Connected())
                std::abort();
        });
    }

    link.SetFunctions(AbsentD2XXFunctions());
    link.NowMs = TD2XXUnit::SteadyNowMs;
    InstallSimulation(nullptr);
    return 0;
}
