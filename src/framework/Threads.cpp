#include "framework/Threads.h"

#include "framework/ExceptionBarrier.h"
#include "framework/UtilityWindow.h"

#include <process.h>

#include <mutex>
#include <string>

namespace {

// Built with the program's static objects, on its first thread.
const DWORD mainThreadNativeId = GetCurrentThreadId();

constexpr UINT WM_SYNCHRONIZE_WAKE = WM_APP;

// Set whenever a call is handed to the main thread; a main thread in WaitFor wakes on it.
HANDLE SyncEvent()
{
    static const HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    return event;
}

// The main thread's window for wake-up messages. Its messages are dispatched by every loop,
// the system's own modal loops (message boxes, menus) included, so queued calls run there too.
std::atomic<HWND> syncWindow{nullptr};
// One wake-up message in the queue is enough, however many calls are handed over meanwhile.
std::atomic<bool> wakePosted{false};

void WakeMainThread()
{
    SetEvent(SyncEvent());
    if (HWND window = syncWindow.load()) {
        if (!wakePosted.exchange(true) && !PostMessageW(window, WM_SYNCHRONIZE_WAKE, 0, 0))
            wakePosted = false;
        return;
    }
    // No window yet: a thread message still ends the main loop's WaitMessage.
    PostThreadMessageW(mainThreadNativeId, WM_NULL, 0, 0);
}

// Installs the wake-up hook once, and the window as soon as the main thread comes by.
void InstallWakeUp()
{
    static std::once_flag hooked;
    std::call_once(hooked, [] { SetWakeMainThread(WakeMainThread); });
    if (!IsMainThread() || syncWindow.load())
        return;
    syncWindow = AllocateHWnd([](TMessage& m) {
        if (m.Msg != WM_SYNCHRONIZE_WAKE)
            return false;
        wakePosted = false;
        CheckSynchronize();
        return true;
    });
}

int WindowsPriority(TThreadPriority Priority)
{
    switch (Priority) {
    case TThreadPriority::tpIdle: return THREAD_PRIORITY_IDLE;
    case TThreadPriority::tpLowest: return THREAD_PRIORITY_LOWEST;
    case TThreadPriority::tpLower: return THREAD_PRIORITY_BELOW_NORMAL;
    case TThreadPriority::tpNormal: return THREAD_PRIORITY_NORMAL;
    case TThreadPriority::tpHigher: return THREAD_PRIORITY_ABOVE_NORMAL;
    case TThreadPriority::tpHighest: return THREAD_PRIORITY_HIGHEST;
    case TThreadPriority::tpTimeCritical: return THREAD_PRIORITY_TIME_CRITICAL;
    }
    return THREAD_PRIORITY_NORMAL;
}

std::u16string ErrorCodeText(DWORD Code)
{
    const std::string digits = std::to_string(Code);
    return std::u16string(digits.begin(), digits.end());
}

// Runs the handler of the barrier with E on the main thread, never dropped with an object.
void ReportOnMainThread(std::exception_ptr E)
{
    QueueCall(nullptr, [E] { std::rethrow_exception(E); });
}

}  // namespace

TThread::TThread() : TThread(TThreadProc()) {}

TThread::TThread(TThreadProc Proc) : proc_(std::move(Proc))
{
    InstallWakeUp();
    terminateEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!terminateEvent_)
        throw EThread(u"Thread error: cannot create its event (" + ErrorCodeText(GetLastError()) + u")");
}

TThread::~TThread()
{
    if (handle_ && !finished_ && GetCurrentThreadId() != threadId_) {
        Terminate();
        WaitForEnd();
    }
    RemoveQueuedCalls(this);
    if (handle_)
        CloseHandle(handle_);
    CloseHandle(terminateEvent_);
}

