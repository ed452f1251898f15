#include "framework/Streams.h"

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"

#include <algorithm>
#include <cstring>
#include <limits>

int64_t TStream::Size()
{
    const int64_t pos = Seek(0, soCurrent);
    const int64_t end = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return end;
}

void TStream::SetSize(int64_t)
{
}

void TStream::ReadBuffer(void* Buffer, int32_t Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count)
        throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* Buffer, int32_t Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count)
        throw EWriteError(SWriteError);
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count)
{
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    constexpr int32_t kChunk = 64 * 1024;
    std::vector<uint8_t> buf(static_cast<size_t>(std::min<int64_t>(std::max<int64_t>(Count, 1), kChunk)));
    int64_t left = Count;
    while (left > 0) {
        const auto n = static_cast<int32_t>(std::min<int64_t>(left, kChunk));
        Source.ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        left -= n;
    }
    return Count;
}

// ---- THandleStream

int32_t THandleStream::Read(void* Buffer, int32_t Count)
{
    const int32_t n = OsFileRead(handle_, Buffer, Count);
    return n < 0 ? 0 : n;
}

int32_t THandleStream::Write(const void* Buffer, int32_t Count)
{
    const int32_t n = OsFileWrite(handle_, Buffer, Count);
    return n < 0 ? 0 : n;
}

int64_t THandleStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    return OsFileSeek(handle_, Offset, static_cast<int>(Origin));
}

void THandleStream::SetSize(int64_t NewSize)
{
    Seek(NewSize, soBeginning);
    if (!OsFileSetEnd(handle_))
        throw EStreamError(u"Stream size error");
}

// ---- TFileStream

THandle FileOpenByMode(const std::u16string& FileName, uint16_t Mode, uint32_t* Error)
{
    if (Error)
        *Error = 0;
    THandle handle = InvalidHandle;
    if (Mode == fmCreate) {
        handle = OsFileCreate(FileName);
    } else {
        const unsigned access = Mode & 3u;
        const unsigned sharing = Mode & 0xF0u;
        if (access > 2 || sharing > 0x40)
            return InvalidHandle;
        static constexpr uint32_t kAccess[3] = {AccessRead, AccessWrite, AccessRead | AccessWrite};
        // Compatible and exclusive both share nothing.
        static constexpr uint32_t kShare[5] = {0, 0, ShareRead, ShareWrite, ShareRead | ShareWrite};
        handle = OsFileOpen(FileName, kAccess[access], kShare[sharing >> 4]);
    }
    if (handle == InvalidHandle && Error)
        *Error = OsLastError();
    return handle;
}

namespace {

THandle OpenOrRaise(const std::u16string& FileName, uint16_t Mode)
{
    uint32_t error = 0;
    const THandle handle = FileOpenByMode(FileName, Mode, &error);
    if (handle == InvalidHandle) {
        if (Mode == fmCreate)
            throw EFCreateError::ForFile(FileName);
        throw EFOpenError::ForFile(FileName, error);
    }
    return handle;
}

} // namespace

TFileStream::TFileStream(const std::u16string& FileName, uint16_t Mode)
    : THandleStream(InvalidHandle), fileName_(FileName)
{
    // Opened last: nothing after it may fail and leave the handle without an owner.
    handle_ = OpenOrRaise(FileName, Mode);
}

TFileStream::~TFileStream()
{
    if (handle_ >= 0)
        OsFileClose(handle_);
}

// ---- TMemoryStream

TMemoryStream::TMemoryStream(const void* Data, size_t Count)
    : data_(static_cast<const uint8_t*>(Data), static_cast<const uint8_t*>(Data) + Count)
{
}

int32_t TMemoryStream::Read(void* Buffer, int32_t Count)
{
    const auto size = static_cast<int64_t>(data_.size());
    if (Count <= 0 || position_ >= size)
        return 0;
    const auto n = static_cast<int32_t>(std::min<int64_t>(Count, size - position_));
    std::memcpy(Buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int32_t TMemoryStream::Write(const void* Buffer, int32_t Count)
{
    if (Count <= 0)
        return 0;
    const int64_t end = position_ + Count;
    if (end > static_cast<int64_t>(data_.size()))
        data_.resize(static_cast<size_t>(end));
    std::memcpy(data_.data() + position_, Buffer, static_cast<size_t>(Count));
    position_ = end;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    int64_t base = 0;
    if (Origin == soCurrent)
        base = position_;
    else if (Origin == soEnd)
        base = static_cast<int64_t>(data_.size());
    const int64_t target = base + Offset;
    if (target < 0)
        return -1;
    position_ = target;
    return position_;
}

void TMemoryStream::SetSize(int64_t NewSize)
{
    if (NewSize < 0 || static_cast<uint64_t>(NewSize) > std::numeric_limits<size_t>::max())
        throw EOutOfResources(u"Out of memory while expanding memory stream");
    data_.resize(static_cast<size_t>(NewSize));
    position_ = std::min<int64_t>(position_, NewSize);
}

void TMemoryStream::Clear()
{
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream)
{
    Stream.SetPosition(0);
    const int64_t count = Stream.Size();
    SetSize(count);
    position_ = 0;
    if (count > 0)
        Stream.ReadBuffer(data_.data(), static_cast<int32_t>(count));
}

void TMemoryStream::SaveToStream(TStream& Stream)
{
    if (!data_.empty())
        Stream.WriteBuffer(data_.data(), static_cast<int32_t>(data_.size()));
}

void TMemoryStream::LoadFromFile(const std::u16string& FileName)
{
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(f);
}

void TMemoryStream::SaveToFile(const std::u16string& FileName)
{
    SaveFileSafely(FileName, [this](TStream& File) { SaveToStream(File); });
}
