// Work on the loaded scan that may take seconds (interpolation, fault-signal correction of a
// large scan) runs on a worker thread, while the program's windows take no input and keep
// painting. Once the work has run for a moment, the hourglass shows and a status panel names
// the work, with the share done when the work reports one.
#pragma once

#include <atomic>
#include <functional>
#include <string>

class TElStatusPanel;

// The share of the work done, 0 to 100, or -1 while unknown; written by the work.
using TWorkProgress = std::atomic<int>;
using TBusyWork = std::function<void(TWorkProgress& Progress)>;

// Runs Work to its end and returns then. The caller makes sure that nothing on the main thread
// touches what Work changes while it runs (the paint timer paused). An exception that leaves
// Work is raised again here. Panel gets its text back afterwards.
void RunBusyWork(TElStatusPanel* Panel, const std::u16string& What, const TBusyWork& Work);

// True while RunBusyWork waits: commands that would start other work must not run then.
bool BusyWorkRunning();
