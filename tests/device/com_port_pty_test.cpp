// TComPort on a real line under Wine: a pseudo-terminal pair whose ends are COM ports of the
// test prefix (made by with_pty_ports.sh). The test plays the far end through the other port.
#include "device/CPort.h"

#include "quiet_waits.h"
#include "stand_in_usb.h"
#include "support/handler_recorder.h"
#include "support/process_threads.h"
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/StrConv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>

using namespace CPort;
using l3d::testing::ThreadsOfThisProcess;

namespace {

// The far end of the line, opened for plain blocking transfers; a read waits up to 200 ms for
// its first byte.
class Peer {
public:
    Peer()
    {
        const std::string name = Environment("L3D_TEST_COM_PEER");
        handle_ = CreateFileA(("\\\\.\\" + name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        COMMTIMEOUTS timeouts{MAXDWORD, MAXDWORD, 200, 0, 0};
        if (Ok())
            SetCommTimeouts(handle_, &timeouts);
    }
    ~Peer()
    {
        if (Ok())
            CloseHandle(handle_);
    }
    bool Ok() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Send(const std::string& Bytes)
    {
        DWORD written = 0;
        WriteFile(handle_, Bytes.data(), static_cast<DWORD>(Bytes.size()), &written, nullptr);
    }
    std::string Receive(size_t Count)
    {
        std::string bytes;
        char buffer[256];
        DWORD got = 0;
        while (bytes.size() < Count && ReadFile(handle_, buffer, sizeof buffer, &got, nullptr) && got > 0)
            bytes.append(buffer, got);
        return bytes;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// The system's comm functions, with the event waits the ports start counted, and the port
// handles they open and close.
std::atomic<int> eventWaits{0}, portHandles{0};

BOOL WINAPI CountedWaitCommEvent(HANDLE Port, LPDWORD Mask, LPOVERLAPPED Overlapped)
{
    ++eventWaits;
    return SystemCommFunctions().WaitCommEvent(Port, Mask, Overlapped);
}

HANDLE WINAPI CountedCreateFileW(LPCWSTR Name, DWORD Access, DWORD Share, LPSECURITY_ATTRIBUTES Security,
                                 DWORD Disposition, DWORD Flags, HANDLE Template)
{
    const HANDLE port = SystemCommFunctions().CreateFileW(Name, Access, Share, Security, Disposition, Flags, Template);
    if (port != INVALID_HANDLE_VALUE)
        ++portHandles;
    return port;
}

BOOL WINAPI CountedCloseHandle(HANDLE Port)
{
    const BOOL closed = SystemCommFunctions().CloseHandle(Port);
    if (closed)
        --portHandles;
    return closed;
}

const TCommFunctions& CountingCommFunctions()
{
    static const TCommFunctions functions = [] {
        TCommFunctions f = SystemCommFunctions();
        f.WaitCommEvent = CountedWaitCommEvent;
        f.CreateFileW = CountedCreateFileW;
        f.CloseHandle = CountedCloseHandle;
        return f;
    }();
    return functions;
}

// The handles the process has open, found by asking the system about every small handle value.
int OpenHandleCount()
{
    int count = 0;
    DWORD flags = 0;
    for (uintptr_t value = 4; value < 0x10000; value += 4)
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    return count;
}

BOOL CALLBACK CountWindow(HWND, LPARAM Count)
{
    ++*reinterpret_cast<int*>(Count);
    return TRUE;
}

int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

constexpr TSyncMethod allMethods[] = {TSyncMethod::smThreadSync, TSyncMethod::smWindowSync, TSyncMethod::smNone};

} // namespace

// Each test has the far end and the port as the main window sets it up (closed), on the port
// the environment names, with its event waits counted; what reaches the application's
// exception handler is recorded.
class ComPortPty : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(peer.Ok()) << "run through with_pty_ports.sh, which makes the COM ports";
        port->SetPortNum(Environment("L3D_TEST_COM_PORT"));
        port->SetBaudRate(TBaudRate::br2400);
        port->Events = {TEvent::evRxChar};
        port->Buffer().SetInputSize(4096);
        port->Buffer().SetOutputSize(4096);
        port->FlowControl().SetControlDTR(TDTRFlowControl::dtrEnable);
    }

    // Opens the port without events and reads and drops what earlier tests left on the line (a
    // writer's bytes may still be on their way): everything up to a marker the peer sends now.
    void OpenDrained()
    {
        port->Events = {};
        port->Open();
        peer.Send("#");
        std::string drained;
        EXPECT_TRUE(PumpUntil([&] {
            char buffer[256];
            drained.append(buffer, static_cast<size_t>(port->Read(buffer, sizeof buffer)));
            return drained.find('#') != std::string::npos;
        }, 120000)) << "waited for the marker behind what the line held";
    }

    // Each received-character event reads what it counts into received.
    void KeepWhatArrives()
    {
        port->OnRxChar = [this](TObject*, int32_t Count) {
            char buffer[64];
            received.append(buffer, static_cast<size_t>(port->Read(buffer, std::min<int32_t>(Count, sizeof buffer))));
        };
    }

    HandlerRecorder recorder;
    Peer peer;
    TOwned<TComPort> port{CreateComponent<TComPort>(nullptr, CountingCommFunctions())};
    std::string received;
};

TEST_F(ComPortPty, OpensWithItsSettingsWritesToThePeerAndNamesAMissingPortsError)
{
    port->Open();
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(GetCommState(port->Handle(), &dcb));
    EXPECT_EQ(dcb.BaudRate, 2400u);
    port->SetBaudRate(TBaudRate::br19200);
    port->SetStopBits(TStopBits::sbTwoStopBits);
    ASSERT_TRUE(GetCommState(port->Handle(), &dcb));
    EXPECT_EQ(dcb.BaudRate, 19200u);
    EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
    COMMTIMEOUTS timeouts{};
    ASSERT_TRUE(GetCommTimeouts(port->Handle(), &timeouts));
    EXPECT_EQ(timeouts.ReadIntervalTimeout, MAXDWORD);
    EXPECT_EQ(timeouts.WriteTotalTimeoutMultiplier, 100u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutConstant, 1000u);

    EXPECT_EQ(port->Write("HELLO\r", 6), 6);
    EXPECT_EQ(peer.Receive(6), "HELLO\r");
    port->Close();
    EXPECT_EQ(port->Handle(), INVALID_HANDLE_VALUE);

    port->SetPortNum("COM49");
    try {
        port->Open();
        ADD_FAILURE() << "a missing port opened";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.ErrorCode, 1);
        EXPECT_EQ(e.WindowsError, static_cast<int32_t>(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(e.Message().rfind(u"Unable to open com port (win error code: 2) ", 0), 0u);
    }
    EXPECT_FALSE(port->Connected());
}

TEST_F(ComPortPty, ReceivedBytesArriveAsRxCharWithTheirCountAndContentUnderEverySyncMethod)
{
    for (TSyncMethod method : allMethods) {
        port->SetSyncMethod(method);
        std::mutex mutex;
        std::string arrived;
        int32_t counted = 0;
        bool readAsCounted = true, onMainThread = true;
        port->OnRxChar = [&](TObject*, int32_t Count) {
            char buffer[512];
            const int32_t n = port->Read(buffer, std::min<int32_t>(Count, sizeof buffer));
            std::lock_guard<std::mutex> lock(mutex);
            arrived.append(buffer, static_cast<size_t>(n));
            counted += Count;
            readAsCounted = readAsCounted && n == Count;
            onMainThread = onMainThread && IsMainThread();
        };
        port->Open();
        const std::string text = "The quick brown fox jumps over the lazy dog " + std::to_string(static_cast<int>(method));
        peer.Send(text);
        EXPECT_TRUE(PumpUntil([&] {
            std::lock_guard<std::mutex> lock(mutex);
            return arrived.size() >= text.size();
        }));
        port->Close();
        EXPECT_EQ(arrived, text);
        EXPECT_EQ(counted, static_cast<int32_t>(text.size()));
        EXPECT_TRUE(readAsCounted) << "each event's count is what the queue held";
        EXPECT_EQ(onMainThread, method != TSyncMethod::smNone);
    }
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(ComPortPty, AHundredClosesWhileDataFlowsLeaveNoHandleWindowOrLateEvent)
{
    std::atomic<bool> writing{true}, written{false};
    std::thread writer([&] {
        while (writing) {
            peer.Send(std::string(32, 'x'));
            Sleep(1);
        }
        written = true;
    });
    std::atomic<int> events{0}, late{0};
    std::atomic<bool> over{false};
    port->OnRxChar = [&](TObject*, int32_t Count) {
        if (over)
            ++late;
        char buffer[4096];
        port->Read(buffer, std::min<int32_t>(Count, sizeof buffer));
        ++events;
    };
    auto cycle = [&](int Index) {
        const TSyncMethod method = allMethods[Index % 3];
        port->SetSyncMethod(method);
        over = false;
        const int before = events;
        port->Open();
        ASSERT_TRUE(PumpUntil([&] { return events > before; })) << "cycle " << Index;
        // A handler on the event thread may still be running as Close begins; one on the GUI
        // thread may not.
        over = method != TSyncMethod::smNone;
        port->Close();
        over = true;
        Application->ProcessMessages();
    };
    // The first cycle of each kind makes what lives on (the thread's wake-up window, say).
    for (int i = 0; i < 3; ++i)
        cycle(i);
    const int threads = ThreadsOfThisProcess();
    const int handles = OpenHandleCount(), windows = ThreadWindowCount();
    for (int i = 3; i < 103 && !testing::Test::HasFatalFailure(); ++i)
        cycle(i);
    ASSERT_TRUE(NothingFollows());  // a late event would be in by now
    EXPECT_EQ(late, 0);
    EXPECT_TRUE(recorder.messages.empty()) << "no failure while data flows";
    EXPECT_EQ(portHandles, 0) << "every port handle opened was closed";
    // The threads the closes ended are gone, and what they held with them, before the count.
    // Wine ends each overlapped wait of a serial port on a thread of its own, which ends soon after.
    EXPECT_TRUE(PumpUntil([&] { return ThreadsOfThisProcess() <= threads; }))
        << "threads left: " << ThreadsOfThisProcess() - threads;
    // Wine makes an object of its own in the process now and then, at a moment that depends on
    // the other programs of the prefix (an event when the process starts the prefix's desktop
    // program, say): one or two more handles. A close that leaks leaks on every close that
    // takes the same path, a hundred times over or, on a path taken now and then, several.
    EXPECT_LE(OpenHandleCount() - handles, 2) << "handles before the hundred closes: " << handles;
    EXPECT_EQ(ThreadWindowCount(), windows);

    // The writer stops while the line is drained, so that it never stays blocked on a full one.
    // A blocked writer brings no new bytes, and only arrivals are reported: the reads poll.
    port->Events = {};
    port->Open();
    writing = false;
    const DWORD start = GetTickCount();
    for (char buffer[4096]; !written && GetTickCount() - start < DWORD(kPatienceMs); Sleep(1))
        port->Read(buffer, sizeof buffer);
    // A writer still blocked cannot be joined; the failure ends the run instead of hanging it.
    ASSERT_TRUE(written) << "the writer stays blocked on a drained line";
    writer.join();
    port->Close();
}

TEST_F(ComPortPty, AnIdleOpenPortRestsBetweenItsEventWaits)
{
    OpenDrained();
    port->Close();
    port->Events = {TEvent::evRxChar};
    KeepWhatArrives();
    port->Open();
    // Nothing arrives; under Wine the line ends each event wait within milliseconds all the same.
    const QuietSpell spell = WatchQuietSpell("idle open port", 5000, [] { return eventWaits.load(); });
    EXPECT_TRUE(spell.Rested()) << spell.Waits << " waits in " << spell.Ms << " ms";
    ASSERT_TRUE(NothingFollows());
    EXPECT_EQ(received, "") << "the line was not idle";
    peer.Send("x");
    EXPECT_TRUE(PumpUntil([&] { return received == "x"; }, 120000)) << "waited for a byte after the quiet spell";
    port->Close();
}

TEST_F(ComPortPty, AReadOfAnEmptyQueueReturnsAtOnceWithNothing)
{
    OpenDrained();
    std::atomic<int32_t> got{-1};
    std::thread reader([&] {
        char buffer[16];
        got = port->Read(buffer, sizeof buffer);
    });
    const bool returned = PumpUntil([&] { return got >= 0; }, 120000);
    if (!returned)
        peer.Send("x");  // a read still waiting takes it and ends, so that the reader can be joined
    reader.join();
    ASSERT_TRUE(returned) << "waited two minutes for the read";
    EXPECT_EQ(got, 0);

    peer.Send("abc");
    EXPECT_TRUE(PumpUntil([&] {
        char buffer[16];
        received.append(buffer, static_cast<size_t>(port->Read(buffer, sizeof buffer)));
        return received.size() >= 3;
    }, 120000));
    EXPECT_EQ(received, "abc");
    port->Close();
}

TEST_F(ComPortPty, AVanishedLineIsReportedOnceAndNoLongerWatched)
{
    port->SetPortNum(Environment("L3D_TEST_COM_VANISHING"));
    KeepWhatArrives();
    port->Open();
    // The far end sends the byte back and goes, as an unplugged adaptor's line does.
    ASSERT_EQ(port->Write("x", 1), 1);
    ASSERT_TRUE(PumpUntil([&] { return !recorder.messages.empty(); }, 120000)) << "waited for the lost line's report";
    EXPECT_EQ(received, "x");
    EXPECT_EQ(recorder.messages[0].rfind(u"Unable to get async status (win error code: ", 0), 0u) << WideToUtf8(recorder.messages[0]);
    // The thread reports the lost line before it stops watching: it starts no wait after that
    // (a thread still watching would start one within each rest).
    const QuietSpell spell = WatchQuietSpell("vanished port", 4 * TComThread::RestLimit, [] { return eventWaits.load(); });
    EXPECT_EQ(spell.Waits, 0);
    ASSERT_TRUE(NothingFollows());
    EXPECT_EQ(recorder.messages.size(), 1u);
    port->Close();
    EXPECT_FALSE(port->Connected());
}
