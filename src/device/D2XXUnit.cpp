#include "device/D2XXUnit.h"

#include "framework/FileUtils.h"
#include "framework/StrConv.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace {

FT_STATUS D2XX_CALL AbsentList(void*, void*, uint32_t) { return FT_DEVICE_NOT_OPENED; }
FT_STATUS D2XX_CALL AbsentOpen(int, FT_HANDLE*) { return FT_DEVICE_NOT_OPENED; }
FT_STATUS D2XX_CALL AbsentOpenEx(void*, uint32_t, FT_HANDLE*) { return FT_DEVICE_NOT_OPENED; }
FT_STATUS D2XX_CALL AbsentClose(FT_HANDLE) { return FT_DEVICE_NOT_OPENED; }
FT_STATUS D2XX_CALL AbsentTransfer(FT_HANDLE, void*, uint32_t, uint32_t*) { return FT_DEVICE_NOT_OPENED; }
FT_STATUS D2XX_CALL AbsentBaudRate(FT_HANDLE, uint32_t) { return FT_DEVICE_NOT_OPENED; }
FT_STATUS D2XX_CALL AbsentTimeouts(FT_HANDLE, uint32_t, uint32_t) { return FT_DEVICE_NOT_OPENED; }

// Text buffers for listing, larger than the library's documented maxima (16 and 64 bytes).
constexpr size_t ListBufferSize = 256;

} // namespace

TD2XXFunctions AbsentD2XXFunctions()
{
    TD2XXFunctions f;
    f.ListDevices = AbsentList;
    f.Open = AbsentOpen;
    f.OpenEx = AbsentOpenEx;
    f.Close = AbsentClose;
    f.Read = AbsentTransfer;
    f.Write = AbsentTransfer;
    f.SetBaudRate = AbsentBaudRate;
    f.SetTimeouts = AbsentTimeouts;
    return f;
}

const char* D2XXStatusText(FT_STATUS Status)
{
    static constexpr std::array<const char*, 17> Texts = {
        " - Invalid handle...",          " - Device not found...",        " - Device not opened...",
        " - General IO error...",        " - Insufficient resources...",  " - Invalid parameter...",
        " - Invalid baud rate...",       " Device not opened for erase...", " Device not opened for write...",
        " - Failed to write...",         " - EEPROM read failed...",      " - EEPROM write failed...",
        " - EEPROM erase failed...",     " - EEPROM not present...",      " - EEPROM not programmed...",
        " - Invalid arguments...",       " - Other error ...",
    };
    return Status >= 1 && Status <= Texts.size() ? Texts[Status - 1] : Texts.back();
}

uint64_t TD2XXUnit::SteadyNowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

TD2XXUnit::TD2XXUnit() : lib_(AbsentD2XXFunctions()) {}

TD2XXUnit& D2XX()
{
    static TD2XXUnit unit;
    return unit;
}

void TD2XXUnit::SetFunctions(const TD2XXFunctions& Functions)
{
    const TD2XXFunctions absent = AbsentD2XXFunctions();
    lib_.ListDevices = Functions.ListDevices ? Functions.ListDevices : absent.ListDevices;
    lib_.Open = Functions.Open ? Functions.Open : absent.Open;
    lib_.OpenEx = Functions.OpenEx ? Functions.OpenEx : absent.OpenEx;
    lib_.Close = Functions.Close ? Functions.Close : absent.Close;
    lib_.Read = Functions.Read ? Functions.Read : absent.Read;
    lib_.Write = Functions.Write ? Functions.Write : absent.Write;
    lib_.SetBaudRate = Functions.SetBaudRate ? Functions.SetBaudRate : absent.SetBaudRate;
    lib_.SetTimeouts = Functions.SetTimeouts ? Functions.SetTimeouts : absent.SetTimeouts;
    handle_ = nullptr;
    status_ = FT_OK;
    deviceCount_ = 0;
    serialNo_.clear();
    description_.clear();
}

FT_STATUS TD2XXUnit::Checked(const char* Routine, FT_STATUS Status)
{
    if (Status != FT_OK && ReportErrors && OnReport)
        OnReport(AnsiToWide(std::string(Routine) + D2XXStatusText(Status)));
    return Status;
}

