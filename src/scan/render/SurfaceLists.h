// The geometry of the renderer's display list: the 3-D surface (flat quads, or the smooth form
// subdivided to a resolution depth and cut into colour bands at the colour stops), the top
// view and the side view. Everything is emitted through a TGeometrySink; nothing here knows
// OpenGL.
#pragma once

#include <cstdint>
#include <functional>

#include "scan/render/ListBudget.h"
#include "scan/render/RenderSink.h"

class TColorManager;
class TScanData;
struct TScanPoint;

// A vertex of the surface: a copy of a grid point's fields, or a point made by subdivision or
// by a colour-band cut. Builders work on such copies only; the grid is never written.
struct TBandVertex {
    float X = 0.0f;
    float Y = 0.0f;
    float Value = 0.0f;
    float DisplayValue = 0.0f;  // the height drawn
    uint8_t R = 255;
    uint8_t G = 255;
    uint8_t B = 255;
};

TBandVertex CopyOfPoint(const TScanPoint& Point);

// The smooth form: subdivision of a cell and the colour bands of its triangles.
class TSurfaceBuilder {
public:
    static constexpr int StopCount = 21;

    // Reads the stops of Colors once; MinValue..MaxValue is the scan's range for the colours of
    // subdivision points. Heights above the threshold stop are folded below it when Fold is
    // true (the 3-D scene).
    TSurfaceBuilder(const TColorManager& Colors, float MinValue, float MaxValue, bool Fold, TGeometrySink& Sink);

    // Depth 0 draws the triangles (Q1, Q2, Q3) and (Q3, Q4, Q1); each further level splits the
    // cell into four (4^Depth sub-cells). Q1..Q4 run round the cell: Up, the point, Next, Up.Next.
    void SubdivideCell(const TBandVertex& Q1, const TBandVertex& Q2, const TBandVertex& Q3,
                       const TBandVertex& Q4, uint8_t Depth);

    // One polygon per enabled stop i: the part of the triangle between stop i - 1's value and
    // stop i's value. Polygons of fewer than three corners cover nothing and are not emitted.
    void DrawBandedTriangle(const TBandVertex& P1, const TBandVertex& P2, const TBandVertex& P3);

    void FoldHeight(TBandVertex& Vertex) const;

    // True when the edge V1-V2 crosses stop i's value strictly; Out is then the crossing,
    // at the stop's value and in the stop's colour (not yet folded).
    bool EdgeCrossing(const TBandVertex& V1, const TBandVertex& V2, TBandVertex& Out, int StopIndex) const;

    const TColorManager& Colors() const { return colors_; }

private:
    void Emit(const TBandVertex& Vertex);

    const TColorManager& colors_;
    float minValue_;
    float maxValue_;
    bool fold_;
    float threshold_;
    float stopValue_[StopCount];
    bool stopEnabled_[StopCount];
    uint8_t stopR_[StopCount], stopG_[StopCount], stopB_[StopCount];
    TGeometrySink& sink_;
    // What is left of a triangle while it is cut into bands, and the next cut. A cut adds at
    // most two vertices to a convex polygon, so 3 + 2 per stop bound it; the capacity check
    // only guards against rounding making more.
    static constexpr int PolygonCapacity = 3 + 2 * StopCount + 8;
    TBandVertex list_[PolygonCapacity];
    TBandVertex cut_[PolygonCapacity];
};

// What a display list is built from.
struct TSurfaceOptions {
    bool Smooth = true;      // the smooth banded form (ignored while the scan is receiving)
    uint8_t Depth = 0;       // subdivision depth of the smooth form
    // 1 draws every point; k draws the grid of every k-th point in each direction (and the
    // last row and column), each cell spanning k x k cells of the scan.
    uint32_t Step = 1;
    // Called after each row of cells with the rows walked so far and the scan's rows.
    std::function<void(uint32_t RowsDone, uint32_t Rows)> Progress;
};

// Whether a list of Scan is built in the flat form.
bool IsFlatForm(const TScanData& Scan, const TSurfaceOptions& Options);

// The grid triangles (before the colour bands cut them) the smooth form of a scan has at a
// depth.
uint64_t SmoothTriangleCount(const TScanData& Scan, uint8_t Depth);

// One of the builders below, with its scan and colours bound.
using TGeometryBuild = std::function<void(const TSurfaceOptions& Options, TGeometrySink& Sink)>;

// Runs Build with Options into a sink that keeps nothing and counts the triangles it would
// draw, stopping as soon as they pass Limit. The count is the build's own: the same cells,
// subdivision and colour bands. Options.Progress is called as the build calls it.
TTriangleTally CountDrawnTriangles(const TGeometryBuild& Build, const TSurfaceOptions& Options, uint64_t Limit);

// The 3-D scene's geometry: cells in row order, vertices at (-X, Y, height).
void BuildSurfaceGeometry(const TScanData& Scan, const TColorManager& Colors, const TSurfaceOptions& Options,
                          TGeometrySink& Sink);
// The top view: the points as a stream of rows of PointsPerLine points, each drawn in its
// stream row.
void BuildTopGeometry(const TScanData& Scan, const TColorManager& Colors, const TSurfaceOptions& Options,
                      TGeometrySink& Sink);
// The side view: the flat triangles of the top view, rows pulled towards the middle as X
// grows, drawn at (X, Y, height). Only Step and Progress of Options count.
void BuildSideGeometry(const TScanData& Scan, const TSurfaceOptions& Options, TGeometrySink& Sink);

// The line diagram of up to 151 samples across Width x Height pixels.
void DrawDiagram(const TScanData& Scan, const TColorManager& Colors, float Width, float Height, TGeometrySink& Sink);
