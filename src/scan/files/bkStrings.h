// Free routines on wide file names (delimiters "\" and ":"; positions 1-based, 0 = not
// found) and the splitting of delimited 8-bit lists.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using TStringArray = std::vector<std::string>;

// Index of the last character of S that occurs in Delimiters; a NUL never matches.
int32_t WideLastDelimiter(const std::u16string& Delimiters, const std::u16string& S);
// Extension carries its own leading dot; a dot before the last "\" or ":" is no extension.
std::u16string WideChangeFileExt(const std::u16string& FileName, const std::u16string& Extension);
// Up to and including the last "\" or ":".
std::u16string WideExtractFilePath(const std::u16string& FileName);
// After the last "\" or ":"; the whole name when there is none.
std::u16string WideExtractFileName(const std::u16string& FileName);

// The file attributes, 0xFFFFFFFF when the name does not exist.
uint32_t WideGetFileAttributes(const std::u16string& FileName);
bool WideFileExists(const std::u16string& FileName);
bool WideDirectoryExists(const std::u16string& Path);

// True when a byte starts a double-byte character in the code page of the text.
using TLeadBytePredicate = std::function<bool(uint8_t)>;

// Splits Text at each occurrence of Delimiter. Limit 0 means no limit; Limit N >= 1 puts the
// rest of the text, delimiters included, into piece N. An empty Text or a negative Limit
// gives no pieces; an empty Delimiter gives the whole Text. A delimiter at the very end adds
// no empty last piece. A match never starts on the trail byte of a double-byte character
// (IsLeadByte defaults to the system code page's).
TStringArray SplitByDelimiter(const std::string& Delimiter, const std::string& Text, int32_t Limit);
TStringArray SplitByDelimiter(const std::string& Delimiter, const std::string& Text, int32_t Limit,
                              const TLeadBytePredicate& IsLeadByte);
