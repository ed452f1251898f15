// UTF-16 facts the editor relies on: surrogate pairs are one character and are never split,
// and a line break is CR LF, a lone CR or a lone LF (LF CR is two breaks).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum TElEditCharCase : uint8_t { eecNormal, eecUpperCase, eecLowerCase };

namespace ElEditChars {

constexpr char16_t CR = u'\r';
constexpr char16_t LF = u'\n';
constexpr char16_t Tab = u'\t';

constexpr bool IsHighSurrogate(char16_t C) { return C >= 0xD800 && C <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t C) { return C >= 0xDC00 && C <= 0xDFFF; }
constexpr bool IsBreak(char16_t C) { return C == CR || C == LF; }
constexpr bool IsBlank(char16_t C) { return C == u' ' || C == Tab; }

// True when Index lies between the two halves of a surrogate pair.
inline bool InsidePair(std::u16string_view S, size_t Index)
{
    return Index > 0 && Index < S.size() && IsHighSurrogate(S[Index - 1]) && IsLowSurrogate(S[Index]);
}

// Units of the character that starts at Index (2 for a whole pair, else 1; 0 at the end).
inline int32_t CharSizeAt(std::u16string_view S, size_t Index)
{
    if (Index >= S.size()) return 0;
    return IsHighSurrogate(S[Index]) && Index + 1 < S.size() && IsLowSurrogate(S[Index + 1]) ? 2 : 1;
}

// Units of the character that ends at Index (0 at the start).
inline int32_t CharSizeBefore(std::u16string_view S, size_t Index)
{
    if (Index == 0 || Index > S.size()) return 0;
    return Index >= 2 && IsLowSurrogate(S[Index - 1]) && IsHighSurrogate(S[Index - 2]) ? 2 : 1;
}

// Index moved back to the start of the pair it would split.
inline int32_t SnapToChar(std::u16string_view S, int32_t Index)
{
    return InsidePair(S, static_cast<size_t>(Index)) ? Index - 1 : Index;
}

// The pieces of Text between its line breaks: k breaks give k + 1 pieces.
std::vector<std::u16string> SplitAtBreaks(std::u16string_view Text);

// Number of line breaks in Text.
int32_t CountBreaks(std::u16string_view Text);

// The length Text has once its breaks are written as CR LF.
int64_t LengthWithCrLf(std::u16string_view Text);

// The longest head of Text whose length with CR LF breaks is at most Limit, ending neither inside
// a surrogate pair nor between the CR and LF of one break.
std::u16string_view HeadWithin(std::u16string_view Text, int64_t Limit);

// Text in the given case (one unit in, one unit out).
std::u16string ApplyCharCase(std::u16string_view Text, TElEditCharCase CharCase);

}  // namespace ElEditChars
