// A list's geometry built on a worker thread while the calling thread hands the finished
// batches on: compiling a display list has to happen on the thread of its rendering context,
// but the banding and batching need not, so the two run side by side. The batches reach the
// target in the order they were made, exactly as a TVertexBatcher on the calling thread would
// hand them over, so the list comes out the same.
#pragma once

#include <cstdint>
#include <functional>

#include "scan/render/RenderSink.h"
#include "scan/render/VertexBatch.h"

// The worker hands batches over in chunks of ChunkBatches batches, and may have filled
// QueuedChunks of them ahead of the target.
inline constexpr uint32_t ChunkBatches = 16;
inline constexpr uint32_t QueuedChunks = 3;

// What BuildInBatches holds in memory while it works: the worker's batcher and the chunks.
inline constexpr uint64_t BatchBuildMemoryBytes =
    TVertexBatcher::MemoryBytes +
    uint64_t{QueuedChunks} * ChunkBatches * TVertexBatcher::BatchVertices * (sizeof(TArrayVertex) + 1);

// Starting a worker costs some milliseconds under Wine: geometry of fewer triangles (before
// banding) than this is built faster on the calling thread alone.
inline constexpr uint64_t WorkerFromTriangles = 250'000;

// While the calling thread waits for the worker's next chunk it answers at least this often.
inline constexpr uint32_t AnswerWhileWaitingMs = 50;

// Thrown where a build was asked to end (see TBuildStop).
struct TBuildStopped {};

// Handed to the build on the worker: Check throws TBuildStopped once the calling thread has
// given up (its target or Answer failed), so that a long walk over the scan ends at once. On
// the calling thread alone it never throws.
class TBuildStop {
public:
    virtual ~TBuildStop() = default;
    virtual void Check() const = 0;
};

// Runs Build with a TVertexBatcher (outlines as Outline says) to emit into and hands each
// finished batch to Target. With OnWorker, Build runs on a worker thread while Target and
// Answer run on the calling thread; Build must then not touch what they change, and should call
// Stop.Check now and then. Answer (when set) is called after each batch handed over and, while
// the worker has nothing ready, every AnswerWhileWaitingMs. Returns when every batch was handed
// over. An exception from Build is raised again here once the worker has ended; one from
// Target or Answer ends the worker first. Without a thread to be had, everything runs on the
// calling thread.
void BuildInBatches(TArrayTarget& Target, bool Outline, bool OnWorker,
                    const std::function<void(TGeometrySink&, const TBuildStop& Stop)>& Build,
                    const std::function<void()>& Answer);

// Where a build takes memory of its own, the worker's side and the drawing side: tests make an
// allocation fail there (by throwing std::bad_alloc from the seam). Unset in the program.
enum class TBuildSide { Worker, Drawing };
std::function<void(TBuildSide)>& BuildAllocationSeam();
