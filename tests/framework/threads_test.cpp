// Threads under Wine: the main thread waits (WaitFor) or runs a loop while threads hand it
// calls, send its windows messages, fail, or are terminated.
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/SyncQueue.h"
#include "framework/Threads.h"
#include "framework/UtilityWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace {

// Collects what the application's handler is given, and restores the handler afterwards.
class HandlerRecorder {
public:
    HandlerRecorder()
    {
        Application->OnException = [this](TObject*, std::exception_ptr e) {
            messages.push_back(ExceptionText(e));
            onMainThread.push_back(GetCurrentThreadId() == mainThread);
        };
    }
    ~HandlerRecorder() { Application->OnException = nullptr; }

    std::vector<std::u16string> messages;
    std::vector<bool> onMainThread;
    const DWORD mainThread = GetCurrentThreadId();
};

TEST(Thread, SynchronizedQueuedAndSentCallsRunInOrderWhileTheMainThreadWaits)
{
    const DWORD mainThread = GetCurrentThreadId();
    std::vector<std::string> order;  // touched on the main thread only
    bool allOnMain = true;
    auto note = [&](const char* what) {
        order.push_back(what);
        allOnMain = allOnMain && GetCurrentThreadId() == mainThread;
    };
    HWND window = AllocateHWnd([&](TMessage& m) {
        if (m.Msg != WM_APP + 7)
            return false;
        note("sent");
        m.Result = 42;
        return true;
    });
    LRESULT sendResult = 0;
    TThread thread([&](TThread& self) {
        self.Queue([&] { note("queued 1"); });
        self.Synchronize([&] { note("synchronized 1"); });
        self.Queue([&] { note("queued 2"); });
        // A message sent to a window of the waiting main thread is answered inside WaitFor.
        sendResult = SendMessageW(window, WM_APP + 7, 0, 0);
        self.Synchronize([&] { note("synchronized 2"); });
        self.Queue([&] { note("queued last"); });
    });
    thread.Start();
    thread.WaitFor();
    DeallocateHWnd(window);

    EXPECT_EQ(order, (std::vector<std::string>{"queued 1", "synchronized 1", "queued 2", "sent", "synchronized 2",
                                               "queued last"}));
    EXPECT_TRUE(allOnMain);
    EXPECT_EQ(sendResult, 42);
    EXPECT_TRUE(thread.Finished());
}

TEST(Thread, CallsQueuedByAThreadThatHasAlreadyEndedHaveRunWhenWaitForReturns)
{
    bool ran = false;
    TThread thread([&](TThread& self) { self.Queue([&] { ran = true; }); });
    thread.Start();
    ASSERT_EQ(WaitForSingleObject(thread.Handle(), kPatienceMs), WAIT_OBJECT_0);  // no message handled meanwhile
    thread.WaitFor();
    EXPECT_TRUE(ran);
}

class WaitingThread : public TThread {
protected:
    void Execute() override
    {
        // Sleeps until terminated, however long that is.
        while (!WaitTerminated(INFINITE)) {
        }
        SetReturnValue(7);
    }
};

TEST(Thread, TerminateWakesAWaitingThreadAndWaitForGivesItsReturnValue)
{
    WaitingThread thread;
    thread.SetPriority(TThreadPriority::tpHigher);
    thread.Start();
    EXPECT_EQ(GetThreadPriority(thread.Handle()), THREAD_PRIORITY_ABOVE_NORMAL);
    EXPECT_EQ(WaitForSingleObject(thread.Handle(), 50), static_cast<DWORD>(WAIT_TIMEOUT));
    thread.Terminate();
    EXPECT_EQ(thread.WaitFor(), 7);
    EXPECT_TRUE(thread.Terminated());
    EXPECT_THROW(thread.Start(), EThread);
}

TEST(Thread, AnExceptionInExecuteIsKeptAndReachesTheApplicationsHandlerAfterOnTerminate)
{
    HandlerRecorder handler;
    bool fatalSeenInOnTerminate = false;
    size_t handledBeforeOnTerminate = 99;
    TThread thread([](TThread&) { throw Exception(u"Sensor head not found"); });
    thread.OnTerminate = [&](TObject* sender) {
        fatalSeenInOnTerminate = static_cast<TThread*>(sender)->FatalException() != nullptr;
        handledBeforeOnTerminate = handler.messages.size();
    };
    thread.Start();
    thread.WaitFor();

    EXPECT_TRUE(fatalSeenInOnTerminate);
    EXPECT_EQ(handledBeforeOnTerminate, 0u);
    ASSERT_NE(thread.FatalException(), nullptr);
    EXPECT_EQ(handler.messages, std::vector<std::u16string>{u"Sensor head not found"});
    EXPECT_EQ(handler.onMainThread, std::vector<bool>{true});
}

