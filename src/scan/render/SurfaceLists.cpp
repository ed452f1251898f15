#include "scan/render/SurfaceLists.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"
#include "scan/render/ListBudget.h"

TBandVertex CopyOfPoint(const TScanPoint& Point)
{
    return TBandVertex{Point.X, Point.Y, Point.Value, Point.DisplayValue, Point.R, Point.G, Point.B};
}

TSurfaceBuilder::TSurfaceBuilder(const TColorManager& Colors, float MinValue, float MaxValue, bool Fold,
                                 TGeometrySink& Sink)
    : colors_(Colors), minValue_(MinValue), maxValue_(MaxValue), fold_(Fold), sink_(Sink)
{
    threshold_ = Colors.Stops[Colors.ThresholdIndex < StopCount ? Colors.ThresholdIndex : 0].Value;
    for (int i = 0; i < StopCount; ++i) {
        const TColorStop& stop = Colors.Stops[i];
        stopValue_[i] = stop.Value;
        stopEnabled_[i] = stop.Enabled == 1;
        const TRGBColor c = Colors.ColorOfPercent(stop.Percent);
        stopR_[i] = c.R;
        stopG_[i] = c.G;
        stopB_[i] = c.B;
    }
}

void TSurfaceBuilder::FoldHeight(TBandVertex& Vertex) const
{
    Vertex.DisplayValue = fold_ && Vertex.Value > threshold_ ? 2.0f * threshold_ - Vertex.Value : Vertex.Value;
}

bool TSurfaceBuilder::EdgeCrossing(const TBandVertex& V1, const TBandVertex& V2, TBandVertex& Out,
                                   int StopIndex) const
{
    const float t = stopValue_[StopIndex];
    if (!((V1.Value > t && V2.Value < t) || (V1.Value < t && V2.Value > t)))
        return false;  // an edge that only touches t creates no vertex
    const float f = (t - V1.Value) / (V2.Value - V1.Value);  // V2 <> V1 by the test above
    Out.X = V1.X + (V2.X - V1.X) * f;
    Out.Y = V1.Y + (V2.Y - V1.Y) * f;
    Out.Value = t;
    Out.DisplayValue = t;
    Out.R = stopR_[StopIndex];
    Out.G = stopG_[StopIndex];
    Out.B = stopB_[StopIndex];
    return true;
}

void TSurfaceBuilder::Emit(const TBandVertex& Vertex)
{
    sink_.Color(Vertex.R, Vertex.G, Vertex.B);
    sink_.Vertex(-Vertex.X, Vertex.Y, Vertex.DisplayValue);
}

void TSurfaceBuilder::DrawBandedTriangle(const TBandVertex& P1, const TBandVertex& P2, const TBandVertex& P3)
{
    // The polygon of what is left of the triangle, in list order (the builder's scratch: set
    // up once, not for every triangle).
    constexpr int capacity = PolygonCapacity;
    TBandVertex* const list = list_;
    TBandVertex* const cut = cut_;
    int count = 3;
    list[0] = P3;
    list[1] = P2;
    list[2] = P1;
    for (int k = 0; k < 3; ++k)
        FoldHeight(list[k]);
    // A stop below every corner cuts nothing and draws nothing, and what is left of the
    // triangle never reaches below its lowest corner: such passes change nothing. (A NaN corner
    // is drawn in every band, so then no pass is skipped.)
    const bool anyNaN = std::isnan(P1.Value) || std::isnan(P2.Value) || std::isnan(P3.Value);
    const float lowest = anyNaN ? -std::numeric_limits<float>::infinity() : std::min({P1.Value, P2.Value, P3.Value});

    for (int i = 0; i < StopCount && count > 0; ++i) {
        const float t = stopValue_[i];
        if (t < lowest)
            continue;

        // a. Cut every edge (the closing edge last) that crosses t strictly.
        int cutCount = 0;
        for (int k = 0; k < count; ++k) {
            cut[cutCount++] = list[k];
            const TBandVertex& next = list[k + 1 < count ? k + 1 : 0];
            TBandVertex crossing;
            if (cutCount < capacity && EdgeCrossing(list[k], next, crossing, i)) {
                FoldHeight(crossing);
                cut[cutCount++] = crossing;
            }
        }

        // b. The band: every vertex not above t. Vertices below t are done with; those at t
        //    border the next band too and stay.
        int emitted = 0;
        for (int k = 0; k < cutCount; ++k)
            if (!(cut[k].Value > t))
                ++emitted;
        if (stopEnabled_[i] && emitted >= 3) {
            sink_.Begin(TPrimitive::Polygon);
            for (int k = 0; k < cutCount; ++k)
                if (!(cut[k].Value > t))
                    Emit(cut[k]);
            sink_.End();
        }
        count = 0;
        for (int k = 0; k < cutCount; ++k)
            if (!(cut[k].Value < t))
                list[count++] = cut[k];
    }
}

