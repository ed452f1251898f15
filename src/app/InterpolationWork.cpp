#include "app/InterpolationWork.h"

#include "scan/render/ScanScene.h"

void InterpolateScan(TScanScene& Scene, uint8_t Passes, std::atomic<int>& Progress)
{
    if (!Scene.ScanData)
        return;
    for (uint8_t pass = 0; pass < Passes; ++pass) {
        Progress = 100 * pass / Passes;
        Scene.SmoothScan(1);
    }
    Progress = 100;
    // The smoothed values have other extremes, and the colours follow them.
    Scene.ScanData->RecomputeStatistics();
    Scene.ScanData->Changed = 1;
    Scene.Rebuild = 1;
}
