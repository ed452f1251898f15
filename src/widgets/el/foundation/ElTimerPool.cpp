#include "widgets/el/foundation/ElTimerPool.h"

#include "widgets/el/foundation/ElToolsWin.h"

#include "framework/ExceptionBarrier.h"
#include "framework/Exceptions.h"
#include "framework/Threads.h"

#include <mmsystem.h>

#include <string>

namespace {

constexpr UINT_PTR kWindowTimerId = 1234;
constexpr UINT kWindowTimerPeriod = 10;

// The event tick threads wait on; it is never signalled, so each wait is a 1 ms sleep.
HANDLE NeverSignalled()
{
    static const HANDLE event = [] {
        HANDLE e = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (!e) {
            const DWORD code = GetLastError();
            throw EOSError(u"System Error. Code: " + [code] {
                std::string s = std::to_string(code);
                return std::u16string(s.begin(), s.end());
            }(), code);
        }
        return e;
    }();
    return event;
}

// Posts a tick to the pool's window; the window handle is the user value, so a callback that
// runs late finds no window rather than a freed pool.
void CALLBACK MultimediaTick(UINT, UINT, DWORD_PTR User, DWORD_PTR, DWORD_PTR)
{
    PostMessageW(reinterpret_cast<HWND>(User), TickMessage(), 0, 0);
}

void CALLBACK ThreadTick(UINT, UINT, DWORD_PTR User, DWORD_PTR, DWORD_PTR)
{
    PostMessageW(reinterpret_cast<HWND>(User), WM_TIMER, 0, 0);
}

uint32_t SystemClock()
{
    return timeGetTime();
}

}  // namespace

UINT TickMessage()
{
    static const UINT message = RegisterWindowMessageA("El Timer pool tick message");
    return message;
}

// ---- TTimerThread

// A thread that calls its callback every Interval ms until terminated. Only the callback runs on
// the thread; it must not touch the pool.
class TTimerThread : public TThread {
public:
    using TCallback = void(CALLBACK*)(UINT Id, UINT Msg, DWORD_PTR User, DWORD_PTR Dw1, DWORD_PTR Dw2);

    TTimerThread(uint32_t AInterval, TCallback ACallback, DWORD_PTR AUser)
        : Interval(AInterval < 1 ? 1 : AInterval), Callback(ACallback), User(AUser), wait_(NeverSignalled())
    {
        SetPriority(TThreadPriority::tpHigher);
        Start();
    }
    // Stops and joins the thread while the fields its Execute reads still exist.
    ~TTimerThread() override
    {
        Terminate();
        WaitFor();
    }

    const uint32_t Interval;
    const TCallback Callback;
    const DWORD_PTR User;

protected:
    void Execute() override
    {
        while (!Terminated()) {
            WaitForSingleObject(wait_, Interval);
            if (Terminated())
                break;
            Callback(0, TickMessage(), User, 0, 0);
        }
    }

private:
    const HANDLE wait_;
};

// ---- TCustomElTimer

TCustomElTimer::~TCustomElTimer()
{
    *alive_ = false;
}

void TCustomElTimer::SetEnabled(bool Value)
{
    enabled_ = Value;
}

void TCustomElTimer::SetInterval(uint32_t Value)
{
    if (Value == 0 || Value == interval_)
        return;
    interval_ = Value;
    if (enabled_) {
        SetEnabled(false);
        SetEnabled(true);
    }
}

void TCustomElTimer::Tick()
{
    if (OneTime)
        SetEnabled(false);
    DoTimer();
}

void TCustomElTimer::DoTimer()
{
    if (OnTimer)
        OnTimer(this);
}

// ---- TElPoolTimer

void TElPoolTimer::SetEnabled(bool Value)
{
    if (Value == Enabled())
        return;
    TCustomElTimer::SetEnabled(Value);
    if (Value)
        Elapsed = 0;
    if (Item && Item->Collection() && Item->Collection()->Pool())
        Item->Collection()->Pool()->Prepare(Value);
}

