#include "scan/render/ListBudget.h"

#include <algorithm>
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
    return Space.Left > kept ? Space.Left - kept : 0;
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

TListPlan PlanList(uint64_t Columns, uint64_t Rows, uint8_t Requested, uint64_t MaxTriangles, uint64_t ListBytes)
{
    const uint64_t allowed = std::min(MaxTriangles, ListBytes / ListBytesPerTriangle);
    TListPlan plan;
    plan.Depth = Requested;
    while (plan.Depth > 0 && SurfaceTriangleCount(Columns, Rows, plan.Depth, 1) > allowed)
        --plan.Depth;
    if (SurfaceTriangleCount(Columns, Rows, 0, 1) <= allowed)
        return plan;
    // The count falls as the step grows; the step that leaves one cell is as far as it goes.
    const uint64_t widest = std::max<uint64_t>(2, std::max(Columns, Rows) - 1);
    uint64_t low = 2, high = std::min<uint64_t>(widest, std::numeric_limits<uint32_t>::max());
    while (low < high) {
        const uint64_t mid = low + (high - low) / 2;
        if (SurfaceTriangleCount(Columns, Rows, 0, static_cast<uint32_t>(mid)) <= allowed)
            high = mid;
        else
            low = mid + 1;
    }
    plan.Step = static_cast<uint32_t>(low);
    return plan;
}
