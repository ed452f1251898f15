// The simulated USB bus behind the stand-in library: devices from a device file, the calls of
// the library with its statuses, and a trace of every call. Portable; the DLL's exports and the
// tests call the same methods.
//
// Each device is a line at the baud rate the host sets (9600 until then): a command written up
// to a carriage return reaches the device at line speed, and its answer comes back byte by byte
// at that speed after the device's latency. A read waits on the clock until it has all the bytes
// it asked for or its time-out has passed (a time-out of 0 does not wait), and returns what has
// arrived. Handles are numbers from 1 that are never reused, so a stale handle is refused.
#pragma once

#include "DeviceFile.h"
#include "SimClock.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ftsim {

// The library's status values and flags (its binary interface).
enum Status : uint32_t {
    FT_OK = 0,
    FT_INVALID_HANDLE = 1,
    FT_DEVICE_NOT_FOUND = 2,
    FT_DEVICE_NOT_OPENED = 3,
    FT_IO_ERROR = 4,
    FT_INVALID_PARAMETER = 6,
    FT_INVALID_BAUD_RATE = 7,
};
constexpr uint32_t FT_LIST_NUMBER_ONLY = 0x80000000u;
constexpr uint32_t FT_LIST_BY_INDEX = 0x40000000u;
constexpr uint32_t FT_OPEN_BY_SERIAL_NUMBER = 1;
constexpr uint32_t FT_OPEN_BY_DESCRIPTION = 2;

// Buffer sizes the library fills when listing by index (the text and its NUL).
constexpr size_t SerialBufferSize = 16;
constexpr size_t DescriptionBufferSize = 64;

using Handle = void*;
using TraceSink = std::function<void(const std::string& Line)>;

class Simulation {
public:
    Simulation(BusSpec Bus, Clock& Time, TraceSink Trace = {});

    // The library's calls; their arguments have the library's shapes.
    uint32_t ListDevices(void* Arg1, void* Arg2, uint32_t Flags);
    uint32_t Open(int Index, Handle* Out);
    uint32_t OpenEx(void* Arg1, uint32_t Flags, Handle* Out);
    uint32_t Close(Handle H);
    uint32_t Read(Handle H, void* Buffer, uint32_t ToRead, uint32_t* Returned);
    uint32_t Write(Handle H, void* Buffer, uint32_t ToWrite, uint32_t* Written);
    uint32_t SetBaudRate(Handle H, uint32_t Baud);
    uint32_t SetTimeouts(Handle H, uint32_t ReadMs, uint32_t WriteMs);

    // For tests: what the devices saw, and unplugging by hand.
    struct DeviceState {
        DeviceSpec Spec;
        bool Present = true;
        Handle Open = nullptr;
        uint32_t Baud = 9600;
        uint32_t ReadTimeoutMs = 0;
        uint32_t WriteTimeoutMs = 0;
        uint64_t Calls = 0;
        std::string Received;     // every byte written to the device
        std::string Pending;      // bytes since the last carriage return
        uint64_t Delivered = 0;   // reply bytes handed to reads
        uint32_t Opens = 0;
        uint32_t Closes = 0;
    };
    const std::vector<DeviceState>& Devices() const { return devices_; }
    void Unplug(size_t Index);
    Clock& Time() { return clock_; }

private:
    // Reply bytes on their way to the host: a run of Bytes (then the pattern without end when
    // Endless), byte k of it arriving at StartUs + (k + 1) * ByteUs.
    struct Run {
        uint64_t StartUs = 0;
        uint64_t ByteUs = 1;
        std::string Bytes;
        bool Endless = false;
        bool Garbled = false;  // sent at a rate the device does not talk at
        uint64_t Taken = 0;    // bytes of the run already read
        char At(uint64_t K) const;
    };
    struct Line {
        std::vector<Run> Runs;  // in order of arrival
        // Unread bytes that have arrived by Us, at most Max.
        uint64_t Arrived(uint64_t Us, uint64_t Max) const;
        // When the Count-th unread byte arrives; none when the line will never hold that many.
        std::optional<uint64_t> ArrivalOf(uint64_t Count) const;
        void Take(uint64_t Count, char* Out);
        // When the last run has sent its last byte; none while a run sends without end.
        std::optional<uint64_t> QuietFromUs() const;
    };

    std::vector<size_t> Listed() const;  // present devices, in file order
    DeviceState* FromHandle(Handle H, size_t* Index = nullptr);
    uint32_t OpenDevice(size_t Index, Handle* Out);
    void Served(DeviceState& D);  // counts a call; unplugs at the device's limit
    void Command(size_t Index, const std::string& Text, uint64_t ArrivesUs);
    void Trace(const std::string& Text);

    BusSpec bus_;
    Clock& clock_;
    TraceSink trace_;
    std::vector<DeviceState> devices_;
    std::vector<Line> lines_;
    uintptr_t nextHandle_ = 1;
};

// Printable form of bytes for the trace: escapes for controls and high bytes, cut after 64.
std::string Printable(const char* Bytes, size_t Count);

} // namespace ftsim
