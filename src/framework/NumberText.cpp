#include "framework/NumberText.h"

#include "framework/Exceptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

std::u16string Widen(const std::string& s)
{
    return std::u16string(s.begin(), s.end());
}

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// Digits of |Value| rounded to Precision significant digits: Digits holds them (no dot),
// DecimalExponent is the position of the decimal point after the first digit's power (value =
// 0.d1d2... * 10^(DecimalExponent)).
struct DecimalDigits {
    std::string Digits;
    int DecimalExponent = 0;
};

DecimalDigits ToDigits(double Value, int Precision)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", Precision - 1, std::fabs(Value));
    DecimalDigits d;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.Digits.push_back(*p);
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    d.DecimalExponent = exponent + 1;
    while (d.Digits.size() > 1 && d.Digits.back() == '0')
        d.Digits.pop_back();
    if (d.Digits == "0")
        d.DecimalExponent = 0;
    return d;
}

std::u16string General(double Value, int Precision, const TFormatSettings& Settings)
{
    const DecimalDigits d = ToDigits(Value, Precision);
    std::u16string out;
    if (std::signbit(Value) && d.Digits != "0")
        out += u'-';
    const int n = static_cast<int>(d.Digits.size());
    if (d.Digits == "0")
        return u"0";
    if (d.DecimalExponent > Precision || d.DecimalExponent < -3) {
        out += static_cast<char16_t>(d.Digits[0]);
        if (n > 1) {
            out += Settings.DecimalSeparator;
            out += Widen(d.Digits.substr(1));
        }
        out += u'E';
        out += IntToStr(d.DecimalExponent - 1);
        return out;
    }
    if (d.DecimalExponent <= 0) {
        out += u'0';
        out += Settings.DecimalSeparator;
        out.append(static_cast<size_t>(-d.DecimalExponent), u'0');
        out += Widen(d.Digits);
        return out;
    }
    for (int i = 0; i < d.DecimalExponent; ++i)
        out += i < n ? static_cast<char16_t>(d.Digits[i]) : u'0';
    if (n > d.DecimalExponent) {
        out += Settings.DecimalSeparator;
        out += Widen(d.Digits.substr(static_cast<size_t>(d.DecimalExponent)));
    }
    return out;
}

}  // namespace

std::u16string IntToStr(int64_t Value)
{
    return Widen(std::to_string(Value));
}

std::u16string IntToHex(uint64_t Value, int Digits)
{
    static const char16_t hex[] = u"0123456789ABCDEF";
    std::u16string out;
    do {
        out.insert(out.begin(), hex[Value & 0xF]);
        Value >>= 4;
    } while (Value);
    while (static_cast<int>(out.size()) < Digits)
        out.insert(out.begin(), u'0');
    return out;
}

