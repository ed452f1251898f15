#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/ChartModel.h"
#include "app/app_test_support.h"

namespace {

std::vector<float> Ramp(size_t N)
{
    std::vector<float> S(N);
    for (size_t i = 0; i < N; ++i) S[i] = float(i);
    return S;
}

const TChartVertex& Highest(const std::vector<TChartVertex>& V)
{
    return *std::max_element(V.begin(), V.end(), [](auto& A, auto& B) { return A.Y < B.Y; });
}

} // namespace

TEST(ChartModel, TheBandRunsFrom4To21Hz)
{
    const TChart C = ComputeChart(std::vector<float>(100, 1.0f), 1, 5);
    ASSERT_TRUE(C.Drawn);
    ASSERT_EQ(C.Raw.size(), 35u);  // indexes 8 (4 Hz) to 42 (21 Hz)
    EXPECT_EQ(C.Raw.front().X, 8.0f);
    EXPECT_EQ(C.Raw.back().X, 42.0f);
    EXPECT_EQ(C.Raw.front().Z, 5.0f);
    EXPECT_EQ(C.Projection.Left, 8.0);
    EXPECT_EQ(C.Projection.Right, 42.0);
    EXPECT_EQ(C.Smoothed.front().X, 8.0f - 2.5f);  // drawn half a window to the left
    EXPECT_EQ(C.Smoothed.front().Z, 4.0f);
}

// n = 20 puts samples 2 to 8 in the band (5 Hz to 20 Hz): 2 to 4 are pair averages, from 5 on
// the running formula over the values already smoothed. Worked out by hand for S[i] = i, D = 2:
// S1 0.5, S2 1.25, S3 2.125, S4 3.0625, S5 = S4 + (5 - S0) / 5 = 4.0625, S6 = S5 + (6 - S1) / 5
// = 5.1625, S7 6.3125, S8 = S7 + (8 - S3) / 5 = 7.4875.
TEST(ChartModel, SmoothingPairsThenRunsAndARisingCurveHasATrueMinimum)
{
    const TChart C = ComputeChart(Ramp(20), 2, 5);
    ASSERT_TRUE(C.Drawn);
    const float Expected[] = {0.625f, 1.0625f, 1.53125f, 2.03125f, 2.58125f, 3.15625f, 3.74375f};
    ASSERT_EQ(C.Smoothed.size(), 7u);
    for (size_t k = 0; k < 7; ++k) {
        EXPECT_FLOAT_EQ(C.Smoothed[k].Y, Expected[k]) << k;
        EXPECT_EQ(C.Smoothed[k].X, float(k + 2) - 2.5f);
    }
    EXPECT_EQ(C.RawMin, 1.0f);
    EXPECT_EQ(C.RawMax, 4.0f);
    EXPECT_FLOAT_EQ(C.SmoothMax, 3.74375f);
    EXPECT_EQ(C.MaxFrequency, 20.0f);
    // Every value of a rising curve is a new maximum; the minimum is still its first value.
    EXPECT_FLOAT_EQ(C.SmoothMin, 0.625f);
    EXPECT_EQ(C.MinFrequency, 5.0f);
    EXPECT_EQ(C.Labels.Minimum, u"Min @ 5.00 Hz");
    EXPECT_EQ(C.Labels.Maximum, u"Max @ 20.00 Hz");
    EXPECT_EQ(C.Labels.MaximumValue, u"3.74");
    EXPECT_FLOAT_EQ(C.Mean, 14.73125f / 7.0f);
    EXPECT_EQ(C.MeanFrom.X, 0.0f);
    EXPECT_EQ(C.MeanTo.X, 19.0f);
    // The axis spans both curves.
    EXPECT_EQ(C.AxisMax, 4.0f);
    EXPECT_FLOAT_EQ(C.AxisMin, 0.625f);
    EXPECT_EQ(C.Labels.MaxValue, u"4.00");
    EXPECT_EQ(C.Projection.Top, 4.0);
}

TEST(ChartModel, APeakShowsAtItsFrequency)
{
    // Energy peaking at 12 Hz: sample 24 of 100.
    std::vector<float> S(100);
    for (size_t i = 0; i < S.size(); ++i) S[i] = 1000.0f * std::exp(-0.5f * std::pow((float(i) - 24.0f) / 3.0f, 2.0f));
    const TChart C = ComputeChart(S, 10, 5);
    ASSERT_TRUE(C.Drawn);
    EXPECT_EQ(Highest(C.Raw).X, 24.0f);
    EXPECT_NEAR(C.RawMax, 100.0f, 1e-3);
    // The running mean lags the peak by about half its window; the drawing shifts it back.
    EXPECT_NEAR(Highest(C.Smoothed).X, 24.0f, 1.0f);
    EXPECT_GE(C.MaxFrequency, 12.0f);
    EXPECT_LE(C.MaxFrequency, 14.0f);
}

