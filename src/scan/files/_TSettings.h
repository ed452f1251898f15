// The settings file "settings.cfg": a 49-byte header that this class writes and checks, and a
// payload that the main window writes and reads through OnWriteFile and OnReadFile.
//
//   @0  u32 Version, 0x01000001
//   @4  u8  KeyIndex, 0 to 9
//   @5  u32 Words[10]: random values 0 to 0x7FFFFFFE, except Words[KeyIndex], the file size
//   @45 u32 Reserved, 0
//   @49 payload
#pragma once

#include "framework/Components.h"
#include "framework/Streams.h"

#include <cstdint>
#include <functional>
#include <string>

class TMessageSink;

// Receives the open stream, positioned just after the header.
using TReadWriteEvent = std::function<void(TStream& Stream)>;

constexpr uint32_t MakeVersion(uint8_t B1, uint8_t B2, uint8_t B3, uint8_t B4)
{
    return uint32_t(B1) << 24 | uint32_t(B2) << 16 | uint32_t(B3) << 8 | uint32_t(B4);
}

class TSettings : public TComponent {
public:
    static constexpr uint32_t FileVersion = MakeVersion(1, 0, 0, 1);
    static constexpr int32_t HeaderSize = 49;

    explicit TSettings(TComponent* AOwner) : TComponent(AOwner) {}
    const char* ClassName() const override { return "TSettings"; }

    // Writes the header and the payload to a temporary file beside FileName and then moves it
    // over FileName, so that a failed save leaves the old file as it was. Creates the folder
    // (with its parents) when it is missing. Raises the stream's errors (and EWriteError for
    // a file beyond 4 GiB); the temporary file is removed on every failure.
    void SaveToFile(const std::u16string& FileName);

    // Reads the file: a missing file is first written with the current settings. A wrong
    // version or size (a header cut short included) is shown as "Invalid file version: " or
    // "Invalid file size: " with the quoted name and the payload is not read. A file that
    // exists but cannot be opened shows the framework's file-open error with the system's
    // reason; any other failure (a KeyIndex above 9, an error raised inside OnReadFile) shows
    // "File not found: ".
    void LoadFromFile(const std::u16string& FileName);

    uint32_t Version = 0;
    uint8_t KeyIndex = 0;
    uint32_t Words[10] = {};
    uint32_t Reserved = 0;
    TReadWriteEvent OnReadFile;
    TReadWriteEvent OnWriteFile;
    // Where the messages go; null means DefaultMessageSink().
    TMessageSink* Messages = nullptr;

private:
    void WriteToStream(TStream& Stream);
    void ShowMessage(const char16_t* Text, const std::u16string& FileName);
};
