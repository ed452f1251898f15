// A point's sample block read from any bytes and charted: no read goes past the data, and a
// chart that is drawn always has a finite, non-empty projection. The first three bytes choose
// the two positions and the smoothing window.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "app/ChartModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 3)
        return 0;
    const int64_t Start = Data[0], Header = Data[1];
    const int32_t Window = Data[2] % 60;  // the track bar's 5..50 and a little beyond
    TMemoryStream File(Data + 3, Size - 3);
    auto In = ReadChartInput(File, Start, Header);
    if (File.Position() > File.Size())
        std::abort();
    if (!In)
        return 0;
    const TChart C = ComputeChart(In->Samples, In->Divisor, Window);
    if (C.Drawn) {
        const TChartProjection& P = C.Projection;
        if (!(P.Left < P.Right) || !(P.Bottom < P.Top) || !std::isfinite(P.Bottom) || !std::isfinite(P.Top))
            std::abort();
    } else if (!C.Raw.empty() || !C.Smoothed.empty()) {
        std::abort();
    }
    return 0;
}
