#include "scan/render/BatchPipeline.h"

#include <chrono>
#include <array>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

std::function<void(TBuildSide)>& BuildAllocationSeam()
{
    static std::function<void(TBuildSide)> seam;
    return seam;
}

namespace {

void TakeMemory(TBuildSide Side)
{
    if (const auto& seam = BuildAllocationSeam())
        seam(Side);
}

// Batches travel between the threads a chunk at a time: every hand-over wakes a thread, and
// under Wine each wait and wake goes through the server, so they should be few.
struct TChunk {
    struct TBatchOf {
        TPrimitive Kind;
        uint32_t Start;
        uint32_t Count;
        bool HasEdgeFlags;
    };
    std::vector<TArrayVertex> Vertices;
    std::vector<uint8_t> EdgeFlags;  // one per vertex, set where a batch has them
    std::vector<TBatchOf> Batches;

    bool TakesAnotherBatch() const { return Vertices.size() + TVertexBatcher::BatchVertices <= Vertices.capacity(); }
    void Clear()
    {
        Vertices.clear();
        EdgeFlags.clear();
        Batches.clear();
    }
};

// The chunks between the worker, which fills free ones (as the target of its batcher), and
// the calling thread, which takes them in order and gives them back. Every chunk is made
// before the worker starts and the queues never hold more than all of them, so nothing is
// allocated while the two threads hand chunks to each other.
class TChunkChannel : public TArrayTarget, public TBuildStop {
public:
    TChunkChannel() : chunks_(QueuedChunks)
    {
        for (TChunk& c : chunks_) {
            c.Vertices.reserve(ChunkBatches * TVertexBatcher::BatchVertices);
            c.EdgeFlags.reserve(ChunkBatches * TVertexBatcher::BatchVertices);
            c.Batches.reserve(ChunkBatches);
            free_.push_back(&c);
        }
    }

    void DrawArrays(TPrimitive Kind, const TArrayVertex* Vertices, const uint8_t* EdgeFlags, uint32_t Count) override
    {
        if (!filling_) {
            TakeMemory(TBuildSide::Worker);
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return !free_.empty() || stopped_; });
            if (stopped_)
                throw TBuildStopped{};
            filling_ = free_.back();
            free_.pop_back();
        }
        // A batch holds at most BatchVertices: the reserved room takes it without allocating.
        TChunk& c = *filling_;
        const uint32_t start = static_cast<uint32_t>(c.Vertices.size());
        c.Vertices.insert(c.Vertices.end(), Vertices, Vertices + Count);
        if (EdgeFlags)
            c.EdgeFlags.insert(c.EdgeFlags.end(), EdgeFlags, EdgeFlags + Count);
        else
            c.EdgeFlags.resize(c.Vertices.size());
        c.Batches.push_back({Kind, start, Count, EdgeFlags != nullptr});
        if (!c.TakesAnotherBatch())
            Publish();
    }

    void Check() const override
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (stopped_)
            throw TBuildStopped{};
    }

    // The worker is done, with Failure when its build failed; a chunk begun goes first.
    void Finish(std::exception_ptr Failure) noexcept
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (filling_)
            PushReady(filling_);
        filling_ = nullptr;
        finished_ = true;
        failure_ = Failure;
        changed_.notify_all();
    }

    // The next chunk in order, waiting up to Ms for it; null when none came, and then Done()
    // tells whether none will come.
    TChunk* Next(uint32_t Ms)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait_for(lock, std::chrono::milliseconds(Ms), [this] { return readyCount_ > 0 || finished_; });
        if (readyCount_ == 0)
            return nullptr;
        TChunk* chunk = ready_[readyFirst_];
        readyFirst_ = (readyFirst_ + 1) % QueuedChunks;
        --readyCount_;
        return chunk;
    }

    bool Done()
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return finished_ && readyCount_ == 0;
    }

    void Release(TChunk* Chunk)
    {
        Chunk->Clear();
        const std::lock_guard<std::mutex> lock(mutex_);
        free_.push_back(Chunk);
        changed_.notify_all();
    }

    // The worker stops at its next chunk or check.
    void Stop()
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

    std::exception_ptr Failure()
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return failure_;
    }

