// The portable half of the serial-port component: its enumerations and sets, the property
// objects that group its settings, the error class, and the rules that turn settings into what
// the system's comm interface takes (line state, time-outs, event mask) and its answers back
// into the component's terms (events in dispatch order, line errors, modem lines).
//
// The declarations live in namespace CPort: the USB component has a baud-rate enumeration of
// its own under the same name.
#pragma once

#include "framework/Exceptions.h"
#include "framework/Objects.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

namespace CPort {

// A set of up to 32 members of an enumeration whose values count from 0.
template <class E>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> Items)
    {
        for (E item : Items)
            Include(item);
    }
    constexpr bool Contains(E Item) const { return (bits_ >> static_cast<unsigned>(Item)) & 1u; }
    constexpr void Include(E Item) { bits_ |= 1u << static_cast<unsigned>(Item); }
    constexpr void Exclude(E Item) { bits_ &= ~(1u << static_cast<unsigned>(Item)); }
    constexpr bool Empty() const { return bits_ == 0; }
    friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

private:
    uint32_t bits_ = 0;
};

enum class TBaudRate {
    br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200,
    br38400, br56000, br57600, br115200, br128000, br256000,
};
uint32_t BaudRateValue(TBaudRate Rate);

// The values are the ones the line state takes.
enum class TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum class TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum class TDataBits { dbFive, dbSix, dbSeven, dbEight };
enum class TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
enum class TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };

// Where the event handlers run: on the GUI thread through the thread's synchronisation, on the
// GUI thread through messages to a notification window, or on the event thread itself.
enum class TSyncMethod { smThreadSync, smWindowSync, smNone };

enum class TEvent { evRxChar, evTxEmpty, evRxFlag, evRing, evBreak, evCTS, evDSR, evError, evRLSD, evRx80Full };
using TEvents = TEnumSet<TEvent>;
inline constexpr TEvents AllEvents{TEvent::evRxChar, TEvent::evTxEmpty, TEvent::evRxFlag, TEvent::evRing,
                                   TEvent::evBreak, TEvent::evCTS, TEvent::evDSR, TEvent::evError,
                                   TEvent::evRLSD, TEvent::evRx80Full};
// The order in which the events of one port event are delivered.
inline constexpr std::array<TEvent, 10> DispatchOrder{
    TEvent::evRxChar, TEvent::evTxEmpty, TEvent::evBreak, TEvent::evRing, TEvent::evCTS,
    TEvent::evDSR, TEvent::evRxFlag, TEvent::evRLSD, TEvent::evError, TEvent::evRx80Full};

enum class TComError { ceFrame, ceRxParity, ceOverrun, ceBreak, ceIO, ceMode, ceRxOver, ceTxFull };
using TComErrors = TEnumSet<TComError>;

enum class TModemLine { mlCTS, mlDSR, mlRing, mlRLSD };
using TModemLines = TEnumSet<TModemLine>;

// Event, error and modem-status bits with the values of the system's comm interface.
namespace CommBits {
inline constexpr uint32_t EV_RXCHAR = 0x0001, EV_RXFLAG = 0x0002, EV_TXEMPTY = 0x0004, EV_CTS = 0x0008,
                          EV_DSR = 0x0010, EV_RLSD = 0x0020, EV_BREAK = 0x0040, EV_ERR = 0x0080,
                          EV_RING = 0x0100, EV_RX80FULL = 0x0400;
inline constexpr uint32_t CE_RXOVER = 0x0001, CE_OVERRUN = 0x0002, CE_RXPARITY = 0x0004, CE_FRAME = 0x0008,
                          CE_BREAK = 0x0010, CE_TXFULL = 0x0100, CE_IOE = 0x0400, CE_MODE = 0x8000;
inline constexpr uint32_t MS_CTS_ON = 0x0010, MS_DSR_ON = 0x0020, MS_RING_ON = 0x0040, MS_RLSD_ON = 0x0080;
} // namespace CommBits

uint32_t EventBit(TEvent Event);
// The mask the port is told to watch.
uint32_t EventMask(TEvents Events);
// The events a completed wait reports; bits that name no event are ignored.
TEvents EventsOfMask(uint32_t Mask);
// Line errors of the error-and-status query; a parity error counts only while the parity check
// is on.
TComErrors ComErrorsOf(uint32_t Errors, bool ParityCheck);
TModemLines ModemLinesOf(uint32_t ModemStatus);

// "COMx" in any case gives x, any other text is taken whole as the number; a number below 1
// becomes 1; the result is "COM<number>". Raises EConvertError for a text that is no number,
// before anything else happens.
std::string NormalizePortName(const std::string& Name);

// EComPort codes.
enum : int32_t {
    CError_OpenFailed = 1, CError_WriteFailed, CError_ReadFailed, CError_InvalidAsync, CError_PurgeFailed,
    CError_AsyncCheck, CError_SetStateFailed, CError_TimeoutsFailed, CError_SetupComFailed,
    CError_ClearComFailed, CError_ModemStatFailed, CError_EscapeComFailed, CError_TransmitFailed,
    CError_SyncMeth, CError_EnumPortsFailed,
};
// The text of a code (1..15); empty for any other.
std::u16string ComErrorText(int32_t Code);

