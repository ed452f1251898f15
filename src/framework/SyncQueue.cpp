#include "framework/SyncQueue.h"

#include "framework/ExceptionBarrier.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Captured while the program's static objects are built, which happens on its first thread.
const std::thread::id mainThreadId = std::this_thread::get_id();

struct TSyncEntry {
    const void* Owner = nullptr;
    TThreadMethod Method;
    // Set for a synchronized call: the handing thread waits on it.
    std::shared_ptr<std::promise<void>> Done;
    uint64_t Serial = 0;  // order of arrival
};

struct TSyncQueue {
    std::mutex Lock;
    std::deque<TSyncEntry> Entries;
    uint64_t LastSerial = 0;
    std::function<void()> Wake;
};

TSyncQueue& Queue()
{
    static TSyncQueue queue;
    return queue;
}

void Append(TSyncEntry Entry)
{
    TSyncQueue& q = Queue();
    std::function<void()> wake;
    {
        std::lock_guard<std::mutex> guard(q.Lock);
        Entry.Serial = ++q.LastSerial;
        q.Entries.push_back(std::move(Entry));
        wake = q.Wake;
    }
    if (wake)
        wake();
}

void Run(TSyncEntry& Entry) noexcept
{
    try {
        Entry.Method();
        if (Entry.Done)
            Entry.Done->set_value();
    } catch (...) {
        if (Entry.Done)
            Entry.Done->set_exception(std::current_exception());
        else
            HandleCurrentException();
    }
}

}  // namespace

bool IsMainThread()
{
    return std::this_thread::get_id() == mainThreadId;
}

void SynchronizeCall(const void* Owner, TThreadMethod Method)
{
    if (IsMainThread()) {
        Method();
        return;
    }
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    Append({Owner, std::move(Method), done});
    finished.get();  // raises what the call raised
}

void QueueCall(const void* Owner, TThreadMethod Method)
{
    Append({Owner, std::move(Method), nullptr});
}

void RemoveQueuedCalls(const void* Owner)
{
    TSyncQueue& q = Queue();
    std::lock_guard<std::mutex> guard(q.Lock);
    q.Entries.erase(std::remove_if(q.Entries.begin(), q.Entries.end(),
                                   [Owner](const TSyncEntry& e) { return e.Owner == Owner && !e.Done; }),
                    q.Entries.end());
}

bool HasWaitingCalls(const void* Owner)
{
    TSyncQueue& q = Queue();
    std::lock_guard<std::mutex> guard(q.Lock);
    return std::any_of(q.Entries.begin(), q.Entries.end(), [Owner](const TSyncEntry& e) { return e.Owner == Owner; });
}

bool CheckSynchronize()
{
    if (!IsMainThread())
        return false;
    TSyncQueue& q = Queue();
    uint64_t last;
    {
        std::lock_guard<std::mutex> guard(q.Lock);
        last = q.LastSerial;
    }
    bool ran = false;
    // One entry at a time, without the lock while it runs: a call may hand over more calls, or
    // remove queued ones (of an object it frees), and those removals must hold for this pass.
    for (;;) {
        TSyncEntry entry;
        {
            std::lock_guard<std::mutex> guard(q.Lock);
            if (q.Entries.empty() || q.Entries.front().Serial > last)
                break;
            entry = std::move(q.Entries.front());
            q.Entries.pop_front();
        }
        Run(entry);
        ran = true;
    }
    return ran;
}

void SetWakeMainThread(std::function<void()> Wake)
{
    TSyncQueue& q = Queue();
    std::lock_guard<std::mutex> guard(q.Lock);
    q.Wake = std::move(Wake);
}
