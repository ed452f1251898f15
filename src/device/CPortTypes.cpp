#include "device/CPortTypes.h"

#include "framework/FileHandle.h"
#include "framework/NumberText.h"
#include "framework/StrConv.h"

#include <algorithm>

namespace CPort {

namespace {

constexpr uint32_t baudRates[] = {110, 300, 600, 1200, 2400, 4800, 9600, 14400,
                                  19200, 38400, 56000, 57600, 115200, 128000, 256000};

// Indexed by TEvent.
constexpr uint32_t eventBits[] = {
    CommBits::EV_RXCHAR, CommBits::EV_TXEMPTY, CommBits::EV_RXFLAG, CommBits::EV_RING, CommBits::EV_BREAK,
    CommBits::EV_CTS,    CommBits::EV_DSR,     CommBits::EV_ERR,    CommBits::EV_RLSD, CommBits::EV_RX80FULL};

constexpr const char16_t* errorTexts[] = {
    u"Unable to open com port",
    u"WriteFile function failed",
    u"ReadFile function failed",
    u"Invalid Async parameter",
    u"PurgeComm function failed",
    u"Unable to get async status",
    u"SetCommState function failed",
    u"SetCommTimeouts failed",
    u"SetupComm function failed",
    u"ClearCommError function failed",
    u"GetCommModemStatus function failed",
    u"EscapeCommFunction function failed",
    u"TransmitCommChar function failed",
    u"Cannot set SyncMethod while connected",
    u"EnumPorts function failed",
};

std::u16string WithWindowsError(int32_t Code, int32_t WinCode)
{
    std::u16string text = FormatMessageD(ComErrorText(Code) + u" (win error code: %d)", WinCode);
    const std::u16string reason = OsErrorMessage(static_cast<uint32_t>(WinCode));
    if (!reason.empty())
        text += u" " + reason;
    return text;
}

uint32_t SystemValue(int32_t Milliseconds)
{
    // -1 is the system's maximum (all bits set) as it stands.
    return static_cast<uint32_t>(Milliseconds);
}

} // namespace

uint32_t BaudRateValue(TBaudRate Rate)
{
    const auto index = static_cast<size_t>(Rate);
    return index < std::size(baudRates) ? baudRates[index] : 9600;
}

uint32_t EventBit(TEvent Event)
{
    return eventBits[static_cast<size_t>(Event)];
}

uint32_t EventMask(TEvents Events)
{
    uint32_t mask = 0;
    for (TEvent event : DispatchOrder)
        if (Events.Contains(event))
            mask |= EventBit(event);
    return mask;
}

TEvents EventsOfMask(uint32_t Mask)
{
    TEvents events;
    for (TEvent event : DispatchOrder)
        if (Mask & EventBit(event))
            events.Include(event);
    return events;
}

TComErrors ComErrorsOf(uint32_t Errors, bool ParityCheck)
{
    using namespace CommBits;
    TComErrors result;
    const std::pair<uint32_t, TComError> map[] = {
        {CE_FRAME, TComError::ceFrame},   {CE_OVERRUN, TComError::ceOverrun}, {CE_BREAK, TComError::ceBreak},
        {CE_IOE, TComError::ceIO},        {CE_MODE, TComError::ceMode},       {CE_RXOVER, TComError::ceRxOver},
        {CE_TXFULL, TComError::ceTxFull},
    };
    for (const auto& [bit, error] : map)
        if (Errors & bit)
            result.Include(error);
    if (ParityCheck && (Errors & CE_RXPARITY))
        result.Include(TComError::ceRxParity);
    return result;
}

TModemLines ModemLinesOf(uint32_t ModemStatus)
{
    using namespace CommBits;
    TModemLines lines;
    if (ModemStatus & MS_CTS_ON)
        lines.Include(TModemLine::mlCTS);
    if (ModemStatus & MS_DSR_ON)
        lines.Include(TModemLine::mlDSR);
    if (ModemStatus & MS_RING_ON)
        lines.Include(TModemLine::mlRing);
    if (ModemStatus & MS_RLSD_ON)
        lines.Include(TModemLine::mlRLSD);
    return lines;
}

std::string NormalizePortName(const std::string& Name)
{
    const bool comPrefix = Name.size() >= 3 && AnsiUpperCase(Name.substr(0, 3)) == "COM";
    const int32_t number = StrToInt(AnsiToWide(comPrefix ? Name.substr(3) : Name));
    return "COM" + std::to_string(std::max(number, 1));
}

std::u16string ComErrorText(int32_t Code)
{
    return Code >= 1 && Code <= static_cast<int32_t>(std::size(errorTexts)) ? errorTexts[Code - 1] : u"";
}

EComPort::EComPort(int32_t Code) : Exception(ComErrorText(Code)), ErrorCode(Code) {}

EComPort::EComPort(int32_t Code, int32_t WinCode)
    : Exception(WithWindowsError(Code, WinCode)), WindowsError(WinCode), ErrorCode(Code)
{
}

void TComParity::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TComParity*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    bits_ = other->bits_;
    check_ = other->check_;
    replace_ = other->replace_;
    replaceChar_ = other->replaceChar_;
    Applied();
}

