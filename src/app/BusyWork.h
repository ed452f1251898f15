// Work on the loaded scan that may take seconds (interpolation, fault-signal correction of a
// large scan) runs on a worker thread, while the program's windows take no input and keep
// painting. Once the work has run for a moment, the hourglass shows and a status panel names
// the work, with the share done when the work reports one.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "framework/ValueKept.h"

class TElStatusPanel;
class TBusyDisplay;

// The share of the work done, 0 to 100, or -1 while unknown; written by the work.
using TWorkProgress = std::atomic<int>;
using TBusyWork = std::function<void(TWorkProgress& Progress)>;

// Runs Work to its end and returns then. The caller makes sure that nothing on the main thread
// touches what Work changes while it runs (the paint timer paused). An exception that leaves
// Work is raised again here. Panel gets its text back afterwards.
void RunBusyWork(TElStatusPanel* Panel, const std::u16string& What, const TBusyWork& Work);

// True while RunBusyWork waits or a TBusySteps lives: commands must not run then, since they
// would start other work or change what the work reads.
bool BusyWorkRunning();

// Work on the main thread that may take seconds and cannot move to a worker (compiling display
// lists needs the thread's rendering context). The work calls Step now and then. Once it has
// run for a moment, the hourglass and the panel's text show, OnShown is called, and each Step
// answers every message waiting, ten times a second at most: the windows keep their frames
// and contents drawn, menus open and close, a close is taken. The work's caller keeps
// everything that would enter the work out meanwhile: commands are refused while
// BusyWorkRunning answers true, which it does while the object lives; OnShown shows them
// refused. Panel gets its text back.
class TBusySteps {
public:
    TBusySteps(TElStatusPanel* Panel, const std::u16string& What, std::function<void()> OnShown = nullptr);
    ~TBusySteps();
    TBusySteps(const TBusySteps&) = delete;
    TBusySteps& operator=(const TBusySteps&) = delete;

    // Percent: the share done, 0 to 100, or -1 while unknown. True when messages were answered
    // (a paint may have made another rendering context current).
    bool Step(int Percent);

private:
    TValueKept<bool> busyWhile_;
    std::unique_ptr<TBusyDisplay> display_;
    std::function<void()> onShown_;
    std::chrono::steady_clock::time_point begin_;
    std::chrono::steady_clock::time_point answered_;
};
