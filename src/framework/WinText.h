// The Windows edge of the program's wide strings: UTF-16 on both sides, so only a cast.
#pragma once

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide Windows text is UTF-16");

inline const wchar_t* WideChars(const std::u16string& s)
{
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

// For the APIs that take a count: the characters need not end in a NUL.
inline const wchar_t* WideData(std::u16string_view s)
{
    return reinterpret_cast<const wchar_t*>(s.data());
}

inline const wchar_t* WideChars(const char16_t* s)
{
    return reinterpret_cast<const wchar_t*>(s);
}

// Writable characters of S, for calls that fill a buffer or take a non-const pointer.
inline wchar_t* WideBuffer(std::u16string& s)
{
    return reinterpret_cast<wchar_t*>(s.data());
}

inline wchar_t* WideBuffer(char16_t* s)
{
    return reinterpret_cast<wchar_t*>(s);
}

inline std::u16string FromWide(const wchar_t* s)
{
    return s ? std::u16string(reinterpret_cast<const char16_t*>(s)) : std::u16string();
}

inline std::u16string FromWide(const wchar_t* s, size_t n)
{
    return std::u16string(reinterpret_cast<const char16_t*>(s), n);
}

// The text CharOffset characters into a block the system handed over whose offsets count
// wide characters (DEVNAMES and the like).
inline std::u16string WideTextAt(const void* Block, size_t CharOffset)
{
    return FromWide(static_cast<const wchar_t*>(Block) + CharOffset);
}
