// The colour scale: 21 stops over the value range of a scan, looked up by step, never blended.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <functional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// ColorOfPercent for many points in a row: the stops' percents and colours are read once,
// and each lookup compares with every stop at once instead of stopping at the first above.
// Gives ColorOfPercent's colour for every percent, NaN included, while the stops stay as
// they were when the table was made.
class TPercentColorTable {
public:
    explicit TPercentColorTable(const TColorManager& Colors)
    {
        for (int i = 0; i < Compared; ++i) percent_[i] = Colors.Stops[size_t(i) + 1].Percent;
        // Beyond stop 19 nothing counts: the bits of the padding are masked off.
        for (int i = Compared; i < Padded; ++i) percent_[i] = 0.0f;
        for (int i = 0; i < TColorManager::StopCount; ++i)
            color_[i] = TRGBColor{Colors.Stops[size_t(i)].R, Colors.Stops[size_t(i)].G, Colors.Stops[size_t(i)].B};
    }

    TRGBColor ColorOf(float Percent) const
    {
        // Bit i: Percent reaches stop i + 1 (NaN reaches none). The colour is that of the
        // first stop from 1 on that Percent does not reach, or stop 20's.
        uint32_t reached = 0;
#if defined(__SSE2__)
        const __m128 percent = _mm_set1_ps(Percent);
        for (int i = 0; i < Padded; i += 4)
            reached |= uint32_t(_mm_movemask_ps(_mm_cmpge_ps(percent, _mm_loadu_ps(percent_ + i)))) << i;
#else
        for (int i = 0; i < Compared; ++i) reached |= uint32_t(Percent >= percent_[i]) << i;
#endif
        reached &= (1u << Compared) - 1;
        return color_[1 + std::countr_one(reached)];
    }

private:
    static constexpr int Compared = 19;  // stops 1 to 19
    static constexpr int Padded = 20;    // whole groups of four
    float percent_[Padded];
    TRGBColor color_[TColorManager::StopCount];
};
