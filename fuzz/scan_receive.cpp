// Drives the scan model's receive protocol with layouts and values from the input, checks the
// grid's shape after every receive and compares it with the straightforward reference; then
// runs the walks, the level steps and the fault correction on the result.
//
// Input: points per line, lines per block, line order, reverse, a flags byte, the two
// thresholds as bytes, then the values as little-endian Singles.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"
#include "../tests/scan/model/scan_grid_check.h"
#include "../tests/scan/model/scan_reference.h"

namespace {

void Fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "scan_receive: %s %s\n", what, detail.c_str());
    std::abort();
}

bool Same(float a, float b, bool exact)
{
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    if (exact || std::isinf(a) || std::isinf(b)) return a == b;
    return std::fabs(a - b) <= 1e-4f * std::max(1.0f, std::fabs(a));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 7) return 0;
    const uint32_t ppl = data[0] == 255 ? 0 : 1 + data[0] % 8;
    const uint32_t lpb = data[1] == 255 ? 0 : 1 + data[1] % 40;
    const uint8_t order = data[2] % 3, reverse = data[3] % 3, flags = data[4];
    const float surface = float(data[5] % 21) / 2, surround = float(data[6] % 21) / 2;
    std::vector<float> values;
    for (size_t i = 7; i + 4 <= size && values.size() < 400; i += 4) {
        float v;
        std::memcpy(&v, data + i, 4);
        values.push_back(v);
    }

    TColorManager colors;
    TColorManager* colorsVar = (flags & 1) ? nullptr : &colors;
    TScanData scan(&colorsVar);
    scan.SetPointsPerLine(ppl);
    scan.SetLinesPerBlock(lpb);
    scan.SetLineOrder(order);
    scan.SetReverse(reverse);

    if (flags & 2) {  // a receive stopped half-way, then a new one
        scan.BeginReceive(1);
        for (size_t i = 0; i < values.size() / 2; ++i) {
            TScanRecord r;
            r.Value = values[i];
            scan.AddScanPoint(r);
        }
        scan.StopReceiving();
        scan.EndReceive();
    }
    scan.BeginReceive(0);
    reference::Receiver ref;
    ref.PointsPerLine = ppl;
    ref.LinesPerBlock = lpb;
    ref.LineOrder = order;
    ref.Reverse = reverse;
    for (size_t i = 0; i < values.size(); ++i) {
        TScanRecord r;
        r.Value = values[i];
        const uint32_t id = uint32_t(i + 1);
        std::memcpy(r.Carried, &id, 4);
        scan.AddScanPoint(r);
        if (ppl && lpb) ref.Add(r);
    }
    scan.EndReceive();
    if (ppl && lpb) ref.End();

    const std::string shape = CheckScanGrid(scan);
    if (!shape.empty()) Fail("grid", shape);
    if (scan.Count != ref.Count) Fail("count", std::to_string(scan.Count) + " vs " + std::to_string(ref.Count));

    // Same points at the same places, same values (padding within rounding, and only with a
    // colour manager: without one the padding is the provisional average).
    const TScanPoint* a = scan.First;
    const reference::Point* b = ref.First;
    for (const TScanPoint *ha = a; ha; ha = ha->Up, b = b ? b->Up : nullptr) {
        if (!b) Fail("rows", "model has more rows");
        const reference::Point* pb = b;
        for (const TScanPoint* pa = ha; pa; pa = pa->Next, pb = pb ? pb->Next : nullptr) {
            if (!pb) Fail("row", "model row longer");
            uint32_t ida, idb;
            std::memcpy(&ida, pa->Carried, 4);
            std::memcpy(&idb, pb->Carried, 4);
            if (ida != idb) Fail("order", std::to_string(ida) + " vs " + std::to_string(idb));
            if (ida != 0 && !Same(pa->Value, pb->Value, true)) Fail("value", "");
            if (ida == 0 && colorsVar && !Same(pa->Value, pb->Value, false)) Fail("padding", "");
        }
        if (pb) Fail("row", "model row shorter");
    }

    // The walks visit every point once; the level steps stay finite.
    uint32_t visited = 0;
    for (TScanPoint* p = scan.FirstColumnPoint(); p; p = scan.NextColumnPoint()) ++visited;
    if (visited != scan.Count) Fail("serpentine", std::to_string(visited));
    scan.LevelUp();
    scan.LevelDown();
    if (colorsVar && (!std::isfinite(scan.LevelValue) || !std::isfinite(scan.Average))) Fail("levels", "");

    if (scan.Count <= 256) {
        std::vector<std::vector<float>> grid;
        for (TScanPoint* h = scan.First; h; h = h->Up) {
            grid.emplace_back();
            for (TScanPoint* p = h; p; p = p->Next) grid.back().push_back(p->Value);
        }
        scan.SurfaceThreshold = surface;
        scan.SurroundThreshold = surround;
        reference::CorrectFaultSignals(grid, {scan.MinValue, scan.MaxValue, scan.Average, 1}, surface, surround,
                                       TScanData::CorrectionLimitPerPoint * scan.Count, colorsVar != nullptr);
        scan.CorrectFaultSignals(false);
        size_t r = 0;
        for (TScanPoint* h = scan.First; h; h = h->Up, ++r) {
            size_t c = 0;
            for (TScanPoint* p = h; p; p = p->Next, ++c)
                if (!Same(p->Value, grid[r][c], true)) Fail("correction", std::to_string(c) + "," + std::to_string(r));
        }
        if (!CheckScanGrid(scan).empty()) Fail("grid after correction", "");
    }
    return 0;
}
