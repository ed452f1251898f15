// How much of a scan the display list may hold. The list must fit into what the address space
// has left beside the scan's points and everything else the program holds: the deepest
// subdivision level up to the chosen one that fits is built, and when even the coarsest level
// does not fit, the surface is drawn from every k-th point in each direction, with the least k
// that fits.
#pragma once

#include <cstdint>

#include "framework/MemoryStatus.h"

// Triangles a list may have however much memory is left: 8 million compile in about 5 s and
// draw at under one frame per second under Wine with Mesa.
inline constexpr uint64_t SmoothTriangleBudget = 8'000'000;

// List memory per triangle (before banding) under Wine with Mesa, as "render_bench memory"
// measures it: the smooth form of the benchmark's hills holds 28 to 65 bytes per triangle,
// more the more colour bands cut it (the most for small lists, which carry a fixed 0.2 MB),
// the flat form 26 to 40. Real scans cross more bands than smooth hills, so the figure keeps
// a margin.
inline constexpr uint64_t ListBytesPerTriangle = 96;

// Kept free beside the list: drawing a frame, the window's buffers, the next file read, and
// the part of the address space the system's own libraries fragment (under Wine a 32-bit
// process ran out at about 3.2 GB of its 4 GB).
uint64_t AddressSpaceReserve(uint64_t Total);

// Bytes the list may take of Space once the reserve and the builder's arrays (BuilderBytes)
// are set aside; everything when the address space is not known.
uint64_t ListBytesWithin(const TAddressSpace& Space, uint64_t BuilderBytes);

// Triangles (before banding) of a surface over Columns x Rows points drawn from every Step-th
// point in each direction (and the last row and column), subdivided to Depth.
uint64_t SurfaceTriangleCount(uint64_t Columns, uint64_t Rows, uint8_t Depth, uint32_t Step);

struct TListPlan {
    uint8_t Depth = 0;
    uint32_t Step = 1;
};

// The list for Columns x Rows points at the Requested depth within MaxTriangles and ListBytes:
// the deepest level that fits with every point; else level 0 with the least step that fits
// (at most the step that leaves a single cell).
TListPlan PlanList(uint64_t Columns, uint64_t Rows, uint8_t Requested, uint64_t MaxTriangles, uint64_t ListBytes);
