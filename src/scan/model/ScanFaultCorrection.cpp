// Fault-signal correction of TScanData.
//
// The correction walks the points in row order and replaces an extreme point (its value is
// the scan's minimum or maximum) by the mean of its neighbours when it stands out from the
// average by more than SurfaceThreshold and from that mean by more than SurroundThreshold.
// Each replacement moves the statistics, and the walk starts over (continuing after First);
// passes repeat until one replaces nothing.
//
// Done literally that is a full walk and a recomputation per replacement. Here the walk's
// next stop is found directly instead:
// - whether a point passes the neighbour test (and can be written, neighbour sum > 0)
//   depends only on its own and its neighbours' values; it is kept per point and renewed for
//   the replaced point and its four neighbours;
// - the average test is the same for all points of one value, so it decides for the whole
//   minimum group and the whole maximum group at once;
// - the first point after the walk position that has the minimum (or maximum) value and
//   passes its neighbour test comes from a min/max tree over the passing points; another
//   tree over all valid values gives the new minimum and maximum after each replacement, and
//   the exact sum is kept as it changes.
// The work runs on arrays in row order; the colours and the colour scale are rebuilt once at
// the end.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "scan/model/ExactSum.h"
#include "scan/model/MinMaxTree.h"
#include "scan/model/ScanGridWalk.h"
#include "scan/model/_TScanData.h"

namespace {

constexpr uint32_t None = TMinMaxTree::NotFound;

class TCorrectionGrid {
public:
    TCorrectionGrid(TScanData& Scan, float Surface, float Surround) : surface_(Surface), surround_(Surround)
    {
        uint32_t width, height;
        if (Scan.CompleteGridSize(width, height)) {
            // A whole grid: row order and neighbours follow from the coordinates, and the
            // points are read in storage order.
            points_.resize(size_t(width) * height);
            values_.resize(points_.size());
            Scan.ForEachStoredPoint([&](TScanPoint& p) {
                const size_t i = size_t(p.Y) * width + size_t(p.X);
                points_[i] = &p;
                values_[i] = p.Value;
            });
            width_ = width;
            height_ = height;
            replaced_.assign(points_.size(), 0);
            return;
        }
        ForEachInRowOrder(Scan.First, [&](TScanPoint& p) {
            p.Tag = uint32_t(points_.size());
            points_.push_back(&p);
            values_.push_back(p.Value);
        });
        neighbours_.resize(points_.size());
        for (size_t i = 0; i < points_.size(); ++i) {
            const TScanPoint& p = *points_[i];
            neighbours_[i] = {IndexOf(p.Next), IndexOf(p.Up), IndexOf(p.Previous), IndexOf(p.Down)};
        }
        replaced_.assign(points_.size(), 0);
    }

    uint32_t Size() const { return uint32_t(points_.size()); }
    float Value(uint32_t i) const { return values_[i]; }
    const std::vector<float>& Values() const { return values_; }

    // Next, Up, Previous, Down; None where there is no neighbour.
    std::array<uint32_t, 4> Neighbours(uint32_t i) const
    {
        if (width_ == 0) return neighbours_[i];
        const uint32_t c = i % width_, r = i / width_;
        return {c + 1 < width_ ? i + 1 : None, r + 1 < height_ ? i + width_ : None, c > 0 ? i - 1 : None,
                r > 0 ? i - width_ : None};
    }

    // The neighbour sum and count in the order Next, Up, Previous, Down, as NeighbourMean.
    TNeighbourSum SumOfNeighbours(uint32_t i) const
    {
        TNeighbourSum s;
        for (uint32_t j : Neighbours(i))
            if (j != None) {
                s.Sum += values_[j];
                ++s.Count;
            }
        return s;
    }

    // The neighbour test, and that a replacement would write (neighbour sum > 0).
    bool PassesNeighbourTest(uint32_t i) const
    {
        const float v = values_[i];
        if (!IsStatisticValue(v)) return false;
        const TNeighbourSum s = SumOfNeighbours(i);
        if (s.Count == 0 || !(s.Sum > 0.0)) return false;
        return std::fabs(double(float(s.Sum / s.Count)) - v) > surround_;
    }

    bool PassesAverageTest(float Average, float Value) const { return std::fabs(double(Average) - Value) > surface_; }

    // Replaces the value by its neighbour mean; returns the old value. The points take the
    // new values at WriteBack.
    float Replace(uint32_t i)
    {
        const TNeighbourSum s = SumOfNeighbours(i);
        const float old = values_[i];
        values_[i] = float(s.Sum / s.Count);
        if (!replaced_[i]) {
            replaced_[i] = 1;
            replacedList_.push_back(i);
        }
        return old;
    }