void TElPoolTimer::Tick(uint32_t Delta)
{
    if (!Enabled())
        return;
    Elapsed += Delta;
    if (Elapsed < Interval())
        return;
    const uint32_t firings = Elapsed / Interval();
    const std::shared_ptr<bool> alive = alive_;
    for (uint32_t i = 0; i < firings; ++i) {
        TCustomElTimer::Tick();
        if (!*alive)
            return;  // the event freed this timer (or its pool)
        if (!Enabled())
            break;
    }
    Elapsed = 0;
}

// ---- TElTimerPoolItem

TElTimerPoolItem::TElTimerPoolItem(TElTimerPoolItems* ACollection) : collection_(ACollection), timer_(this) {}

TElTimerPoolItem::~TElTimerPoolItem()
{
    SetEnabled(false);
}

void TElTimerPoolItem::SetEnabled(bool Value)
{
    if (Value == timer_.Enabled())
        return;
    timer_.SetEnabled(Value);
    if (collection_)
        collection_->Changed(this);
}

void TElTimerPoolItem::SetOnTimer(TNotifyEvent Value)
{
    onTimer_ = std::move(Value);
    if (onTimer_)
        timer_.OnTimer = [this](TObject*) {
            // A copy: the handler may replace the event (or free the item).
            TNotifyEvent handler = onTimer_;
            handler(this);
        };
    else
        timer_.OnTimer = nullptr;
}

void TElTimerPoolItem::Assign(const TPersistent* Source)
{
    if (auto* other = dynamic_cast<const TElTimerPoolItem*>(Source)) {
        SetTag(other->Tag());
        SetInterval(other->Interval());
        SetOneTime(other->OneTime());
        SetEnabled(other->Enabled());
        return;
    }
    TPersistent::Assign(Source);
}

// ---- TElTimerPoolItems

TElTimerPoolItems::~TElTimerPoolItems()
{
    Clear();
}

TElTimerPoolItem* TElTimerPoolItems::Add()
{
    items_.push_back(std::make_unique<TElTimerPoolItem>(this));
    return items_.back().get();
}

void TElTimerPoolItems::Delete(int Index)
{
    std::unique_ptr<TElTimerPoolItem> item = std::move(items_.at(static_cast<size_t>(Index)));
    items_.erase(items_.begin() + Index);
    item.reset();  // disables itself, so the pool may stop its source
}

void TElTimerPoolItems::Clear()
{
    while (!items_.empty())
        Delete(Count() - 1);
}

void TElTimerPoolItems::Changed(TElTimerPoolItem* Item)
{
    if (pool_ && !(pool_->ComponentState() & (csLoading | csReading)))
        pool_->Prepare(Item->Enabled());
}

// ---- TElTimerPool

TElTimerPool::TElTimerPool(TComponent* AOwner) : TElComponent(AOwner), Clock(SystemClock)
{
    handle_ = ElAllocateHWnd(this, [this](TMessage& m) { WndProc(m); });
    items_ = std::make_unique<TElTimerPoolItems>(this);
}

TElTimerPool::~TElTimerPool()
{
    Shutdown();
}

void TElTimerPool::BeforeDestruction()
{
    Shutdown();
    TElComponent::BeforeDestruction();
}

void TElTimerPool::Shutdown()
{
    if (shuttingDown_)
        return;
    shuttingDown_ = true;
    *alive_ = false;
    // The source goes first: its thread is joined and its callbacks are over before anything
    // they could reach is freed.
    StopSource();
    items_->Clear();
    ElDeallocateHWnd(handle_);
    handle_ = nullptr;
}

bool TElTimerPool::AnyItemEnabled() const
{
    for (int i = 0; i < items_->Count(); ++i)
        if ((*items_)[i]->Enabled())
            return true;
    return false;
}

void TElTimerPool::Prepare(bool)
{
    if (shuttingDown_ || IsDesigning() || IsLoading() || !items_)
        return;
    if (AnyItemEnabled())
        StartSource();
    else
        StopSource();
}

void TElTimerPool::Loaded()
{
    TElComponent::Loaded();
    Prepare(true);
}