void TComFlowControl::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TComFlowControl*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    outCTSFlow_ = other->outCTSFlow_;
    outDSRFlow_ = other->outDSRFlow_;
    controlDTR_ = other->controlDTR_;
    controlRTS_ = other->controlRTS_;
    xonXoffOut_ = other->xonXoffOut_;
    xonXoffIn_ = other->xonXoffIn_;
    dsrSensitivity_ = other->dsrSensitivity_;
    txContinueOnXoff_ = other->txContinueOnXoff_;
    xonChar_ = other->xonChar_;
    xoffChar_ = other->xoffChar_;
    Applied();
}

void TComTimeouts::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TComTimeouts*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    readInterval_ = other->readInterval_;
    readTotalMultiplier_ = other->readTotalMultiplier_;
    readTotalConstant_ = other->readTotalConstant_;
    writeTotalMultiplier_ = other->writeTotalMultiplier_;
    writeTotalConstant_ = other->writeTotalConstant_;
    Applied();
}

void TComBuffer::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TComBuffer*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    inputSize_ = other->inputSize_;
    outputSize_ = other->outputSize_;
    Applied();
}

TCommTimeoutValues CommTimeoutValues(const TComTimeouts& Timeouts)
{
    return {SystemValue(Timeouts.ReadInterval()), SystemValue(Timeouts.ReadTotalMultiplier()),
            SystemValue(Timeouts.ReadTotalConstant()), SystemValue(Timeouts.WriteTotalMultiplier()),
            SystemValue(Timeouts.WriteTotalConstant())};
}

namespace {

constexpr uint32_t Maximum = 0xFFFFFFFFu;

// Multiplier * Count + Constant, none when both are 0.
std::optional<uint32_t> TotalLimit(uint32_t Multiplier, uint32_t Constant, uint32_t Count)
{
    if (Multiplier == 0 && Constant == 0)
        return std::nullopt;
    const uint64_t total = uint64_t{Multiplier} * Count + Constant;
    return static_cast<uint32_t>(std::min<uint64_t>(total, Maximum - 1));
}

} // namespace

std::optional<uint32_t> ReadTimeLimit(const TCommTimeoutValues& Values, uint32_t Count)
{
    if (Values.ReadIntervalTimeout == Maximum) {
        // What is queued, at once; or, with the maximum multiplier, the first byte within the constant.
        if (Values.ReadTotalTimeoutMultiplier == 0 && Values.ReadTotalTimeoutConstant == 0)
            return 0;
        if (Values.ReadTotalTimeoutMultiplier == Maximum && Values.ReadTotalTimeoutConstant != 0 &&
            Values.ReadTotalTimeoutConstant != Maximum)
            return Values.ReadTotalTimeoutConstant;
    }
    return TotalLimit(Values.ReadTotalTimeoutMultiplier, Values.ReadTotalTimeoutConstant, Count);
}

std::optional<uint32_t> WriteTimeLimit(const TCommTimeoutValues& Values, uint32_t Count)
{
    return TotalLimit(Values.WriteTotalTimeoutMultiplier, Values.WriteTotalTimeoutConstant, Count);
}

} // namespace CPort
