#include "Simulation.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace ftsim {

namespace {

uint64_t ByteTimeUs(uint32_t Baud)
{
    // Ten bits on the line per byte: start, eight data bits, stop.
    return std::max<uint64_t>(1, 10000000u / std::max<uint32_t>(Baud, 1));
}

char Garble(char C)
{
    return static_cast<char>(0x80 | (static_cast<uint8_t>(C) >> 1));
}

Handle MakeHandle(uintptr_t N)
{
    return reinterpret_cast<Handle>(N);
}

unsigned long HandleNumber(Handle H)
{
    return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(H));
}

std::string Format(const char* Fmt, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* Fmt, ...)
{
    char buf[256];
    va_list args;
    va_start(args, Fmt);
    std::vsnprintf(buf, sizeof buf, Fmt, args);
    va_end(args);
    return buf;
}

} // namespace

std::string Printable(const char* Bytes, size_t Count)
{
    constexpr size_t Shown = 64;
    std::string out = "\"";
    for (size_t i = 0; i < Count && i < Shown; ++i) {
        const auto c = static_cast<uint8_t>(Bytes[i]);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\' || c == '"')
            out += std::string("\\") + static_cast<char>(c);
        else if (c < 0x20 || c >= 0x7F)
            out += Format("\\x%02X", c);
        else
            out += static_cast<char>(c);
    }
    out += "\"";
    if (Count > Shown)
        out += Format("...(%lu bytes)", static_cast<unsigned long>(Count));
    return out;
}

// ---- the line from a device to the host

char Simulation::Run::At(uint64_t K) const
{
    char c = K < Bytes.size() ? Bytes[K] : PatternByte(K - Bytes.size());
    return Garbled ? Garble(c) : c;
}

uint64_t Simulation::Line::Arrived(uint64_t Us, uint64_t Max) const
{
    uint64_t total = 0;
    for (const Run& r : Runs) {
        if (total >= Max || Us < r.StartUs)
            break;
        uint64_t sent = (Us - r.StartUs) / r.ByteUs;
        if (!r.Endless)
            sent = std::min<uint64_t>(sent, r.Bytes.size());
        if (sent > r.Taken)
            total += sent - r.Taken;
        // A run still sending holds back every run after it.
        if (r.Endless || sent < r.Bytes.size())
            break;
    }
    return std::min(total, Max);
}

std::optional<uint64_t> Simulation::Line::ArrivalOf(uint64_t Count) const
{
    for (const Run& r : Runs) {
        if (r.Endless)
            return r.StartUs + (r.Taken + Count) * r.ByteUs;
        uint64_t unread = r.Bytes.size() - r.Taken;
        if (Count <= unread)
            return r.StartUs + (r.Taken + Count) * r.ByteUs;
        Count -= unread;
    }
    return std::nullopt;
}

void Simulation::Line::Take(uint64_t Count, char* Out)
{
    size_t first = 0;
    for (; Count > 0 && first < Runs.size(); ++first) {
        Run& r = Runs[first];
        while (Count > 0 && (r.Endless || r.Taken < r.Bytes.size())) {
            *Out++ = r.At(r.Taken++);
            --Count;
        }
        if (r.Endless || r.Taken < r.Bytes.size())
            break;
    }
    // Drop the runs read to their end.
    auto done = [](const Run& r) { return !r.Endless && r.Taken >= r.Bytes.size(); };
    Runs.erase(std::remove_if(Runs.begin(), Runs.end(), done), Runs.end());
}

std::optional<uint64_t> Simulation::Line::QuietFromUs() const
{
    if (Runs.empty())
        return 0;
    const Run& last = Runs.back();
    if (last.Endless)
        return std::nullopt;
    return last.StartUs + last.Bytes.size() * last.ByteUs;
}

// ---- the bus

Simulation::Simulation(BusSpec Bus, Clock& Time, TraceSink Trace)
    : bus_(std::move(Bus)), clock_(Time), trace_(std::move(Trace))
{
    for (const DeviceSpec& spec : bus_.Devices) {
        DeviceState d;
        d.Spec = spec;
        d.Spec.Description.resize(std::min(d.Spec.Description.size(), MaxDescription));
        d.Spec.Serial.resize(std::min(d.Spec.Serial.size(), MaxSerial));
        d.Present = spec.UnplugAfter != 0;
        devices_.push_back(std::move(d));
    }
    lines_.resize(devices_.size());
}

