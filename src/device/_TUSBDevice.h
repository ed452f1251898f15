// TUSBDevice: lists the attached USB-serial devices, opens one (the first, or the one with a
// given serial number or description), sets its baud rate and time-outs, and exchanges text
// with it: a command written as bytes with an optional carriage return, a reply read in
// blocks. It works through the program's one USB link (D2XX()), so all TUSBDevice objects share
// one open device.
#pragma once

#include "framework/Components.h"

#include <cstdint>
#include <functional>
#include <string>

enum class TBaudRate {
    br300, br600, br1200, br2400, br4800, br9600, br14400, br19200,
    br38400, br57600, br115200, br230400, br460800, br921600,
};
// The rate set for a value; 19200 for any value outside the list.
uint32_t BaudRateValue(TBaudRate Rate);

enum class TByteOrder { boLittleEndian, boBigEndian };

// An empty text, or one whose first byte is NUL (the form a cleared serial number or device
// name takes): such a text selects no device.
bool IsEmptyText(const std::string& S);

// One call per attached device.
using TUSBDeviceCallback =
    std::function<void(int32_t Index, const std::string& Description, const std::string& Serial)>;

class TUSBDevice : public TComponent {
public:
    explicit TUSBDevice(TComponent* AOwner);
    ~TUSBDevice() override;
    const char* ClassName() const override { return "TUSBDevice"; }

    // Opens a device: with AutoConnect the first one; else the one whose serial number is
    // DeviceSerial, when that is not empty; else the one described as DeviceName, when that is
    // not empty; else nothing is opened and Connected() stays as it was. A device still open is
    // closed first. Once open, the baud rate and the time-outs are set; a device that refuses
    // its time-outs is closed again and Connect returns false (its transfers could wait for
    // ever). Returns Connected() otherwise.
    bool Connect();
    // Closes the device; true when it is closed afterwards. With nothing open nothing is called.
    // A close that fails leaves Connected() true, so that it can be tried again.
    bool Disconnect();
    // Calls Callback (when assigned) with the description and serial number of every attached
    // device; a text the library cannot give is one NUL character. The number of devices, 0
    // when counting fails; a count above MaxDevices is taken as MaxDevices.
    int32_t EnumDevices(const TUSBDeviceCallback& Callback);
    // More devices than a machine can attach: a library that counts more is not believed.
    static constexpr int32_t MaxDevices = 256;
    // Writes the bytes of S, then a carriage return when AppendCR; true when every byte went out.
    bool WriteString(const std::string& S, bool AppendCR);
    // Count >= 1: reads until Count bytes have arrived or a read brings nothing. Count < 1: reads
    // blocks of BlockSize() until a block comes back short (an empty read ends it at once); the
    // device ends a reply with a short block. Either way a reply that has not ended ReplyTimeout
    // milliseconds after the exchange began ends there. A failed read ends the reply too. The
    // bytes received, each as one character.
    std::string ReadString(int32_t Count);

    bool Connected() const { return connected_; }

    // Published properties.
    TBaudRate Baudrate = TBaudRate::br19200;
    std::string DeviceName;
    std::string DeviceSerial;
    bool AutoConnect = true;
    uint32_t ReadTimeout = 0;   // milliseconds
    uint32_t WriteTimeout = 0;  // milliseconds
    TByteOrder ByteOrder = TByteOrder::boLittleEndian;  // kept for the stored form; no operation uses it
    // Not fired by any operation of this component.
    TNotifyEvent OnFileTransfer;
    TNotifyEvent OnTransfer;

    bool ReportErrors() const { return reportErrors_; }
    // Sets the link's report switch, which is one for all components.
    void SetReportErrors(bool Value);
    uint16_t BlockSize() const { return blockSize_; }
    // A block size of 0 is refused (the value stays): no block would ever come back short.
    void SetBlockSize(uint16_t Value);

    // Longest exchange of ReadString, in milliseconds, so that a device that keeps sending
    // cannot hold the program.
    uint32_t ReplyTimeout = 5000;

private:
    bool connected_ = false;
    bool reportErrors_ = false;
    uint16_t blockSize_ = 1024;
};
