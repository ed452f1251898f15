// The system code page of native builds: Windows-1252. Bytes 81, 8D, 8F, 90 and 9D have no
// character in 1252; like Windows, they map to the C1 control of the same value and back.
#include "framework/StrConv.h"

namespace {

// Characters of bytes 80..9F; the other bytes equal their Unicode value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ByteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

std::string WideToAnsi(const std::u16string& S)
{
    std::string out;
    out.reserve(S.size());
    for (size_t i = 0; i < S.size(); ++i) {
        const char16_t c = S[i];
        // A surrogate pair is one character: one "?".
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] <= 0xDFFF)
            ++i;
        out += ByteOf(c);
    }
    return out;
}

std::u16string AnsiToWide(const std::string& S)
{
    std::u16string out;
    out.reserve(S.size());
    for (const char ch : S) {
        const auto b = static_cast<uint8_t>(ch);
        out += (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : static_cast<char16_t>(b);
    }
    return out;
}

bool IsAnsiLeadByte(uint8_t)
{
    return false;
}

std::string AnsiUpperCase(const std::string& S)
{
    std::string out = S;
    for (char& ch : out) {
        const auto b = static_cast<uint8_t>(ch);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
            ch = static_cast<char>(b - 0x20);
        else if (b == 0x9A || b == 0x9C || b == 0x9E)  // s, oe and z with caron or ligature
            ch = static_cast<char>(b - 0x10);
        else if (b == 0xFF)  // y with diaeresis
            ch = static_cast<char>(0x9F);
    }
    return out;
}