void Simulation::Trace(const std::string& Text)
{
    if (trace_)
        trace_(Format("%10.3f ms  ", static_cast<double>(clock_.NowUs()) / 1000.0) + Text);
}

std::vector<size_t> Simulation::Listed() const
{
    std::vector<size_t> out;
    for (size_t i = 0; i < devices_.size(); ++i)
        if (devices_[i].Present)
            out.push_back(i);
    return out;
}

Simulation::DeviceState* Simulation::FromHandle(Handle H, size_t* Index)
{
    if (!H)
        return nullptr;
    for (size_t i = 0; i < devices_.size(); ++i) {
        if (devices_[i].Open == H) {
            if (Index)
                *Index = i;
            return &devices_[i];
        }
    }
    return nullptr;
}

void Simulation::Served(DeviceState& D)
{
    ++D.Calls;
    if (D.Present && D.Spec.UnplugAfter >= 0 && D.Calls >= static_cast<uint64_t>(D.Spec.UnplugAfter)) {
        D.Present = false;
        Trace("(device \"" + D.Spec.Description + "\" unplugged)");
    }
}

void Simulation::Unplug(size_t Index)
{
    if (Index < devices_.size())
        devices_[Index].Present = false;
}

uint32_t Simulation::ListDevices(void* Arg1, void* Arg2, uint32_t Flags)
{
    const std::vector<size_t> listed = Listed();
    if (Flags == FT_LIST_NUMBER_ONLY) {
        if (!Arg1) {
            Trace("FT_ListDevices(count) = 6");
            return FT_INVALID_PARAMETER;
        }
        if (bus_.FailCount) {
            Trace("FT_ListDevices(count) = 4");
            return FT_IO_ERROR;
        }
        uint32_t count = static_cast<uint32_t>(listed.size());
        std::memcpy(Arg1, &count, sizeof count);
        Trace(Format("FT_ListDevices(count) = 0, %u devices", count));
        return FT_OK;
    }
    const uint32_t what = Flags & ~FT_LIST_BY_INDEX;
    if ((Flags & FT_LIST_BY_INDEX) == 0 || (what != FT_OPEN_BY_SERIAL_NUMBER && what != FT_OPEN_BY_DESCRIPTION)) {
        Trace(Format("FT_ListDevices(flags 0x%08X) = 6", Flags));
        return FT_INVALID_PARAMETER;
    }
    const bool serial = what == FT_OPEN_BY_SERIAL_NUMBER;
    const char* kind = serial ? "serial" : "description";
    const auto index = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(Arg1));
    if (!Arg2) {
        Trace(Format("FT_ListDevices(%u, %s) = 6", index, kind));
        return FT_INVALID_PARAMETER;
    }
    if (index >= listed.size()) {
        Trace(Format("FT_ListDevices(%u, %s) = 2", index, kind));
        return FT_DEVICE_NOT_FOUND;
    }
    const DeviceState& d = devices_[listed[index]];
    if (d.Spec.FailQuery) {
        Trace(Format("FT_ListDevices(%u, %s) = 4", index, kind));
        return FT_IO_ERROR;
    }
    const std::string& text = serial ? d.Spec.Serial : d.Spec.Description;
    std::memcpy(Arg2, text.c_str(), text.size() + 1);
    Trace(Format("FT_ListDevices(%u, %s) = 0, ", index, kind) + Printable(text.data(), text.size()));
    return FT_OK;
}

uint32_t Simulation::OpenDevice(size_t Index, Handle* Out)
{
    DeviceState& d = devices_[Index];
    if (d.Open || d.Spec.FailOpen)
        return FT_DEVICE_NOT_OPENED;
    d.Open = MakeHandle(nextHandle_++);
    d.Pending.clear();
    lines_[Index].Runs.clear();
    ++d.Opens;
    *Out = d.Open;
    Served(d);
    return FT_OK;
}