void TSurfaceBuilder::SubdivideCell(const TBandVertex& Q1, const TBandVertex& Q2, const TBandVertex& Q3,
                                    const TBandVertex& Q4, uint8_t Depth)
{
    if (Depth == 0) {
        DrawBandedTriangle(Q1, Q2, Q3);
        DrawBandedTriangle(Q3, Q4, Q1);
        return;
    }
    auto make = [this](float X, float Y, float Value) {
        TBandVertex v;
        v.X = X;
        v.Y = Y;
        v.Value = Value;
        v.DisplayValue = Value;
        const TRGBColor c = colors_.ColorOfValue(Value, minValue_, maxValue_);
        v.R = c.R;
        v.G = c.G;
        v.B = c.B;
        return v;
    };
    const TBandVertex m = make((Q1.X + Q2.X + Q3.X + Q4.X) / 4.0f, (Q1.Y + Q2.Y + Q3.Y + Q4.Y) / 4.0f,
                               (Q1.Value + Q2.Value + Q3.Value + Q4.Value) / 4.0f);
    const TBandVertex m14 = make(m.X, (Q1.Y + Q4.Y) / 2.0f, (Q1.Value + Q4.Value) / 2.0f);
    const TBandVertex m43 = make((Q4.X + Q3.X) / 2.0f, m.Y, (Q4.Value + Q3.Value) / 2.0f);
    const TBandVertex m32 = make(m.X, (Q3.Y + Q2.Y) / 2.0f, (Q3.Value + Q2.Value) / 2.0f);
    const TBandVertex m12 = make((Q1.X + Q2.X) / 2.0f, m.Y, (Q1.Value + Q2.Value) / 2.0f);
    const uint8_t d = static_cast<uint8_t>(Depth - 1);
    SubdivideCell(Q1, m12, m, m14, d);
    SubdivideCell(m12, Q2, m32, m, d);
    SubdivideCell(m, m32, Q3, m43, d);
    SubdivideCell(m14, m, m43, Q4, d);
}

