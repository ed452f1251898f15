// Driving the application's message loop from GUI tests. A test waits for what it expects:
// PumpUntil with the condition that shows it (a count reached, the posted messages handled,
// no window left to paint), always with a time-out, so that a fault fails the test instead of
// hanging it and a slow machine only takes longer. What must not happen is shown by a witness
// that must happen first (TimerWitness), never by waiting a while and looking.
#pragma once

#include <cstdint>
#include <functional>

// How long a test waits for what it expects before it gives up: minutes, since the time-out
// only ends a wait that a fault made endless. A busy machine (other builds and test runs beside
// this one, two cores) makes things take far longer than on an idle one, never forever.
constexpr int kPatienceMs = 3 * 60 * 1000;

// Runs the loop until Done() is true or MaxMs passed; returns Done().
bool PumpUntil(const std::function<bool()>& Done, int MaxMs = kPatienceMs);

// Conditions for PumpUntil.
// Posts a marker behind every message posted to this thread so far; the condition holds once
// the loop has dispatched the marker, that is once everything posted before it was handled.
// (Messages that those handlers post in turn come after the marker.)
std::function<bool()> PostedMessagesHandled();
// No window of this thread waits for WM_PAINT.
bool NothingToPaint();

// Waits until everything posted so far was handled, then until every window is painted; both
// waits run, each with MaxMs. True when both conditions came.
bool Settled(int MaxMs = kPatienceMs);

// The witness that something did not happen: a system timer of the test thread that counts
// its ticks. The loop takes a timer tick only when no posted message, input or paint is
// waiting, and the timers that fell due first go first. So once the witness ticked,
// everything posted before it was made has been handled, and what that posted in turn; and a
// timer of no longer an interval that was started before the witness has fired by the
// witness's second tick at the latest.
class TimerWitness {
public:
    explicit TimerWitness(int IntervalMs = 10);
    ~TimerWitness();
    TimerWitness(const TimerWitness&) = delete;
    TimerWitness& operator=(const TimerWitness&) = delete;

    int Ticks() const { return ticks_; }
    // Condition for PumpUntil: the witness ticked Count times since it was made.
    std::function<bool()> Ticked(int Count) const;

private:
    uintptr_t id_;
    int ticks_ = 0;
};

// Waits for one tick of a fresh witness: everything posted so far was handled, and whatever
// that posted in turn, so a state read afterwards is the one that stays. True when it ticked.
bool NothingFollows();

// Blind waits, kept only for tests written on other branches before the conditions above
// existed; no test on main calls them. Runs the loop until no message came for QuietMs.
bool PumpUntilIdle(int QuietMs = 30, int MaxMs = kPatienceMs);
[[deprecated("wait on a condition with PumpUntil")]] void PumpFor(int Ms);
