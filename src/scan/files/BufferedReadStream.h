// A read-only stream that reads its source in large chunks. Scan files are read record by
// record; one system read per record costs about 170 times more under Wine than a copy from
// memory, so the loaders read through this.
#pragma once

#include "framework/Streams.h"

#include <cstdint>
#include <vector>

class TBufferedReadStream : public TStream {
public:
    static constexpr int32_t DefaultChunkSize = 1 << 20;

    // Source must outlive this stream; it is read from its current position on.
    explicit TBufferedReadStream(TStream& Source, int32_t ChunkSize = DefaultChunkSize);

    int32_t Read(void* Buffer, int32_t Count) override;
    // Raises EWriteError: the stream only reads.
    int32_t Write(const void* Buffer, int32_t Count) override;
    // Seeks are served from the chunk when they stay inside it; past the end is allowed and
    // reads nothing there.
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return size_; }

private:
    bool Fill();

    TStream& source_;
    std::vector<uint8_t> chunk_;
    int64_t chunkStart_ = 0;  // source position of chunk_[0]
    int32_t chunkLength_ = 0;
    int64_t position_ = 0;
    int64_t size_ = 0;
};
