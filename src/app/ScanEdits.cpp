#include "app/ScanEdits.h"

#include <cmath>
#include <limits>

#include "scan/files/globals.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"

float RunningPairMean(TScanData& Scan)
{
    float Mean = std::numeric_limits<float>::quiet_NaN();
    for (TScanPoint* P = Scan.FirstPoint(); P != nullptr; P = Scan.NextPoint()) {
        if (P->Invalid != 0)
            continue;
        Mean = std::isnan(Mean) ? P->Value : (Mean + P->Value) / 2.0f;
    }
    return Mean;
}

void RemoveDummies(TScanData& Scan)
{
    const float Mean = RunningPairMean(Scan);
    for (TScanPoint* P = Scan.FirstPoint(); P != nullptr; P = Scan.NextPoint()) {
        if (P->Invalid == 0)
            continue;
        P->Value = Mean;
        P->DisplayValue = Mean;
        P->Invalid = std::isnan(Mean) ? 1 : 0;
    }
    Scan.RecomputeStatistics();
    Scan.Changed = 1;
}

float HalvedValue(float Value)
{
    if (!std::isfinite(Value))
        return Value;
    // Whole numbers are exact in a double far beyond any float, so dividing and dropping the
    // fraction there is the integer division without its overflow.
    return static_cast<float>(std::trunc(std::nearbyint(double(Value)) / 2.0));
}

void HalveScanValues(TScanData& Scan)
{
    Scan.ForEachStoredPoint([](TScanPoint& P) { P.Value = HalvedValue(P.Value); });
    Scan.Changed = 1;
}

void ApplyPaletteBands(TColorManager& Colors, const TPaletteBands& Bands)
{
    for (int i = 0; i < TColorManager::StopCount; ++i) {
        const TColorStop& Stop = Colors.Stops[size_t(i)];
        bool Enabled = true;
        switch (ColorGroupOf(Stop.R, Stop.G, Stop.B)) {
        case ColorGroupRed: Enabled = Bands.Red; break;
        case ColorGroupGreen: Enabled = Bands.Green; break;
        case ColorGroupBlue: Enabled = Bands.Blue; break;
        default: break;
        }
        Colors.SetStopEnabled(static_cast<uint8_t>(i), Enabled ? 1 : 0);
    }
}

void KeepPaletteBands(TColorManager& Colors, const TPaletteBands& Bands)
{
    Colors.OnStopsRebuilt = [&Bands](TColorManager* Sender) { ApplyPaletteBands(*Sender, Bands); };
}