namespace {

using TLink = TScanPoint* TScanPoint::*;

// Up to Steps points along Link, stopping at the last one there is; Taken says how far it got.
const TScanPoint* AdvanceAtMost(const TScanPoint* P, uint32_t Steps, TLink Link, uint32_t& Taken)
{
    for (Taken = 0; Taken < Steps && P->*Link; ++Taken)
        P = P->*Link;
    return P;
}

// Exactly Steps points along Link, or null when there are fewer.
const TScanPoint* AdvanceExactly(const TScanPoint* P, uint32_t Steps, TLink Link)
{
    for (uint32_t i = 0; i < Steps && P; ++i)
        P = P->*Link;
    return P;
}

uint32_t StepOf(const TSurfaceOptions& Options) { return Options.Step > 0 ? Options.Step : 1; }

uint32_t RowsOf(const TScanData& Scan)
{
    return Scan.MaxY >= 0.0f && Scan.MaxY < 4e9f ? static_cast<uint32_t>(Scan.MaxY) + 1 : 1;
}

// A grid cell's four corners, copied; an invalid neighbour stands in with the point's own
// value (and, for the flat form, its drawn height and colour).
struct TCellCorners {
    TBandVertex Q1, Q2, Q3, Q4;  // Up, the point, Next, Up.Next
    uint32_t RowsSpanned = 1;
};

// The cell of P on the grid of every Step-th point: its corners lie Step points along Next
// and Up, or as far as the scan goes at its last row and column.
bool CellOf(const TScanPoint& P, uint32_t Step, bool Flat, TCellCorners& Out)
{
    if (P.Invalid)
        return false;
    uint32_t across = 0, up = 0;
    const TScanPoint* next = AdvanceAtMost(&P, Step, &TScanPoint::Next, across);
    const TScanPoint* above = AdvanceAtMost(&P, Step, &TScanPoint::Up, up);
    const TScanPoint* aboveNext = up > 0 ? AdvanceExactly(above, across, &TScanPoint::Next) : nullptr;
    if (across == 0 || up == 0 || !aboveNext)
        return false;
    Out.Q2 = CopyOfPoint(P);
    auto corner = [&](const TScanPoint& Q) {
        TBandVertex v = CopyOfPoint(Q);
        if (Q.Invalid) {
            if (Flat) {
                v.DisplayValue = P.DisplayValue;
                v.R = P.R;
                v.G = P.G;
                v.B = P.B;
            } else {
                v.Value = P.Value;
            }
        }
        return v;
    };
    Out.Q1 = corner(*above);
    Out.Q3 = corner(*next);
    Out.Q4 = corner(*aboveNext);
    Out.RowsSpanned = up;
    return true;
}

// Every Step-th point of every Step-th row, rows from First up.
template <typename F>
void ForEachPoint(const TScanData& Scan, const TSurfaceOptions& Options, F&& Visit)
{
    const uint32_t step = StepOf(Options);
    const uint32_t rows = RowsOf(Scan);
    uint32_t done = 0;
    for (const TScanPoint* head = Scan.First; head; head = AdvanceExactly(head, step, &TScanPoint::Up)) {
        for (const TScanPoint* p = head; p; p = AdvanceExactly(p, step, &TScanPoint::Next))
            Visit(*p);
        done = std::min(rows, done + step);
        if (Options.Progress)
            Options.Progress(done, rows);
    }
}

void EmitFlat(TGeometrySink& Sink, const TBandVertex& V)
{
    Sink.Color(V.R, V.G, V.B);
    Sink.Vertex(-V.X, V.Y, V.DisplayValue);
}

// The top and side views treat the points as a stream of rows of PointsPerLine points and
// draw each point in its stream row. Visit gets each usable point with its stream row (of
// every Step-th point of every Step-th grid row); the walk stops where a point's Up leads back
// to First.
template <typename F>
void ForEachStreamPoint(const TScanData& Scan, const TSurfaceOptions& Options, F&& Visit)
{
    if (!Scan.First)
        return;
    const uint32_t step = StepOf(Options);
    const uint32_t rows = RowsOf(Scan);
    const uint64_t perRow = Scan.PointsPerLine > 0 ? Scan.PointsPerLine : 1;
    uint64_t n = 0;
    uint32_t gridRow = 0;
    for (const TScanPoint* head = Scan.First; head; head = head->Up, ++gridRow) {
        uint32_t column = 0;
        for (const TScanPoint* p = head; p; p = p->Next, ++n, ++column) {
            if (p->Up == Scan.First)
                return;
            if (gridRow % step == 0 && column % step == 0 && p->DisplayValue != -1.0f &&
                p->Y + 1.0f != Scan.First->Y)
                Visit(*p, static_cast<float>(n / perRow));
        }
        if (Options.Progress && gridRow % step == 0)
            Options.Progress(std::min(rows, gridRow + 1), rows);
    }
}

bool HasData(const TScanPoint* P) { return P && P->DisplayValue != -1.0f; }

// The flat triangles of the top and side views for point P in stream row Row, with its
// neighbours Step points along Next and Up (or as far as the scan goes); Place adjusts and
// emits each vertex copy.
template <typename F>
void StreamTriangles(const TScanPoint& P, float Row, uint32_t Step, F&& Place)
{
    TBandVertex p = CopyOfPoint(P);
    p.Y = Row;
    uint32_t across = 0, up = 0;
    const TScanPoint* next = AdvanceAtMost(&P, Step, &TScanPoint::Next, across);
    const TScanPoint* nextUp = across > 0 ? AdvanceAtMost(next, Step, &TScanPoint::Up, up) : nullptr;
    if (across > 0 && up > 0 && HasData(next) && HasData(nextUp)) {
        TBandVertex a = CopyOfPoint(*next);
        TBandVertex b = CopyOfPoint(*nextUp);
        a.Y = Row;
        b.Y = Row + static_cast<float>(up);
        Place(p);
        Place(a);
        Place(b);
    }
    const TScanPoint* above = AdvanceAtMost(&P, Step, &TScanPoint::Up, up);
    const TScanPoint* aboveNext = up > 0 ? AdvanceAtMost(above, Step, &TScanPoint::Next, across) : nullptr;
    if (up > 0 && across > 0 && HasData(above) && HasData(aboveNext)) {
        TBandVertex a = CopyOfPoint(*above);
        TBandVertex b = CopyOfPoint(*aboveNext);
        a.Y = Row + static_cast<float>(up);
        b.Y = Row + static_cast<float>(up);
        Place(p);
        Place(a);
        Place(b);
    }
}

}  // namespace

