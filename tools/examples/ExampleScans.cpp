#include "ExampleScans.h"

#include "framework/LittleEndianBytes.h"
#include "framework/Streams.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

// A small deterministic generator, the same on every platform and library.
class TNoise {
public:
    explicit TNoise(uint32_t Seed) : state_(Seed ? Seed : 1) {}
    // Uniform in [0, 1).
    double Uniform()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 4294967296.0;
    }
    // Roughly normal, mean 0 and deviation 1 (sum of twelve uniforms).
    double Normal()
    {
        double s = 0;
        for (int i = 0; i < 12; ++i) s += Uniform();
        return s - 6.0;
    }

private:
    uint32_t state_;
};

double Bump(double X, double Y, double CX, double CY, double Radius)
{
    const double dx = (X - CX) / Radius, dy = (Y - CY) / Radius;
    return std::exp(-(dx * dx + dy * dy));
}

// An OLE date: days since 30 December 1899 plus the fraction of the day.
double OleDate(int Year, int Month, int Day, int Hour, int Minute)
{
    // Days from the civil date (proleptic Gregorian), then shifted to the OLE epoch.
    const int y = Year - (Month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (Month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + Day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long days1970 = long(era) * 146097 + doe - 719468;
    return double(days1970 + 25569) + (Hour * 60 + Minute) / 1440.0;
}

// Zig-zag with one point per line: column c is block c + 1; even columns are walked bottom
// to top, odd columns top to bottom.
int RowOfLine(int Column, int Line, int Rows)
{
    return Column % 2 == 0 ? Line : Rows - 1 - Line;
}

void FillZigZag(TExampleScan& Scan)
{
    for (int c = 0; c < Scan.Columns; ++c)
        for (int line = 0; line < Scan.Rows; ++line) {
            const int r = RowOfLine(c, line, Scan.Rows);
            const float v = Scan.Values[size_t(r) * Scan.Columns + c];
            if (IsTNWKind(Scan.Source.Kind)) {
                Scan.Source.TNWPoints.push_back(TTNWPointEntry{v, {}});
            } else {
                TScanRecord record;
                record.Value = v;
                record.X = float(c);
                record.Y = float(r);
                Scan.Source.Records.push_back(record);
            }
        }
}

TExampleScan StartExample(const char* FileName, TScanFileKind Kind, int Columns, int Rows)
{
    TExampleScan scan;
    scan.FileName = FileName;
    scan.Columns = Columns;
    scan.Rows = Rows;
    scan.Source.Kind = Kind;
    scan.Source.ScanMode = 0;
    scan.Source.LinesPerBlock = Rows;
    scan.Source.Count = Columns * Rows;
    scan.Source.Reverse = 0;
    scan.Source.ViewStates = ExamplePresetViews();
    scan.Values.resize(size_t(Columns) * Rows);
    return scan;
}

// The spectrum of one Tarnwell point: a floor that falls with frequency, noise, and an energy
// peak at PeakHz whose height follows the point's value.
std::vector<float> Spectrum(TNoise& Noise, int Samples, double PeakHz, double Height)
{
    std::vector<float> s(static_cast<size_t>(Samples));
    for (int i = 0; i < Samples; ++i) {
        const double f = i * 50.0 / Samples;
        const double floor = 400.0 * std::exp(-f / 12.0);
        const double peak = Height * std::exp(-((f - PeakHz) * (f - PeakHz)) / (2 * 1.8 * 1.8));
        s[size_t(i)] = float(std::max(0.0, floor + peak + 25.0 * Noise.Normal()));
    }
    return s;
}

void FillTarnwell(TExampleScan& Scan, uint32_t Seed, int Samples)
{
    TNoise noise(Seed);
    for (int r = 0; r < Scan.Rows; ++r)
        for (int c = 0; c < Scan.Columns; ++c) {
            const double object = Bump(c, r, Scan.Columns * 0.6, Scan.Rows * 0.4, 2.5);
            Scan.Values[size_t(r) * Scan.Columns + c] = float(20.0 + 55.0 * object + 2.0 * noise.Normal());
        }
    FillZigZag(Scan);
    // The samples follow the file order of the points.
    for (TTNWPointEntry& point : Scan.Source.TNWPoints) {
        const double peakHz = 7.0 + 9.0 * noise.Uniform();  // 7..16 Hz, inside 4..21 Hz
        point.Samples = Spectrum(noise, Samples, peakHz, 30.0 * point.Value);
    }
    Scan.Source.SampleDivisor = 100;
}

} // namespace

TViewStates ExamplePresetViews()
{
    TViewState top;
    top.Scale = MakeVector(1, 1, 1);
    TViewState front = top;
    front.Rotation = MakeVector(-90, 0, 0);
    TViewState perspective = top;
    perspective.Rotation = MakeVector(-45, 0, -45);
    return TViewStates{top, top, front, perspective};
}

TExampleScan MakeFieldExample()
{
    TExampleScan scan = StartExample("Field with metal object.dmo", TScanFileKind::L3DDemo, 30, 40);
    TNoise noise(20230514);
    for (int r = 0; r < scan.Rows; ++r)
        for (int c = 0; c < scan.Columns; ++c) {
            const double metal = Bump(c, r, 9.0, 27.0, 2.2);
            const double cavity = Bump(c, r, 21.0, 12.0, 3.5);
            const double ground = 0.08 * c - 0.05 * r;  // a gently sloping background
            scan.Values[size_t(r) * scan.Columns + c] =
                float(100.0 + ground + 60.0 * metal - 35.0 * cavity + 1.5 * noise.Normal());
        }
    // A few readings the device missed.
    for (auto [c, r] : {std::pair{3, 5}, {17, 33}, {25, 2}, {12, 19}, {28, 38}})
        scan.Values[size_t(r) * scan.Columns + c] = std::numeric_limits<float>::quiet_NaN();
    FillZigZag(scan);
    scan.Source.Remarks.Date = OleDate(2023, 5, 14, 10, 30);
    scan.Source.Remarks.Project = u"Example field";
    scan.Source.Remarks.Notes = u"Meadow behind the old mill: a metal object near the north-west corner "
                                u"and a cavity in the south-east part.";
    scan.Source.Remarks.FieldLength = 20.0f;
    scan.Source.Remarks.FieldWidth = 15.0f;
    scan.Source.Remarks.SoilType = 2;  // loam
    return scan;
}

TExampleScan MakeTarnwellSampleExample()
{
    TExampleScan scan = StartExample("Tarnwell sample.dmo", TScanFileKind::TNWDemo, 12, 15);
    FillTarnwell(scan, 4711, 100);
    scan.Source.Remarks.Date = OleDate(2022, 9, 3, 15, 45);
    scan.Source.Remarks.Project = u"Tarnwell sample";
    scan.Source.Remarks.Notes = u"Sample scan with the frequency samples of every point.";
    scan.Source.Remarks.FieldLength = 6.0f;
    scan.Source.Remarks.FieldWidth = 7.5f;
    scan.Source.Remarks.SoilType = 3;  // sand
    return scan;
}

TExampleScan MakeTarnwellScanExample()
{
    TExampleScan scan = StartExample("Tarnwell field.dmo", TScanFileKind::TNW, 10, 12);
    FillTarnwell(scan, 1234, 100);
    scan.Source.Remarks.Date = OleDate(2023, 8, 21, 9, 5);
    scan.Source.Remarks.Project = u"Tarnwell field";
    scan.Source.Remarks.Notes = u"Field scan of the Tarnwell device; choose a point and open the "
                                u"frequency-energy chart.";
    scan.Source.Remarks.FieldLength = 5.0f;
    scan.Source.Remarks.FieldWidth = 6.0f;
    scan.Source.Remarks.SoilType = 4;  // clay
    return scan;
}

std::vector<TExampleScan> AllExampleScans()
{
    return {MakeFieldExample(), MakeTarnwellSampleExample(), MakeTarnwellScanExample()};
}

TScanFileSource SquareScanHeader(int Size, TScanFileKind Kind)
{
    TScanFileSource source;
    source.Kind = Kind;
    source.LinesPerBlock = Size;
    source.Count = Size * Size;
    source.ViewStates = ExamplePresetViews();
    source.Remarks.Project = u"Benchmark";
    return source;
}

TScanRecord SquareScanPoint(int Size, int Column, int Row, TSquareField Field)
{
    TScanRecord record;
    switch (Field) {
    case TSquareField::Hill: {
        const double x = (Column - Size * 0.5) / (Size * 0.25), y = (Row - Size * 0.5) / (Size * 0.25);
        record.Value =
            float(100.0 + 60.0 * std::exp(-(x * x + y * y)) + 4.0 * std::sin(Column * 0.3) * std::cos(Row * 0.2));
        break;
    }
    case TSquareField::SawTooth: record.Value = float((7 * Column + 3 * Row) % 101); break;
    case TSquareField::Noise: {
        // Each point's own draw, whatever order the points are made in.
        TNoise noise(uint32_t(Column) * 2654435761u ^ uint32_t(Row) * 40503u ^ 0x5bd1e995u);
        noise.Uniform();
        record.Value = float(100.0 * noise.Uniform());
        break;
    }
    }
    record.X = float(Column);
    record.Y = float(Row);
    return record;
}

TScanFileSource MakeSquareScan(int Size)
{
    TScanFileSource source = SquareScanHeader(Size);
    source.Records.reserve(size_t(Size) * size_t(Size));
    for (int c = 0; c < Size; ++c)
        for (int r = 0; r < Size; ++r)
            source.Records.push_back(SquareScanPoint(Size, c, r));
    return source;
}

bool WriteSquareScan(TStream& Stream, int Size, TSquareField Field, TScanFileKind Kind)
{
    if (!WriteScanFile(Stream, SquareScanHeader(Size, Kind)))  // everything up to the points
        return false;
    const bool tnw = IsTNWKind(Kind);
    const size_t pointSize = tnw ? TNWPointHeaderSize : ScanRecordSize;
    std::vector<uint8_t> column(size_t(Size) * pointSize);
    for (int c = 0; c < Size; ++c) {
        for (int r = 0; r < Size; ++r) {
            const TScanRecord point = SquareScanPoint(Size, c, r, Field);
            uint8_t* at = column.data() + size_t(r) * pointSize;
            if (tnw)
                le::PutF32(at, point.Value);  // no samples: the count at offset 8 stays 0
            else
                WriteScanRecord(point, at);
        }
        if (Stream.Write(column.data(), int32_t(column.size())) != int32_t(column.size()))
            return false;
    }
    return true;
}
