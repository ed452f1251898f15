// What the list builders emit, gathered in memory and handed to a render sink in large batches
// (DrawArrays): compiling a display list then costs a few calls per batch instead of two per
// vertex. Vertices keep the order and the colours they were emitted with, and every polygon
// becomes the fan of triangles it was always drawn as, so the picture stays the same.
#pragma once

#include <cstdint>
#include <vector>

#include "scan/render/RenderSink.h"

class TVertexBatcher : public TGeometrySink {
public:
    // Vertices per batch: a multiple of 2, 3 and 4, so that a full batch ends on whole lines,
    // triangles and quads. Mesa compiles a list in blocks of 1 MB and begins a new block for a
    // batch that does not fit into what is left of the current one: batches of a few thousand
    // vertices keep the blocks nearly full, and the list no larger than vertex calls made it.
    static constexpr uint32_t BatchVertices = 4092;
    // Corners of a polygon that are kept; the colour bands need at most 3 + 2 per stop.
    static constexpr uint32_t MaxPolygonVertices = 64;
    // What the batcher holds in memory while it works.
    static constexpr uint64_t MemoryBytes =
        uint64_t{BatchVertices} * (sizeof(TArrayVertex) + 1) + MaxPolygonVertices * sizeof(TArrayVertex);

    // Outline: the target draws polygons as outlines, so each fan carries edge flags that hide
    // its inner edges; the outlines are then those of the polygons.
    TVertexBatcher(TArrayTarget& Target, bool Outline);

    void Begin(TPrimitive Primitive) override;
    void Color(uint8_t R, uint8_t G, uint8_t B) override;
    void Vertex(float X, float Y, float Z) override;
    void End() override;

    // Hands over what is gathered; gathering may go on afterwards.
    void Flush();

private:
    void StartBatchOf(TPrimitive Kind);
    void Put(const TArrayVertex& V, bool EdgeDrawn);
    void PutFan();

    TArrayTarget& target_;
    bool outline_;
    std::vector<TArrayVertex> vertices_;
    std::vector<uint8_t> edges_;  // only in outline mode
    TPrimitive batchKind_ = TPrimitive::Triangles;
    TPrimitive openKind_ = TPrimitive::Triangles;
    bool open_ = false;
    uint32_t runStart_ = 0;  // where the open primitive's vertices start in the batch
    TArrayVertex polygon_[MaxPolygonVertices] = {};
    uint32_t polygonCount_ = 0;
    uint8_t r_ = 255, g_ = 255, b_ = 255;
};
