// Storage of the scan points: fixed-size chunks, so a point never moves once made and the
// whole scan is released at once, linked into the grid or not (a line left unlinked by a
// stopped receive is released with the rest).
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

template <typename TNode>
class TNodePool {
public:
    TNode* New()
    {
        if (used_ == ChunkSize || chunks_.empty()) {
            chunks_.push_back(std::make_unique<TNode[]>(ChunkSize));
            used_ = 0;
        }
        ++size_;
        return &chunks_.back()[used_++];
    }

    void Clear()
    {
        chunks_.clear();
        used_ = 0;
        size_ = 0;
    }

    size_t Size() const { return size_; }

    // Visits every node in the order of creation.
    template <typename F>
    void ForEach(F&& f)
    {
        for (size_t c = 0; c < chunks_.size(); ++c) {
            const size_t n = c + 1 == chunks_.size() ? used_ : ChunkSize;
            for (size_t i = 0; i < n; ++i) f(chunks_[c][i]);
        }
    }

private:
    static constexpr size_t ChunkSize = 4096;
    std::vector<std::unique_ptr<TNode[]>> chunks_;
    size_t used_ = 0;
    size_t size_ = 0;
};
