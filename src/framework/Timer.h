// TTimer: OnTimer every Interval milliseconds while Enabled, on a utility window, so that it
// ticks in every message loop (modal ones included).
#pragma once

#include "framework/Components.h"

#include <windows.h>

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    const char* ClassName() const override { return "TTimer"; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t Value);
    // May be replaced at any time; a tick without a handler does nothing.
    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    HWND window_ = nullptr;
    bool enabled_ = true;
    bool running_ = false;
    uint32_t interval_ = 1000;
};
