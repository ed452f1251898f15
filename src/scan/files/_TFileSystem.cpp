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
            FStream = std::make_unique<TElFileStream>(FileName, Mode);
        } else if (CreateIfMissing) {
            FStream = std::make_unique<TElFileStream>(FileName, fmCreate);
        }
    } catch (const Exception&) {
        FStream.reset();
    }
    return FStream != nullptr;
}

void TFileSystem::Close()
{
    FStream.reset();
    FFileInfo = TFileSystem_FileInfo{};
    FDamaged = false;
}

int64_t TFileSystem::ReadEntryHeader()
{
    TStream& S = *FStream;
    const int64_t FileSize = S.Size();
    const int64_t Start = S.Position();
    if (Start < 0 || Start >= FileSize)
        return -1; // the end of the container
    std::u16string Name;
    int64_t Size = -1;
    if (!ReadWideStringFromStream(S, Name) || Name.empty() || !le::ReadI64(S, Size) || Size < 0) {
        FDamaged = true;
        return -1;
    }
    // A payload cut short by the end of the file keeps what is there; the walk ends after it.
    if (Size > FileSize - S.Position()) {
        Size = FileSize - S.Position();
        FDamaged = true;
    }
    FFileInfo.Name = Name;
    FFileInfo.Size = Size;
    FFileInfo.Position = S.Position();
    return FFileInfo.Position;
}

int64_t TFileSystem::FindFirst()
{
    FFileInfo = TFileSystem_FileInfo{};
    FDamaged = false;
    if (!FStream)
        return -1;
    FStream->SetPosition(0);
    return ReadEntryHeader();
}

int64_t TFileSystem::FindNext()
{
    if (!FStream)
        return -1;
    if (FFileInfo.Name.empty() || FFileInfo.Size < 0 || FFileInfo.Position < 0)
        return FindFirst();
    // Size was checked against the file when the header was read, so this cannot overflow.
    FStream->SetPosition(FFileInfo.Position + FFileInfo.Size);
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
