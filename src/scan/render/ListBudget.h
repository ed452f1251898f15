// How much of a scan the display list may hold. The list is planned from the triangles the
// build will really draw (the colour bands cut each grid triangle into as many pieces as the
// bands it crosses), counted by the build's own code before anything is drawn: the deepest
// subdivision level up to the chosen one whose triangles fit, and when even the coarsest level
// does not fit, the surface drawn from every k-th point in each direction, with the least k
// that fits. What fits is bounded by time (TriangleBudget: the time a view of the list takes
// to draw, the longest the window may go unanswered) and by the address space left.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "framework/MemoryStatus.h"

// Triangles drawn that a list may have however much memory is left: the time a build takes.
// Mesa under Wine compiles 5 million in about 1.6 s beside the geometry worker and draws a view
// of them in about 0.9 s (5.5 million a second, as "render_bench draw" measures it, on a quiet
// machine and on a busy one alike); the window is answered between the list's parts all the
// while. A radar profile of 1040 x 512 points with the noise of real readings (2.8 million) and
// a 1000 x 1000 hill (4.4 million) keep every point.
inline constexpr uint64_t SmoothTriangleBudget = 5'000'000;

// List memory per triangle drawn under Wine with Mesa: 39.4 to 39.9 bytes for the hills of
// levels 1 to 3 ("render_bench memory"), 39 for a 3000 x 3000 saw-tooth whose every triangle
// the bands cut; kept with a margin of a tenth.
inline constexpr uint64_t ListBytesPerTriangle = 44;

// Kept free beside the list: drawing a frame (Mesa's rasteriser takes a hundred MB and more for
// a large list), the window's buffers, the next file read, and what Wine and the system's
// libraries allocate on their own.
uint64_t AddressSpaceReserve(uint64_t Total);

// Bytes the list may take of Space once the reserve and the builder's arrays (BuilderBytes)
// are set aside; everything when the address space is not known. What the list can take is
// the address space not in use: under Wine the driver maps its memory itself, in blocks of
// about a megabyte (a buffer for each megabyte of vertices), outside Wine's reservations,
// where neither Wine's free figure nor its VirtualQuery looks (see ProcessAddressSpace); the
// free part in blocks of a megabyte is about all of it, so it is counted whole.
uint64_t ListBytesWithin(const TAddressSpace& Space, uint64_t BuilderBytes);

// Grid triangles (before the colour bands cut them) of a surface over Columns x Rows points
// drawn from every Step-th point in each direction (and the last row and column), subdivided
// to Depth.
uint64_t SurfaceTriangleCount(uint64_t Columns, uint64_t Rows, uint8_t Depth, uint32_t Step);

struct TListPlan {
    uint8_t Depth = 0;
    uint32_t Step = 1;
    uint64_t Triangles = 0;  // drawn, as counted
};

// The step that leaves a single cell: as coarse as a plan gets.
uint32_t CoarsestStep(uint64_t Columns, uint64_t Rows);

// The plan one notch coarser than Plan: one level lower, or at level 0 the next step; none
// beyond the coarsest step.
std::optional<TListPlan> NextCoarserPlan(const TListPlan& Plan, uint64_t Columns, uint64_t Rows);

// What a build would draw, counted.
struct TTriangleTally {
    uint64_t Triangles = 0;  // drawn: each polygon the fan it is drawn as, each quad two
    bool Passed = false;     // the count passed its limit and stopped: Triangles is a lower bound
    double ShareWalked = 1.0;  // of the scan's rows, where the count stopped
};

// Counts the triangles the build draws at Depth and Step, stopping once they pass Limit.
using TPlanCount = std::function<TTriangleTally(uint8_t Depth, uint32_t Step, uint64_t Limit)>;

// The list for Columns x Rows points, no finer than Finest, whose triangles (as Count counts
// them) stay within Allowed: the deepest level up to Finest.Depth with every point (from
// Finest.Step on when that is coarser than every point); else level 0 with the least step that
// fits; at worst the coarsest step. Levels are counted from the coarsest up and each count
// stops as soon as it passes Allowed, so planning costs about what building the plan costs.
TListPlan PlanList(uint64_t Columns, uint64_t Rows, const TListPlan& Finest, uint64_t Allowed, const TPlanCount& Count);
