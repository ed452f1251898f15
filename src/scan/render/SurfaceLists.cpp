#include "scan/render/SurfaceLists.h"

#include <algorithm>
#include <cmath>

#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"

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
    // The polygon of what is left of the triangle, in list order. A cut adds at most two
    // vertices to a convex polygon, so 3 + 2 per stop bound it; the capacity check only
    // guards against rounding making more.
    constexpr int capacity = 3 + 2 * StopCount + 8;
    TBandVertex list[capacity];
    TBandVertex cut[capacity];
    int count = 3;
    list[0] = P3;
    list[1] = P2;
    list[2] = P1;
    for (int k = 0; k < 3; ++k)
        FoldHeight(list[k]);

    for (int i = 0; i < StopCount && count > 0; ++i) {
        const float t = stopValue_[i];

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

// Cells of a complete grid: every point but those of the last row and the last column.
uint64_t CellCount(const TScanData& Scan)
{
    if (!Scan.First || !(Scan.MaxX >= 1.0f) || !(Scan.MaxY >= 1.0f))
        return 0;
    return static_cast<uint64_t>(Scan.MaxX) * static_cast<uint64_t>(Scan.MaxY);
}

bool IsFlatForm(const TScanData& Scan, const TSurfaceOptions& Options)
{
    return Scan.Receiving == 1 || !Options.Smooth;
}

// A grid cell's four corners, copied; an invalid neighbour stands in with the point's own
// value (and, for the flat form, its drawn height and colour).
struct TCellCorners {
    TBandVertex Q1, Q2, Q3, Q4;  // Up, the point, Next, Up.Next
};

bool CellOf(const TScanPoint& P, bool Flat, TCellCorners& Out)
{
    if (P.Invalid || !P.Next || !P.Up || !P.Up->Next)
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
    Out.Q1 = corner(*P.Up);
    Out.Q3 = corner(*P.Next);
    Out.Q4 = corner(*P.Up->Next);
    return true;
}

template <typename F>
void ForEachPoint(const TScanData& Scan, F&& Visit)
{
    for (const TScanPoint* head = Scan.First; head; head = head->Up)
        for (const TScanPoint* p = head; p; p = p->Next)
            Visit(*p);
}

void EmitFlat(TGeometrySink& Sink, const TBandVertex& V)
{
    Sink.Color(V.R, V.G, V.B);
    Sink.Vertex(-V.X, V.Y, V.DisplayValue);
}

// The top and side views treat the points as a stream of rows of PointsPerLine points and
// draw each point in its stream row. Visit gets each usable point with its stream row; the
// walk stops where a point's Up leads back to First.
template <typename F>
void ForEachStreamPoint(const TScanData& Scan, F&& Visit)
{
    if (!Scan.First)
        return;
    const uint64_t perRow = Scan.PointsPerLine > 0 ? Scan.PointsPerLine : 1;
    uint64_t n = 0;
    for (const TScanPoint* head = Scan.First; head; head = head->Up) {
        for (const TScanPoint* p = head; p; p = p->Next, ++n) {
            if (p->Up == Scan.First)
                return;
            if (p->DisplayValue != -1.0f && p->Y + 1.0f != Scan.First->Y)
                Visit(*p, static_cast<float>(n / perRow));
        }
    }
}

bool HasData(const TScanPoint* P) { return P && P->DisplayValue != -1.0f; }

// The flat triangles of the top and side views for point P in stream row Row; Place adjusts
// and emits each vertex copy.
template <typename F>
void StreamTriangles(const TScanPoint& P, float Row, F&& Place)
{
    TBandVertex p = CopyOfPoint(P);
    p.Y = Row;
    if (HasData(P.Next) && HasData(P.Next->Up)) {
        TBandVertex next = CopyOfPoint(*P.Next);
        TBandVertex nextUp = CopyOfPoint(*P.Next->Up);
        next.Y = Row;
        nextUp.Y = Row + 1.0f;
        Place(p);
        Place(next);
        Place(nextUp);
    }
    if (HasData(P.Up) && HasData(P.Up->Next)) {
        TBandVertex up = CopyOfPoint(*P.Up);
        TBandVertex upNext = CopyOfPoint(*P.Up->Next);
        up.Y = Row + 1.0f;
        upNext.Y = Row + 1.0f;
        Place(p);
        Place(up);
        Place(upNext);
    }
}

}  // namespace

uint64_t SmoothTriangleCount(const TScanData& Scan, uint8_t Depth)
{
    const uint64_t cells = CellCount(Scan);
    return cells * 2 * (uint64_t{1} << (2 * std::min<uint8_t>(Depth, 16)));
}

uint8_t DepthWithinBudget(const TScanData& Scan, uint8_t Requested, uint64_t Budget)
{
    uint8_t depth = Requested;
    while (depth > 0 && SmoothTriangleCount(Scan, depth) > Budget)
        --depth;
    return depth;
}

void BuildSurfaceGeometry(const TScanData& Scan, const TColorManager& Colors, const TSurfaceOptions& Options,
                          TGeometrySink& Sink)
{
    const bool flat = IsFlatForm(Scan, Options);
    if (flat) {
        Sink.Begin(TPrimitive::Quads);
        ForEachPoint(Scan, [&](const TScanPoint& p) {
            TCellCorners c;
            if (!CellOf(p, true, c))
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
    ForEachPoint(Scan, [&](const TScanPoint& p) {
        TCellCorners c;
        if (CellOf(p, false, c))
            builder.SubdivideCell(c.Q1, c.Q2, c.Q3, c.Q4, Options.Depth);
    });
}

void BuildTopGeometry(const TScanData& Scan, const TColorManager& Colors, const TSurfaceOptions& Options,
                      TGeometrySink& Sink)
{
    if (IsFlatForm(Scan, Options)) {
        Sink.Begin(TPrimitive::Triangles);
        ForEachStreamPoint(Scan, [&](const TScanPoint& p, float row) {
            StreamTriangles(p, row, [&](const TBandVertex& v) { EmitFlat(Sink, v); });
        });
        Sink.End();
        return;
    }
    TSurfaceBuilder builder(Colors, Scan.MinValue, Scan.MaxValue, Scan.ScanMode == 0, Sink);
    ForEachStreamPoint(Scan, [&](const TScanPoint& p, float row) {
        TCellCorners c;
        if (!CellOf(p, false, c))
            return;
        c.Q1.Y = row + 1.0f;
        c.Q2.Y = row;
        c.Q3.Y = row;
        c.Q4.Y = row + 1.0f;
        builder.SubdivideCell(c.Q1, c.Q2, c.Q3, c.Q4, Options.Depth);
    });
}

void BuildSideGeometry(const TScanData& Scan, TGeometrySink& Sink)
{
    const float middle = Scan.MaxY / 2.0f;
    const float maxX = Scan.MaxX;
    Sink.Begin(TPrimitive::Triangles);
    ForEachStreamPoint(Scan, [&](const TScanPoint& p, float row) {
        StreamTriangles(p, row, [&](TBandVertex v) {
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
