// Driving the framework's own message loop from tests: wait on a condition with a time-out
// rather than for a fixed time wherever a condition exists.
#pragma once

#include <functional>

// Runs the application's loop for about Ms milliseconds.
void PumpFor(int Ms);
// Runs the loop until Done() is true or MaxMs passed; returns Done().
bool PumpUntil(const std::function<bool()>& Done, int MaxMs = 2000);
