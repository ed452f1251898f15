// TComPort against a fake of the comm functions: the settings as the system receives them,
// modem-line events (a pseudo-terminal has no modem lines), failures of every kind, and the
// event thread's behaviour at Close.
#include "device/CPort.h"
#include "device/fake_comm.h"
#include "device/quiet_waits.h"
#include "support/handler_recorder.h"
#include "support/pump.h"

#include "framework/Application.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace CPort;

namespace {

const DWORD mainThread = GetCurrentThreadId();
std::atomic<bool> countForeignAllocations{false};
std::atomic<int> foreignAllocations{0};

} // namespace

// Counts what threads other than the main one allocate while counting is on.
void* operator new(std::size_t Size)
{
    if (countForeignAllocations && GetCurrentThreadId() != mainThread)
        ++foreignAllocations;
    if (void* p = std::malloc(Size ? Size : 1))
        return p;
    throw std::bad_alloc();
}
// Out of line, so that the compiler does not pair a visible new with this free.
[[gnu::noinline]] void operator delete(void* P) noexcept { std::free(P); }
[[gnu::noinline]] void operator delete(void* P, std::size_t) noexcept { std::free(P); }

namespace {

// The first 40 characters of each report: enough to tell them apart.
std::vector<std::u16string> Heads(const std::vector<std::u16string>& Messages)
{
    std::vector<std::u16string> heads;
    for (const std::u16string& m : Messages)
        heads.push_back(m.substr(0, 40));
    return heads;
}

// Whether Expected occur in Calls in this order (other calls between them).
bool InOrder(const std::vector<std::string>& Calls, const std::vector<std::string>& Expected)
{
    size_t next = 0;
    for (const std::string& call : Calls)
        if (next < Expected.size() && call == Expected[next])
            ++next;
    return next == Expected.size();
}

struct FakePort {
    explicit FakePort(TSyncMethod Method = TSyncMethod::smThreadSync)
    {
        port->SetSyncMethod(Method);
        port->OnRxChar = [this](TObject*, int32_t) { ++rxChars; };
    }
    FakeComm comm;
    TOwned<TComPort> port{CreateComponent<TComPort>(nullptr, comm.Functions())};
    std::atomic<int> rxChars{0};
};

// The code and the system error of the EComPort that Action raises; {0, 0} when it raises none.
template <class F>
std::pair<int32_t, int32_t> Raised(F&& Action)
{
    try {
        Action();
    } catch (const EComPort& e) {
        return {e.ErrorCode, e.WindowsError};
    }
    return {0, 0};
}
constexpr int32_t GenFailure = ERROR_GEN_FAILURE;

constexpr TSyncMethod allMethods[] = {TSyncMethod::smThreadSync, TSyncMethod::smWindowSync, TSyncMethod::smNone};

} // namespace

TEST(ComPortFake, OpenAppliesEverySettingAndCloseEndsThePendingWaitBeforeTheHandle)
{
    FakePort f;
    int opened = 0, closed = 0;
    f.port->OnOpen = [&](TObject*) { ++opened; };
    f.port->OnClose = [&](TObject*) { ++closed; };
    f.port->SetBaudRate(TBaudRate::br2400);
    f.port->Buffer().SetInputSize(4096);
    f.port->SetPortNum("com7");
    EXPECT_EQ(f.comm.Count("SetCommState"), 0) << "a closed port only stores its settings";

    f.port->Open();
    ASSERT_TRUE(PumpUntil([&] { return f.comm.Count("WaitCommEvent") == 1; }));
    {
        auto lock = f.comm.Lock();
        EXPECT_EQ(f.comm.OpenedNames, std::vector<std::wstring>{L"\\\\.\\COM7"});
        EXPECT_EQ(f.comm.State.BaudRate, 2400u);
        EXPECT_EQ(f.comm.State.XonLim, 1024);
        EXPECT_EQ(f.comm.Timeouts.ReadIntervalTimeout, MAXDWORD);
        EXPECT_EQ(f.comm.Timeouts.WriteTotalTimeoutConstant, 1000u);
        EXPECT_EQ(f.comm.InputSize, 4096u);
        EXPECT_EQ(f.comm.Mask, 0x05FFu);
    }
    f.port->SetBaudRate(TBaudRate::br19200);
    f.port->Timeouts().SetReadTotalConstant(50);
    f.port->Buffer().SetOutputSize(2048);
    {
        auto lock = f.comm.Lock();
        EXPECT_EQ(f.comm.State.BaudRate, 19200u);
        EXPECT_EQ(f.comm.Timeouts.ReadTotalTimeoutConstant, 50u);
        EXPECT_EQ(f.comm.OutputSize, 2048u);
    }

    f.port->Close();
    f.port->Close();
    EXPECT_TRUE(InOrder(f.comm.Calls(), {"PurgeComm", "CancelIo", "GetOverlappedResult(wait)", "PurgeComm", "CloseHandle"}));
    EXPECT_EQ(f.comm.Calls().back(), "CloseHandle");
    EXPECT_EQ(f.comm.Purges, (std::vector<DWORD>{PURGE_TXABORT | PURGE_RXABORT, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR}));
    EXPECT_EQ(f.comm.LateCompletions, 0) << "the event wait was over before the handle closed";
    EXPECT_EQ(f.comm.OpenHandles, 0);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, 1);
}

