#include "widgets/el/foundation/ElTools.h"

#include "framework/Streams.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>

TElWindowsFlags ComputeWindowsFlags(const TElOSVersion& V)
{
    TElWindowsFlags f;
    const bool is9x = V.Platform == 1;
    const bool nt = V.Platform == 2;
    f.PlatformIs9x = is9x;
    f.Windows9xBuild1000 = is9x && V.Build >= 1000;
    f.Windows98OrLater9x = is9x && V.Minor > 0;
    f.WindowsIsME = is9x && V.Minor >= 90;
    f.PlatformIsNT = nt;
    f.WindowsAtLeast2000 = nt && V.Major >= 5;
    f.WindowsIsXP = nt && V.Major == 5 && V.Minor == 1;
    f.WindowsIsXP64 = V.Major == 5 && V.Minor == 2 && V.ProductType == 1 && V.ProcessorArchitecture == 9;
    f.WindowsIs2003 = nt && V.Major == 5 && V.Minor == 2 && !f.WindowsIsXP64;
    f.WindowsIs2003R2 = f.WindowsIs2003 && V.ServerR2;
    f.WindowsIsVista = nt && V.Major == 6;
    f.WindowsAtLeastVista = nt && V.Major >= 6;
    f.WindowsAtLeastXP = nt && ((V.Major >= 5 && V.Minor >= 1) || f.WindowsAtLeastVista);
    f.WindowsAtLeast2003 = nt && ((V.Major >= 5 && V.Minor >= 2) || f.WindowsAtLeastVista);
    f.WindowsIsXPSP2 = f.WindowsIsXP && V.ServicePack == "Service Pack 2";
    f.WindowsAtLeastXPSP2 = f.WindowsIsXPSP2 || f.WindowsAtLeast2003;
    f.WindowsNTFamily = f.PlatformIsNT || f.WindowsAtLeast2000 || f.WindowsAtLeastXP;
    return f;
}

uint32_t SwapBytes32(uint32_t Value)
{
    return (Value >> 24) | ((Value >> 8) & 0xFF00u) | ((Value << 8) & 0xFF0000u) | (Value << 24);
}

int32_t CompareSign(int32_t Value)
{
    return Value > 0 ? 1 : Value < 0 ? -1 : 0;
}

bool InRange(int32_t L, int32_t R, int32_t X)
{
    return L <= X && X <= R;
}

bool InRangeF(double L, double R, double X)
{
    return L <= X && X <= R;
}

void CenterRect(int32_t Width, int32_t AreaWidth, int32_t Height, int32_t AreaHeight, TRect& R)
{
    R.Left = std::max(AreaWidth / 2 - Width / 2, 0);
    R.Right = std::min(R.Left + Width, R.Left + AreaWidth);
    R.Top = std::max(AreaHeight / 2 - Height / 2, 0);
    R.Bottom = std::min(R.Top + Height, R.Top + AreaHeight);
}

namespace {

template <class S>
S WithTrailingBackslash(const S& Text)
{
    if (Text.empty() || Text.back() == '\\' || Text.back() == '/')
        return Text;
    return Text + static_cast<typename S::value_type>('\\');
}

} // namespace

std::u16string AddTrailingBackslash(const std::u16string& S)
{
    return WithTrailingBackslash(S);
}

std::string AddTrailingBackslash(const std::string& S)
{
    return WithTrailingBackslash(S);
}

void WriteLineToStream(TStream& Stream, const std::string& S)
{
    std::string line = S;
    if (line.size() < 2 || line.compare(line.size() - 2, 2, "\r\n") != 0)
        line += "\r\n";
    Stream.WriteBuffer(line.data(), static_cast<int32_t>(line.size()));
}

// ---- Number text