bool IsFlatForm(const TScanData& Scan, const TSurfaceOptions& Options)
{
    return Scan.Receiving == 1 || !Options.Smooth;
}

uint64_t SmoothTriangleCount(const TScanData& Scan, uint8_t Depth)
{
    if (!Scan.First || !(Scan.MaxX >= 1.0f) || !(Scan.MaxY >= 1.0f))
        return 0;
    return SurfaceTriangleCount(static_cast<uint64_t>(Scan.MaxX) + 1, static_cast<uint64_t>(Scan.MaxY) + 1, Depth, 1);
}

namespace {

// Counts what a builder emits as the batcher hands it to a list: a polygon as the fan of its
// corners, triangles and quads as they come, lines as nothing. It throws TCountPassed as soon as
// the count passes its limit, so that the builder stops there.
struct TCountPassed {};

class TTriangleCounter : public TGeometrySink {
public:
    explicit TTriangleCounter(uint64_t Limit) : limit_(Limit) {}

    void Begin(TPrimitive Primitive) override
    {
        kind_ = Primitive;
        corners_ = 0;
    }
    void Color(uint8_t, uint8_t, uint8_t) override {}
    void Vertex(float, float, float) override
    {
        ++corners_;
        switch (kind_) {
        case TPrimitive::Polygon: Add(corners_ >= 3 ? 1 : 0); break;
        case TPrimitive::Triangles: Add(corners_ % 3 == 0 ? 1 : 0); break;
        case TPrimitive::Quads: Add(corners_ % 4 == 0 ? 2 : 0); break;
        case TPrimitive::Lines: break;
        }
    }
    void End() override {}

    uint64_t Triangles() const { return triangles_; }

private:
    void Add(uint64_t N)
    {
        triangles_ += N;
        if (triangles_ > limit_)
            throw TCountPassed{};
    }

    uint64_t limit_;
    uint64_t triangles_ = 0;
    TPrimitive kind_ = TPrimitive::Triangles;
    uint32_t corners_ = 0;
};

}  // namespace

TTriangleTally CountDrawnTriangles(const TGeometryBuild& Build, const TSurfaceOptions& Options, uint64_t Limit)
{
    TTriangleCounter counter(Limit);
    TTriangleTally tally;
    TSurfaceOptions options = Options;
    options.Progress = [&tally, &Options](uint32_t Done, uint32_t Rows) {
        tally.ShareWalked = Rows > 0 ? double(Done) / Rows : 1.0;
        if (Options.Progress)
            Options.Progress(Done, Rows);
    };
    tally.ShareWalked = 0.0;
    try {
        Build(options, counter);
        tally.ShareWalked = 1.0;
    } catch (const TCountPassed&) {
        tally.Passed = true;
    }
    tally.Triangles = counter.Triangles();
    return tally;
}