TEST(ComPortFake, EventsArriveInDispatchOrderWithTheirLinesUnderEverySyncMethod)
{
    for (TSyncMethod method : allMethods) {
        FakePort f(method);
        {
            auto lock = f.comm.Lock();
            f.comm.ModemStatus = MS_CTS_ON | MS_RLSD_ON;
            f.comm.InputQueue = 5;
            f.comm.LineErrors = CE_FRAME | CE_RXPARITY;
        }
        std::mutex mutex;
        std::vector<std::string> seen;
        bool handlersOnMain = true;
        auto note = [&](std::string What) {
            std::lock_guard<std::mutex> lock(mutex);
            seen.push_back(std::move(What));
            handlersOnMain = handlersOnMain && GetCurrentThreadId() == mainThread;
        };
        TComPort& p = *f.port;
        p.OnRxChar = [&](TObject*, int32_t Count) { note("RxChar " + std::to_string(Count)); };
        p.OnTxEmpty = [&](TObject*) { note("TxEmpty"); };
        p.OnBreak = [&](TObject*) { note("Break"); };
        p.OnRing = [&](TObject*) { note("Ring"); };
        p.OnCTSChange = [&](TObject*, bool On) { note("CTS " + std::to_string(On)); };
        p.OnDSRChange = [&](TObject*, bool On) { note("DSR " + std::to_string(On)); };
        p.OnRxFlag = [&](TObject*) { note("RxFlag"); };
        p.OnRLSDChange = [&](TObject*, bool On) { note("RLSD " + std::to_string(On)); };
        p.OnError = [&](TObject*, TComErrors E) { note(E == TComErrors{TComError::ceFrame} ? "Error frame" : "Error ?"); };
        p.OnRx80Full = [&](TObject*) { note("Rx80Full"); };
        p.Open();
        ASSERT_TRUE(f.comm.Raise(0x05FF));
        ASSERT_TRUE(PumpUntil([&] {
            std::lock_guard<std::mutex> lock(mutex);
            return seen.size() == 10;
        }));
        EXPECT_EQ(seen, (std::vector<std::string>{"RxChar 5", "TxEmpty", "Break", "Ring", "CTS 1", "DSR 0", "RxFlag",
                                                  "RLSD 1", "Error frame", "Rx80Full"}));
        EXPECT_EQ(handlersOnMain, method != TSyncMethod::smNone);
        p.Close();
    }
}

TEST(ComPortFake, ModemOutputLinesGoOutAsEscapesAndAFailureRaisesItsCode)
{
    FakePort f;
    f.port->Open();
    f.port->SetDTR(true);
    f.port->SetDTR(false);
    f.port->SetRTS(true);
    f.port->SetRTS(false);
    EXPECT_EQ(f.comm.Escapes, (std::vector<DWORD>{SETDTR, CLRDTR, SETRTS, CLRRTS}));
    f.comm.Fail("EscapeCommFunction", ERROR_GEN_FAILURE, 1);
    EXPECT_EQ(Raised([&] { f.port->SetRTS(true); }), std::make_pair(12, GenFailure));
}

TEST(ComPortFake, WithNoEventsNoThreadWatchesThePort)
{
    FakePort f;
    f.port->Events = {};
    f.port->Open();
    EXPECT_FALSE(f.comm.Raise(EV_RXCHAR, 100));
    EXPECT_EQ(f.comm.Count("SetCommMask"), 0);
    EXPECT_EQ(f.comm.Count("WaitCommEvent"), 0);
    EXPECT_EQ(f.rxChars, 0);
}

