#include "scan/render/ListBudget.h"

#include <algorithm>
#include <cmath>
#include <limits>

uint64_t AddressSpaceReserve(uint64_t Total)
{
    constexpr uint64_t least = uint64_t{256} << 20;
    return std::max(least, Total / 4);
}

uint64_t ListBytesWithin(const TAddressSpace& Space, uint64_t BuilderBytes)
{
    if (Space.Total == 0)
        return std::numeric_limits<uint64_t>::max();
    const uint64_t kept = AddressSpaceReserve(Space.Total) + BuilderBytes;
    const uint64_t free = Space.InUse > 0 ? (Space.Total > Space.InUse ? Space.Total - Space.InUse : 0) : Space.Left;
    return free > kept ? free - kept : 0;
}

uint64_t SurfaceTriangleCount(uint64_t Columns, uint64_t Rows, uint8_t Depth, uint32_t Step)
{
    if (Columns < 2 || Rows < 2)
        return 0;
    const uint64_t step = Step > 0 ? Step : 1;
    const uint64_t across = (Columns - 2) / step + 1;  // cells along a row, the last one narrower
    const uint64_t up = (Rows - 2) / step + 1;
    return across * up * 2 * (uint64_t{1} << (2 * std::min<uint8_t>(Depth, 16)));
}

uint32_t CoarsestStep(uint64_t Columns, uint64_t Rows)
{
    const uint64_t widest = std::max<uint64_t>(2, std::max(Columns, Rows) - 1);
    return static_cast<uint32_t>(std::min<uint64_t>(widest, std::numeric_limits<uint32_t>::max()));
}

std::optional<TListPlan> NextCoarserPlan(const TListPlan& Plan, uint64_t Columns, uint64_t Rows)
{
    if (Plan.Depth > 0)
        return TListPlan{static_cast<uint8_t>(Plan.Depth - 1), 1, 0};
    if (Plan.Step >= CoarsestStep(Columns, Rows))
        return std::nullopt;
    return TListPlan{0, Plan.Step + 1, 0};
}

TListPlan PlanList(uint64_t Columns, uint64_t Rows, const TListPlan& Finest, uint64_t Allowed, const TPlanCount& Count)
{
    if (Columns < 2 || Rows < 2)
        return TListPlan{0, 1, 0};
    const uint32_t coarsest = CoarsestStep(Columns, Rows);
    const uint32_t firstStep = std::clamp<uint32_t>(Finest.Step, 1, coarsest);
    std::optional<TListPlan> fits;
    TTriangleTally last;
    // Levels from the coarsest up: each has about four times the triangles of the one below,
    // so the first that passes ends the search, and its count stops where it passed.
    const uint8_t deepest = firstStep == 1 ? Finest.Depth : 0;
    for (int depth = 0; depth <= deepest; ++depth) {
        last = Count(static_cast<uint8_t>(depth), firstStep, Allowed);
        if (last.Passed)
            break;
        fits = TListPlan{static_cast<uint8_t>(depth), firstStep, last.Triangles};
    }
    if (fits)
        return *fits;
    // Not even level 0 at the first step fits. A coarser grid of k-th points keeps about 1/k^2
    // of the cells: the count so far, taken over the whole scan, tells where to start looking;
    // from there the steps go up one at a time, so that the least one that fits is found.
    const double share = std::max(last.ShareWalked, 1.0 / double(Rows));
    const double whole = double(last.Triangles) / share;
    const double ratio = Allowed > 0 ? std::sqrt(whole / double(Allowed)) : double(coarsest);
    uint64_t step = std::max<uint64_t>(firstStep + 1, static_cast<uint64_t>(std::floor(firstStep * ratio)));
    for (; step < coarsest; ++step) {
        last = Count(0, static_cast<uint32_t>(step), Allowed);
        if (!last.Passed)
            return TListPlan{0, static_cast<uint32_t>(step), last.Triangles};
    }
    // The single cell, whatever it draws.
    last = Count(0, coarsest, std::numeric_limits<uint64_t>::max());
    return TListPlan{0, coarsest, last.Triangles};
}
