// The queue of calls handed to the main thread, driven by std::thread workers while the test's
// main thread plays the message loop.
#include "framework/SyncQueue.h"

#include "framework/ExceptionBarrier.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// A generous bound for the waits on the workers: it only ends a wait that a fault made endless.
constexpr auto kPatience = std::chrono::minutes(3);

// Runs the main thread's side until Done or kPatience passed.
bool ServeUntil(const std::function<bool()>& Done)
{
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        if (!CheckSynchronize())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

class SyncQueue : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetWakeMainThread(nullptr);
        SetExceptionHandler(nullptr);
        CheckSynchronize();
    }
};

TEST_F(SyncQueue, CallsRunOnTheMainThreadInTheOrderTheyWereHandedOver)
{
    std::vector<std::string> order;  // only the main thread touches it
    std::vector<bool> onMain;
    std::atomic<int> wakes{0};
    SetWakeMainThread([&] { ++wakes; });
    std::atomic<bool> done{false};
    std::thread worker([&] {
        EXPECT_FALSE(IsMainThread());
        QueueCall(nullptr, [&] { order.push_back("queued 1"); onMain.push_back(IsMainThread()); });
        SynchronizeCall(nullptr, [&] { order.push_back("synchronized"); onMain.push_back(IsMainThread()); });
        // The synchronized call has run when SynchronizeCall returns, and so has everything before it.
        EXPECT_EQ(order.size(), 2u);
        QueueCall(nullptr, [&] { order.push_back("queued 2"); onMain.push_back(IsMainThread()); });
        done = true;
    });
    ASSERT_TRUE(ServeUntil([&] { return done && order.size() == 3; }));
    worker.join();
    EXPECT_EQ(order, (std::vector<std::string>{"queued 1", "synchronized", "queued 2"}));
    EXPECT_EQ(onMain, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(wakes, 3);
}

TEST_F(SyncQueue, AnExceptionOfASynchronizedCallIsRaisedInTheCallingThread)
{
    int handled = 0;
    SetExceptionHandler([&](std::exception_ptr) { ++handled; });
    std::string caught;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        try {
            SynchronizeCall(nullptr, [] { throw std::runtime_error("from the main thread"); });
        } catch (const std::runtime_error& e) {
            caught = e.what();
        }
        done = true;
    });
    ASSERT_TRUE(ServeUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(caught, "from the main thread");
    EXPECT_EQ(handled, 0);
}

TEST_F(SyncQueue, AnExceptionOfAQueuedCallGoesToTheHandlerAndTheQueueGoesOn)
{
    std::vector<std::string> handled;
    SetExceptionHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& ex) {
            handled.push_back(ex.what());
        }
    });
    bool after = false;
    QueueCall(nullptr, [] { throw std::runtime_error("queued failure"); });
    QueueCall(nullptr, [&] { after = true; });
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ(handled, std::vector<std::string>{"queued failure"});
    EXPECT_TRUE(after);
}

TEST_F(SyncQueue, RemovingAnOwnersCallsDropsQueuedOnesButNeverASynchronizedOne)
{
    int owner = 0, other = 0;
    std::atomic<int> handedOver{0};
    SetWakeMainThread([&] { ++handedOver; });
    std::vector<std::string> ran;
    QueueCall(&owner, [&] { ran.push_back("owner queued"); });
    QueueCall(&other, [&] { ran.push_back("other queued"); });
    std::atomic<bool> done{false};
    std::thread worker([&] {
        SynchronizeCall(&owner, [&] { ran.push_back("owner synchronized"); });
        done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (handedOver < 3 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(handedOver, 3);
    RemoveQueuedCalls(&owner);
    EXPECT_TRUE(HasWaitingCalls(&owner));  // the worker's synchronized call stays
    ASSERT_TRUE(ServeUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(ran, (std::vector<std::string>{"other queued", "owner synchronized"}));
    EXPECT_FALSE(HasWaitingCalls(&owner));
}

TEST_F(SyncQueue, CallsHandedOverDuringAPassWaitForTheNextAndOnlyTheMainThreadRunsThem)
{
    int runs = 0;
    std::function<void()> again = [&] {
        ++runs;
        QueueCall(nullptr, again);  // a call that queues itself must not keep one pass going
    };
    QueueCall(nullptr, again);
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ(runs, 1);
    bool ranOnWorker = true;
    std::thread([&] { ranOnWorker = CheckSynchronize(); }).join();
    EXPECT_FALSE(ranOnWorker);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ(runs, 2);
    RemoveQueuedCalls(nullptr);
    EXPECT_FALSE(CheckSynchronize());
}

TEST_F(SyncQueue, OnTheMainThreadSynchronizeRunsAtOnceAndQueueWaits)
{
    bool synchronized = false, queued = false;
    SynchronizeCall(nullptr, [&] { synchronized = true; });
    QueueCall(nullptr, [&] { queued = true; });
    EXPECT_TRUE(synchronized);
    EXPECT_FALSE(queued);
    CheckSynchronize();
    EXPECT_TRUE(queued);
}

}  // namespace
