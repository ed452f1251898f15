// Conversions between the program's wide text (UTF-16) and byte strings: UTF-8, and the
// 8-bit system code page that the Windows ANSI interfaces and 8-bit file formats use.
#pragma once

#include <cstdint>
#include <string>

// UTF-16 to UTF-8. Unpaired surrogates become U+FFFD, so the result is always valid UTF-8.
std::string WideToUtf8(const std::u16string& S);

// UTF-8 to UTF-16. Malformed or overlong sequences and encoded surrogates become U+FFFD,
// one replacement per byte that could not start a valid sequence.
std::u16string Utf8ToWide(const std::string& S);

// Append the encoding of one code point (at most U+10FFFF). A surrogate value is encoded as
// it stands; callers decide beforehand whether they allow one.
void AppendUtf8(std::string& Out, char32_t CodePoint);
void AppendUtf16(std::u16string& Out, char32_t CodePoint);

// The system code page (AnsiString). On Windows this is the active ANSI code page (CP_ACP);
// native builds use Windows-1252, the code page of the machines the program is tested on.
// Characters the code page lacks become "?".
std::string WideToAnsi(const std::u16string& S);
std::u16string AnsiToWide(const std::string& S);

// Upper case in the system code page (native builds: Windows-1252), byte length kept.
std::string AnsiUpperCase(const std::string& S);

// True when B starts a double-byte character in the system code page (never for 1252).
bool IsAnsiLeadByte(uint8_t B);
