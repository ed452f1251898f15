// Straightforward versions of the scan model's receive protocol and fault-signal correction:
// each point placed by a rule of its own (from its index, not by following the lines as they
// arrive, which is how the model does it), a full recomputation of the padding mean before
// every padding point, a full walk and recomputation after every replacement. Slow on purpose;
// the tests and the fuzzer compare the model against them.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <deque>
#include <limits>
#include <vector>

#include "scan/model/DataTypes.h"
#include "scan/model/ExactSum.h"

namespace reference {

struct Point {
    float Value = 0, X = 0, Y = 0;
    uint8_t Carried[24] = {};
    Point *Up = nullptr, *Next = nullptr, *Previous = nullptr, *Down = nullptr;
};

struct Stats {
    float Min = 0, Max = 0, Average = 0;
    uint64_t Valid = 0;
};

// Statistics of the values in row order; invalid (non-finite) values take no part. The sum is
// exact, as the model's is.
template <typename P>
Stats StatisticsOf(P* First)
{
    Stats s;
    TExactSum sum;
    float mn = 3.4e38f, mx = std::numeric_limits<float>::lowest();
    for (P* h = First; h; h = h->Up)
        for (P* p = h; p; p = p->Next)
            if (std::isfinite(p->Value)) {
                mn = std::min(mn, p->Value);
                mx = std::max(mx, p->Value);
                sum.Add(p->Value);
                ++s.Valid;
            }
    if (s.Valid) {
        s.Min = mn;
        s.Max = mx;
        s.Average = float(sum.Value() / double(s.Valid));
    }
    return s;
}

// The receive protocol by the format's own rule rather than by following the lines as they
// arrive: point i (0-based, padding included) lies in line i / PointsPerLine, which is line
// (i / PointsPerLine) % LinesPerBlock of block (i / PointsPerLine) / LinesPerBlock. A block's
// lines fill the rows upwards, but in zig-zag order every second block fills them downwards;
// a block takes PointsPerLine columns, which a reversed line fills right to left. The links are
// then those of the grid's places. A padding point's value is the mean of the valid values of
// the lines already in the grid when it is added: every line begun before it but the last, which
// joins the grid only as the next line begins.
class Receiver {
public:
    uint32_t PointsPerLine = 1, LinesPerBlock = 1;
    uint8_t LineOrder = 0, Reverse = 0;
    Point* First = nullptr;
    uint32_t Count = 0;

    void Add(const TScanRecord& r)
    {
        points_.emplace_back();
        Point& p = points_.back();
        p.Value = r.Value;
        std::memcpy(p.Carried, r.Carried, 24);
        ++Count;
    }

    void End()
    {
        const uint64_t cell = uint64_t(PointsPerLine) * LinesPerBlock;
        if (Count > 0)
            while (Count % cell != 0) {
                TScanRecord pad;
                pad.Value = MeanOfLinkedLines();
                Add(pad);
            }
        Place();
    }

private:
    float MeanOfLinkedLines() const
    {
        const uint64_t linesBegun = (uint64_t(Count) + PointsPerLine - 1) / PointsPerLine;
        const uint64_t linked = linesBegun == 0 ? 0 : (linesBegun - 1) * PointsPerLine;
        TExactSum sum;
        uint64_t valid = 0;
        for (uint64_t i = 0; i < linked; ++i)
            if (std::isfinite(points_[i].Value)) {
                sum.Add(points_[i].Value);
                ++valid;
            }
        return valid ? float(sum.Value() / double(valid)) : std::numeric_limits<float>::quiet_NaN();
    }

    void Place()
    {
        if (Count == 0) return;
        const uint64_t rows = LinesPerBlock, columns = uint64_t(Count) / LinesPerBlock;
        std::vector<Point*> at(size_t(rows * columns), nullptr);
        for (uint64_t i = 0; i < Count; ++i) {
            const uint64_t line = i / PointsPerLine, place = i % PointsPerLine;
            const uint64_t block = line / LinesPerBlock, lineInBlock = line % LinesPerBlock;
            const bool downwards = LineOrder != 1 && block % 2 == 1;
            const uint64_t row = downwards ? LinesPerBlock - 1 - lineInBlock : lineInBlock;
            const uint64_t column = block * PointsPerLine + (Reverse == 1 ? PointsPerLine - 1 - place : place);
            Point& p = points_[size_t(i)];
            p.X = float(column);
            p.Y = float(row);
            at[size_t(row * columns + column)] = &p;
        }
        auto cell = [&](uint64_t row, uint64_t column) { return at[size_t(row * columns + column)]; };
        for (uint64_t row = 0; row < rows; ++row)
            for (uint64_t column = 0; column < columns; ++column) {
                Point* p = cell(row, column);
                p->Next = column + 1 < columns ? cell(row, column + 1) : nullptr;
                p->Previous = column > 0 ? cell(row, column - 1) : nullptr;
                p->Up = row + 1 < rows ? cell(row + 1, column) : nullptr;
                p->Down = row > 0 ? cell(row - 1, column) : nullptr;
            }
        First = cell(0, 0);
    }

    std::deque<Point> points_;
};

// Literal fault-signal correction over a complete grid given as values[row][column]
// (neighbours in the order right, up, left, down). Starts from the given statistics, as the
// model does from its stored ones, and stops after Limit replacements. Without Recompute the
// statistics stay as given (the model without a colour manager).
inline void CorrectFaultSignals(std::vector<std::vector<float>>& v, Stats stats, float Surface, float Surround,
                                uint64_t Limit, bool Recompute = true)
{
    const int h = int(v.size()), w = h ? int(v[0].size()) : 0;
    auto neighbourSum = [&](int r, int c, double& sum, int& count) {
        sum = 0;
        count = 0;
        const int dr[4] = {0, 1, 0, -1}, dc[4] = {1, 0, -1, 0};
        for (int k = 0; k < 4; ++k) {
            const int rr = r + dr[k], cc = c + dc[k];
            if (rr >= 0 && rr < h && cc >= 0 && cc < w) {
                sum += v[size_t(rr)][size_t(cc)];
                ++count;
            }
        }
    };
    auto recompute = [&]() {
        TExactSum sum;
        uint64_t n = 0;
        float mn = 3.4e38f, mx = std::numeric_limits<float>::lowest();
        for (auto& row : v)
            for (float x : row)
                if (std::isfinite(x)) {
                    mn = std::min(mn, x);
                    mx = std::max(mx, x);
                    sum.Add(x);
                    ++n;
                }
        stats = n ? Stats{mn, mx, float(sum.Value() / double(n)), n} : Stats{};
    };
    uint64_t replacements = 0;
    bool replaced;
    do {
        replaced = false;
        long i = 0;  // row-order index of the point examined
        while (i < long(h) * w && replacements < Limit) {
            const int r = int(i / w), c = int(i % w);
            float& x = v[size_t(r)][size_t(c)];
            if (x == stats.Min || x == stats.Max) {
                double sum;
                int count;
                neighbourSum(r, c, sum, count);
                const float mean = count ? float(sum / count) : std::numeric_limits<float>::quiet_NaN();
                if (std::fabs(double(stats.Average) - x) > Surface && std::fabs(double(mean) - x) > Surround &&
                    sum > 0 && count > 0) {
                    x = mean;
                    ++replacements;
                    replaced = true;
                    if (Recompute) recompute();
                    i = 1;  // the walk starts over and goes on after First
                    continue;
                }
            }
            ++i;
        }
    } while (replaced && replacements < Limit);
}

}  // namespace reference
