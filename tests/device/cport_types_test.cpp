// The serial port's portable rules: the line state built from the settings, time-outs, port
// names, event masks, line errors, modem lines, the error texts and the property objects.
#include "device/CPortTypes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

using namespace CPort;

namespace {

// The system's line-state record, member for member (bit fields included, so that a value too
// wide for its field would show).
struct LineState {
    uint32_t DCBlength = 0, BaudRate = 0;
    uint32_t fBinary : 1 = 0, fParity : 1 = 0, fOutxCtsFlow : 1 = 0, fOutxDsrFlow : 1 = 0, fDtrControl : 2 = 0,
                       fDsrSensitivity : 1 = 0, fTXContinueOnXoff : 1 = 0, fOutX : 1 = 0, fInX : 1 = 0,
                       fErrorChar : 1 = 0, fNull : 1 = 0, fRtsControl : 2 = 0, fAbortOnError : 1 = 0;
    uint16_t wReserved = 0, XonLim = 0, XoffLim = 0;
    uint8_t ByteSize = 0, Parity = 0, StopBits = 0;
    char XonChar = 0, XoffChar = 0, ErrorChar = 0, EofChar = 0, EvtChar = 0;
    uint16_t wReserved1 = 0;
};

LineState Built(const TComLineSettings& Line, const TComParity& Parity, const TComFlowControl& Flow,
                int32_t InputSize = 1024)
{
    LineState state;
    // What the port had: members the component does not own come back unchanged.
    state.fAbortOnError = 1;
    state.EofChar = 26;
    state.ErrorChar = '?';
    state.fErrorChar = 1;
    ApplyLineSettings(state, Line, Parity, Flow, InputSize);
    return state;
}

} // namespace

TEST(ComPortLine, EverySettingReachesItsMemberOfTheLineState)
{
    const uint32_t rates[] = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
    for (int i = 0; i < 15; ++i) {
        const TComLineSettings line{static_cast<TBaudRate>(i), static_cast<TDataBits>(i % 4),
                                    static_cast<TStopBits>(i % 3), i % 2 == 1, static_cast<uint8_t>(i)};
        TComParity parity{nullptr};
        parity.SetBits(static_cast<TParityBits>(i % 5));
        parity.SetCheck(i & 1);
        parity.SetReplace(i & 2);
        parity.SetReplaceChar('#');
        TComFlowControl flow{nullptr};
        flow.SetControlDTR(static_cast<TDTRFlowControl>(i % 3));
        flow.SetControlRTS(static_cast<TRTSFlowControl>(i % 4));
        flow.SetOutCTSFlow(i & 1);
        flow.SetOutDSRFlow(i & 2);
        flow.SetXonXoffOut(i & 4);
        flow.SetXonXoffIn(i & 8);
        flow.SetDSRSensitivity(i & 1);
        flow.SetTxContinueOnXoff(i & 2);
        flow.SetXonChar(static_cast<uint8_t>(i + 1));
        const LineState s = Built(line, parity, flow, 256 * i);
        SCOPED_TRACE(i);
        EXPECT_EQ(s.BaudRate, rates[i]);
        EXPECT_EQ(s.ByteSize, 5 + i % 4);
        EXPECT_EQ(s.StopBits, i % 3);
        EXPECT_EQ(s.fNull, static_cast<uint32_t>(i % 2));
        EXPECT_EQ(s.EvtChar, i);
        EXPECT_EQ(s.Parity, i % 5);
        EXPECT_EQ(s.fParity, i & 1u);
        const bool replacing = (i & 3) == 3;  // replacing needs the check
        EXPECT_EQ(s.fErrorChar, replacing ? 1u : 0u);
        EXPECT_EQ(s.ErrorChar, replacing ? '#' : '?');
        EXPECT_EQ(s.fDtrControl, static_cast<uint32_t>(i % 3));
        EXPECT_EQ(s.fRtsControl, static_cast<uint32_t>(i % 4));
        EXPECT_EQ(s.fOutxCtsFlow + 2 * s.fOutxDsrFlow + 4 * s.fOutX + 8 * s.fInX, i & 15);
        EXPECT_EQ(s.fDsrSensitivity + 2 * s.fTXContinueOnXoff, i & 3);
        EXPECT_EQ(s.XonChar, i + 1);
        EXPECT_EQ(s.XoffChar, 19);
        EXPECT_EQ(s.XonLim, 64 * i);
        EXPECT_EQ(s.XoffLim, 64 * i);
        EXPECT_EQ(s.fBinary, 1u);
        EXPECT_EQ(s.fAbortOnError, 1u);
        EXPECT_EQ(s.EofChar, 26);
    }
    // The flow limits are 16-bit: a larger queue keeps the largest limit instead of wrapping.
    EXPECT_EQ(Built({}, TComParity{nullptr}, TComFlowControl{nullptr}, 1 << 20).XonLim, 0xFFFF);
}

TEST(ComPortLine, TimeoutsGoOutInTheSystemsOrderWithMinusOneAsItsMaximum)
{
    TComTimeouts timeouts{nullptr};
    EXPECT_EQ(CommTimeoutValues(timeouts), (TCommTimeoutValues{0xFFFFFFFFu, 0, 0, 100, 1000}));
    timeouts.SetReadInterval(5);
    timeouts.SetReadTotalConstant(-1);
    EXPECT_EQ(CommTimeoutValues(timeouts), (TCommTimeoutValues{5, 0, 0xFFFFFFFFu, 100, 1000}));
}

