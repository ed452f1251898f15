// Straightforward versions of the scan model's receive protocol and fault-signal correction,
// done exactly as described: lines linked by walking the grid, a full recomputation of the
// statistics before every padding point, a full walk and recomputation after every
// replacement. Slow on purpose; the tests and the fuzzer compare the model against them.
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

class Receiver {
public:
    uint32_t PointsPerLine = 1, LinesPerBlock = 1;
    uint8_t LineOrder = 0, Reverse = 0;
    Point* First = nullptr;
    uint32_t Count = 0;

    void Add(const TScanRecord& r)
    {
        points_.emplace_back();
        Point* p = &points_.back();
        p->Value = r.Value;
        std::memcpy(p->Carried, r.Carried, 24);
        ++Count;
        if (position_ > PointsPerLine) {
            position_ = 1;
            const int64_t l = int64_t(line_) + direction_;
            if (l < 1 || l > int64_t(LinesPerBlock)) {
                if (LineOrder == 1) {
                    line_ = 1;
                } else {
                    line_ = direction_ == 1 ? LinesPerBlock : 1;
                    direction_ = -direction_;
                }
                LinkLine();
                ++block_;
            } else {
                line_ = uint32_t(l);
                LinkLine();
            }
        }
        const uint32_t start = (block_ - 1) * PointsPerLine;
        p->X = float(Reverse == 1 ? start + (PointsPerLine - position_) : start + (position_ - 1));
        p->Y = float(line_ - 1);
        if (!head_) {
            head_ = p;
        } else if (Reverse == 1) {
            p->Next = head_;
            head_->Previous = p;
            head_ = p;
        } else {
            Point* t = head_;
            while (t->Next) t = t->Next;
            t->Next = p;
            p->Previous = t;
        }
        ++position_;
    }

    void End()
    {
        const uint64_t cell = uint64_t(PointsPerLine) * LinesPerBlock;
        if (Count > 0)
            while (Count % cell != 0) {
                const Stats s = StatisticsOf(First);
                TScanRecord pad;
                pad.Value = s.Valid ? s.Average : std::numeric_limits<float>::quiet_NaN();
                Add(pad);
            }
        LinkLine();
    }

private:
    void LinkLine()
    {
        Point* h = head_;
        head_ = nullptr;
        if (!h) return;
        if (!First) {
            First = h;
            return;
        }
        Point* start;
        if (block_ == 1) {
            Point* t = First;
            while (t->Up) t = t->Up;
            t->Up = h;
            h->Down = t;
            start = t;
        } else {
            Point* e = First;
            const long steps = std::lrint(h->Y);
            for (long i = 0; i < steps && e->Up; ++i) e = e->Up;
            while (e->Next) e = e->Next;
            e->Next = h;
            h->Previous = e;
            start = e;
        }
        for (Point* p = start; p->Next; p = p->Next) {
            if (p->Up && p->Up->Next) {
                p->Next->Up = p->Up->Next;
                p->Up->Next->Down = p->Next;
            }
            if (p->Down && p->Down->Next) {
                p->Next->Down = p->Down->Next;
                p->Down->Next->Up = p->Next;
            }
        }
    }

    std::deque<Point> points_;
    Point* head_ = nullptr;
    uint32_t line_ = 1, position_ = 1, block_ = 1;
    int direction_ = 1;
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