void BuildSurfaceGeometry(const TScanData& Scan, const TColorManager& Colors, const TSurfaceOptions& Options,
                          TGeometrySink& Sink)
{
    const bool flat = IsFlatForm(Scan, Options);
    const uint32_t step = StepOf(Options);
    if (flat) {
        Sink.Begin(TPrimitive::Quads);
        ForEachPoint(Scan, Options, [&](const TScanPoint& p) {
            TCellCorners c;
            if (!CellOf(p, step, true, c))
                return;
            EmitFlat(Sink, c.Q2);
            EmitFlat(Sink, c.Q3);
            EmitFlat(Sink, c.Q4);
            EmitFlat(Sink, c.Q1);
        });
        Sink.End();
        return;
    }
    TSurfaceBuilder builder(Colors, Scan.MinValue, Scan.MaxValue, Scan.ScanMode == 0, Sink);
    ForEachPoint(Scan, Options, [&](const TScanPoint& p) {
        TCellCorners c;
        if (CellOf(p, step, false, c))
            builder.SubdivideCell(c.Q1, c.Q2, c.Q3, c.Q4, Options.Depth);
    });
}

void BuildTopGeometry(const TScanData& Scan, const TColorManager& Colors, const TSurfaceOptions& Options,
                      TGeometrySink& Sink)
{
    const uint32_t step = StepOf(Options);
    if (IsFlatForm(Scan, Options)) {
        Sink.Begin(TPrimitive::Triangles);
        ForEachStreamPoint(Scan, Options, [&](const TScanPoint& p, float row) {
            StreamTriangles(p, row, step, [&](const TBandVertex& v) { EmitFlat(Sink, v); });
        });
        Sink.End();
        return;
    }
    TSurfaceBuilder builder(Colors, Scan.MinValue, Scan.MaxValue, Scan.ScanMode == 0, Sink);
    ForEachStreamPoint(Scan, Options, [&](const TScanPoint& p, float row) {
        TCellCorners c;
        if (!CellOf(p, step, false, c))
            return;
        c.Q1.Y = row + static_cast<float>(c.RowsSpanned);
        c.Q2.Y = row;
        c.Q3.Y = row;
        c.Q4.Y = row + static_cast<float>(c.RowsSpanned);
        builder.SubdivideCell(c.Q1, c.Q2, c.Q3, c.Q4, Options.Depth);
    });
}

void BuildSideGeometry(const TScanData& Scan, const TSurfaceOptions& Options, TGeometrySink& Sink)
{
    const float middle = Scan.MaxY / 2.0f;
    const float maxX = Scan.MaxX;
    Sink.Begin(TPrimitive::Triangles);
    ForEachStreamPoint(Scan, Options, [&](const TScanPoint& p, float row) {
        StreamTriangles(p, row, StepOf(Options), [&](TBandVertex v) {
            // Rows converge towards the middle as X grows; one column has nothing to pull.
            const float pull = maxX > 0.0f ? v.X / maxX : 0.0f;
            v.Y = v.Y + (middle - v.Y) * pull;
            Sink.Color(v.R, v.G, v.B);
            Sink.Vertex(v.X, v.Y, v.DisplayValue);
        });
    });
    Sink.End();
}

void DrawDiagram(const TScanData& Scan, const TColorManager& Colors, float Width, float Height, TGeometrySink& Sink)
{
    const float range = Scan.DiagramRange;
    if (!(range > 0.0f))
        return;
    const float xStep = Width / 150.0f;
    const float yScale = Height >= range ? 1.0f : Height / range;
    Sink.Begin(TPrimitive::Lines);
    for (int i = 0; i <= 148; ++i) {
        const float a = Scan.DiagramSamples[static_cast<size_t>(i)];
        const float b = Scan.DiagramSamples[static_cast<size_t>(i) + 1];
        if (a == 0.0f || b == 0.0f)
            continue;
        const TRGBColor ca = Colors.ColorOfValue(a, Scan.DiagramMin, Scan.DiagramMax);
        Sink.Color(ca.R, ca.G, ca.B);
        Sink.Vertex(static_cast<float>(i) * xStep, (a - Scan.DiagramMin) * yScale, 1.0f);
        const TRGBColor cb = Colors.ColorOfValue(b, Scan.DiagramMin, Scan.DiagramMax);
        Sink.Color(cb.R, cb.G, cb.B);
        Sink.Vertex(static_cast<float>(i + 1) * xStep, (b - Scan.DiagramMin) * yScale, 1.0f);
    }
    Sink.End();
}
