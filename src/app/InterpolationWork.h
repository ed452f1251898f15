// The interpolation command's work on the loaded scan: passes of neighbour averaging, one at a
// time so that the share done can be shown, then the statistics and colours of the new values.
#pragma once

#include <atomic>
#include <cstdint>

class TScanScene;

// Passes of smoothing (the same values as the renderer's SmoothScan with all passes at once);
// Progress holds the share of passes done, 0 to 100. The scan is marked changed and the
// renderer's list rebuilt at the next frame.
void InterpolateScan(TScanScene& Scene, uint8_t Passes, std::atomic<int>& Progress);
