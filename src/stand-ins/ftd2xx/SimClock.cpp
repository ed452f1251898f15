#include "SimClock.h"

#include <chrono>
#include <thread>

namespace ftsim {

uint64_t RealClock::NowUs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

void RealClock::WaitUntil(uint64_t Us)
{
    const uint64_t now = NowUs();
    if (Us > now)
        std::this_thread::sleep_for(std::chrono::microseconds(Us - now));
}

} // namespace ftsim
