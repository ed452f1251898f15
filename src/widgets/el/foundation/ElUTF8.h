// UTF-16 <-> UTF-8 conversion with result codes. Neither routine raises; on a stop, Dest
// holds what was converted so far.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int32_t ConversionOK = 0;
inline constexpr int32_t SourceExhausted = 1; // the source ends inside a sequence
inline constexpr int32_t SourceIllegal = 3;   // an illegal sequence or unpaired surrogate

// Lenient: unpaired surrogates are encoded as they are. AddBOM: EF BB BF in front.
int32_t WideStringToUTF8(const std::u16string& S, std::string& Dest, bool Lenient, bool AddBOM);
// Lenient: encoded surrogates pass, values above 10FFFF become U+FFFD. AddBOM: U+FEFF in front.
int32_t UTF8ToWideString(const std::string& Source, std::u16string& Dest, bool Lenient, bool AddBOM);
// True when the Length (1 to 4) bytes at Bytes are one well-formed sequence.
bool IsLegalUTF8(const uint8_t* Bytes, int32_t Length);
