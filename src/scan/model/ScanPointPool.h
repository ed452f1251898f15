// Storage of the scan points: fixed-size chunks, so a point never moves once made and the
// whole scan is released at once, linked into the grid or not (a line left unlinked by a
// stopped receive is released with the rest).
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

template <typename TNode>
class TNodePool {
    // Nodes are made in place one by one, when they are asked for: a chunk is written once,
    // by the node's own initialisation, and never a second time to fill it beforehand.
    static_assert(std::is_trivially_destructible_v<TNode>, "chunks are released without destroying their nodes");
    struct TSlot {
        alignas(TNode) std::byte Bytes[sizeof(TNode)];
    };

public:
    TNode* New()
    {
        if (used_ == ChunkSize || chunks_.empty()) {
            chunks_.push_back(std::make_unique_for_overwrite<TSlot[]>(ChunkSize));
            used_ = 0;
        }
        ++size_;
        return ::new (chunks_.back()[used_++].Bytes) TNode;
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
            for (size_t i = 0; i < n; ++i) f(*std::launder(reinterpret_cast<TNode*>(chunks_[c][i].Bytes)));
        }
    }

private:
    static constexpr size_t ChunkSize = 4096;
    std::vector<std::unique_ptr<TSlot[]>> chunks_;
    size_t used_ = 0;
    size_t size_ = 0;
};
