#include "scan/model/MinMaxTree.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr float Absent = std::numeric_limits<float>::infinity();
}

TMinMaxTree::TMinMaxTree(const std::vector<float>& Values)
    : value_(Values), size_(uint32_t(Values.size())), present_(Values.size(), 0)
{
    const uint32_t buckets = (size_ + Bucket - 1) / Bucket;
    while (leaves_ < buckets) leaves_ *= 2;
    node_.assign(2 * size_t(leaves_), TNode{Absent, -Absent});
}

void TMinMaxTree::Set(uint32_t Index)
{
    present_[Index] = 1;
    RefreshBucket(Index / Bucket);
}

void TMinMaxTree::Remove(uint32_t Index)
{
    present_[Index] = 0;
    RefreshBucket(Index / Bucket);
}

void TMinMaxTree::RefreshBucket(uint32_t BucketIndex)
{
    TNode merged{Absent, -Absent};
    const uint32_t end = std::min(size_, (BucketIndex + 1) * Bucket);
    for (uint32_t i = BucketIndex * Bucket; i < end; ++i)
        if (present_[i]) {
            merged.Min = std::min(merged.Min, value_[i]);
            merged.Max = std::max(merged.Max, value_[i]);
        }
    uint32_t node = leaves_ + BucketIndex;
    node_[node] = merged;
    for (node /= 2; node >= 1; node /= 2) {
        const TNode& left = node_[2 * node];
        const TNode& right = node_[2 * node + 1];
        merged = TNode{std::min(left.Min, right.Min), std::max(left.Max, right.Max)};
        // Bit-equal extremes above stay as they are (-0 and +0 differ here on purpose).
        if (std::memcmp(&merged, &node_[node], sizeof merged) == 0) break;
        node_[node] = merged;
    }
}

bool TMinMaxTree::NodeMayHold(const TNode& Node, float Target, TSearch Search) const
{
    switch (Search) {
    case TSearch::Min: return Node.Min == Target;
    case TSearch::Max: return Node.Max == Target;
    default: return Node.Min <= Node.Max;
    }
}

uint32_t TMinMaxTree::Find(int64_t After, float Target, TSearch Search) const
{
    return FindIn(1, 0, leaves_ - 1, After, Target, Search);
}

uint32_t TMinMaxTree::FindIn(uint32_t Node, uint32_t Lo, uint32_t Hi, int64_t After, float Target,
                             TSearch Search) const
{
    // Lo and Hi are bucket numbers.
    if ((int64_t(Hi) + 1) * Bucket - 1 <= After || !NodeMayHold(node_[Node], Target, Search)) return NotFound;
    if (Lo == Hi) {
        const int64_t from = std::max<int64_t>(int64_t(Lo) * Bucket, After + 1);
        const uint32_t end = std::min(size_, (Lo + 1) * Bucket);
        for (uint32_t i = uint32_t(from); i < end; ++i)
            if (present_[i] && (Search == TSearch::Present || value_[i] == Target)) return i;
        return NotFound;
    }
    const uint32_t mid = Lo + (Hi - Lo) / 2;
    const uint32_t left = FindIn(2 * Node, Lo, mid, After, Target, Search);
    return left != NotFound ? left : FindIn(2 * Node + 1, mid + 1, Hi, After, Target, Search);
}