TEST(Thread, AnExceptionInASynchronizedCallIsRaisedInTheThreadNotReported)
{
    HandlerRecorder handler;
    std::u16string caught;
    TThread thread([&](TThread& self) {
        try {
            self.Synchronize([] { throw Exception(u"refused on the main thread"); });
        } catch (const Exception& e) {
            caught = e.Message();
        }
    });
    thread.Start();
    thread.WaitFor();
    EXPECT_EQ(caught, u"refused on the main thread");
    EXPECT_EQ(thread.FatalException(), nullptr);
    EXPECT_TRUE(handler.messages.empty());
}

TEST(Thread, CallsHandedOverWhileTheMainThreadRunsALoopWakeIt)
{
    // The application's loop, and a loop that knows nothing of threads (as the system's own
    // modal loops do), both get the calls.
    std::atomic<int> stage{0};
    TThread thread([&](TThread& self) {
        self.Synchronize([&] { stage = 1; });
        self.Synchronize([&] { stage = 2; });
    });
    thread.Start();
    ASSERT_TRUE(PumpUntil([&] { return stage >= 1; }));
    // The timer only bounds the wait should no wake-up come.
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, nullptr);
    const DWORD start = GetTickCount();
    MSG msg;
    while (stage < 2 && GetTickCount() - start < DWORD(kPatienceMs) && GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    KillTimer(nullptr, timer);
    EXPECT_EQ(stage, 2);
    if (stage < 2)
        CheckSynchronize();  // lets the thread end
    thread.WaitFor();
}

class SelfFreeingThread : public TThread {
public:
    SelfFreeingThread(std::vector<std::string>& Log, std::atomic<bool>& Destroyed) : log_(Log), destroyed_(Destroyed)
    {
        FreeOnTerminate = true;
    }
    ~SelfFreeingThread() override { destroyed_ = true; }

protected:
    void Execute() override
    {
        Queue([this] { log_.push_back("queued"); });
    }

private:
    std::vector<std::string>& log_;
    std::atomic<bool>& destroyed_;
};

TEST(Thread, ASelfFreeingThreadRunsItsQueuedCallsBeforeItGoesAndCannotBeWaitedFor)
{
    std::vector<std::string> log;
    std::atomic<bool> destroyed{false};
    auto* thread = new SelfFreeingThread(log, destroyed);
    EXPECT_THROW(thread->WaitFor(), EThread);
    thread->Start();
    ASSERT_TRUE(PumpUntil([&] { return destroyed.load(); }));
    EXPECT_EQ(log, std::vector<std::string>{"queued"});

    std::atomic<bool> ran{false};
    TThread::CreateAnonymousThread([&] { ran = true; })->Start();
    EXPECT_TRUE(PumpUntil([&] { return ran.load(); }));
}

TEST(Thread, AHundredStartAndStopCyclesLeaveNoHandleBehind)
{
    auto cycle = [] {
        auto thread = std::make_unique<WaitingThread>();
        thread->Start();
        thread->Terminate();
        thread->WaitFor();
    };
    // The system hands out the lowest free handle values (Wine counts no handles, so a count
    // cannot be asked): a leaked handle holds a slot, and a run of new handles must pass it.
    auto highestOfNewHandles = [] {
        std::vector<HANDLE> probes(200);
        for (HANDLE& h : probes)
            h = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        const HANDLE highest = *std::max_element(probes.begin(), probes.end());
        for (HANDLE h : probes)
            CloseHandle(h);
        return highest;
    };
    cycle();  // the first thread makes the process's lasting objects
    const HANDLE before = highestOfNewHandles();
    for (int i = 0; i < 100; ++i)
        cycle();
    EXPECT_EQ(highestOfNewHandles(), before);
}

TEST(Thread, FreeingARunningThreadTerminatesAndWaitsForIt)
{
    const HANDLE running = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> ended{false};
    {
        TThread thread([&](TThread& self) {
            SetEvent(running);
            self.WaitTerminated(INFINITE);
            ended = true;
        });
        thread.Start();
        EXPECT_EQ(WaitForSingleObject(running, kPatienceMs), WAIT_OBJECT_0);
    }
    EXPECT_TRUE(ended);
    CloseHandle(running);
}

}  // namespace
