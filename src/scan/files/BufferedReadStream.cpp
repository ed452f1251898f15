#include "scan/files/BufferedReadStream.h"

#include "framework/ByteReader.h"
#include "framework/Exceptions.h"

#include <algorithm>

TBufferedReadStream::TBufferedReadStream(TStream& Source, int32_t ChunkSize)
    : source_(Source), chunk_(static_cast<size_t>(std::max<int32_t>(ChunkSize, 16)))
{
    position_ = std::max<int64_t>(source_.Position(), 0);
    size_ = std::max<int64_t>(source_.Size(), 0);
    chunkStart_ = position_;
}

bool TBufferedReadStream::Fill()
{
    if (position_ >= size_)
        return false;
    if (source_.Seek(position_, soBeginning) != position_)
        return false;
    const int64_t wanted = std::min<int64_t>(static_cast<int64_t>(chunk_.size()), size_ - position_);
    const int32_t got = source_.Read(chunk_.data(), static_cast<int32_t>(wanted));
    chunkStart_ = position_;
    chunkLength_ = std::max<int32_t>(got, 0);
    return chunkLength_ > 0;
}

int32_t TBufferedReadStream::Read(void* Buffer, int32_t Count)
{
    auto* out = static_cast<uint8_t*>(Buffer);
    int32_t done = 0;
    while (done < Count) {
        const int64_t offset = position_ - chunkStart_;
        if (offset < 0 || offset >= chunkLength_) {
            if (!Fill())
                break;
            continue;
        }
        ByteReader chunk(chunk_.data(), static_cast<size_t>(chunkLength_));
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(Count - done, chunkLength_ - offset));
        if (!chunk.Seek(static_cast<uint64_t>(offset)) || !chunk.Bytes(out + done, static_cast<uint64_t>(n)))
            break;
        done += n;
        position_ += n;
    }
    return done;
}

int32_t TBufferedReadStream::Write(const void*, int32_t)
{
    throw EWriteError(SWriteError);
}

int64_t TBufferedReadStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    int64_t base = 0;
    switch (Origin) {
    case soBeginning: base = 0; break;
    case soCurrent: base = position_; break;
    case soEnd: base = size_; break;
    }
    if ((Offset > 0 && base > INT64_MAX - Offset) || base + Offset < 0)
        return -1;
    position_ = base + Offset;
    return position_;
}
