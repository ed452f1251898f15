#include "device/_TUSBDevice.h"

#include "device/D2XXUnit.h"

#include <algorithm>
#include <cstring>

namespace {

uint64_t NowMs(const TD2XXUnit& Link)
{
    return Link.NowMs ? Link.NowMs() : 0;
}

} // namespace

bool IsEmptyText(const std::string& S)
{
    return S.empty() || S[0] == '\0';
}

uint32_t BaudRateValue(TBaudRate Rate)
{
    switch (Rate) {
    case TBaudRate::br300: return 300;
    case TBaudRate::br600: return 600;
    case TBaudRate::br1200: return 1200;
    case TBaudRate::br2400: return 2400;
    case TBaudRate::br4800: return 4800;
    case TBaudRate::br9600: return 9600;
    case TBaudRate::br14400: return 14400;
    case TBaudRate::br19200: return 19200;
    case TBaudRate::br38400: return 38400;
    case TBaudRate::br57600: return 57600;
    case TBaudRate::br115200: return 115200;
    case TBaudRate::br230400: return 230400;
    case TBaudRate::br460800: return 460800;
    case TBaudRate::br921600: return 921600;
    }
    return 19200;
}

TUSBDevice::TUSBDevice(TComponent* AOwner) : TComponent(AOwner) {}

TUSBDevice::~TUSBDevice()
{
    // A device left open would keep the program's one handle busy.
    if (connected_)
        Disconnect();
}

void TUSBDevice::SetReportErrors(bool Value)
{
    reportErrors_ = Value;
    D2XX().ReportErrors = Value;
}

void TUSBDevice::SetBlockSize(uint16_t Value)
{
    if (Value > 0)
        blockSize_ = Value;
}

bool TUSBDevice::Connect()
{
    TD2XXUnit& link = D2XX();
    const bool bySerial = !IsEmptyText(DeviceSerial);
    if (!AutoConnect && !bySerial && IsEmptyText(DeviceName))
        return connected_;
    FT_STATUS s = AutoConnect ? link.OpenFirstDevice()
                  : bySerial  ? link.Open_USB_Device_By_Serial_Number(DeviceSerial)
                              : link.Open_USB_Device_By_Device_Description(DeviceName);
    connected_ = s == FT_OK;
    if (connected_) {
        link.SetDeviceBaudRate(BaudRateValue(Baudrate));
        if (link.SetDeviceTimeouts(ReadTimeout, WriteTimeout) != FT_OK) {
            Disconnect();
            return false;
        }
    }
    return connected_;
}

bool TUSBDevice::Disconnect()
{
    TD2XXUnit& link = D2XX();
    if (!link.IsOpen()) {
        connected_ = false;
        return true;
    }
    const bool closed = link.CloseDevice() == FT_OK;
    connected_ = !closed;
    return closed;
}

int32_t TUSBDevice::EnumDevices(const TUSBDeviceCallback& Callback)
{
    TD2XXUnit& link = D2XX();
    if (link.GetFTDeviceCount() != FT_OK)
        return 0;
    const auto count = static_cast<int32_t>(std::min<uint32_t>(link.DeviceCount(), MaxDevices));
    const std::string failed(1, '\0');
    for (int32_t i = 0; i < count; ++i) {
        const std::string description = link.GetFTDeviceDescription(i) == FT_OK ? link.Description() : failed;
        const std::string serial = link.GetFTDeviceSerialNo(i) == FT_OK ? link.SerialNo() : failed;
        if (Callback)
            Callback(i, description, serial);
    }
    return count;
}

bool TUSBDevice::WriteString(const std::string& S, bool AppendCR)
{
    TD2XXUnit& link = D2XX();
    std::string bytes = S;
    if (AppendCR)
        bytes.push_back('\r');
    // In pieces no larger than the write buffer; every piece must go out whole.
    for (size_t done = 0; done < bytes.size();) {
        const auto n = static_cast<uint32_t>(std::min<size_t>(bytes.size() - done, TD2XXUnit::BufferSize));
        std::memcpy(link.WriteBuffer(), bytes.data() + done, n);
        if (link.WriteDevice(n) != n || link.LastStatus() != FT_OK)
            return false;
        done += n;
    }
    return true;
}

std::string TUSBDevice::ReadString(int32_t Count)
{
    TD2XXUnit& link = D2XX();
    std::string reply;
    auto append = [&](uint32_t Got) { reply.append(reinterpret_cast<const char*>(link.ReadBuffer()), Got); };
    const uint64_t start = NowMs(link);
    auto overdue = [&] { return NowMs(link) - start >= ReplyTimeout; };
    if (Count < 1) {
        for (;;) {
            const uint32_t got = link.ReadDevice(blockSize_);
            append(got);
            if (got != blockSize_ || link.LastStatus() != FT_OK || overdue())
                break;
        }
        return reply;
    }
    for (auto left = static_cast<uint32_t>(Count); left > 0;) {
        const uint32_t got = link.ReadDevice(left);
        append(got);
        left -= got;
        if (got == 0 || link.LastStatus() != FT_OK || overdue())
            break;
    }
    return reply;
}