namespace {

// Checks an integer text as the framework's Val does: leading blanks, an optional sign, then
// digits. Returns 0, or the 1-based position of the first offending character (one past the
// end when the digits are missing).
int32_t CheckIntegerText(const std::string& T, bool SignAllowed)
{
    size_t i = 0;
    while (i < T.size() && T[i] == ' ')
        ++i;
    if (SignAllowed && i < T.size() && (T[i] == '-' || T[i] == '+'))
        ++i;
    if (i == T.size())
        return static_cast<int32_t>(i) + 1;
    for (; i < T.size(); ++i)
        if (T[i] < '0' || T[i] > '9')
            return static_cast<int32_t>(i) + 1;
    return 0;
}

bool ParseWholeDouble(std::string T, double& Value)
{
    const auto a = T.find_first_not_of(' ');
    if (a == std::string::npos)
        return false;
    T = T.substr(a, T.find_last_not_of(' ') - a + 1);
    if (T[0] == '+')
        T.erase(0, 1);
    // Digits, sign and exponent only: no "inf" or "nan" words.
    if (T.empty() || T.find_first_not_of("0123456789+-eE") != std::string::npos)
        return false;
    const char* end = T.data() + T.size();
    const auto r = std::from_chars(T.data(), end, Value);
    return r.ec == std::errc() && r.ptr == end;
}

} // namespace

void StrToFloatDot(const std::string& S, double& Value, int32_t& ErrorPos, char DecimalSeparator)
{
    ErrorPos = 0;
    auto p = S.find('.');
    if (p == std::string::npos)
        p = S.find(DecimalSeparator);
    const auto len = static_cast<int64_t>(S.size());
    const int64_t P = p == std::string::npos ? 0 : static_cast<int64_t>(p) + 1;
    if (P == 0) {
        double v;
        if (ParseWholeDouble(S, v))
            Value = v;
        else
            ErrorPos = 1;
        return;
    }
    if (P == 1 || P == len) {
        ErrorPos = static_cast<int32_t>(P);
        return;
    }
    const std::string intText = S.substr(0, static_cast<size_t>(P - 1));
    const std::string fracText = S.substr(static_cast<size_t>(P));
    if (const int32_t bad = CheckIntegerText(intText, true)) {
        ErrorPos = bad;
        return;
    }
    // The fraction must begin with a digit: a sign or blank there is a fault, not a success
    // without a value.
    if (fracText[0] < '0' || fracText[0] > '9') {
        ErrorPos = static_cast<int32_t>(P) + 1;
        return;
    }
    if (const int32_t bad = CheckIntegerText(fracText, false)) {
        ErrorPos = bad + static_cast<int32_t>(P);
        return;
    }
    // Digits of any length: the number is converted as one text, so long fractions (such as
    // those FloatToStrDot writes) read back to the nearest double.
    std::string canonical;
    const auto first = intText.find_first_not_of(' ');
    std::string digits = intText.substr(first);
    if (digits[0] == '-')
        canonical = "-";
    if (digits[0] == '-' || digits[0] == '+')
        digits.erase(0, 1);
    canonical += digits + "." + fracText;
    double v = 0;
    std::from_chars(canonical.data(), canonical.data() + canonical.size(), v);
    Value = v;
}

void FloatToStrDot(std::string& S, double Value)
{
    if (std::isnan(Value)) {
        S = "NAN";
        return;
    }
    if (std::isinf(Value)) {
        S = Value > 0 ? "INF" : "-INF";
        return;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15G", Value);
    std::string t = buf;
    // The framework writes exponents without "+" and without leading zeros: 1E20, 1.5E-6.
    const auto e = t.find('E');
    if (e != std::string::npos) {
        std::string mantissa = t.substr(0, e);
        std::string exponent = t.substr(e + 1);
        const bool negative = exponent[0] == '-';
        exponent.erase(0, exponent[0] == '-' || exponent[0] == '+' ? 1 : 0);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        t = mantissa + "E" + (negative ? "-" : "") + exponent;
    }
    // snprintf follows the C locale, whose separator is already "."; a locale that differs
    // is replaced all the same.
    for (char& c : t)
        if (c == ',')
            c = '.';
    S = t;
}

// ---- Memory

void ElGetMem(void*& P, size_t Size)
{
    P = Size ? std::malloc(Size) : nullptr;
    if (Size && !P)
        throw std::bad_alloc();
}

void ElReallocMem(void*& P, size_t Size)
{
    if (Size == 0) {
        std::free(P);
        P = nullptr;
        return;
    }
    void* q = std::realloc(P, Size);
    if (!q)
        throw std::bad_alloc();
    P = q;
}

void ElFreeMem(void* P)
{
    std::free(P);
}
