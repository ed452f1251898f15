// Time for the simulated USB devices: bytes arrive on a line at its baud rate, and reads wait
// for them up to their time-out. The library built as a DLL runs on the real clock; tests and
// fuzz targets give the simulation a virtual clock, on which waiting costs nothing.
#pragma once

#include <cstdint>

namespace ftsim {

class Clock {
public:
    virtual ~Clock() = default;
    // Microseconds since an arbitrary start; never goes backwards.
    virtual uint64_t NowUs() = 0;
    // Returns once NowUs() >= Us (at once when that time has passed).
    virtual void WaitUntil(uint64_t Us) = 0;
};

// The machine's monotonic clock; waiting sleeps.
class RealClock final : public Clock {
public:
    uint64_t NowUs() override;
    void WaitUntil(uint64_t Us) override;
};

// A clock that moves only when something waits on it or a test advances it.
class VirtualClock final : public Clock {
public:
    uint64_t NowUs() override { return now_; }
    void WaitUntil(uint64_t Us) override
    {
        if (Us > now_)
            now_ = Us;
    }
    void Advance(uint64_t Us) { now_ += Us; }
    uint64_t NowMs() const { return now_ / 1000; }

private:
    uint64_t now_ = 0;
};

} // namespace ftsim
