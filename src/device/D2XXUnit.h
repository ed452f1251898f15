// The program's one link to the USB library: the open device handle, the last status, the
// texts of the last listed device, the two transfer buffers and the report switch. One per
// program, shared by every TUSBDevice, so only one device is open at a time.
//
// Each routine returns the library's status (0 = success). When the report switch is on, a
// failed call is reported as the routine's name followed by the status text; the report goes
// through OnReport (the Windows edge shows it in the standard error box).
#pragma once

#include "device/D2XXFunctions.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TD2XXUnit {
public:
    static constexpr uint32_t BufferSize = 65536;
    // Open-by texts are cut to this many characters.
    static constexpr size_t MaxOpenText = 49;

    TD2XXUnit();

    // The table the routines call; a missing library until one is installed, and a function the
    // table lacks answers as a missing one. A device open through the previous table is
    // forgotten, not closed.
    void SetFunctions(const TD2XXFunctions& Functions);

    FT_STATUS GetFTDeviceCount();
    uint32_t DeviceCount() const { return deviceCount_; }
    // The texts land in SerialNo() and Description(), cut at their first NUL.
    FT_STATUS GetFTDeviceSerialNo(int32_t Index);
    FT_STATUS GetFTDeviceDescription(int32_t Index);
    const std::string& SerialNo() const { return serialNo_; }
    const std::string& Description() const { return description_; }

    // The opens close a device still open first, so that no handle is lost.
    FT_STATUS OpenFirstDevice();
    FT_STATUS Open_USB_Device_By_Serial_Number(const std::string& Serial);
    FT_STATUS Open_USB_Device_By_Device_Description(const std::string& Description);
    bool IsOpen() const { return handle_ != nullptr; }
    // Closes the open handle; the handle is forgotten only when the close succeeds.
    FT_STATUS CloseDevice();

    // Reads up to Count bytes (at most BufferSize) into ReadBuffer(); the bytes read, never more
    // than asked. LastStatus() tells whether the read succeeded.
    uint32_t ReadDevice(uint32_t Count);
    // Writes the first Count bytes (at most BufferSize) of WriteBuffer(); the bytes written.
    uint32_t WriteDevice(uint32_t Count);
    FT_STATUS LastStatus() const { return status_; }
    uint8_t* ReadBuffer() { return readBuffer_.data(); }
    uint8_t* WriteBuffer() { return writeBuffer_.data(); }

    FT_STATUS SetDeviceBaudRate(uint32_t BaudRate);
    FT_STATUS SetDeviceTimeouts(uint32_t ReadTimeout, uint32_t WriteTimeout);

    // The report switch: off at start, set by every TUSBDevice::SetReportErrors.
    bool ReportErrors = false;
    std::function<void(const std::u16string& Text)> OnReport;
    // Milliseconds of a monotonic clock, for exchanges that must end in time (tests replace it).
    std::function<uint64_t()> NowMs = SteadyNowMs;
    static uint64_t SteadyNowMs();

private:
    FT_STATUS Checked(const char* Routine, FT_STATUS Status);
    FT_STATUS OpenBy(const char* Routine, const std::string& Text, uint32_t Flags);
    FT_STATUS ListText(const char* Routine, int32_t Index, uint32_t Flags, std::string& Text);
    void ForgetHandle();

    TD2XXFunctions lib_;
    FT_HANDLE handle_ = nullptr;
    FT_STATUS status_ = FT_OK;
    uint32_t deviceCount_ = 0;
    std::string serialNo_;
    std::string description_;
    std::vector<uint8_t> readBuffer_ = std::vector<uint8_t>(BufferSize);
    std::vector<uint8_t> writeBuffer_ = std::vector<uint8_t>(BufferSize);
};

// The program's link.
TD2XXUnit& D2XX();

// The text shown after a routine's name for a failed status.
const char* D2XXStatusText(FT_STATUS Status);

// Creates Path with every missing parent; true when the folder exists afterwards.
bool ForceFolderPath(const std::u16string& Path);
