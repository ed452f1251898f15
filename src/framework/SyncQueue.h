// The calls that other threads hand to the main (GUI) thread: Synchronize runs a call there and
// waits for it, Queue leaves it there and goes on. Both go into one queue, so the main thread
// runs them in the order in which they were handed over.
//
// The main thread runs the waiting calls in CheckSynchronize, which every message loop calls;
// a wake-up hook (installed by the thread class on Windows) makes a sleeping loop look. The
// queue itself is portable: it needs only a main thread that calls CheckSynchronize.
#pragma once

#include <functional>

using TThreadMethod = std::function<void()>;

// True on the thread that started the program.
bool IsMainThread();

// Runs Method on the main thread and waits until it has run. An exception it raises is raised
// again in the calling thread. On the main thread Method runs at once. Owner only tags the call.
void SynchronizeCall(const void* Owner, TThreadMethod Method);

// Appends Method to the main thread's queue and returns at once, from any thread (the main
// thread too: the call runs on its next CheckSynchronize). An exception it raises goes to the
// exception handler of the barrier. Owner tags the call for RemoveQueuedCalls.
void QueueCall(const void* Owner, TThreadMethod Method);

// Drops Owner's queued calls that have not started yet (an object that is freed drops the calls
// that would reach it). Synchronized calls are never dropped: their threads wait for them.
void RemoveQueuedCalls(const void* Owner);
// Whether a call of Owner (queued or synchronized) is waiting.
bool HasWaitingCalls(const void* Owner);

// On the main thread: runs the calls that are waiting when it starts, in order; calls added
// meanwhile wait for the next CheckSynchronize. True when any ran. Never throws. Elsewhere it
// does nothing and returns false.
bool CheckSynchronize();

// Called on the handing thread after each call is added, outside the queue's lock; it wakes
// the main thread's loop. An empty hook removes it.
void SetWakeMainThread(std::function<void()> Wake);
