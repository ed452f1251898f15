#include "framework/Delays.h"

#include <chrono>
#include <thread>

namespace {
void RealSleep(uint32_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
}  // namespace

std::function<void(uint32_t)>& SleepSeam()
{
    static std::function<void(uint32_t)> seam = RealSleep;
    return seam;
}

void ResetSleepSeam()
{
    SleepSeam() = RealSleep;
}

void Delay(uint32_t Milliseconds)
{
    auto& seam = SleepSeam();
    if (seam)
        seam(Milliseconds);
}
