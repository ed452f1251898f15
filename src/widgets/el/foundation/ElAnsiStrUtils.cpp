#include "widgets/el/foundation/ElAnsiStrUtils.h"

#include "framework/Exceptions.h"
#include "framework/StrConv.h"
#include "widgets/el/foundation/ElStrUtils.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

bool StrReplaceFirst(std::string& S, const std::string& OldPattern, const std::string& NewPattern)
{
    if (OldPattern.empty())
        return false;
    const auto p = S.find(OldPattern);
    if (p == std::string::npos)
        return false;
    S.replace(p, OldPattern.size(), NewPattern);
    return true;
}

int32_t LastPos(const std::string& SubStr, const std::string& S)
{
    if (SubStr.empty() || S.empty() || SubStr.size() > S.size())
        return 0;
    const auto p = S.rfind(SubStr);
    return p == std::string::npos ? 0 : static_cast<int32_t>(p) + 1;
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

[[noreturn]] void RaiseInvalid(const std::string& S)
{
    throw EConvertError::InvalidInteger(AnsiToWide(S));
}

// An optional sign and hexadecimal digits (a sign alone is 0). Up to eight significant digits
// keep their 32-bit two's-complement value; more, or any other character, fail.
bool TryHexDigits(std::string_view T, int32_t& Value)
{
    bool negative = false;
    size_t i = 0;
    if (!T.empty() && (T[0] == '-' || T[0] == '+')) {
        negative = T[0] == '-';
        i = 1;
    }
    // Unsigned accumulation: beyond eight significant digits the value has no 32-bit form.
    uint32_t value = 0;
    int significant = 0;
    for (; i < T.size(); ++i) {
        const int d = HexDigit(T[i]);
        if (d < 0)
            return false;
        if (value != 0 || d != 0)
            ++significant;
        if (significant > 8)
            return false;
        value = value * 16u + static_cast<uint32_t>(d);
    }
    if (negative)
        value = 0u - value;
    Value = static_cast<int32_t>(value);
    return true;
}

// One blank-free field of the hex text form, read as HexStrToInt reads it.
bool TryHexField(std::string_view Field, int32_t& Value)
{
    if (!Field.empty() && Field[0] == '$')
        Field.remove_prefix(1);
    return !Field.empty() && TryHexDigits(Field, Value);
}

} // namespace

int32_t HexStrToInt(const std::string& S)
{
    std::string_view t = S;
    if (!t.empty() && t[0] == '$')
        t.remove_prefix(1);
    const auto a = t.find_first_not_of(' ');
    if (a == std::string_view::npos)
        RaiseInvalid(S);
    t = t.substr(a, t.find_last_not_of(' ') - a + 1);
    int32_t value = 0;
    if (!TryHexDigits(t, value))
        RaiseInvalid(S);
    return value;
}

int32_t HexStrToIntDef(const std::string& S, int32_t Default)
{
    try {
        return HexStrToInt(S);
    } catch (const EConvertError&) {
        return Default;
    }
}

void DataToHexStr(const void* Buffer, int32_t Size, std::string& S)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const int32_t n = std::max(Size, 0);
    char count[16];
    std::snprintf(count, sizeof count, "%X", static_cast<unsigned>(n));
    S = "454C ";
    S += count;
    S += ' ';
    S.reserve(S.size() + static_cast<size_t>(n) * 3);
    const auto* p = static_cast<const uint8_t*>(Buffer);
    for (int32_t i = 0; i < n; ++i) {
        S += kDigits[p[i] >> 4];
        S += kDigits[p[i] & 15];
        S += ' ';
    }
}

bool HexStrToData(const std::string& S, std::vector<uint8_t>& Buffer, int32_t& Size)
{
    Size = -1;
    Buffer.clear();
    if (S.compare(0, 4, "454C") != 0)
        return false;
    std::string_view rest = S.size() > 5 ? std::string_view(S).substr(5) : std::string_view();
    // Cuts the next blank-separated field off the front of rest; the last field has no blank.
    auto nextField = [&rest]() {
        const auto blank = rest.find(' ');
        const std::string_view field = rest.substr(0, blank);
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
        return field;
    };
    int32_t count = 0;
    if (!TryHexField(nextField(), count))
        return false;
    // Every byte needs a field of at least one digit and a blank (the last one may lack the
    // blank): a count the text cannot hold is refused before allocating.
    if (count < 0 || static_cast<uint64_t>(count) > (rest.size() + 1) / 2)
        return false;
    Size = count;
    Buffer.assign(static_cast<size_t>(count), 0);
    for (int32_t i = 0; i < count; ++i) {
        int32_t value = 0;
        if (rest.empty() || !TryHexField(nextField(), value))
            return false;
        Buffer[static_cast<size_t>(i)] = static_cast<uint8_t>(value);
    }
    return true;
}

bool IsDigitChar(char Ch)
{
    return Ch >= '0' && Ch <= '9';
}

void ExtractStr(std::string& S, int32_t Index, int32_t Count, std::string& Part)
{
    const auto len = static_cast<int64_t>(S.size());
    const int64_t start = Index < 1 ? 1 : Index;
    if (start > len || Count <= 0) {
        Part.clear();
        return;
    }
    const int64_t n = std::min<int64_t>(Count, len - start + 1);
    Part = S.substr(static_cast<size_t>(start - 1), static_cast<size_t>(n));
    // The framework's Delete ignores an index below 1, while Copy clips it to 1.
    if (Index >= 1)
        S.erase(static_cast<size_t>(start - 1), static_cast<size_t>(n));
}

bool StrStartsWith(const char* Str, const char* Prefix)
{
    if (!Prefix)
        return true;
    if (!Str)
        return false;
    return std::strncmp(Str, Prefix, std::strlen(Prefix)) == 0;
}

bool ContainsAt(const std::string& S, int32_t Index, const std::string& SubStr)
{
    if (Index < 1 || Index > static_cast<int64_t>(S.size()))
        return false;
    return S.compare(static_cast<size_t>(Index - 1), SubStr.size(), SubStr) == 0;
}
