// Byte streams: the abstract stream, streams over a file handle, and memory streams.
#pragma once

#include "framework/FileHandle.h"

#include <cstdint>
#include <string>
#include <vector>

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
public:
    virtual ~TStream() = default;

    // Transfer at most Count bytes; the number transferred (0 at the end of the data).
    virtual int32_t Read(void* Buffer, int32_t Count) = 0;
    virtual int32_t Write(const void* Buffer, int32_t Count) = 0;
    // The new position from the start, or -1 when the stream cannot seek there.
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t NewSize);

    // As Read and Write, but a short transfer raises EReadError or EWriteError.
    void ReadBuffer(void* Buffer, int32_t Count);
    void WriteBuffer(const void* Buffer, int32_t Count);

    // Copies Count bytes from Source's position; Count 0 copies all of Source from its
    // start. Returns the number of bytes copied; a short source raises EReadError.
    int64_t CopyFrom(TStream& Source, int64_t Count);
};

// A stream over an operating-system file handle; the handle belongs to the caller.
class THandleStream : public TStream {
public:
    explicit THandleStream(THandle AHandle) : handle_(AHandle) {}

    THandle Handle() const { return handle_; }

    int32_t Read(void* Buffer, int32_t Count) override;
    int32_t Write(const void* Buffer, int32_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t NewSize) override;

protected:
    THandle handle_;
};

// File mode word: access in bits 0-1, sharing in bits 4-7, or fmCreate as a whole.
inline constexpr uint16_t fmCreate = 0xFFFF;
inline constexpr uint16_t fmOpenRead = 0x0000;
inline constexpr uint16_t fmOpenWrite = 0x0001;
inline constexpr uint16_t fmOpenReadWrite = 0x0002;
inline constexpr uint16_t fmShareCompat = 0x0000;
inline constexpr uint16_t fmShareExclusive = 0x0010;
inline constexpr uint16_t fmShareDenyWrite = 0x0020;
inline constexpr uint16_t fmShareDenyRead = 0x0030;
inline constexpr uint16_t fmShareDenyNone = 0x0040;

// Opens a file by mode word; InvalidHandle for an invalid mode (access 3, or sharing above
// fmShareDenyNone) without asking the system, and when the system refuses. Error, when
// given, receives the system's reason for a refusal (0 for an invalid mode).
THandle FileOpenByMode(const std::u16string& FileName, uint16_t Mode, uint32_t* Error = nullptr);

// A stream on a named file that it owns. fmCreate creates or truncates the file; every
// other mode opens an existing one. Failure raises EFCreateError, or EFOpenError with the
// system's reason.
class TFileStream : public THandleStream {
public:
    TFileStream(const std::u16string& FileName, uint16_t Mode);
    ~TFileStream() override;

    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    const std::u16string& FileName() const { return fileName_; }

private:
    std::u16string fileName_;
};

// A stream over a growable block of memory. Seeking past the end is allowed; a write
// there fills the gap with zeros.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    TMemoryStream(const void* Data, size_t Count);

    int32_t Read(void* Buffer, int32_t Count) override;
    int32_t Write(const void* Buffer, int32_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t NewSize) override;

    void Clear();
    uint8_t* Memory() { return data_.data(); }
    const std::vector<uint8_t>& Bytes() const { return data_; }

    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream);
    void LoadFromFile(const std::u16string& FileName);
    void SaveToFile(const std::u16string& FileName);

private:
    std::vector<uint8_t> data_;
    int64_t position_ = 0;
};