uint32_t Simulation::Open(int Index, Handle* Out)
{
    const std::vector<size_t> listed = Listed();
    uint32_t status = FT_INVALID_PARAMETER;
    if (Out) {
        *Out = nullptr;
        status = Index < 0 || static_cast<size_t>(Index) >= listed.size()
                     ? FT_DEVICE_NOT_FOUND
                     : OpenDevice(listed[static_cast<size_t>(Index)], Out);
    }
    Trace(Format("FT_Open(%d) = %u", Index, status) + (status == FT_OK ? Format(", handle %lu", HandleNumber(*Out)) : ""));
    return status;
}

uint32_t Simulation::OpenEx(void* Arg1, uint32_t Flags, Handle* Out)
{
    const bool serial = Flags == FT_OPEN_BY_SERIAL_NUMBER;
    std::string text;
    uint32_t status = FT_INVALID_PARAMETER;
    if (Out)
        *Out = nullptr;
    if (Arg1 && Out && (serial || Flags == FT_OPEN_BY_DESCRIPTION)) {
        const char* s = static_cast<const char*>(Arg1);
        text.assign(s, strnlen(s, 256));
        status = FT_DEVICE_NOT_FOUND;
        for (size_t i : Listed()) {
            const DeviceSpec& spec = devices_[i].Spec;
            if ((serial ? spec.Serial : spec.Description) == text) {
                status = OpenDevice(i, Out);
                break;
            }
        }
    }
    Trace(Format("FT_OpenEx(%s ", serial ? "serial" : Flags == FT_OPEN_BY_DESCRIPTION ? "description" : "?") +
          Printable(text.data(), text.size()) + Format(") = %u", status) +
          (status == FT_OK ? Format(", handle %lu", HandleNumber(*Out)) : ""));
    return status;
}

uint32_t Simulation::Close(Handle H)
{
    DeviceState* d = FromHandle(H);
    if (!d) {
        Trace(Format("FT_Close(%lu) = 1", HandleNumber(H)));
        return FT_INVALID_HANDLE;
    }
    // Closing always lets go of the handle, also of a device that has been unplugged.
    d->Open = nullptr;
    ++d->Closes;
    Served(*d);
    Trace(Format("FT_Close(%lu) = 0", HandleNumber(H)));
    return FT_OK;
}

uint32_t Simulation::SetBaudRate(Handle H, uint32_t Baud)
{
    DeviceState* d = FromHandle(H);
    uint32_t status = !d ? FT_INVALID_HANDLE
                      : !d->Present ? FT_IO_ERROR
                      : Baud < 300 || Baud > 3000000 ? FT_INVALID_BAUD_RATE
                                                     : FT_OK;
    if (status == FT_OK)
        d->Baud = Baud;
    if (d && d->Present)
        Served(*d);
    Trace(Format("FT_SetBaudRate(%lu, %u) = %u", HandleNumber(H), Baud, status));
    return status;
}

uint32_t Simulation::SetTimeouts(Handle H, uint32_t ReadMs, uint32_t WriteMs)
{
    DeviceState* d = FromHandle(H);
    uint32_t status = !d ? FT_INVALID_HANDLE : !d->Present ? FT_IO_ERROR : FT_OK;
    if (status == FT_OK) {
        d->ReadTimeoutMs = ReadMs;
        d->WriteTimeoutMs = WriteMs;
        Served(*d);
    }
    Trace(Format("FT_SetTimeouts(%lu, %u, %u) = %u", HandleNumber(H), ReadMs, WriteMs, status));
    return status;
}

void Simulation::Command(size_t Index, const std::string& Text, uint64_t ArrivesUs)
{
    DeviceState& d = devices_[Index];
    auto answer = std::find_if(d.Spec.Answers.begin(), d.Spec.Answers.end(),
                               [&](const Answer& a) { return a.Command == Text; });
    if (answer == d.Spec.Answers.end())
        return;
    Line& line = lines_[Index];
    std::optional<uint64_t> quiet = line.QuietFromUs();
    if (!quiet)
        return;  // the device is still sending without end
    uint64_t start = std::max<uint64_t>(ArrivesUs + d.Spec.LatencyMs * uint64_t{1000}, *quiet);
    const bool garbled = d.Spec.Baud != 0 && d.Spec.Baud != d.Baud;
    for (const ReplyPiece& piece : answer->Reply) {
        start += piece.PauseMs * uint64_t{1000};
        if (piece.Bytes.empty() && !piece.Endless)
            continue;
        Run r;
        r.StartUs = start;
        r.ByteUs = ByteTimeUs(d.Baud);
        r.Bytes = piece.Bytes;
        r.Endless = piece.Endless;
        r.Garbled = garbled;
        start += r.Bytes.size() * r.ByteUs;
        line.Runs.push_back(std::move(r));
        if (piece.Endless)
            break;
    }
}

