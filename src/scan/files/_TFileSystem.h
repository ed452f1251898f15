// The entry container: named entries back to back from the start of the file to its end.
//
//   entry: WStr Name (never empty); i64 Size (>= 0); Size bytes of payload
//
// The language file is such a container, one entry per language.
#pragma once

#include "framework/Objects.h"
#include "widgets/el/foundation/ElFileStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The current entry; Name empty and Size and Position -1 when there is none.
struct TFileSystem_FileInfo {
    std::u16string Name;
    int64_t Size = -1;
    int64_t Position = -1; // of the payload: just after the Size field
};

class TFileSystem : public TPersistent {
public:
    TFileSystem() = default;
    // Calls Open; check Stream() for the outcome.
    TFileSystem(const std::u16string& FileName, bool ReadOnly, bool CreateIfMissing);
    ~TFileSystem() override;
    const char* ClassName() const override { return "TFileSystem"; }

    // Opens FileName, closing a stream already open. An existing file is opened for reading
    // with deny-write sharing (ReadOnly) or for reading and writing exclusively; a missing one
    // is created only when CreateIfMissing. Returns false, never raising, when no file is open.
    bool Open(const std::u16string& FileName, bool ReadOnly, bool CreateIfMissing);
    void Close();

    // The payload position of the first or next entry, or -1 when there is none. An entry
    // header that is cut short, has an empty name or a negative size ends the walk: FindNext
    // then returns -1 and FileInfo still describes the last sound entry. A payload that runs
    // past the end of the file is cut to the bytes there (and ends the walk after it). So
    // every walk ends, each entry is visited once, and FileInfo never reaches past the file.
    int64_t FindFirst();
    int64_t FindNext();

    const TFileSystem_FileInfo& FileInfo() const { return fileInfo_; }
    // True when the walk met a damaged entry header or a payload cut short.
    bool Damaged() const { return damaged_; }
    TElFileStream* Stream() const { return stream_.get(); }

private:
    int64_t ReadEntryHeader();

    std::unique_ptr<TElFileStream> stream_;
    TFileSystem_FileInfo fileInfo_;
    bool damaged_ = false;
};

// Appends one entry to a container being written (the tools that make the language file use
// it; the program itself only reads containers). Name must not be empty.
bool WriteContainerEntry(TStream& Stream, const std::u16string& Name, const std::vector<uint8_t>& Payload);
