// TThread: a thread of the program, whose work is a derived class's Execute or a function.
//
// Life: construct (nothing runs), set FreeOnTerminate, Priority and OnTerminate, Start. Execute
// runs unless the thread was terminated before it began; afterwards OnTerminate runs on the main
// thread. Terminate only asks: Execute looks at Terminated (or sleeps in WaitTerminated, which
// Terminate wakes) and returns.
//
// Exceptions: nothing leaves the thread procedure. An exception that leaves Execute is kept as
// FatalException and handed to the exception handler of the barrier (the application's) on the
// main thread, after OnTerminate. An exception raised by a synchronized call is raised again in
// the thread that made the call.
//
// Waiting: WaitFor on the main thread keeps answering messages that other threads send to its
// windows and runs the calls they synchronize or queue, so a thread that does either while the
// main thread waits for it cannot deadlock. Calls the thread queued before it ended have run
// when WaitFor returns.
//
// A derived class whose Execute uses the derived class's own fields stops the thread in its own
// destructor (Terminate, WaitFor): by the time this class's destructor waits, they are gone.
#pragma once

#include "framework/Components.h"
#include "framework/Exceptions.h"
#include "framework/SyncQueue.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>

class EThread : public Exception {
public:
    using Exception::Exception;
};

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
public:
    using TThreadProc = std::function<void(TThread& Thread)>;

    // A thread whose work is the derived class's Execute.
    TThread();
    // A thread whose work is Proc (called with the thread, for Terminated and Synchronize).
    explicit TThread(TThreadProc Proc);
    // Terminates and waits for a thread that still runs (see the note above on derived classes).
    ~TThread() override;
    const char* ClassName() const override { return "TThread"; }

    // Creates the system thread and lets it run. Raises EThread when the thread was started
    // before or the system cannot create it.
    void Start();
    void Resume() { Start(); }

    void Terminate();
    bool Terminated() const { return terminated_.load(); }
    // For the thread's work: sleeps up to Ms milliseconds (INFINITE: no limit) and returns
    // early, with true, once the thread is terminated.
    bool WaitTerminated(uint32_t Ms) const;
    // Waits until the thread has ended and returns its ReturnValue; see the note above. Raises
    // EThread for a thread that frees itself or when called from the thread itself. A thread
    // that was never started is not waited for.
    int WaitFor();

    bool Started() const { return handle_ != nullptr; }
    bool Finished() const { return finished_.load(); }
    // Frees the object when the thread ends; such a thread cannot be waited for. Set it before Start.
    bool FreeOnTerminate = false;
    // Runs on the main thread after Execute, with the thread as Sender.
    TNotifyEvent OnTerminate;
    int ReturnValue() const { return returnValue_; }
    std::exception_ptr FatalException() const { return fatalException_; }

    HANDLE Handle() const { return handle_; }
    DWORD ThreadID() const { return threadId_; }
    TThreadPriority Priority() const { return priority_; }
    void SetPriority(TThreadPriority Value);

    // From the thread: runs Method on the main thread and waits / queues it there.
    void Synchronize(TThreadMethod Method);
    void Queue(TThreadMethod Method);
    // The same from any thread; Thread tags the call (queued calls of a freed thread are dropped).
    static void Synchronize(TThread* Thread, TThreadMethod Method);
    static void Queue(TThread* Thread, TThreadMethod Method);
    static void RemoveQueuedEvents(TThread* Thread);

    // A self-freeing thread that runs Proc; the caller starts it.
    static TThread* CreateAnonymousThread(std::function<void()> Proc);

protected:
    // The thread's work; the default runs the function given at construction.
    virtual void Execute();
    // Runs OnTerminate on the main thread (synchronized).
    virtual void DoTerminate();
    // Called by Terminate (on the terminating thread); a thread that waits on something of its
    // own wakes it here.
    virtual void TerminatedSet() {}
    void SetReturnValue(int Value) { returnValue_ = Value; }

private:
    static unsigned __stdcall ThreadProc(void* Self);
    void WaitForEnd();

    TThreadProc proc_;
    HANDLE handle_ = nullptr;
    DWORD threadId_ = 0;
    HANDLE terminateEvent_ = nullptr;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    int returnValue_ = 0;
    std::exception_ptr fatalException_;
    TThreadPriority priority_ = TThreadPriority::tpNormal;
};