// The spectrum of a pure tone: all its energy in the one sample of its frequency. Energy
// outside the band, however strong, neither sets an extreme nor reaches the drawing.
TEST(ChartModel, APureToneShowsAtItsFrequencyAndEnergyOutsideTheBandIsIgnored)
{
    std::vector<float> S(200, 0.0f);  // 0.25 Hz a sample
    S[68] = 500.0f;                   // 17 Hz
    S[100] = 9000.0f;                 // 25 Hz, above the band
    S[2] = 9000.0f;                   // 0.5 Hz, below it
    const TChart C = ComputeChart(S, 5, 5);
    ASSERT_TRUE(C.Drawn);
    EXPECT_EQ(C.RawMax, 100.0f);
    EXPECT_EQ(Highest(C.Raw).X, 68.0f);
    // The running mean spreads the tone over its window at a fifth of its height; its maximum
    // is found where the spread begins.
    EXPECT_EQ(C.MaxFrequency, 17.0f);
    EXPECT_FLOAT_EQ(C.SmoothMax, 20.0f);
    EXPECT_EQ(C.Labels.Maximum, u"Max @ 17.00 Hz");
    EXPECT_EQ(C.AxisMax, 100.0f);
    for (const std::vector<TChartVertex>* Curve : {&C.Raw, &C.Smoothed})
        for (const TChartVertex& V : *Curve) EXPECT_LE(V.Y, 100.0f);
}

TEST(ChartModel, NegativeSmoothedValuesAreDrawnAtZeroWhileTheRawCurveKeepsThem)
{
    std::vector<float> S(20, -10.0f);
    S[0] = 0.0f;
    const TChart C = ComputeChart(S, 2, 5);
    ASSERT_TRUE(C.Drawn);
    EXPECT_EQ(C.RawMin, -5.0f);
    for (const TChartVertex& V : C.Smoothed) EXPECT_EQ(V.Y, 0.0f);
    EXPECT_EQ(C.AxisMin, -5.0f);
}

TEST(ChartModel, NothingToDrawGivesAnEmptyChartAndAUsableProjection)
{
    const float NaN = std::numeric_limits<float>::quiet_NaN();
    for (const auto& [Samples, D] : {std::pair{std::vector<float>(100, 1.0f), uint16_t(0)},  // divisor 0
                                     std::pair{std::vector<float>{}, uint16_t(1)},            // no samples
                                     std::pair{std::vector<float>{1.0f, 2.0f}, uint16_t(1)},  // 0 and 25 Hz
                                     std::pair{std::vector<float>(100, NaN), uint16_t(1)}}) {
        const TChart C = ComputeChart(Samples, D, 5);
        EXPECT_FALSE(C.Drawn);
        EXPECT_TRUE(C.Raw.empty() && C.Smoothed.empty());
        EXPECT_TRUE(C.Labels.Minimum.empty() && C.Labels.MaxValue.empty());
    }
    for (float Level : {3.0f, 0.0f, 1e25f}) {  // flat curves, one too large for a fixed margin
        const TChart Flat = ComputeChart(std::vector<float>(100, Level), 1, 5);
        ASSERT_TRUE(Flat.Drawn);
        EXPECT_LT(Flat.Projection.Bottom, Flat.Projection.Top) << Level;
        EXPECT_LT(Flat.Projection.Left, Flat.Projection.Right);
    }
    EXPECT_TRUE(ComputeChart(Ramp(20), 2, 0).Drawn);  // a window below 1 counts as 1
}

TEST(ChartModel, ReadingChecksEveryLengthAgainstTheFile)
{
    TBytes F;
    for (int i = 0; i < 10; ++i) F.U8(0xEE);
    F.U16(0).U16(7).U16(0);  // the 6 bytes at the start of the point area: divisor 7
    F.U32(0x42000000).U32(0).U16(3).U16(0).U32(0);  // point header: value, -, n = 3, -
    F.F32Bits(0x3F800000).F32Bits(0x40000000).F32Bits(0x40400000);
    TMemoryStream M(F.Bytes().data(), F.Size());
    auto In = ReadChartInput(M, 10, 16);
    ASSERT_TRUE(In);
    EXPECT_EQ(In->Divisor, 7);
    EXPECT_EQ(In->Samples, (std::vector<float>{1.0f, 2.0f, 3.0f}));

    for (size_t Cut : {size_t(12), size_t(20), F.Size() - 1}) {
        TMemoryStream Short(F.Bytes().data(), Cut);
        EXPECT_FALSE(ReadChartInput(Short, 10, 16)) << Cut;
    }
    EXPECT_FALSE(ReadChartInput(M, -1, 16));
    EXPECT_FALSE(ReadChartInput(M, 10, int64_t(F.Size())));

    TBytes Huge;  // a count of 65535 samples with none behind it
    Huge.U16(0).U16(1).U16(0).U32(0).U32(0).U16(0xFFFF).U16(0).U32(0);
    TMemoryStream H(Huge.Bytes().data(), Huge.Size());
    EXPECT_FALSE(ReadChartInput(H, 0, 6));
}
