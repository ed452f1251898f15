#include "scan/render/VertexBatch.h"

namespace {

uint32_t VerticesPerPrimitive(TPrimitive Kind)
{
    switch (Kind) {
    case TPrimitive::Lines: return 2;
    case TPrimitive::Quads: return 4;
    default: return 3;
    }
}

}  // namespace

TVertexBatcher::TVertexBatcher(TArrayTarget& Target, bool Outline) : target_(Target), outline_(Outline)
{
    vertices_.reserve(BatchVertices);
    if (outline_)
        edges_.reserve(BatchVertices);
}

void TVertexBatcher::Flush()
{
    if (!vertices_.empty())
        target_.DrawArrays(batchKind_, vertices_.data(), outline_ ? edges_.data() : nullptr,
                           static_cast<uint32_t>(vertices_.size()));
    vertices_.clear();
    edges_.clear();
    runStart_ = 0;
}

void TVertexBatcher::StartBatchOf(TPrimitive Kind)
{
    if (Kind != batchKind_)
        Flush();
    batchKind_ = Kind;
}

void TVertexBatcher::Put(const TArrayVertex& V, bool EdgeDrawn)
{
    // Batches start on primitive boundaries and hold whole primitives of one kind, and their
    // size is a multiple of every primitive's: a full batch ends on a boundary.
    if (vertices_.size() == BatchVertices)
        Flush();
    vertices_.push_back(V);
    if (outline_)
        edges_.push_back(EdgeDrawn ? 1 : 0);
}

void TVertexBatcher::Begin(TPrimitive Primitive)
{
    if (Primitive == TPrimitive::Polygon) {
        polygonCount_ = 0;
        openKind_ = Primitive;
        open_ = true;
        return;
    }
    StartBatchOf(Primitive);
    openKind_ = Primitive;
    open_ = true;
    runStart_ = static_cast<uint32_t>(vertices_.size());
}

void TVertexBatcher::Color(uint8_t R, uint8_t G, uint8_t B)
{
    r_ = R;
    g_ = G;
    b_ = B;
}

void TVertexBatcher::Vertex(float X, float Y, float Z)
{
    if (!open_)
        return;
    const TArrayVertex v{X, Y, Z, r_, g_, b_, 0};
    if (openKind_ == TPrimitive::Polygon) {
        if (polygonCount_ < MaxPolygonVertices)
            polygon_[polygonCount_++] = v;
        return;
    }
    Put(v, true);
}

void TVertexBatcher::PutFan()
{
    if (polygonCount_ < 3)
        return;  // a polygon of fewer than three corners covers no pixel
    StartBatchOf(TPrimitive::Triangles);
    const uint32_t last = polygonCount_ - 1;
    for (uint32_t i = 1; i < last; ++i) {
        // Of each triangle's edges only those on the polygon's outline are drawn as outlines:
        // 0 -> i for the first fan, i -> i+1 always, i+1 -> 0 for the last fan.
        Put(polygon_[0], i == 1);
        Put(polygon_[i], true);
        Put(polygon_[i + 1], i + 1 == last);
    }
}

void TVertexBatcher::End()
{
    if (!open_)
        return;
    open_ = false;
    if (openKind_ == TPrimitive::Polygon) {
        PutFan();
        return;
    }
    // Vertices that do not complete a primitive draw nothing, as between Begin and End.
    const uint32_t per = VerticesPerPrimitive(openKind_);
    const uint32_t run = static_cast<uint32_t>(vertices_.size()) - runStart_;
    const uint32_t kept = runStart_ + run / per * per;
    vertices_.resize(kept);
    if (outline_)
        edges_.resize(kept);
}