TEST(ComPortLine, TransfersTakeAsLongAsTheTimeoutsLetThem)
{
    constexpr uint32_t M = 0xFFFFFFFFu;
    using Limit = std::optional<uint32_t>;
    // Reads: at once; the first byte within the constant; per byte and constant; no limit.
    EXPECT_EQ(ReadTimeLimit({M, 0, 0, 0, 0}, 10), Limit(0));
    EXPECT_EQ(ReadTimeLimit({M, M, 300, 0, 0}, 10), Limit(300));
    EXPECT_EQ(ReadTimeLimit({M, M, 0, 0, 0}, 10), Limit(M - 1));
    EXPECT_EQ(ReadTimeLimit({20, 5, 100, 0, 0}, 10), Limit(150));
    EXPECT_EQ(ReadTimeLimit({20, 0, 0, 0, 0}, 10), std::nullopt);
    // Writes: the main window's 100 per byte and 1000; none; beyond 32 bits.
    EXPECT_EQ(WriteTimeLimit({M, 0, 0, 100, 1000}, 6), Limit(1600));
    EXPECT_EQ(WriteTimeLimit({M, 0, 0, 0, 0}, 6), std::nullopt);
    EXPECT_EQ(WriteTimeLimit({M, 0, 0, 100, 1000}, 0x7FFFFFFF), Limit(M - 1));
}

TEST(ComPortName, ComNamesInAnyCaseAndBareNumbersBecomeComNamesKeptWhole)
{
    EXPECT_EQ(NormalizePortName("com3"), "COM3");
    EXPECT_EQ(NormalizePortName("cOm07"), "COM7");
    EXPECT_EQ(NormalizePortName("COM12"), "COM12");
    EXPECT_EQ(NormalizePortName("5"), "COM5");
    EXPECT_EQ(NormalizePortName("0"), "COM1");
    EXPECT_EQ(NormalizePortName("COM-4"), "COM1");
    for (const char* bad : {"COM", "", "COM1:", "LPT1", " 3"})
        EXPECT_THROW(NormalizePortName(bad), EConvertError) << bad;
}

TEST(ComPortEvents, MasksLineErrorsAndModemLinesMapToTheirSets)
{
    using namespace CommBits;
    EXPECT_EQ(EventMask(AllEvents), 0x05FFu);
    EXPECT_EQ(EventMask({TEvent::evRxFlag, TEvent::evRx80Full, TEvent::evRLSD}), EV_RXFLAG | EV_RX80FULL | EV_RLSD);
    for (TEvent e : DispatchOrder)
        EXPECT_EQ(EventsOfMask(EventBit(e)), TEvents{e});
    EXPECT_TRUE(EventsOfMask(0x0200 | 0x0800 | 0x80000000u).Empty()) << "bits that name no event";

    EXPECT_EQ(ComErrorsOf(CE_FRAME | CE_OVERRUN | CE_BREAK | CE_IOE | CE_MODE | CE_RXOVER | CE_TXFULL | CE_RXPARITY, false),
              (TComErrors{TComError::ceFrame, TComError::ceOverrun, TComError::ceBreak, TComError::ceIO,
                          TComError::ceMode, TComError::ceRxOver, TComError::ceTxFull}));
    EXPECT_EQ(ComErrorsOf(CE_RXPARITY, true), TComErrors{TComError::ceRxParity});
    EXPECT_EQ(ModemLinesOf(MS_CTS_ON | MS_RLSD_ON | 0x0F), (TModemLines{TModemLine::mlCTS, TModemLine::mlRLSD}));
    EXPECT_EQ(ModemLinesOf(MS_DSR_ON | MS_RING_ON), (TModemLines{TModemLine::mlDSR, TModemLine::mlRing}));
}

TEST(ComPortErrors, MessagesCarryTheCodesTextAndTheSystemError)
{
    const EComPort bare(CError_SyncMeth);
    EXPECT_EQ(bare.Message(), u"Cannot set SyncMethod while connected");
    EXPECT_EQ(bare.WindowsError, -1);
    const EComPort open(CError_OpenFailed, 2);
    const std::u16string head = u"Unable to open com port (win error code: 2) ";
    EXPECT_EQ(open.Message().rfind(head, 0), 0u);
    EXPECT_GT(open.Message().size(), head.size()) << "the system's text follows";
    EXPECT_EQ(open.ErrorCode, 1);
    EXPECT_EQ(ComErrorText(15), u"EnumPorts function failed");
    EXPECT_EQ(ComErrorText(16), u"");
}

TEST(ComPortSettingsGroups, AChangedValueOrAnAssignAppliesTheGroupOnce)
{
    int applied = 0;
    TComFlowControl flow{[&] { ++applied; }};
    flow.SetXonChar(17);
    EXPECT_EQ(applied, 0) << "an unchanged value applies nothing";
    flow.SetControlRTS(TRTSFlowControl::rtsToggle);
    EXPECT_EQ(applied, 1);

    TComFlowControl other{nullptr};
    other.SetOutCTSFlow(true);
    other.SetXoffChar(20);
    flow.Assign(&other);
    EXPECT_EQ(applied, 2);
    EXPECT_TRUE(flow.OutCTSFlow());
    EXPECT_EQ(flow.ControlRTS(), TRTSFlowControl::rtsDisable) << "every value is copied";
    EXPECT_EQ(flow.XoffChar(), 20);

    TComBuffer buffer{[&] { ++applied; }};
    TComBuffer bigger{nullptr};
    bigger.SetInputSize(4096);
    buffer.Assign(&bigger);
    EXPECT_EQ(buffer.InputSize(), 4096);
    EXPECT_EQ(applied, 3);
    EXPECT_THROW(buffer.Assign(&flow), EConvertError) << "another class goes to the inherited Assign";
    EXPECT_EQ(applied, 3);
}
