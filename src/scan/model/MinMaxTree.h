// Minimum and maximum over a chosen subset of an array of floats, with updates and a search
// for the first index after a position whose value is the subset's extreme. Every operation
// costs O(log n). The tree stands over buckets of 16 entries, which are scanned directly, and
// reads the caller's array instead of copying it: a small tree stays in the cache.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

class TMinMaxTree {
public:
    static constexpr uint32_t NotFound = std::numeric_limits<uint32_t>::max();

    // Values must outlive the tree; no entry is in the subset at first.
    explicit TMinMaxTree(const std::vector<float>& Values);

    // Puts the entry in the subset, or takes note that its value changed.
    void Set(uint32_t Index);
    void Remove(uint32_t Index);

    bool Empty() const { return node_[1].Min > node_[1].Max; }
    float Min() const { return node_[1].Min; }
    float Max() const { return node_[1].Max; }

    // First index > After (After may be -1) whose value equals Target. Target must not lie
    // above any present value (FindMinAfter) or below any (FindMaxAfter), as the extreme of
    // this set or of a superset does: only then does a subtree's extreme tell whether it
    // holds Target.
    uint32_t FindMinAfter(int64_t After, float Target) const { return Find(After, Target, TSearch::Min); }
    uint32_t FindMaxAfter(int64_t After, float Target) const { return Find(After, Target, TSearch::Max); }
    // First index > After that is present at all.
    uint32_t FindPresentAfter(int64_t After) const { return Find(After, 0.0f, TSearch::Present); }

private:
    static constexpr uint32_t Bucket = 16;
    enum class TSearch { Min, Max, Present };
    // Both extremes of a node side by side: one memory access serves both.
    struct TNode {
        float Min;
        float Max;
    };

    uint32_t Find(int64_t After, float Target, TSearch Search) const;
    uint32_t FindIn(uint32_t Node, uint32_t Lo, uint32_t Hi, int64_t After, float Target, TSearch Search) const;
    bool NodeMayHold(const TNode& Node, float Target, TSearch Search) const;
    void RefreshBucket(uint32_t BucketIndex);

    const std::vector<float>& value_;
    uint32_t size_ = 0;
    uint32_t leaves_ = 1;  // buckets, rounded up to a power of two
    std::vector<uint8_t> present_;
    std::vector<TNode> node_;
};