    void WriteBack()
    {
        for (uint32_t i : replacedList_) points_[i]->Value = values_[i];
    }

private:
    uint32_t IndexOf(const TScanPoint* p) const
    {
        return p && p->Tag < points_.size() && points_[p->Tag] == p ? p->Tag : None;
    }

    float surface_;
    float surround_;
    uint32_t width_ = 0;  // > 0: a whole grid, neighbours follow from the index
    uint32_t height_ = 0;
    std::vector<uint8_t> replaced_;
    std::vector<uint32_t> replacedList_;
    std::vector<TScanPoint*> points_;
    std::vector<float> values_;
    std::vector<std::array<uint32_t, 4>> neighbours_;
};

}  // namespace

void TScanData::CorrectFaultSignals(bool SelectedOnly)
{
    if (SelectedOnly) {
        if (Selected) NeighbourMean(Selected, true);
        return;
    }
    if (CorrectFaultSignalsFast()) RecomputeStatistics();
}

// Returns whether anything was replaced; the statistics and colours are then stale.
bool TScanData::CorrectFaultSignalsFast()
{
    TCorrectionGrid grid(*this, SurfaceThreshold, SurroundThreshold);
    const uint32_t n = grid.Size();
    if (n == 0) return false;
    const uint64_t limit = CorrectionLimitPerPoint * n;
    uint64_t replacements = 0;
    auto candidateByStoredStatistics = [&](uint32_t i) {
        const float v = grid.Value(i);
        return (v == MinValue || v == MaxValue) && grid.PassesAverageTest(Average, v) && grid.PassesNeighbourTest(i);
    };

    // Until the first replacement the statistics are the stored ones (whatever they are);
    // the first pass is an ordinary walk.
    uint32_t first = 0;
    while (first < n && !candidateByStoredStatistics(first)) ++first;
    if (first == n) return false;
    grid.Replace(first);
    ++replacements;
    Changed = 1;

    // Without a colour manager nothing recomputes the statistics: they stay as stored, and
    // the candidates are the passing points at the stored extremes.
    const bool frozen = Colors() == nullptr;
    auto isCandidate = [&](uint32_t i) {
        return frozen ? candidateByStoredStatistics(i) : grid.PassesNeighbourTest(i);
    };

    TMinMaxTree valid(grid.Values());    // every valid value
    TMinMaxTree passing(grid.Values());  // the candidates
    std::vector<uint8_t> inPassing(n, 0);
    TExactSum sum;
    uint64_t validCount = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const float v = grid.Value(i);
        if (!IsStatisticValue(v)) continue;
        valid.Set(i);
        sum.Add(v);
        ++validCount;
        if (isCandidate(i)) {
            passing.Set(i);
            inPassing[i] = 1;
        }
    }

    // A neighbour's value did not change, only whether it passes may have.
    auto renewNeighbour = [&](uint32_t j) {
        if (j == None) return;
        const uint8_t passes = isCandidate(j) ? 1 : 0;
        if (passes == inPassing[j]) return;
        inPassing[j] = passes;
        if (passes)
            passing.Set(j);
        else
            passing.Remove(j);
    };

    int64_t after = 0;  // after a replacement the walk goes on after First
    bool replacedInPass = true;
    while (replacements < limit) {
        uint32_t next = None;
        if (frozen) {
            next = passing.FindPresentAfter(after);
        } else if (validCount > 0) {
            const float minValue = valid.Min();
            const float maxValue = valid.Max();
            const float average = float(sum.Value() / double(validCount));
            if (grid.PassesAverageTest(average, minValue)) next = passing.FindMinAfter(after, minValue);
            if (grid.PassesAverageTest(average, maxValue)) next = std::min(next, passing.FindMaxAfter(after, maxValue));
        }
        if (next == None) {
            if (!replacedInPass) break;
            replacedInPass = false;  // a new pass from First
            after = -1;
            continue;
        }

        // A replaced value was valid, and so is the mean of neighbours whose sum is > 0 and
        // finite; an infinite neighbour makes it invalid.
        const float old = grid.Replace(next);
        ++replacements;
        const float now = grid.Value(next);
        sum.Subtract(old);
        --validCount;
        if (IsStatisticValue(now)) {
            sum.Add(now);
            ++validCount;
            valid.Set(next);
        } else {
            valid.Remove(next);
        }
        inPassing[next] = isCandidate(next) ? 1 : 0;
        if (inPassing[next])
            passing.Set(next);
        else
            passing.Remove(next);
        for (uint32_t j : grid.Neighbours(next)) renewNeighbour(j);

        replacedInPass = true;
        after = 0;
    }
    grid.WriteBack();
    return true;
}