FT_STATUS TD2XXUnit::GetFTDeviceCount()
{
    uint32_t count = 0;
    FT_STATUS s = Checked("GetFTDeviceCount", lib_.ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY));
    deviceCount_ = s == FT_OK ? count : 0;
    return s;
}

FT_STATUS TD2XXUnit::ListText(const char* Routine, int32_t Index, uint32_t Flags, std::string& Text)
{
    std::array<char, ListBufferSize> buffer{};
    void* index = reinterpret_cast<void*>(static_cast<uintptr_t>(static_cast<uint32_t>(Index)));
    FT_STATUS s = Checked(Routine, lib_.ListDevices(index, buffer.data(), FT_LIST_BY_INDEX | Flags));
    buffer.back() = '\0';
    Text = s == FT_OK ? std::string(buffer.data()) : std::string();
    return s;
}

FT_STATUS TD2XXUnit::GetFTDeviceSerialNo(int32_t Index)
{
    return ListText("GetFTDeviceSerialNo", Index, FT_OPEN_BY_SERIAL_NUMBER, serialNo_);
}

FT_STATUS TD2XXUnit::GetFTDeviceDescription(int32_t Index)
{
    return ListText("GetFTDeviceDescription", Index, FT_OPEN_BY_DESCRIPTION, description_);
}

void TD2XXUnit::ForgetHandle()
{
    if (handle_)
        CloseDevice();
    handle_ = nullptr;
}

FT_STATUS TD2XXUnit::OpenFirstDevice()
{
    ForgetHandle();
    FT_HANDLE h = nullptr;
    FT_STATUS s = Checked("FT_Open", lib_.Open(0, &h));
    handle_ = s == FT_OK ? h : nullptr;
    return s;
}

FT_STATUS TD2XXUnit::OpenBy(const char* Routine, const std::string& Text, uint32_t Flags)
{
    ForgetHandle();
    std::array<char, MaxOpenText + 1> openText{};
    std::copy_n(Text.begin(), std::min(Text.size(), MaxOpenText), openText.begin());
    FT_HANDLE h = nullptr;
    FT_STATUS s = Checked(Routine, lib_.OpenEx(openText.data(), Flags, &h));
    handle_ = s == FT_OK ? h : nullptr;
    return s;
}

FT_STATUS TD2XXUnit::Open_USB_Device_By_Serial_Number(const std::string& Serial)
{
    return OpenBy("Open_USB_Device_By_Serial_Number", Serial, FT_OPEN_BY_SERIAL_NUMBER);
}

FT_STATUS TD2XXUnit::Open_USB_Device_By_Device_Description(const std::string& Description)
{
    return OpenBy("Open_USB_Device_By_Device_Description", Description, FT_OPEN_BY_DESCRIPTION);
}

FT_STATUS TD2XXUnit::CloseDevice()
{
    FT_STATUS s = Checked("FT_Close", lib_.Close(handle_));
    if (s == FT_OK)
        handle_ = nullptr;
    return s;
}

uint32_t TD2XXUnit::ReadDevice(uint32_t Count)
{
    const uint32_t asked = std::min(Count, BufferSize);
    uint32_t got = 0;
    status_ = Checked("FT_Read", lib_.Read(handle_, readBuffer_.data(), asked, &got));
    return std::min(got, asked);
}

uint32_t TD2XXUnit::WriteDevice(uint32_t Count)
{
    const uint32_t asked = std::min(Count, BufferSize);
    uint32_t written = 0;
    status_ = Checked("FT_Write", lib_.Write(handle_, writeBuffer_.data(), asked, &written));
    return std::min(written, asked);
}

FT_STATUS TD2XXUnit::SetDeviceBaudRate(uint32_t BaudRate)
{
    return Checked("FT_SetBaudRate", lib_.SetBaudRate(handle_, BaudRate));
}

FT_STATUS TD2XXUnit::SetDeviceTimeouts(uint32_t ReadTimeout, uint32_t WriteTimeout)
{
    return Checked("FT_SetTimeouts", lib_.SetTimeouts(handle_, ReadTimeout, WriteTimeout));
}

bool ForceFolderPath(const std::u16string& Path)
{
    return ForceDirectories(Path);
}
