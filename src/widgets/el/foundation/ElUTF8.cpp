#include "widgets/el/foundation/ElUTF8.h"

#include "framework/StrConv.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Trailing bytes by lead byte: 0 for 00-BF, 1 for C0-DF, 2 for E0-EF, 3 for F0-F7,
// 4 for F8-FB, 5 for FC-FF.
int TrailingBytes(uint8_t Lead)
{
    if (Lead < 0xC0) return 0;
    if (Lead < 0xE0) return 1;
    if (Lead < 0xF0) return 2;
    if (Lead < 0xF8) return 3;
    if (Lead < 0xFC) return 4;
    return 5;
}

constexpr char32_t kOffsets[6] = {0x00000000, 0x00003080, 0x000E2080, 0x03C82080, 0xFA082080, 0x82082080};

bool IsHigh(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

} // namespace

bool IsLegalUTF8(const uint8_t* Bytes, int32_t Length)
{
    if (Length < 1 || Length > 4)
        return false;
    const uint8_t lead = Bytes[0];
    if (Length >= 4 && (Bytes[3] < 0x80 || Bytes[3] > 0xBF))
        return false;
    if (Length >= 3 && (Bytes[2] < 0x80 || Bytes[2] > 0xBF))
        return false;
    if (Length >= 2) {
        const uint8_t b = Bytes[1];
        if (b < 0x80 || b > 0xBF)
            return false;
        if ((lead == 0xE0 && b < 0xA0) || (lead == 0xF0 && b < 0x90) || (lead == 0xF4 && b > 0x8F))
            return false;
    }
    return !(lead >= 0x80 && lead <= 0xC1) && lead <= 0xF4;
}

int32_t WideStringToUTF8(const std::u16string& S, std::string& Dest, bool Lenient, bool AddBOM)
{
    Dest.clear();
    int32_t result = ConversionOK;
    for (size_t i = 0; i < S.size(); ++i) {
        char32_t c = S[i];
        if (IsHigh(c) && i + 1 < S.size() && IsLow(S[i + 1])) {
            c = ((c - 0xD800) << 10) + (S[i + 1] - 0xDC00) + 0x10000;
            ++i;
        } else if (IsHigh(c) || IsLow(c)) {
            // An unpaired surrogate, the last unit included: strict mode stops here rather
            // than produce invalid UTF-8.
            if (!Lenient) {
                result = SourceIllegal;
                break;
            }
        }
        AppendUtf8(Dest, c);
    }
    if (AddBOM && Dest.compare(0, 3, "\xEF\xBB\xBF") != 0)
        Dest.insert(0, "\xEF\xBB\xBF");
    return result;
}

int32_t UTF8ToWideString(const std::string& Source, std::u16string& Dest, bool Lenient, bool AddBOM)
{
    Dest.clear();
    int32_t result = ConversionOK;
    const auto* src = reinterpret_cast<const uint8_t*>(Source.data());
    const size_t len = Source.size();
    size_t i = 0;
    while (i < len) {
        const int extra = TrailingBytes(src[i]);
        if (i + static_cast<size_t>(extra) >= len) {
            result = SourceExhausted;
            break;
        }
        if (!IsLegalUTF8(src + i, extra + 1)) {
            result = SourceIllegal;
            break;
        }
        char32_t ch = 0;
        for (int k = 0; k <= extra; ++k) {
            ch += src[i + static_cast<size_t>(k)];
            if (k < extra)
                ch <<= 6;
        }
        ch -= kOffsets[extra];
        if (!Lenient && ch >= 0xD800 && ch <= 0xDFFF) {
            result = SourceIllegal;
            break;
        }
        if (ch <= 0x10FFFF) {
            AppendUtf16(Dest, ch);
        } else if (Lenient) {
            Dest += static_cast<char16_t>(kReplacement);
        } else {
            // Record the error, consume only the lead byte, and go on.
            result = SourceIllegal;
            i += 1;
            continue;
        }
        i += static_cast<size_t>(extra) + 1;
    }
    if (AddBOM && (Dest.empty() || Dest[0] != 0xFEFF))
        Dest.insert(Dest.begin(), u'\xFEFF');
    return result;
}
