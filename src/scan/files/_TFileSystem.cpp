#include "scan/files/_TFileSystem.h"

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "scan/model/LittleEndian.h"

TFileSystem::TFileSystem(const std::u16string& FileName, bool ReadOnly, bool CreateIfMissing)
{
    Open(FileName, ReadOnly, CreateIfMissing);
}

TFileSystem::~TFileSystem() { Close(); }

bool TFileSystem::Open(const std::u16string& FileName, bool ReadOnly, bool CreateIfMissing)
{
    Close();
    const bool exists = FileExists(FileName);
    try {
        if (exists) {
            uint16_t Mode = ReadOnly ? (fmOpenRead | fmShareDenyWrite) : (fmOpenReadWrite | fmShareExclusive);
            stream_ = std::make_unique<TElFileStream>(FileName, Mode);
        } else if (CreateIfMissing) {
            stream_ = std::make_unique<TElFileStream>(FileName, fmCreate);
        }
    } catch (const Exception&) {
        stream_.reset();
    }
    return stream_ != nullptr;
}

void TFileSystem::Close()
{
    stream_.reset();
    fileInfo_ = TFileSystem_FileInfo{};
    damaged_ = false;
}

int64_t TFileSystem::ReadEntryHeader()
{
    TStream& S = *stream_;
    const int64_t FileSize = S.Size();
    const int64_t Start = S.Position();
    if (Start < 0 || Start >= FileSize)
        return -1; // the end of the container
    std::u16string Name;
    int64_t Size = -1;
    if (!ReadWideStringFromStream(S, Name) || Name.empty() || !le::ReadI64(S, Size) || Size < 0) {
        damaged_ = true;
        return -1;
    }
    // A payload cut short by the end of the file keeps what is there; the walk ends after it.
    if (Size > FileSize - S.Position()) {
        Size = FileSize - S.Position();
        damaged_ = true;
    }
    fileInfo_.Name = Name;
    fileInfo_.Size = Size;
    fileInfo_.Position = S.Position();
    return fileInfo_.Position;
}

int64_t TFileSystem::FindFirst()
{
    fileInfo_ = TFileSystem_FileInfo{};
    damaged_ = false;
    if (!stream_)
        return -1;
    stream_->SetPosition(0);
    return ReadEntryHeader();
}

int64_t TFileSystem::FindNext()
{
    if (!stream_)
        return -1;
    if (fileInfo_.Name.empty() || fileInfo_.Size < 0 || fileInfo_.Position < 0)
        return FindFirst();
    // Size was checked against the file when the header was read, so this cannot overflow.
    stream_->SetPosition(fileInfo_.Position + fileInfo_.Size);
    return ReadEntryHeader();
}

bool WriteContainerEntry(TStream& Stream, const std::u16string& Name, const std::vector<uint8_t>& Payload)
{
    if (Name.empty() || Payload.size() > INT32_MAX)
        return false;
    return WriteWideStringToStream(Stream, Name) && le::WriteI64(Stream, static_cast<int64_t>(Payload.size())) &&
           Stream.Write(Payload.data(), static_cast<int32_t>(Payload.size())) ==
               static_cast<int32_t>(Payload.size());
}
