#include "framework/Timer.h"

#include "framework/UtilityWindow.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    window_ = AllocateHWnd([this](TMessage& m) {
        if (m.Msg != WM_TIMER)
            return false;
        Timer();
        return true;
    });
    UpdateTimer();
}

TTimer::~TTimer()
{
    enabled_ = false;
    UpdateTimer();
    DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == enabled_)
        return;
    enabled_ = Value;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t Value)
{
    if (Value == interval_)
        return;
    interval_ = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (running_) {
        KillTimer(window_, 1);
        running_ = false;
    }
    if (enabled_ && interval_ > 0 && !IsDestroying() && window_)
        running_ = SetTimer(window_, 1, interval_, nullptr) != 0;
}

void TTimer::Timer()
{
    // A tick already queued when the timer was switched off is dropped.
    if (enabled_ && OnTimer && !IsDestroying())
        OnTimer(this);
}
