#include "scan/model/_TColorManager.h"

#include <cmath>
#include <utility>

namespace {

struct TPaletteStop {
    float Percent;
    uint8_t Rgb[3][3];  // per scheme 0, 1, 2
};

// Stops 1..20 of the three palettes.
constexpr TPaletteStop Palette[20] = {
    {5, {{0, 0, 102}, {51, 51, 51}, {0, 0, 102}}},
    {10, {{0, 0, 153}, {77, 77, 77}, {0, 0, 153}}},
    {15, {{0, 0, 204}, {77, 77, 77}, {0, 0, 204}}},
    {20, {{0, 0, 255}, {102, 102, 102}, {0, 0, 255}}},
    {25, {{0, 77, 230}, {102, 102, 102}, {0, 77, 230}}},
    {30, {{0, 153, 242}, {128, 128, 128}, {0, 153, 242}}},
    {35, {{0, 217, 242}, {128, 128, 128}, {0, 217, 242}}},
    {40, {{0, 165, 204}, {153, 153, 153}, {0, 165, 204}}},
    {45, {{0, 140, 89}, {153, 153, 153}, {0, 140, 89}}},
    {50, {{0, 140, 51}, {179, 179, 179}, {0, 140, 51}}},
    {55, {{0, 140, 0}, {179, 179, 179}, {0, 140, 0}}},
    {60, {{0, 153, 0}, {204, 204, 204}, {0, 153, 0}}},
    {65, {{0, 166, 0}, {204, 204, 204}, {0, 166, 0}}},
    {70, {{0, 179, 0}, {230, 230, 230}, {0, 179, 0}}},
    {75, {{0, 230, 0}, {230, 230, 230}, {0, 230, 0}}},
    {80, {{255, 230, 0}, {20, 115, 2}, {0, 230, 0}}},
    {85, {{255, 166, 0}, {20, 115, 2}, {0, 230, 0}}},
    {90, {{255, 135, 0}, {0, 128, 0}, {0, 230, 0}}},
    {95, {{255, 77, 0}, {0, 179, 0}, {0, 230, 0}}},
    {200, {{255, 0, 0}, {0, 230, 0}, {0, 230, 0}}},
};

// A flat range (Max = Min) counts as a range of 1, so that percentages stay finite.
double RangeOf(float Min, float Max)
{
    const double range = double(Max) - double(Min);
    return range == 0.0 ? 1.0 : range;
}

float ValueAtPercent(float Percent, float Min, float Max)
{
    return float(double(Min) + (double(Max) - double(Min)) * double(Percent) / 100.0);
}

}  // namespace

void TColorManager::SetStopEnabled(uint8_t Index, uint8_t Enabled)
{
    if (Index < StopCount) Stops[Index].Enabled = Enabled;
}

void TColorManager::SetAllStopsEnabled(uint8_t Enabled)
{
    for (TColorStop& stop : Stops) stop.Enabled = Enabled;
}

void TColorManager::SetColorScheme(uint8_t Scheme, float Min, float Max, float Threshold)
{
    if (Scheme <= 2) {
        for (int i = 1; i < StopCount; ++i) {
            const TPaletteStop& source = Palette[i - 1];
            TColorStop& stop = Stops[i];
            stop.Percent = source.Percent;
            stop.R = source.Rgb[Scheme][0];
            stop.G = source.Rgb[Scheme][1];
            stop.B = source.Rgb[Scheme][2];
            stop.Value = ValueAtPercent(stop.Percent, Min, Max);
        }
    }

    // Stop 0 carries the threshold; a NaN threshold sits at 0 % (rounding NaN has no result).
    double thresholdPercent = (double(Threshold) - double(Min)) * 100.0 / RangeOf(Min, Max);
    thresholdPercent = std::isnan(thresholdPercent) ? 0.0 : std::nearbyint(thresholdPercent);
    TColorStop& threshold = Stops[0];
    threshold.Value = Threshold;
    threshold.Percent = float(thresholdPercent);
    const TRGBColor color = ColorOfPercent(threshold.Percent);
    threshold.R = color.R;
    threshold.G = color.G;
    threshold.B = color.B;
    ThresholdIndex = 0;

    // Stable bubble sort by Value: equal values keep their order. Neighbouring passes as the
    // scale has always done them, so that ties and NaN values end where they always did.
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int i = 0; i < StopCount - 1; ++i) {
            if (Stops[i].Value > Stops[i + 1].Value) {
                std::swap(Stops[i], Stops[i + 1]);
                if (ThresholdIndex == i)
                    ThresholdIndex = uint8_t(i + 1);
                else if (ThresholdIndex == i + 1)
                    ThresholdIndex = uint8_t(i);
                swapped = true;
            }
        }
    }

    DistributeStops(LowerLimit, UpperLimit, Min, Max);
    if (OnStopsRebuilt) OnStopsRebuilt(this);
}

void TColorManager::DistributeStops(float LowerPercent, float UpperPercent, float Min, float Max)
{
    Stops[0].Percent = LowerPercent;
    Stops[0].Value = ValueAtPercent(LowerPercent, Min, Max);

    // Stop 17 lands on the upper limit and stop 18 one step above it; stop 19 returns to the
    // upper limit and stop 20 keeps its palette position.
    const double step = (double(UpperPercent) - double(LowerPercent)) / 17.0;
    for (int i = 1; i <= 18; ++i) {
        TColorStop& stop = Stops[i];
        stop.Percent = float(double(LowerPercent) + i * step);
        if (i != ThresholdIndex) stop.Value = ValueAtPercent(stop.Percent, Min, Max);
    }
    Stops[19].Percent = UpperPercent;
    Stops[19].Value = ValueAtPercent(UpperPercent, Min, Max);
}

TRGBColor TColorManager::ColorOfPercent(float Percent) const
{
    // A NaN percent fails the first comparison and so gets stop 1's colour.
    int i = 1;
    while (i <= 19 && Percent >= Stops[i].Percent) ++i;
    const TColorStop& stop = Stops[i];
    return TRGBColor{stop.R, stop.G, stop.B};
}

TRGBColor TColorManager::ColorOfValue(float Value, float Min, float Max) const
{
    return ColorOfPercent(float((double(Value) - double(Min)) * 100.0 / RangeOf(Min, Max)));
}

bool TColorManager::SetUpperLimit(float Value)
{
    if (std::isnan(Value) || Value == UpperLimit || Value >= 100.0f || Value <= 0.0f) return false;
    UpperLimit = Value < LowerLimit ? LowerLimit : Value;
    return true;
}

bool TColorManager::SetLowerLimit(float Value)
{
    if (std::isnan(Value) || Value == LowerLimit || Value <= 0.0f || Value >= 100.0f) return false;
    LowerLimit = Value > UpperLimit ? UpperLimit : Value;
    return true;
}
