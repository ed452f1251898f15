// The paint timer held off while something must not be drawn half-done (points changing under
// an edit); it runs again however that ends - an exception would otherwise stop all drawing for
// good.
#pragma once

#include "framework/Timer.h"

class TPaintTimerPause {
public:
    explicit TPaintTimerPause(TTimer* Timer) : timer_(Timer) { timer_->SetEnabled(false); }
    ~TPaintTimerPause() { timer_->SetEnabled(true); }
    TPaintTimerPause(const TPaintTimerPause&) = delete;
    TPaintTimerPause& operator=(const TPaintTimerPause&) = delete;

private:
    TTimer* timer_;
};