class EComPort : public Exception {
public:
    // A failure without a system error: the message is the code's text alone.
    explicit EComPort(int32_t Code);
    // The code's text, " (win error code: <WinCode>)" and the system's text for WinCode.
    EComPort(int32_t Code, int32_t WinCode);

    int32_t WindowsError = -1;
    int32_t ErrorCode = 0;
};

// A group of settings that is applied to the port as a whole: every change of a value, and
// every Assign, calls the group's Apply once (the port re-applies the group when it is open).
class TComSettingsGroup : public TPersistent {
public:
    explicit TComSettingsGroup(std::function<void()> Apply) : apply_(std::move(Apply)) {}

protected:
    template <class T>
    void Change(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Applied();
    }
    void Applied()
    {
        if (apply_)
            apply_();
    }

private:
    std::function<void()> apply_;
};

class TComParity : public TComSettingsGroup {
public:
    using TComSettingsGroup::TComSettingsGroup;
    const char* ClassName() const override { return "TComParity"; }
    // Copies every value of another TComParity; other sources go to the inherited Assign.
    void Assign(const TPersistent* Source) override;

    TParityBits Bits() const { return bits_; }
    void SetBits(TParityBits Value) { Change(bits_, Value); }
    bool Check() const { return check_; }
    void SetCheck(bool Value) { Change(check_, Value); }
    bool Replace() const { return replace_; }
    void SetReplace(bool Value) { Change(replace_, Value); }
    uint8_t ReplaceChar() const { return replaceChar_; }
    void SetReplaceChar(uint8_t Value) { Change(replaceChar_, Value); }

private:
    TParityBits bits_ = TParityBits::prNone;
    bool check_ = false;
    bool replace_ = false;
    uint8_t replaceChar_ = 0;
};

class TComFlowControl : public TComSettingsGroup {
public:
    using TComSettingsGroup::TComSettingsGroup;
    const char* ClassName() const override { return "TComFlowControl"; }
    void Assign(const TPersistent* Source) override;

    bool OutCTSFlow() const { return outCTSFlow_; }
    void SetOutCTSFlow(bool Value) { Change(outCTSFlow_, Value); }
    bool OutDSRFlow() const { return outDSRFlow_; }
    void SetOutDSRFlow(bool Value) { Change(outDSRFlow_, Value); }
    TDTRFlowControl ControlDTR() const { return controlDTR_; }
    void SetControlDTR(TDTRFlowControl Value) { Change(controlDTR_, Value); }
    TRTSFlowControl ControlRTS() const { return controlRTS_; }
    void SetControlRTS(TRTSFlowControl Value) { Change(controlRTS_, Value); }
    bool XonXoffOut() const { return xonXoffOut_; }
    void SetXonXoffOut(bool Value) { Change(xonXoffOut_, Value); }
    bool XonXoffIn() const { return xonXoffIn_; }
    void SetXonXoffIn(bool Value) { Change(xonXoffIn_, Value); }
    bool DSRSensitivity() const { return dsrSensitivity_; }
    void SetDSRSensitivity(bool Value) { Change(dsrSensitivity_, Value); }
    bool TxContinueOnXoff() const { return txContinueOnXoff_; }
    void SetTxContinueOnXoff(bool Value) { Change(txContinueOnXoff_, Value); }
    uint8_t XonChar() const { return xonChar_; }
    void SetXonChar(uint8_t Value) { Change(xonChar_, Value); }
    uint8_t XoffChar() const { return xoffChar_; }
    void SetXoffChar(uint8_t Value) { Change(xoffChar_, Value); }

private:
    bool outCTSFlow_ = false;
    bool outDSRFlow_ = false;
    TDTRFlowControl controlDTR_ = TDTRFlowControl::dtrDisable;
    TRTSFlowControl controlRTS_ = TRTSFlowControl::rtsDisable;
    bool xonXoffOut_ = false;
    bool xonXoffIn_ = false;
    bool dsrSensitivity_ = false;
    bool txContinueOnXoff_ = false;
    uint8_t xonChar_ = 17;
    uint8_t xoffChar_ = 19;
};

// Milliseconds; -1 stands for the system's maximum value.
class TComTimeouts : public TComSettingsGroup {
public:
    using TComSettingsGroup::TComSettingsGroup;
    const char* ClassName() const override { return "TComTimeouts"; }
    void Assign(const TPersistent* Source) override;

    int32_t ReadInterval() const { return readInterval_; }
    void SetReadInterval(int32_t Value) { Change(readInterval_, Value); }
    int32_t ReadTotalMultiplier() const { return readTotalMultiplier_; }
    void SetReadTotalMultiplier(int32_t Value) { Change(readTotalMultiplier_, Value); }
    int32_t ReadTotalConstant() const { return readTotalConstant_; }
    void SetReadTotalConstant(int32_t Value) { Change(readTotalConstant_, Value); }
    int32_t WriteTotalMultiplier() const { return writeTotalMultiplier_; }
    void SetWriteTotalMultiplier(int32_t Value) { Change(writeTotalMultiplier_, Value); }
    int32_t WriteTotalConstant() const { return writeTotalConstant_; }
    void SetWriteTotalConstant(int32_t Value) { Change(writeTotalConstant_, Value); }

private:
    int32_t readInterval_ = -1;
    int32_t readTotalMultiplier_ = 0;
    int32_t readTotalConstant_ = 0;
    int32_t writeTotalMultiplier_ = 100;
    int32_t writeTotalConstant_ = 1000;
};