void TThread::Start()
{
    if (handle_)
        throw EThread(u"Thread error: the thread was started before");
    InstallWakeUp();
    unsigned id = 0;
    const uintptr_t h = _beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id);
    if (!h)
        throw EThread(u"Thread error: cannot create the thread (" + ErrorCodeText(GetLastError()) + u")");
    handle_ = reinterpret_cast<HANDLE>(h);
    threadId_ = id;
    if (priority_ != TThreadPriority::tpNormal)
        SetThreadPriority(handle_, WindowsPriority(priority_));
    // From here a self-freeing thread may be gone at any moment: nothing touches it any more.
    ResumeThread(reinterpret_cast<HANDLE>(h));
}

void TThread::SetPriority(TThreadPriority Value)
{
    priority_ = Value;
    if (handle_)
        SetThreadPriority(handle_, WindowsPriority(Value));
}

void TThread::Terminate()
{
    terminated_ = true;
    SetEvent(terminateEvent_);
    TerminatedSet();
}

bool TThread::WaitTerminated(uint32_t Ms) const
{
    if (Terminated())
        return true;
    return WaitForSingleObject(terminateEvent_, Ms) == WAIT_OBJECT_0;
}

int TThread::WaitFor()
{
    if (FreeOnTerminate)
        throw EThread(u"Thread error: a thread that frees itself cannot be waited for");
    if (handle_ && GetCurrentThreadId() == threadId_)
        throw EThread(u"Thread error: a thread cannot wait for itself");
    WaitForEnd();
    return returnValue_;
}

void TThread::WaitForEnd()
{
    if (!handle_)
        return;
    if (!IsMainThread()) {
        WaitForSingleObject(handle_, INFINITE);
        return;
    }
    InstallWakeUp();
    const HANDLE handles[2] = {handle_, SyncEvent()};
    for (;;) {
        const DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0)
            break;
        if (r == WAIT_OBJECT_0 + 1) {
            CheckSynchronize();
        } else if (r == WAIT_OBJECT_0 + 2) {
            // Delivers the messages other threads sent; posted ones stay for the loop.
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        } else {
            // The handles are ours and valid; a failing wait must not spin.
            WaitForSingleObject(handle_, INFINITE);
            break;
        }
    }
    // What the thread queued before it ended runs now, in its order.
    CheckSynchronize();
}

void TThread::Execute()
{
    if (proc_)
        proc_(*this);
}

void TThread::DoTerminate()
{
    if (OnTerminate)
        Synchronize([this] { OnTerminate(this); });
}

void TThread::Synchronize(TThreadMethod Method)
{
    SynchronizeCall(this, std::move(Method));
}

void TThread::Queue(TThreadMethod Method)
{
    QueueCall(this, std::move(Method));
}

void TThread::Synchronize(TThread* Thread, TThreadMethod Method)
{
    SynchronizeCall(Thread, std::move(Method));
}

void TThread::Queue(TThread* Thread, TThreadMethod Method)
{
    QueueCall(Thread, std::move(Method));
}

void TThread::RemoveQueuedEvents(TThread* Thread)
{
    RemoveQueuedCalls(Thread);
}

TThread* TThread::CreateAnonymousThread(std::function<void()> Proc)
{
    auto* thread = new TThread([Proc = std::move(Proc)](TThread&) { Proc(); });
    thread->FreeOnTerminate = true;
    return thread;
}

unsigned __stdcall TThread::ThreadProc(void* Self)
{
    auto* thread = static_cast<TThread*>(Self);
    // Nothing may unwind into the system's thread start: every step catches for itself.
    try {
        if (!thread->Terminated())
            thread->Execute();
    } catch (...) {
        thread->fatalException_ = std::current_exception();
    }
    const std::exception_ptr fatal = thread->fatalException_;
    try {
        thread->DoTerminate();
    } catch (...) {
        const std::exception_ptr e = std::current_exception();
        Guarded([e] { ReportOnMainThread(e); });
    }
    if (fatal)
        Guarded([fatal] { ReportOnMainThread(fatal); });
    const unsigned result = static_cast<unsigned>(thread->returnValue_);
    thread->finished_ = true;
    if (thread->FreeOnTerminate) {
        Guarded([thread] {
            // Its queued calls run before it goes, rather than being dropped with it.
            if (HasWaitingCalls(thread))
                SynchronizeCall(nullptr, [] {});
            delete thread;
        });
    }
    return result;
}
