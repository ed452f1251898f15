// TElTimerPool: any number of software timers run from one tick source, so that a component
// with several timers costs one system timer. The source is a window timer (10 ms), a 1 ms
// multimedia timer or a tick thread; every source only posts to the pool's hidden window, so
// every timer event runs on the thread that made the pool.
//
// Invariant: a source runs exactly while at least one item is enabled and the pool is neither
// loading nor being destroyed.
#pragma once

#include "widgets/el/foundation/ElComponent.h"

#include "framework/Messages.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

enum TElTimerMode : uint8_t { eltWindows, eltMMedia, eltThread };

class TElTimerPool;
class TElTimerPoolItem;
class TElTimerPoolItems;

class TCustomElTimer : public TObject {
public:
    TCustomElTimer() = default;
    ~TCustomElTimer() override;
    const char* ClassName() const override { return "TCustomElTimer"; }

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool Value);
    uint32_t Interval() const { return interval_; }
    // 0 and an unchanged value are ignored; an enabled timer restarts.
    void SetInterval(uint32_t Value);
    // Switches the timer off before it fires.
    bool OneTime = false;
    TNotifyEvent OnTimer;
    int32_t Tag = 0;

    // One firing: a one-shot timer switches itself off first, then the event runs.
    virtual void Tick();
    virtual void DoTimer();

protected:
    // False once the timer is freed; a firing loop keeps a copy to notice an event that frees it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

private:
    bool enabled_ = false;
    uint32_t interval_ = 1000;
};

class TElPoolTimer : public TCustomElTimer {
public:
    explicit TElPoolTimer(TElTimerPoolItem* AItem) : Item(AItem) {}
    const char* ClassName() const override { return "TElPoolTimer"; }

    using TCustomElTimer::Tick;
    void SetEnabled(bool Value) override;
    // Adds Delta ms; once Interval is reached the timer fires Elapsed div Interval times in a
    // row (stopping when it is switched off or freed) and the remainder is dropped.
    void Tick(uint32_t Delta);
    // A copy of the liveness token (see TCustomElTimer::alive_).
    std::shared_ptr<bool> AliveToken() const { return alive_; }

    uint32_t Elapsed = 0;
    TElTimerPoolItem* const Item;
};

class TElTimerPoolItem : public TPersistent {
public:
    explicit TElTimerPoolItem(TElTimerPoolItems* ACollection);
    ~TElTimerPoolItem() override;
    const char* ClassName() const override { return "TElTimerPoolItem"; }
    // Copies Tag, Interval, OneTime and Enabled, in that order (not OnTimer).
    void Assign(const TPersistent* Source) override;

    bool Enabled() const { return timer_.Enabled(); }
    void SetEnabled(bool Value);
    uint32_t Interval() const { return timer_.Interval(); }
    void SetInterval(uint32_t Value) { timer_.SetInterval(Value); }
    bool OneTime() const { return timer_.OneTime; }
    void SetOneTime(bool Value) { timer_.OneTime = Value; }
    int32_t Tag() const { return timer_.Tag; }
    void SetTag(int32_t Value) { timer_.Tag = Value; }
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    // The event runs with the item as Sender.
    void SetOnTimer(TNotifyEvent Value);

    TElPoolTimer& Timer() { return timer_; }
    TElTimerPoolItems* Collection() const { return collection_; }

private:
    TElTimerPoolItems* collection_;
    TElPoolTimer timer_;
    TNotifyEvent onTimer_;
};

class TElTimerPoolItems : public TPersistent {
public:
    explicit TElTimerPoolItems(TElTimerPool* APool) : pool_(APool) {}
    ~TElTimerPoolItems() override;
    const char* ClassName() const override { return "TElTimerPoolItems"; }

    // A new disabled item with interval 1000.
    TElTimerPoolItem* Add();
    TElTimerPoolItem* operator[](int Index) const { return items_.at(static_cast<size_t>(Index)).get(); }
    TElTimerPoolItem* Items(int Index) const { return (*this)[Index]; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Delete(int Index);
    void Clear();
    TElTimerPool* Pool() const { return pool_; }
    // An item's state changed: the pool checks its source.
    void Changed(TElTimerPoolItem* Item);

private:
    TElTimerPool* pool_;
    std::vector<std::unique_ptr<TElTimerPoolItem>> items_;
};

class TTimerThread;

class TElTimerPool : public TElComponent {
public:
    explicit TElTimerPool(TComponent* AOwner);
    ~TElTimerPool() override;
    const char* ClassName() const override { return "TElTimerPool"; }

    TElTimerPoolItems& Items() { return *items_; }
    TElTimerMode TimerMode() const { return timerMode_; }
    void SetTimerMode(TElTimerMode Value);
    // Precise means the multimedia source.
    bool Precise() const { return timerMode_ == eltMMedia; }
    virtual void SetPrecise(bool Value);
    // Starts or stops the source so that it runs exactly while an item is enabled. Enable
    // says which way the caller's item went; the decision rests on all items.
    virtual void Prepare(bool Enable);
    void Loaded() override;
    void BeforeDestruction() override;

    HWND Handle() const { return handle_; }
    bool SourceRunning() const { return sourceRunning_; }
    bool Suspended() const { return suspended_; }

    // The millisecond clock of the window-timer and thread sources (timeGetTime by default);
    // tests replace it to drive the pool with exact deltas.
    std::function<uint32_t()> Clock;

private:
    void StartSource();
    void StopSource();
    bool AnyItemEnabled() const;
    void WndProc(TMessage& Message);
    void TickAll(uint32_t Delta);
    void Shutdown();

    std::unique_ptr<TElTimerPoolItems> items_;
    UINT_PTR windowTimer_ = 0;
    UINT mmTimer_ = 0;
    std::unique_ptr<TTimerThread> thread_;
    bool sourceRunning_ = false;
    uint32_t lastTick_ = 0;
    TElTimerMode timerMode_ = eltWindows;
    HWND handle_ = nullptr;
    bool suspended_ = false;
    bool shuttingDown_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// RegisterWindowMessageA("El Timer pool tick message").
UINT TickMessage();
