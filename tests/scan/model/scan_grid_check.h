// Checks the shape of a received scan grid: First at column 0 row 0, every row as long as
// the others, Next/Previous and Up/Down mutual and column-true, the point count, and that
// the grid is whole lines and blocks. Returns "" when the grid is sound, else what is wrong.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scan/model/_TScanData.h"

inline std::string CheckScanGrid(const TScanData& Scan)
{
    using std::to_string;
    if (!Scan.First) return Scan.Count == 0 ? "" : "no First but Count " + to_string(Scan.Count);
    if (Scan.First->X != 0.0f || Scan.First->Y != 0.0f) return "First is not at column 0, row 0";

    std::vector<std::vector<const TScanPoint*>> rows;
    for (const TScanPoint* head = Scan.First; head; head = head->Up) {
        if (rows.size() > Scan.Count) return "row heads loop";
        if (head->Previous) return "row head " + to_string(rows.size()) + " has a Previous";
        rows.emplace_back();
        for (const TScanPoint* p = head; p; p = p->Next) {
            if (rows.back().size() > Scan.Count) return "row loops";
            rows.back().push_back(p);
        }
    }
    const size_t width = rows[0].size();
    uint64_t total = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() != width)
            return "row " + to_string(r) + " has " + to_string(rows[r].size()) + " points, row 0 " + to_string(width);
        total += rows[r].size();
        for (size_t c = 0; c < width; ++c) {
            const TScanPoint* p = rows[r][c];
            const std::string at = " at column " + to_string(c) + " row " + to_string(r);
            if (p->X != float(c) || p->Y != float(r)) return "coordinates wrong" + at;
            if (p->Next != (c + 1 < width ? rows[r][c + 1] : nullptr)) return "Next wrong" + at;
            if (p->Previous != (c > 0 ? rows[r][c - 1] : nullptr)) return "Previous wrong" + at;
            if (p->Up != (r + 1 < rows.size() ? rows[r + 1][c] : nullptr)) return "Up wrong" + at;
            if (p->Down != (r > 0 ? rows[r - 1][c] : nullptr)) return "Down wrong" + at;
        }
    }
    if (total != Scan.Count) return "grid holds " + to_string(total) + " points, Count " + to_string(Scan.Count);
    const uint64_t cell = uint64_t(Scan.PointsPerLine) * Scan.LinesPerBlock;
    if (cell > 0 && total % cell != 0) return "Count is not whole blocks";
    if (rows.size() != Scan.LinesPerBlock) return "rows differ from lines per block";
    if (Scan.MaxX != float(width - 1) || Scan.MaxY != float(rows.size() - 1)) return "extents wrong";
    return "";
}