TEST(ComPortFake, CloseCompletesWhileAnEventIsOnItsWayToTheGuiThreadAndDropsIt)
{
    for (TSyncMethod method : {TSyncMethod::smThreadSync, TSyncMethod::smWindowSync}) {
        FakePort f(method);
        f.port->Open();
        GetQueueStatus(QS_ALLINPUT);  // what waits in the queue now is not news to the wait below
        ASSERT_TRUE(f.comm.Raise(EV_RXCHAR));
        // Without a loop running, the event thread's call arrives and waits for the GUI thread.
        ASSERT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, kPatienceMs, QS_POSTMESSAGE | QS_SENDMESSAGE),
                  WAIT_OBJECT_0);
        f.port->Close();
        ASSERT_TRUE(NothingFollows());  // a late event would be in by now
        EXPECT_EQ(f.rxChars, 0) << "no event after Close began";
        EXPECT_EQ(f.comm.LateCompletions, 0);
        EXPECT_EQ(f.comm.OpenHandles, 0);
    }
}

TEST(ComPortFake, AFailedPurgeStillStopsTheThreadAndClosesTheHandle)
{
    HandlerRecorder recorder;
    FakePort f;
    int closed = 0;
    f.port->OnClose = [&](TObject*) { ++closed; };
    f.port->Open();
    f.comm.Fail("PurgeComm", ERROR_GEN_FAILURE, 1);
    EXPECT_EQ(Raised([&] { f.port->Close(); }), std::make_pair(5, GenFailure));
    EXPECT_FALSE(f.port->Connected());
    EXPECT_EQ(f.comm.OpenHandles, 0);
    EXPECT_EQ(f.comm.LateCompletions, 0);
    EXPECT_EQ(closed, 1);

    f.port->Open();
    f.comm.Fail("PurgeComm", ERROR_GEN_FAILURE);
    f.port.reset();  // the destructor reports instead of throwing
    EXPECT_EQ(f.comm.OpenHandles, 0);
    EXPECT_EQ(Heads(recorder.messages), std::vector<std::u16string>{u"PurgeComm function failed (win error cod"});
}

TEST(ComPortFake, AFailedOpenOrSettingLeavesThePortClosed)
{
    const std::pair<const char*, int32_t> failures[] = {
        {"CreateFileW", 1}, {"GetCommState", 7}, {"SetCommState", 7}, {"SetCommTimeouts", 8}, {"SetupComm", 9}};
    for (const auto& [call, code] : failures) {
        SCOPED_TRACE(call);
        FakePort f;
        int opened = 0;
        f.port->OnOpen = [&](TObject*) { ++opened; };
        f.comm.Fail(call, ERROR_GEN_FAILURE, 1);
        EXPECT_EQ(Raised([&] { f.port->Open(); }), std::make_pair(code, GenFailure));
        EXPECT_FALSE(f.port->Connected());
        EXPECT_EQ(f.comm.OpenHandles, 0);
        EXPECT_EQ(f.comm.Count("WaitCommEvent"), 0);
        EXPECT_EQ(opened, 0);
        f.port->Open();
        EXPECT_TRUE(f.port->Connected()) << "a later Open starts afresh";
    }
}

TEST(ComPortFake, ARefusedWaitAFailedQueryOrAThrowingHandlerLeaveTheThreadWatching)
{
    for (TSyncMethod method : {TSyncMethod::smThreadSync, TSyncMethod::smNone}) {
        HandlerRecorder recorder;
        FakePort f(method);
        std::atomic<int> ctsChanges{0};
        f.port->OnCTSChange = [&](TObject*, bool) { ++ctsChanges; };
        f.port->OnRing = [](TObject*) { throw Exception(u"ring handler failed"); };
        // A port may refuse the event wait for a moment; the thread tries again.
        f.comm.Fail("WaitCommEvent", ERROR_INVALID_PARAMETER, 3);
        f.port->Open();
        f.comm.Fail("ClearCommError", ERROR_ACCESS_DENIED, 1);
        f.comm.Fail("GetCommModemStatus", ERROR_ACCESS_DENIED, 1);
        ASSERT_TRUE(f.comm.Raise(EV_RXCHAR | EV_RING | EV_CTS));
        ASSERT_TRUE(PumpUntil([&] { return recorder.messages.size() == 3; }));
        EXPECT_EQ(Heads(recorder.messages), (std::vector<std::u16string>{u"ClearCommError function failed (win erro",
                                                                   u"ring handler failed",
                                                                   u"GetCommModemStatus function failed (win "}));
        EXPECT_TRUE(recorder.onMainThread);
        ASSERT_TRUE(f.comm.Raise(EV_RXCHAR | EV_CTS));
        EXPECT_TRUE(PumpUntil([&] { return f.rxChars == 1 && ctsChanges == 1; }));
    }
}

