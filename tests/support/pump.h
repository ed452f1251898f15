// Driving the application's message loop from GUI tests. A test waits for what it expects:
// PumpUntil with the condition that shows it (a count reached, the posted messages handled,
// no window left to paint), always with a time-out, so that a fault fails the test instead of
// hanging it and a slow machine only takes longer. PumpUntilIdle is for the few steps where
// nothing observable marks the end of the work.
#pragma once

#include <functional>

// Runs the loop until Done() is true or MaxMs passed; returns Done().
bool PumpUntil(const std::function<bool()>& Done, int MaxMs = 2000);

// Conditions for PumpUntil.
// Posts a marker behind every message posted to this thread so far; the condition holds once
// the loop has dispatched the marker, that is once everything posted before it was handled.
// (Messages that those handlers post in turn come after the marker.)
std::function<bool()> PostedMessagesHandled();
// No window of this thread waits for WM_PAINT.
bool NothingToPaint();

// Runs the loop until no message came for QuietMs, or MaxMs passed; true when it got quiet.
bool PumpUntilIdle(int QuietMs = 30, int MaxMs = 2000);

// A blind wait of Ms milliseconds, kept only until the tests that still call it wait on
// their conditions; new tests use PumpUntil.
[[deprecated("wait on a condition with PumpUntil")]] void PumpFor(int Ms);
