// Wide-string toolkit of the widget layer: null-terminated UTF-16 primitives, WideString
// search and editing (1-based positions, counts in code units), comparison and case
// mapping by the built-in Unicode case table.
#pragma once

#include <cstdint>
#include <string>

using WideChar = char16_t;
using PWideChar = char16_t*;

// ---- Null-terminated wide strings (valid pointers required unless nil is stated)
int32_t WStrLen(const WideChar* P);
WideChar* WStrEnd(WideChar* P);
// The first Ch; Ch = 0 finds the terminator. nullptr when absent.
WideChar* WStrScan(WideChar* P, WideChar Ch);
WideChar* WStrRScan(WideChar* P, WideChar Ch);
// nullptr when either is nil, SubStr is empty or longer than Str, or it does not occur.
WideChar* WStrPos(WideChar* Str, const WideChar* SubStr);
// The difference of the first differing units (S1 minus S2); 0 when equal.
int32_t WStrComp(const WideChar* S1, const WideChar* S2);
WideChar* WStrCopy(WideChar* Dest, const WideChar* Source);
// Returns the copied terminator in Dest.
WideChar* WStrECopy(WideChar* Dest, const WideChar* Source);
// At most MaxLen units, stopping after a terminator; Dest is always terminated.
WideChar* WStrLCopy(WideChar* Dest, const WideChar* Source, int32_t MaxLen);
WideChar* WStrPCopy(WideChar* Dest, const std::u16string& S);
WideChar* WStrCat(WideChar* Dest, const WideChar* Source);
// Correct for overlapping areas.
WideChar* WStrMove(WideChar* Dest, const WideChar* Source, int32_t Count);
void WideFillChar(WideChar* Buffer, int32_t Count, WideChar Ch);
std::u16string WStrPas(const WideChar* P);

// ---- WideString operations
// Len units from Buffer, or Len zero units when Buffer is nil.
void WideSetString(std::u16string& S, const WideChar* Buffer, int32_t Len);
std::u16string WideStringOfChar(WideChar Ch, int32_t Count);
// 1-based position of the first occurrence; 0 when absent or either is empty.
int32_t WidePos(const std::u16string& SubStr, const std::u16string& S);
// 1-based position of the last occurrence; 0 when absent, either is empty or SubStr is longer.
int32_t WideLastPos(const std::u16string& SubStr, const std::u16string& S);
// Copy semantics of the framework: Index below 1 counts as 1, the count is clipped.
std::u16string WideCopy(const std::u16string& S, int32_t Index, int32_t Count);
void WideInsert(const std::u16string& Source, std::u16string& S, int32_t Index);
void WideDelete(std::u16string& S, int32_t Index, int32_t Count);
std::u16string WideExtract(std::u16string& S, int32_t Index, int32_t Count);
// Without leading and trailing units of value 32 and below.
std::u16string WideTrim(const std::u16string& S);

// -1, 0 or 1 by code units up to the first difference; a zero unit ends a string.
int32_t WideCompareStr(const std::u16string& S1, const std::u16string& S2);
// WStrComp of the two strings (difference of the first differing units); 0 means equal.
int32_t WideCompareExact(const std::u16string& S1, const std::u16string& S2);
bool WideSameText(const std::u16string& S1, const std::u16string& S2);
// One unit in, one unit out: the length never changes.
std::u16string WideUpperCase(const std::u16string& S);
std::u16string WideLowerCase(const std::u16string& S);
WideChar WideUpperChar(WideChar Ch);
WideChar WideLowerChar(WideChar Ch);
