// The frequency-energy chart of one point of a Tarnwell scan: its sample block read from the
// scan file, drawn as energy over frequency between 4 Hz and 21 Hz, a smoothed copy, the mean
// of the smoothed copy, and the extremes with their frequencies. Sample i of n lies at
// i * 50 / n Hz; the band is 4 <= f <= 21.
//
// The file holds, at the start of the point area, 6 bytes whose bytes 2-3 are the divisor D
// (u16); at each point a 16-byte header whose bytes 8-9 are the sample count n (u16), then n
// f32 samples.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/Streams.h"

struct TChartInput {
    uint16_t Divisor = 0;
    std::vector<float> Samples;
};

// Reads the divisor at TNWStart and the samples after the header at HeaderOffset. None when a
// position lies outside the file or the file ends before the header or its samples; nothing is
// allocated beyond the bytes the file holds.
std::optional<TChartInput> ReadChartInput(TStream& Stream, int64_t TNWStart, int64_t HeaderOffset);

struct TChartVertex {
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;
};

// Texts of the result and axis labels.
struct TChartLabels {
    std::u16string Minimum;       // "Min @ <f> Hz"
    std::u16string MinimumValue;
    std::u16string Maximum;       // "Max @ <f> Hz"
    std::u16string MaximumValue;
    std::u16string MaxValue;      // the axis: top, a third down, two thirds down, bottom
    std::u16string MaxV_2;
    std::u16string MinV_2;
    std::u16string MinValue;
};

struct TChartProjection {
    double Left = 0.0, Right = 1.0, Bottom = 0.0, Top = 1.0;
};

struct TChart {
    // False when there is nothing to draw: a divisor of 0, no samples, no sample in the band,
    // or values that are not finite. The list is then empty and the labels cleared.
    bool Drawn = false;
    std::vector<TChartVertex> Raw;       // grey (80, 80, 80), line width 1.0, z 5
    std::vector<TChartVertex> Smoothed;  // yellow (210, 210, 0), line width 1.3, z 4
    TChartVertex MeanFrom, MeanTo;       // green (0, 210, 0), z 3
    float RawMin = 0.0f, RawMax = 0.0f;
    float SmoothMin = 0.0f, SmoothMax = 0.0f;  // of the smoothed curve in the band
    float MinFrequency = 0.0f, MaxFrequency = 0.0f;
    float Mean = 0.0f;
    // The axis range: the extremes of both curves.
    float AxisMin = 0.0f, AxisMax = 0.0f;
    TChartLabels Labels;
    // The band's sample indexes across, the axis range up; never of zero width or height.
    TChartProjection Projection;
};

// The raw curve S[i] / D; the smoothed curve in place with the window W (W < 1 counts as 1):
// for i < W the mean of S[i - 1] and S[i], from W on S[i - 1] + (S[i] - S[i - W]) / W, negative
// results 0, S[0] as read; it is drawn W / 2 samples to the left. Minimum and maximum of the
// smoothed curve are found independently of each other.
TChart ComputeChart(std::vector<float> Samples, uint16_t Divisor, int32_t Window);