bool TryStrToInt(const std::u16string& S, int32_t& Value)
{
    size_t i = 0;
    bool negative = false;
    if (i < S.size() && (S[i] == u'-' || S[i] == u'+'))
        negative = S[i++] == u'-';
    int base = 10;
    if (i < S.size() && S[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < S.size() && S[i] == u'0' && (S[i + 1] == u'x' || S[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= S.size())
        return false;
    int64_t v = 0;
    for (; i < S.size(); ++i) {
        const char16_t c = S[i];
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        v = v * base + digit;
        if (v > 0xFFFFFFFFLL)
            return false;
    }
    if (base == 10) {
        if (negative ? v > 0x80000000LL : v > 0x7FFFFFFFLL)
            return false;
        Value = static_cast<int32_t>(negative ? -v : v);
    } else {
        // Hexadecimal texts name the 32-bit pattern ("$FFFFFFFF" is -1).
        const auto bits = static_cast<uint32_t>(v);
        Value = static_cast<int32_t>(negative ? 0u - bits : bits);
    }
    return true;
}

int32_t StrToInt(const std::u16string& S)
{
    int32_t v = 0;
    if (!TryStrToInt(S, v))
        throw EConvertError::InvalidInteger(S);
    return v;
}

int32_t StrToIntDef(const std::u16string& S, int32_t Default)
{
    int32_t v = Default;
    return TryStrToInt(S, v) ? v : Default;
}

std::u16string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                           const TFormatSettings& Settings)
{
    if (std::isnan(Value))
        return u"NAN";
    if (std::isinf(Value))
        return Value > 0 ? u"INF" : u"-INF";
    if (Precision < 1)
        Precision = 1;
    if (Precision > 18)
        Precision = 18;
    if (Digits < 0)
        Digits = 0;
    if (Digits > 18)
        Digits = 18;
    if (Format == TFloatFormat::ffGeneral)
        return General(Value, Precision, Settings);

    const DecimalDigits d = ToDigits(Value, Precision);
    if (d.DecimalExponent > Precision)
        return General(Value, Precision, Settings);
    // Round first to Precision significant digits (ToDigits), then, half away from zero, to
    // Digits decimals on the decimal digits themselves.
    std::string digits = d.Digits == "0" ? std::string() : d.Digits;
    int exponent = d.DecimalExponent;
    const int keep = exponent + Digits;
    if (keep < 0 || (keep == 0 && (digits.empty() || digits[0] < '5'))) {
        digits.clear();
    } else if (keep < static_cast<int>(digits.size())) {
        const bool up = digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(keep));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[static_cast<size_t>(i)] == '9')
                digits[static_cast<size_t>(i--)] = '0';
            if (i >= 0) {
                ++digits[static_cast<size_t>(i)];
            } else {
                digits = "1" + digits;
                ++exponent;
            }
        }
    }
    std::string intPart, fracPart;
    for (int i = 0; i < exponent; ++i)
        intPart += i < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(i)] : '0';
    if (intPart.empty())
        intPart = "0";
    for (int i = exponent; i < exponent + Digits; ++i)
        fracPart += (i >= 0 && i < static_cast<int>(digits.size())) ? digits[static_cast<size_t>(i)] : '0';
    const std::string fixed = intPart + fracPart;
    std::u16string out;
    if (std::signbit(Value) && fixed.find_first_of("123456789") != std::string::npos)
        out += u'-';
    if (Format == TFloatFormat::ffNumber && Settings.ThousandSeparator != 0) {
        for (size_t i = 0; i < intPart.size(); ++i) {
            if (i > 0 && (intPart.size() - i) % 3 == 0)
                out += Settings.ThousandSeparator;
            out += static_cast<char16_t>(intPart[i]);
        }
    } else {
        out += Widen(intPart);
    }
    if (Digits > 0) {
        out += Settings.DecimalSeparator;
        out += Widen(fracPart);
    }
    return out;
}

std::u16string FloatToStr(double Value, const TFormatSettings& Settings)
{
    return FloatToStrF(Value, TFloatFormat::ffGeneral, 15, 0, Settings);
}

std::u16string FormatNumber(double Value, const TFormatSettings& Settings)
{
    return FloatToStrF(Value, TFloatFormat::ffNumber, 8, 2, Settings);
}

bool TryStrToFloat(const std::u16string& S, double& Value, const TFormatSettings& Settings)
{
    size_t i = 0;
    const size_t n = S.size();
    while (i < n && IsBlank(S[i]))
        ++i;
    std::string ascii;
    if (i < n && (S[i] == u'-' || S[i] == u'+'))
        ascii += static_cast<char>(S[i++]);
    size_t digits = 0;
    while (i < n && S[i] >= u'0' && S[i] <= u'9') {
        ascii += static_cast<char>(S[i++]);
        ++digits;
    }
    if (i < n && S[i] == Settings.DecimalSeparator) {
        ascii += '.';
        ++i;
        while (i < n && S[i] >= u'0' && S[i] <= u'9') {
            ascii += static_cast<char>(S[i++]);
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (S[i] == u'e' || S[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < n && (S[i] == u'-' || S[i] == u'+'))
            ascii += static_cast<char>(S[i++]);
        size_t expDigits = 0;
        while (i < n && S[i] >= u'0' && S[i] <= u'9') {
            ascii += static_cast<char>(S[i++]);
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    while (i < n && IsBlank(S[i]))
        ++i;
    if (i != n)
        return false;
    const double v = std::strtod(ascii.c_str(), nullptr);
    if (std::isinf(v))
        return false;
    Value = v;
    return true;
}

double StrToFloat(const std::u16string& S, const TFormatSettings& Settings)
{
    double v = 0;
    if (!TryStrToFloat(S, v, Settings))
        throw EConvertError(FormatMessageS(SInvalidFloat, S));
    return v;
}