class TComBuffer : public TComSettingsGroup {
public:
    using TComSettingsGroup::TComSettingsGroup;
    const char* ClassName() const override { return "TComBuffer"; }
    void Assign(const TPersistent* Source) override;

    int32_t InputSize() const { return inputSize_; }
    void SetInputSize(int32_t Value) { Change(inputSize_, Value); }
    int32_t OutputSize() const { return outputSize_; }
    void SetOutputSize(int32_t Value) { Change(outputSize_, Value); }

private:
    int32_t inputSize_ = 1024;
    int32_t outputSize_ = 1024;
};

// The line settings kept on the component itself.
struct TComLineSettings {
    TBaudRate BaudRate = TBaudRate::br9600;
    TDataBits DataBits = TDataBits::dbEight;
    TStopBits StopBits = TStopBits::sbOneStopBit;
    bool DiscardNull = false;
    uint8_t EventChar = 0;
};

// The five time-outs as the system takes them, in its order.
struct TCommTimeoutValues {
    uint32_t ReadIntervalTimeout, ReadTotalTimeoutMultiplier, ReadTotalTimeoutConstant,
        WriteTotalTimeoutMultiplier, WriteTotalTimeoutConstant;
    friend bool operator==(const TCommTimeoutValues&, const TCommTimeoutValues&) = default;
};
TCommTimeoutValues CommTimeoutValues(const TComTimeouts& Timeouts);

// How long the system lets a transfer of Count bytes take under the time-outs, in
// milliseconds, as the port's rules say: none when they set no limit (a read then waits for
// all Count bytes, or for the bytes after its first one to pause). A read limit of 0 means
// the read returns at once with what is queued. Limits beyond 32 bits are cut to 0xFFFFFFFE.
std::optional<uint32_t> ReadTimeLimit(const TCommTimeoutValues& Values, uint32_t Count);
std::optional<uint32_t> WriteTimeLimit(const TCommTimeoutValues& Values, uint32_t Count);

// Writes the settings into a line state read from the port (the system's DCB, or any struct
// with its member names), leaving the members the component does not own as they were.
template <class TDcb>
void ApplyLineSettings(TDcb& Dcb, const TComLineSettings& Line, const TComParity& Parity,
                       const TComFlowControl& Flow, int32_t InputSize)
{
    // The limits are 16-bit: a larger queue keeps the largest limit instead of wrapping.
    const int32_t limit = std::clamp(InputSize / 4, 0, 0xFFFF);
    Dcb.XonLim = static_cast<decltype(Dcb.XonLim)>(limit);
    Dcb.XoffLim = static_cast<decltype(Dcb.XoffLim)>(limit);
    Dcb.fBinary = 1;
    Dcb.fNull = Line.DiscardNull ? 1 : 0;
    Dcb.EvtChar = static_cast<char>(Line.EventChar);
    Dcb.XonChar = static_cast<char>(Flow.XonChar());
    Dcb.XoffChar = static_cast<char>(Flow.XoffChar());
    Dcb.fOutxCtsFlow = Flow.OutCTSFlow() ? 1 : 0;
    Dcb.fOutxDsrFlow = Flow.OutDSRFlow() ? 1 : 0;
    Dcb.fDtrControl = static_cast<unsigned>(Flow.ControlDTR());
    Dcb.fRtsControl = static_cast<unsigned>(Flow.ControlRTS());
    Dcb.fOutX = Flow.XonXoffOut() ? 1 : 0;
    Dcb.fInX = Flow.XonXoffIn() ? 1 : 0;
    Dcb.fDsrSensitivity = Flow.DSRSensitivity() ? 1 : 0;
    Dcb.fTXContinueOnXoff = Flow.TxContinueOnXoff() ? 1 : 0;
    Dcb.Parity = static_cast<decltype(Dcb.Parity)>(Parity.Bits());
    Dcb.StopBits = static_cast<decltype(Dcb.StopBits)>(Line.StopBits);
    Dcb.BaudRate = BaudRateValue(Line.BaudRate);
    Dcb.ByteSize = static_cast<decltype(Dcb.ByteSize)>(5 + static_cast<int>(Line.DataBits));
    Dcb.fParity = Parity.Check() ? 1 : 0;
    // Replacing needs the check; without it no byte is replaced, whatever the port had before.
    Dcb.fErrorChar = Parity.Check() && Parity.Replace() ? 1 : 0;
    if (Dcb.fErrorChar)
        Dcb.ErrorChar = static_cast<char>(Parity.ReplaceChar());
}

} // namespace CPort