private:
    void Publish()
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        PushReady(filling_);
        filling_ = nullptr;
        changed_.notify_all();
    }

    // With the mutex held. There are only QueuedChunks chunks, so the ring never overflows.
    void PushReady(TChunk* Chunk)
    {
        ready_[(readyFirst_ + readyCount_) % QueuedChunks] = Chunk;
        ++readyCount_;
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<TChunk> chunks_;  // never resized: the queues point into it
    std::vector<TChunk*> free_;   // reserved for every chunk by the constructor
    std::array<TChunk*, QueuedChunks> ready_{};  // a ring, in the order they were filled
    uint32_t readyFirst_ = 0;
    uint32_t readyCount_ = 0;
    TChunk* filling_ = nullptr;  // the worker's own while it fills it
    bool finished_ = false;
    bool stopped_ = false;
    std::exception_ptr failure_;
};

// Hands each batch to Target and calls Answer, on the one thread there is.
class TForwardingTarget : public TArrayTarget {
public:
    TForwardingTarget(TArrayTarget& Target, const std::function<void()>& Answer) : target_(Target), answer_(Answer) {}

    void DrawArrays(TPrimitive Kind, const TArrayVertex* Vertices, const uint8_t* EdgeFlags, uint32_t Count) override
    {
        TakeMemory(TBuildSide::Drawing);
        target_.DrawArrays(Kind, Vertices, EdgeFlags, Count);
        if (answer_)
            answer_();
    }

private:
    TArrayTarget& target_;
    const std::function<void()>& answer_;
};

struct TNeverStop : TBuildStop {
    void Check() const override {}
};

void BuildHere(TArrayTarget& Target, bool Outline, const std::function<void(TGeometrySink&, const TBuildStop&)>& Build,
               const std::function<void()>& Answer)
{
    TForwardingTarget forward(Target, Answer);
    TVertexBatcher batch(forward, Outline);
    Build(batch, TNeverStop{});
    batch.Flush();
}

}  // namespace

void BuildInBatches(TArrayTarget& Target, bool Outline, bool OnWorker,
                    const std::function<void(TGeometrySink&, const TBuildStop&)>& Build,
                    const std::function<void()>& Answer)
{
    if (!OnWorker) {
        BuildHere(Target, Outline, Build, Answer);
        return;
    }
    TChunkChannel channel;
    std::thread worker;
    try {
        worker = std::thread([&channel, &Build, Outline] {
            std::exception_ptr failure;
            try {
                TVertexBatcher batch(channel, Outline);
                Build(batch, channel);
                batch.Flush();
            } catch (const TBuildStopped&) {
            } catch (...) {
                failure = std::current_exception();
            }
            channel.Finish(failure);
        });
    } catch (const std::system_error&) {
        BuildHere(Target, Outline, Build, Answer);
        return;
    }
    try {
        while (!channel.Done()) {
            TChunk* chunk = channel.Next(AnswerWhileWaitingMs);
            if (!chunk) {
                if (Answer)
                    Answer();
                continue;
            }
            TakeMemory(TBuildSide::Drawing);
            for (const TChunk::TBatchOf& b : chunk->Batches) {
                Target.DrawArrays(b.Kind, chunk->Vertices.data() + b.Start,
                                  b.HasEdgeFlags ? chunk->EdgeFlags.data() + b.Start : nullptr, b.Count);
                if (Answer)
                    Answer();
            }
            channel.Release(chunk);
        }
    } catch (...) {
        channel.Stop();
        worker.join();
        throw;
    }
    worker.join();
    if (const std::exception_ptr failure = channel.Failure())
        std::rethrow_exception(failure);
}
