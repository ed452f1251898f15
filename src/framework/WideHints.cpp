#include "framework/WideHints.h"

#include "framework/LittleEndianBytes.h"
#include "framework/StrConv.h"

std::u16string GetShortHint(const std::u16string& Hint)
{
    const size_t bar = Hint.find(u'|');
    return bar == std::u16string::npos ? Hint : Hint.substr(0, bar);
}

std::u16string GetLongHint(const std::u16string& Hint)
{
    const size_t bar = Hint.find(u'|');
    return bar == std::u16string::npos ? Hint : Hint.substr(bar + 1);
}

std::string PackWideHint(const std::u16string& Hint)
{
    std::string packed = WideToAnsi(Hint);
    packed += '\0';
    for (const char16_t c : Hint) {
        packed += static_cast<char>(c & 0xFF);
        packed += static_cast<char>(c >> 8);
    }
    packed.append("\0\0\xFE\xFF", 4);
    return packed;
}

bool UnpackWideHint(const std::string& S, std::u16string& Wide)
{
    const size_t len = S.size();
    if (len < 5 || static_cast<uint8_t>(S[len - 2]) != 0xFE || static_cast<uint8_t>(S[len - 1]) != 0xFF)
        return false;
    const size_t l = S.find('\0');
    // The 0 byte after the 8-bit text, an even number of wide bytes, and 00 00 before FE FF.
    if (l == std::string::npos || len < l + 5 || (len - l - 5) % 2 != 0 || S[len - 4] != 0 || S[len - 3] != 0)
        return false;
    const size_t n = (len - l - 5) / 2;
    const auto* wideBytes = reinterpret_cast<const uint8_t*>(S.data()) + l + 1;
    Wide.resize(n);
    for (size_t i = 0; i < n; ++i)
        Wide[i] = static_cast<char16_t>(le::U16At(wideBytes + 2 * i));
    return true;
}

std::u16string GetWideLongHint(const std::string& S)
{
    if (S.size() < 2)
        return AnsiToWide(S);
    std::u16string wide;
    if (UnpackWideHint(S, wide))
        return GetLongHint(wide);
    const auto bar = S.find('|');
    return AnsiToWide(bar == std::string::npos ? S : S.substr(bar + 1));
}