// The status of a read or write before any byte moves: the count's out-parameter, the handle,
// the device still plugged in, and a buffer for a non-empty transfer.
static uint32_t TransferStatus(const uint32_t* Count, const Simulation::DeviceState* D, const void* Buffer, uint32_t Bytes)
{
    return !Count                  ? FT_INVALID_PARAMETER
           : !D                    ? FT_INVALID_HANDLE
           : !D->Present           ? FT_IO_ERROR
           : !Buffer && Bytes > 0  ? FT_INVALID_PARAMETER
                                   : FT_OK;
}

uint32_t Simulation::Write(Handle H, void* Buffer, uint32_t ToWrite, uint32_t* Written)
{
    size_t index = 0;
    DeviceState* d = FromHandle(H, &index);
    const uint32_t status = TransferStatus(Written, d, Buffer, ToWrite);
    uint32_t n = 0;
    if (status == FT_OK) {
        n = d->Spec.ShortWrite ? std::min(ToWrite, d->Spec.ShortWrite) : ToWrite;
        const char* bytes = static_cast<const char*>(Buffer);
        const uint64_t now = clock_.NowUs();
        const uint64_t byteUs = ByteTimeUs(d->Baud);
        d->Received.append(bytes, n);
        for (uint32_t i = 0; i < n; ++i) {
            if (bytes[i] != '\r') {
                d->Pending.push_back(bytes[i]);
                continue;
            }
            std::string command;
            command.swap(d->Pending);
            Command(index, command, now + (i + 1) * byteUs);
        }
        Served(*d);
    }
    if (Written)
        *Written = n;
    Trace(Format("FT_Write(%lu, %u) = %u, %u written ", HandleNumber(H), ToWrite, status, n) +
          Printable(static_cast<const char*>(Buffer), Buffer ? n : 0));
    return status;
}

uint32_t Simulation::Read(Handle H, void* Buffer, uint32_t ToRead, uint32_t* Returned)
{
    size_t index = 0;
    DeviceState* d = FromHandle(H, &index);
    uint32_t status = TransferStatus(Returned, d, Buffer, ToRead);
    uint64_t got = 0;
    if (status == FT_OK) {
        Line& line = lines_[index];
        uint64_t want = ToRead;
        bool failsAtLimit = false;
        if (d->Spec.ReadErrorAfter >= 0) {
            const uint64_t left = d->Delivered < static_cast<uint64_t>(d->Spec.ReadErrorAfter)
                                      ? static_cast<uint64_t>(d->Spec.ReadErrorAfter) - d->Delivered
                                      : 0;
            failsAtLimit = left < want;
            want = std::min(want, left);
        }
        const uint64_t now = clock_.NowUs();
        const uint64_t deadline = now + d->ReadTimeoutMs * uint64_t{1000};
        std::optional<uint64_t> complete = want > 0 ? line.ArrivalOf(want) : std::optional<uint64_t>(now);
        if (complete && *complete <= deadline) {
            clock_.WaitUntil(*complete);
            got = want;
        } else {
            clock_.WaitUntil(deadline);
            got = line.Arrived(clock_.NowUs(), want);
        }
        line.Take(got, static_cast<char*>(Buffer));
        d->Delivered += got;
        if (failsAtLimit && got == want)
            status = FT_IO_ERROR;
        Served(*d);
    }
    if (Returned)
        *Returned = static_cast<uint32_t>(got);
    Trace(Format("FT_Read(%lu, %u) = %u, %lu read ", HandleNumber(H), ToRead, status,
                 static_cast<unsigned long>(got)) +
          Printable(static_cast<const char*>(Buffer), got));
    return status;
}

} // namespace ftsim