void TElTimerPool::StartSource()
{
    if (sourceRunning_ || !handle_)
        return;
    switch (timerMode_) {
    case eltWindows:
        windowTimer_ = SetTimer(handle_, kWindowTimerId, kWindowTimerPeriod, nullptr);
        sourceRunning_ = windowTimer_ != 0;
        break;
    case eltMMedia:
        mmTimer_ = timeSetEvent(1, 1, MultimediaTick, reinterpret_cast<DWORD_PTR>(handle_),
                                TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
        sourceRunning_ = mmTimer_ != 0;
        break;
    case eltThread:
        // A thread that cannot be made leaves the source off; the next enable tries again.
        try {
            thread_ = std::make_unique<TTimerThread>(1, ThreadTick, reinterpret_cast<DWORD_PTR>(handle_));
        } catch (const EThread&) {
            thread_.reset();
        }
        sourceRunning_ = thread_ != nullptr;
        break;
    }
    lastTick_ = Clock();
}

void TElTimerPool::StopSource()
{
    if (!sourceRunning_)
        return;
    if (windowTimer_)
        KillTimer(handle_, kWindowTimerId);
    if (mmTimer_)
        timeKillEvent(mmTimer_);  // synchronous: no callback runs after it returns
    thread_.reset();              // terminates and joins
    windowTimer_ = 0;
    mmTimer_ = 0;
    sourceRunning_ = false;
}

void TElTimerPool::SetTimerMode(TElTimerMode Value)
{
    if (Value == timerMode_)
        return;
    const bool running = sourceRunning_;
    StopSource();
    timerMode_ = Value;
    if (running)
        StartSource();
}

void TElTimerPool::SetPrecise(bool Value)
{
    SetTimerMode(Value ? eltMMedia : eltWindows);
}

void TElTimerPool::TickAll(uint32_t Delta)
{
    // Events may free items, the pool, or switch timers: walk a snapshot and check liveness.
    const std::shared_ptr<bool> poolAlive = alive_;
    std::vector<std::pair<TElPoolTimer*, std::shared_ptr<bool>>> timers;
    timers.reserve(static_cast<size_t>(items_->Count()));
    for (int i = 0; i < items_->Count(); ++i)
        timers.emplace_back(&(*items_)[i]->Timer(), (*items_)[i]->Timer().AliveToken());
    for (auto& [timer, alive] : timers) {
        if (!*poolAlive)
            return;
        // One failing event costs its own timer this tick, not the others.
        if (*alive)
            Guarded([&] { timer->Tick(Delta); });
    }
}

void TElTimerPool::WndProc(TMessage& Message)
{
    const UINT msg = Message.Msg;
    if (msg == TickMessage()) {
        if (suspended_)
            return;
        if (timerMode_ == eltMMedia) {
            TickAll(1);
        } else if (timerMode_ == eltThread) {
            if (Message.WParam != 0) {
                const intptr_t index = Message.LParam;
                if (index >= 0 && index < items_->Count())
                    (*items_)[static_cast<int>(index)]->Timer().TCustomElTimer::Tick();
            } else {
                TickAll(1);
            }
        }
        return;
    }
    switch (msg) {
    case WM_TIMER: {
        const uint32_t now = Clock();
        const uint32_t delta = now - lastTick_;  // modulo 2^32: the counter's wrap is harmless
        lastTick_ = now;
        if (!suspended_)
            TickAll(delta);
        return;
    }
    case WM_POWERBROADCAST:
        if (Message.WParam == PBT_APMSUSPEND || Message.WParam == PBT_APMSTANDBY) {
            suspended_ = true;
        } else if (Message.WParam == PBT_APMRESUMECRITICAL || Message.WParam == PBT_APMRESUMESUSPEND ||
                   Message.WParam == PBT_APMRESUMEAUTOMATIC) {
            suspended_ = false;
            lastTick_ = Clock();
        }
        break;
    default:
        break;
    }
    Message.Result = DefWindowProcA(handle_, msg, Message.WParam, Message.LParam);
}
