#include "app/ChartModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/LittleEndianBytes.h"
#include "framework/NumberText.h"
#include "scan/files/ScanFile.h"
#include "scan/model/LittleEndian.h"

namespace {

constexpr double BandLow = 4.0;
constexpr double BandHigh = 21.0;
constexpr double SampleRate = 50.0;
constexpr int32_t DivisorOffset = 2;     // in the 6 bytes at the start of the point area
constexpr int32_t SampleCountOffset = 8; // in the point header
constexpr float RawZ = 5.0f, SmoothedZ = 4.0f, MeanZ = 3.0f;

bool ReadAt(TStream& Stream, int64_t Position, uint8_t* Bytes, int32_t Count)
{
    // A position beyond the end is refused before seeking there.
    if (Position < 0 || Position > Stream.Size() || Stream.Seek(Position, soBeginning) != Position)
        return false;
    if (le::BytesLeft(Stream) < Count)
        return false;
    return Stream.Read(Bytes, Count) == Count;
}

std::u16string AtFrequency(const char16_t* Prefix, float Frequency)
{
    return Prefix + FormatNumber(Frequency) + u" Hz";
}

} // namespace

std::optional<TChartInput> ReadChartInput(TStream& Stream, int64_t TNWStart, int64_t HeaderOffset)
{
    uint8_t Lead[TNWAreaLeadSize];
    uint8_t Header[TNWPointHeaderSize];
    if (!ReadAt(Stream, TNWStart, Lead, TNWAreaLeadSize) || !ReadAt(Stream, HeaderOffset, Header, TNWPointHeaderSize))
        return std::nullopt;
    TChartInput In;
    In.Divisor = le::U16At(Lead + DivisorOffset);
    const uint16_t Count = le::U16At(Header + SampleCountOffset);
    const int64_t Bytes = int64_t(Count) * TNWSampleSize;
    if (le::BytesLeft(Stream) < Bytes)
        return std::nullopt;
    std::vector<uint8_t> Raw(static_cast<size_t>(Bytes));
    if (Bytes > 0 && Stream.Read(Raw.data(), static_cast<int32_t>(Bytes)) != Bytes)
        return std::nullopt;
    In.Samples.resize(Count);
    for (size_t i = 0; i < Count; ++i)
        In.Samples[i] = le::F32At(Raw.data() + i * TNWSampleSize);
    return In;
}

TChart ComputeChart(std::vector<float> S, uint16_t Divisor, int32_t Window)
{
    TChart C;
    const size_t N = S.size();
    if (Divisor == 0 || N == 0)
        return C;
    const double D = Divisor;
    const int32_t W = std::max(Window, 1);
    auto Frequency = [N](size_t i) { return double(i) * SampleRate / double(N); };
    auto InBand = [](double F) { return F >= BandLow && F <= BandHigh; };

    // Raw curve.
    double RawMin = std::numeric_limits<double>::infinity();
    double RawMax = -std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < N; ++i) {
        const double V = S[i] / D;
        if (!InBand(Frequency(i)))
            continue;
        RawMax = std::max(RawMax, V);
        RawMin = std::min(RawMin, V);
        C.Raw.push_back({float(i), float(V), RawZ});
    }

    // Smoothing in place: a running mean over the values already smoothed.
    for (size_t i = 1; i < N; ++i) {
        double V = (int64_t(i) < W) ? (double(S[i - 1]) + S[i]) / 2.0
                                    : S[i - 1] + (double(S[i]) - S[i - size_t(W)]) / W;
        S[i] = static_cast<float>(V < 0.0 ? 0.0 : V);
    }

    // Smoothed curve, its extremes and its mean.
    double SmoothMin = std::numeric_limits<double>::infinity();
    double SmoothMax = -std::numeric_limits<double>::infinity();
    double Sum = 0.0;
    size_t Count = 0;
    for (size_t i = 0; i < N; ++i) {
        const double F = Frequency(i);
        const double V = S[i] / D;
        if (!InBand(F))
            continue;
        if (V > SmoothMax) {
            SmoothMax = V;
            C.MaxFrequency = float(F);
        }
        if (V < SmoothMin) {
            SmoothMin = V;
            C.MinFrequency = float(F);
        }
        Sum += V;
        ++Count;
        C.Smoothed.push_back({float(double(i) - W / 2.0), float(V), SmoothedZ});
    }

    const double Mean = Count > 0 ? Sum / double(Count) : 0.0;
    const bool Finite = std::isfinite(RawMin) && std::isfinite(RawMax) && std::isfinite(SmoothMin) &&
                        std::isfinite(SmoothMax) && std::isfinite(Mean);
    if (Count == 0 || !Finite)
        return TChart{};

    C.Drawn = true;
    C.RawMin = float(RawMin);
    C.RawMax = float(RawMax);
    C.SmoothMin = float(SmoothMin);
    C.SmoothMax = float(SmoothMax);
    C.Mean = float(Mean);
    C.MeanFrom = {0.0f, C.Mean, MeanZ};
    C.MeanTo = {float(N - 1), C.Mean, MeanZ};
    C.AxisMax = std::max(C.SmoothMax, C.RawMax);
    C.AxisMin = std::min(C.SmoothMin, C.RawMin);

    TChartLabels& L = C.Labels;
    L.Minimum = AtFrequency(u"Min @ ", C.MinFrequency);
    L.MinimumValue = FormatNumber(C.SmoothMin);
    L.Maximum = AtFrequency(u"Max @ ", C.MaxFrequency);
    L.MaximumValue = FormatNumber(C.SmoothMax);
    const double Range = double(C.AxisMax) - C.AxisMin;
    L.MaxValue = FormatNumber(C.AxisMax);
    L.MaxV_2 = FormatNumber(C.AxisMin + Range * 2.0 / 3.0);
    L.MinV_2 = FormatNumber(C.AxisMin + Range / 3.0);
    L.MinValue = FormatNumber(C.AxisMin);

    // A flat curve would give the projection no height; it then spans half its value (at least
    // half a unit) above and below it, which stays visible at any magnitude.
    C.Projection.Left = BandLow * double(N) / SampleRate;
    C.Projection.Right = BandHigh * double(N) / SampleRate;
    C.Projection.Bottom = C.AxisMin;
    C.Projection.Top = C.AxisMax;
    if (!(C.Projection.Top > C.Projection.Bottom)) {
        const double Half = std::max(0.5, std::fabs(double(C.AxisMin)) * 0.5);
        C.Projection.Bottom = double(C.AxisMin) - Half;
        C.Projection.Top = double(C.AxisMax) + Half;
    }
    return C;
}
