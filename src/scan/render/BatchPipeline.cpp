#include "scan/render/BatchPipeline.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

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

// Thrown on the worker to end its build once the calling thread has given up.
struct TBuildStopped {};

// The chunks between the worker, which fills free ones (as the target of its batcher), and
// the calling thread, which takes them in order and gives them back.
class TChunkChannel : public TArrayTarget {
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

    // The worker is done, with Failure when its build failed; a chunk begun goes first.
    void Finish(std::exception_ptr Failure)
    {
        if (filling_)
            Publish();
        const std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        failure_ = Failure;
        changed_.notify_all();
    }

    // The next chunk in order; null once the worker is done and every chunk was taken.
    TChunk* Next()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !ready_.empty() || finished_; });
        if (ready_.empty())
            return nullptr;
        TChunk* chunk = ready_.front();
        ready_.pop_front();
        return chunk;
    }

    void Release(TChunk* Chunk)
    {
        Chunk->Clear();
        const std::lock_guard<std::mutex> lock(mutex_);
        free_.push_back(Chunk);
        changed_.notify_all();
    }

    // The worker stops at its next chunk.
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
        ready_.push_back(filling_);
        filling_ = nullptr;
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<TChunk> chunks_;  // never resized: the queues point into it
    std::vector<TChunk*> free_;
    std::deque<TChunk*> ready_;
    TChunk* filling_ = nullptr;  // the worker's own while it fills it
    bool finished_ = false;
    bool stopped_ = false;
    std::exception_ptr failure_;
};

// Hands each batch to Target and calls AfterBatch, on the one thread there is.
class TForwardingTarget : public TArrayTarget {
public:
    TForwardingTarget(TArrayTarget& Target, const std::function<void()>& AfterBatch)
        : target_(Target), afterBatch_(AfterBatch)
    {
    }

    void DrawArrays(TPrimitive Kind, const TArrayVertex* Vertices, const uint8_t* EdgeFlags, uint32_t Count) override
    {
        target_.DrawArrays(Kind, Vertices, EdgeFlags, Count);
        if (afterBatch_)
            afterBatch_();
    }

private:
    TArrayTarget& target_;
    const std::function<void()>& afterBatch_;
};

void BuildHere(TArrayTarget& Target, bool Outline, const std::function<void(TGeometrySink&)>& Build,
               const std::function<void()>& AfterBatch)
{
    TForwardingTarget forward(Target, AfterBatch);
    TVertexBatcher batch(forward, Outline);
    Build(batch);
    batch.Flush();
}

}  // namespace

void BuildInBatches(TArrayTarget& Target, bool Outline, bool OnWorker, const std::function<void(TGeometrySink&)>& Build,
                    const std::function<void()>& AfterBatch)
{
    if (!OnWorker) {
        BuildHere(Target, Outline, Build, AfterBatch);
        return;
    }
    TChunkChannel channel;
    std::thread worker;
    try {
        worker = std::thread([&channel, &Build, Outline] {
            std::exception_ptr failure;
            try {
                TVertexBatcher batch(channel, Outline);
                Build(batch);
                batch.Flush();
            } catch (const TBuildStopped&) {
            } catch (...) {
                failure = std::current_exception();
            }
            channel.Finish(failure);
        });
    } catch (const std::system_error&) {
        BuildHere(Target, Outline, Build, AfterBatch);
        return;
    }
    try {
        while (TChunk* chunk = channel.Next()) {
            for (const TChunk::TBatchOf& b : chunk->Batches) {
                Target.DrawArrays(b.Kind, chunk->Vertices.data() + b.Start,
                                  b.HasEdgeFlags ? chunk->EdgeFlags.data() + b.Start : nullptr, b.Count);
                if (AfterBatch)
                    AfterBatch();
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
