// The widget layer's file stream, and stream strings: the length-prefixed string form that
// every file of the program uses.
//
//   8-bit: [int32 N][N bytes]          wide: [int32 N][2N bytes, UTF-16LE]
//
// N = 0 is followed by nothing; N < 0 is invalid. All integers little-endian.
#pragma once

#include "framework/Streams.h"

#include <cstdint>
#include <string>

// A file stream with a wide name; see TFileStream for the modes and the errors it raises.
class TElFileStream : public TFileStream {
public:
    TElFileStream(const std::u16string& FileName, uint16_t Mode) : TElFileStream(FileName, Mode, 0) {}
    // Rights is accepted and ignored.
    TElFileStream(const std::u16string& FileName, uint16_t Mode, uint32_t Rights);
};

// The stream-string routines raise nothing but std::bad_alloc, which the readers let through:
// a string whose length the data can satisfy but the memory cannot is no damaged string. A
// failed read never reads past the data and allocates nothing larger than the bytes left in
// the stream: a length that cannot be satisfied leaves the position at the end of the stream.

// On failure the bytes already written stay in the stream.
bool WriteStringToStream(TStream& Stream, const std::string& S);
// On failure S keeps the value it had.
bool ReadStringFromStream(TStream& Stream, std::string& S);

bool DoWriteWideString(TStream& Stream, const std::u16string& S);
// On failure S keeps the value it had.
bool DoReadWideString(TStream& Stream, std::u16string& S);

bool WriteWideStringToStream(TStream& Stream, const std::u16string& S);
// On failure S becomes empty (unlike the 8-bit reader); callers rely on that.
bool ReadWideStringFromStream(TStream& Stream, std::u16string& S);