TEST(ComPortFake, EmptyCompletionsLeaveTheEventThreadRestingWithoutAllocating)
{
    // A port that ends every wait at once with nothing to report.
    FakePort f;
    f.comm.EmptyWaits = true;
    f.port->Open();
    ASSERT_TRUE(PumpUntil([&] { return f.comm.Count("WaitCommEvent") >= 2; })) << "waited for the thread's waits";
    countForeignAllocations = true;
    const QuietSpell spell = WatchQuietSpell("event thread, waits ending empty", 5000,
                                             [&] { return f.comm.Count("WaitCommEvent"); });
    countForeignAllocations = false;
    EXPECT_TRUE(spell.Rested()) << spell.Waits << " waits in " << spell.Ms << " ms";
    EXPECT_EQ(foreignAllocations, 0);

    {
        auto lock = f.comm.Lock();
        f.comm.EmptyWaits = false;
    }
    ASSERT_TRUE(f.comm.Raise(EV_RXCHAR, 120000)) << "waited for a wait after the thread's rest";
    EXPECT_TRUE(PumpUntil([&] { return f.rxChars == 1; }));
    ASSERT_TRUE(NothingFollows());  // another event would be in by now
    EXPECT_EQ(f.rxChars, 1) << "empty completions fire nothing";
}

TEST(ComPortFake, TransfersTheSystemLeavesPendingEndOnceThePortsTimeOutsHaveRunOut)
{
    FakePort f;
    f.port->Events = {};
    f.port->Timeouts().SetReadTotalConstant(10);
    f.port->Timeouts().SetWriteTotalMultiplier(0);
    f.port->Timeouts().SetWriteTotalConstant(10);
    f.port->Open();
    {
        auto lock = f.comm.Lock();
        f.comm.StallTransfers = true;
    }
    std::atomic<int32_t> written{-1}, read{-1};
    std::thread transfers([&] {
        char buffer[8];
        try {
            written = f.port->Write("HELLO\r", 6);
            read = f.port->Read(buffer, sizeof buffer);
        } catch (...) {
            read = -2;
        }
    });
    const bool ended = PumpUntil([&] { return read != -1; }, 120000);
    // A transfer that never ends is let go, so that the thread can be joined.
    while (read == -1)
        f.comm.Raise(0, 100);
    transfers.join();
    EXPECT_TRUE(ended) << "waited two minutes for a write and a read";
    EXPECT_EQ(written, 0);
    EXPECT_EQ(read, 0);
    EXPECT_EQ(f.comm.Count("CancelIo"), 2);
}

TEST(ComPortFake, ANewNameReopensAnOpenPortAndTheSyncMethodIsFixedWhileOpen)
{
    FakePort f;
    f.port->Open();
    f.port->SetPortNum("com12");
    EXPECT_TRUE(f.port->Connected());
    EXPECT_EQ(f.comm.OpenedNames, (std::vector<std::wstring>{L"\\\\.\\COM1", L"\\\\.\\COM12"}));
    EXPECT_EQ(f.comm.OpenHandles, 1);

    const size_t calls = f.comm.Calls().size();
    EXPECT_THROW(f.port->SetPortNum("COM"), EConvertError);
    EXPECT_EQ(f.port->PortNum(), "COM12");
    EXPECT_EQ(f.comm.Calls().size(), calls) << "a bad name changes nothing";

    EXPECT_EQ(Raised([&] { f.port->SetSyncMethod(TSyncMethod::smNone); }), std::make_pair(14, -1));
    EXPECT_EQ(f.port->SyncMethod(), TSyncMethod::smThreadSync);
    f.port->Close();
    f.port->SetSyncMethod(TSyncMethod::smNone);
    EXPECT_EQ(f.port->SyncMethod(), TSyncMethod::smNone);
}
