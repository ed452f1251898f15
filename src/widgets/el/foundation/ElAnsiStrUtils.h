// 8-bit string helpers of the widget layer, and the "454C " hex text form of a byte block:
//   "454C " <count, upper-case hex> " " then "XX " per byte (the text ends with a blank).
#pragma once

#include "framework/StrConv.h"  // AnsiUpperCase

#include <cstdint>
#include <string>
#include <vector>

// Replaces the first exact occurrence of OldPattern; True when there was one.
bool StrReplaceFirst(std::string& S, const std::string& OldPattern, const std::string& NewPattern);
// 1-based position of the last occurrence; 0 when absent, either is empty or SubStr is longer.
int32_t LastPos(const std::string& SubStr, const std::string& S);

// A hexadecimal text: optional "$", blanks, an optional sign. Up to eight significant digits
// keep their 32-bit two's-complement value ("FFFFFFFF" is -1); more, an empty text or any
// other character raise EConvertError.
int32_t HexStrToInt(const std::string& S);
int32_t HexStrToIntDef(const std::string& S, int32_t Default);

void DataToHexStr(const void* Buffer, int32_t Size, std::string& S);
// Size := the count of the text (-1 when there is none) and Buffer := the bytes. True when
// all of them were read. Never raises; a count that the remaining text cannot hold is
// refused before anything is allocated.
bool HexStrToData(const std::string& S, std::vector<uint8_t>& Buffer, int32_t& Size);

bool IsDigitChar(char Ch);
// Part := the copy of Count bytes at Index (1-based, clipped); that part is deleted from S.
void ExtractStr(std::string& S, int32_t Index, int32_t Count, std::string& Part);
// True when Prefix is nil, False when Str is nil, else whether Str begins with Prefix.
bool StrStartsWith(const char* Str, const char* Prefix);
// True when 1 <= Index <= Length(S) and S continues at Index with SubStr.
bool ContainsAt(const std::string& S, int32_t Index, const std::string& SubStr);
