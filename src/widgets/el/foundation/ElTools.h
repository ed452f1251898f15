// Small portable services of the widget layer: the Windows version flags as a function of a
// version record, number text with a "." separator, rectangles, byte order, memory, and the
// layer's shared texts. The Windows-only services are in ElToolsWin.h.
#pragma once

#include "framework/Types.h"

#include <cstdint>
#include <string>

class TStream;

// ---- Shared texts of the widget layer
inline constexpr char16_t SElUndo[] = u"&Undo";
inline constexpr char16_t SElCut[] = u"Cu&t";
inline constexpr char16_t SElCopy[] = u"&Copy";
inline constexpr char16_t SElPaste[] = u"&Paste";
inline constexpr char16_t SElDelete[] = u"&Delete";
inline constexpr char16_t SElSelectAll[] = u"&Select All";
inline constexpr char16_t SElWinKey[] = u"Win+";
inline constexpr char16_t SElListIndexError[] = u"List index [%d] out of bounds...";

// ---- Windows version flags
struct TElOSVersion {
    uint32_t Major = 0, Minor = 0, Build = 0, Platform = 0;
    std::string ServicePack;        // the CSD text, e.g. "Service Pack 2"
    uint8_t ProductType = 0;        // 1 workstation
    uint16_t ProcessorArchitecture = 0; // native; 9 = AMD64
    bool ServerR2 = false;          // GetSystemMetrics(SM_SERVERR2) <> 0
};

struct TElWindowsFlags {
    bool PlatformIs9x = false, Windows9xBuild1000 = false, Windows98OrLater9x = false, WindowsIsME = false;
    bool PlatformIsNT = false, WindowsAtLeast2000 = false, WindowsIsXP = false, WindowsIs2003 = false;
    bool WindowsIs2003R2 = false, WindowsIsXP64 = false, WindowsIsVista = false, WindowsAtLeastVista = false;
    bool WindowsAtLeastXP = false, WindowsAtLeast2003 = false, WindowsIsXPSP2 = false;
    bool WindowsAtLeastXPSP2 = false, WindowsNTFamily = false;
};

TElWindowsFlags ComputeWindowsFlags(const TElOSVersion& V);

// ---- Arithmetic, rectangles, byte order
uint32_t SwapBytes32(uint32_t Value);
int32_t CompareSign(int32_t Value);
bool InRange(int32_t L, int32_t R, int32_t X);
bool InRangeF(double L, double R, double X);
// A Width x Height rectangle centred in the area, never left of or above 0.
void CenterRect(int32_t Width, int32_t AreaWidth, int32_t Height, int32_t AreaHeight, TRect& R);

// ---- Text
// S with "\" appended unless it is empty or already ends with "\" or "/".
std::u16string AddTrailingBackslash(const std::u16string& S);
std::string AddTrailingBackslash(const std::string& S);
// Writes S followed by CR LF unless S already ends with CR LF.
void WriteLineToStream(TStream& Stream, const std::string& S);

// Parses a decimal number whose separator is "." or DecimalSeparator. ErrorPos 0 means
// success; otherwise it is the 1-based position of the fault and Value is not set.
void StrToFloatDot(const std::string& S, double& Value, int32_t& ErrorPos, char DecimalSeparator);
// The framework's general float text (15 significant digits) with "." as the separator.
void FloatToStrDot(std::string& S, double Value);

// ---- Memory of the layer's allocator
void ElGetMem(void*& P, size_t Size);
// P nil allocates; Size 0 frees and sets P to nil.
void ElReallocMem(void*& P, size_t Size);
// Ignores nil.
void ElFreeMem(void* P);
