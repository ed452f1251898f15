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
    const int32_t n = OsFileRead(FHandle, Buffer, Count);
    return n < 0 ? 0 : n;
}

int32_t THandleStream::Write(const void* Buffer, int32_t Count)
{
    const int32_t n = OsFileWrite(FHandle, Buffer, Count);
    return n < 0 ? 0 : n;
}

int64_t THandleStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    return OsFileSeek(FHandle, Offset, static_cast<int>(Origin));
}

void THandleStream::SetSize(int64_t NewSize)
{
    Seek(NewSize, soBeginning);
    if (!OsFileSetEnd(FHandle))
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
    : THandleStream(InvalidHandle), FFileName(FileName)
{
    // Opened last: nothing after it may fail and leave the handle without an owner.
    FHandle = OpenOrRaise(FileName, Mode);
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0)
        OsFileClose(FHandle);
}

// ---- TMemoryStream

TMemoryStream::TMemoryStream(const void* Data, size_t Count)
    : FData(static_cast<const uint8_t*>(Data), static_cast<const uint8_t*>(Data) + Count)
{
}

int32_t TMemoryStream::Read(void* Buffer, int32_t Count)
{
    const auto size = static_cast<int64_t>(FData.size());
    if (Count <= 0 || FPosition >= size)
        return 0;
    const auto n = static_cast<int32_t>(std::min<int64_t>(Count, size - FPosition));
    std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int32_t TMemoryStream::Write(const void* Buffer, int32_t Count)
{
    if (Count <= 0)
        return 0;
    const int64_t end = FPosition + Count;
    if (end > static_cast<int64_t>(FData.size()))
        FData.resize(static_cast<size_t>(end));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = end;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    int64_t base = 0;
    if (Origin == soCurrent)
        base = FPosition;
    else if (Origin == soEnd)
        base = static_cast<int64_t>(FData.size());
    const int64_t target = base + Offset;
    if (target < 0)
        return -1;
    FPosition = target;
    return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize)
{
    if (NewSize < 0 || static_cast<uint64_t>(NewSize) > std::numeric_limits<size_t>::max())
        throw EOutOfResources(u"Out of memory while expanding memory stream");
    FData.resize(static_cast<size_t>(NewSize));
    FPosition = std::min<int64_t>(FPosition, NewSize);
}

void TMemoryStream::Clear()
{
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream)
{
    Stream.SetPosition(0);
    const int64_t count = Stream.Size();
    SetSize(count);
    FPosition = 0;
    if (count > 0)
        Stream.ReadBuffer(FData.data(), static_cast<int32_t>(count));
}

void TMemoryStream::SaveToStream(TStream& Stream)
{
    if (!FData.empty())
        Stream.WriteBuffer(FData.data(), static_cast<int32_t>(FData.size()));
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
