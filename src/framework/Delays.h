// Waiting through a seam, so that tests of code with fixed waits do not wait.
#pragma once

#include <cstdint>
#include <functional>

// The function that sleeps; a test replaces it (for example to record the waits).
std::function<void(uint32_t Milliseconds)>& SleepSeam();
void ResetSleepSeam();
void Delay(uint32_t Milliseconds);
