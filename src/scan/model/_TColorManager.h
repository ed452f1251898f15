// The colour scale: 21 stops over the value range of a scan, looked up by step, never blended.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

struct TColorStop {
    float Percent = 0.0f;  // position in percent of the range Min..Max
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    float Value = 0.0f;  // the value at Percent; the threshold stop keeps the threshold
    uint8_t Enabled = 0;
};

struct TRGBColor {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
};

class TColorManager {
public:
    static constexpr int StopCount = 21;

    float UpperLimit = 95.0f;  // percent
    float LowerLimit = 5.0f;   // percent
    std::array<TColorStop, StopCount> Stops{};
    uint8_t ThresholdIndex = 0;

    // Called after every rebuild of the stops (SetColorScheme). The sort moves whole stops,
    // Enabled included, so the owner derives Enabled again here.
    std::function<void(TColorManager* Sender)> OnStopsRebuilt;

    // Index 0..20; any other index is ignored.
    void SetStopEnabled(uint8_t Index, uint8_t Enabled);
    void SetAllStopsEnabled(uint8_t Enabled);

    // Schemes 0..2 load a palette; any other scheme keeps the current stops and only
    // re-inserts the threshold stop.
    void SetColorScheme(uint8_t Scheme, float Min, float Max, float Threshold);
    void DistributeStops(float LowerPercent, float UpperPercent, float Min, float Max);

    TRGBColor ColorOfPercent(float Percent) const;
    TRGBColor ColorOfValue(float Value, float Min, float Max) const;

    bool SetUpperLimit(float Value);
    bool SetLowerLimit(float Value);
};
