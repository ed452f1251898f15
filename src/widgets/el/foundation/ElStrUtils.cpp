#include "widgets/el/foundation/ElStrUtils.h"

#include "widgets/el/foundation/ElCaseTable.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

// ---- Null-terminated wide strings

int32_t WStrLen(const WideChar* P)
{
    const WideChar* q = P;
    while (*q)
        ++q;
    return static_cast<int32_t>(q - P);
}

WideChar* WStrEnd(WideChar* P)
{
    while (*P)
        ++P;
    return P;
}

WideChar* WStrScan(WideChar* P, WideChar Ch)
{
    for (;; ++P) {
        if (*P == Ch)
            return P;
        if (*P == 0)
            return nullptr;
    }
}

WideChar* WStrRScan(WideChar* P, WideChar Ch)
{
    WideChar* found = nullptr;
    for (;; ++P) {
        if (*P == Ch)
            found = P;
        if (*P == 0)
            return found;
    }
}

WideChar* WStrPos(WideChar* Str, const WideChar* SubStr)
{
    if (!Str || !SubStr || *SubStr == 0)
        return nullptr;
    const int32_t subLen = WStrLen(SubStr);
    const int32_t len = WStrLen(Str);
    for (int32_t i = 0; i + subLen <= len; ++i)
        if (std::memcmp(Str + i, SubStr, static_cast<size_t>(subLen) * sizeof(WideChar)) == 0)
            return Str + i;
    return nullptr;
}

int32_t WStrComp(const WideChar* S1, const WideChar* S2)
{
    while (*S1 && *S1 == *S2) {
        ++S1;
        ++S2;
    }
    return static_cast<int32_t>(*S1) - static_cast<int32_t>(*S2);
}

WideChar* WStrCopy(WideChar* Dest, const WideChar* Source)
{
    WStrECopy(Dest, Source);
    return Dest;
}

WideChar* WStrECopy(WideChar* Dest, const WideChar* Source)
{
    while ((*Dest = *Source) != 0) {
        ++Dest;
        ++Source;
    }
    return Dest;
}

WideChar* WStrLCopy(WideChar* Dest, const WideChar* Source, int32_t MaxLen)
{
    int32_t i = 0;
    for (; i < MaxLen && Source[i]; ++i)
        Dest[i] = Source[i];
    Dest[i] = 0;
    return Dest;
}

WideChar* WStrPCopy(WideChar* Dest, const std::u16string& S)
{
    return WStrLCopy(Dest, S.c_str(), static_cast<int32_t>(S.size()));
}

WideChar* WStrCat(WideChar* Dest, const WideChar* Source)
{
    WStrCopy(WStrEnd(Dest), Source);
    return Dest;
}

WideChar* WStrMove(WideChar* Dest, const WideChar* Source, int32_t Count)
{
    if (Count > 0)
        std::memmove(Dest, Source, static_cast<size_t>(Count) * sizeof(WideChar));
    return Dest;
}

void WideFillChar(WideChar* Buffer, int32_t Count, WideChar Ch)
{
    for (int32_t i = 0; i < Count; ++i)
        Buffer[i] = Ch;
}

std::u16string WStrPas(const WideChar* P)
{
    return P ? std::u16string(P) : std::u16string();
}

// ---- WideString operations

void WideSetString(std::u16string& S, const WideChar* Buffer, int32_t Len)
{
    if (Len <= 0)
        S.clear();
    else if (Buffer)
        S.assign(Buffer, static_cast<size_t>(Len));
    else
        S.assign(static_cast<size_t>(Len), u'\0');
}

std::u16string WideStringOfChar(WideChar Ch, int32_t Count)
{
    return Count > 0 ? std::u16string(static_cast<size_t>(Count), Ch) : std::u16string();
}

int32_t WidePos(const std::u16string& SubStr, const std::u16string& S)
{
    if (SubStr.empty() || S.empty())
        return 0;
    const auto p = S.find(SubStr);
    return p == std::u16string::npos ? 0 : static_cast<int32_t>(p) + 1;
}

int32_t WideLastPos(const std::u16string& SubStr, const std::u16string& S)
{
    if (SubStr.empty() || S.empty() || SubStr.size() > S.size())
        return 0;
    const auto p = S.rfind(SubStr);
    return p == std::u16string::npos ? 0 : static_cast<int32_t>(p) + 1;
}

std::u16string WideCopy(const std::u16string& S, int32_t Index, int32_t Count)
{
    const auto len = static_cast<int64_t>(S.size());
    int64_t start = Index < 1 ? 1 : Index;
    if (start > len || Count <= 0)
        return {};
    const int64_t n = std::min<int64_t>(Count, len - start + 1);
    return S.substr(static_cast<size_t>(start - 1), static_cast<size_t>(n));
}

void WideInsert(const std::u16string& Source, std::u16string& S, int32_t Index)
{
    const auto len = static_cast<int64_t>(S.size());
    int64_t at = Index < 1 ? 1 : Index;
    if (at > len + 1)
        at = len + 1;
    S.insert(static_cast<size_t>(at - 1), Source);
}

void WideDelete(std::u16string& S, int32_t Index, int32_t Count)
{
    const auto len = static_cast<int64_t>(S.size());
    if (Index < 1 || Index > len || Count <= 0)
        return;
    const int64_t n = std::min<int64_t>(Count, len - Index + 1);
    S.erase(static_cast<size_t>(Index - 1), static_cast<size_t>(n));
}

std::u16string WideExtract(std::u16string& S, int32_t Index, int32_t Count)
{
    std::u16string part = WideCopy(S, Index, Count);
    WideDelete(S, Index, Count);
    return part;
}

std::u16string WideTrim(const std::u16string& S)
{
    size_t first = 0;
    size_t last = S.size();
    while (first < last && S[first] <= 32)
        ++first;
    while (last > first && S[last - 1] <= 32)
        --last;
    return S.substr(first, last - first);
}

int32_t WideCompareStr(const std::u16string& S1, const std::u16string& S2)
{
    // c_str() supplies the terminator, so an embedded zero unit ends a string as well.
    const int32_t d = WStrComp(S1.c_str(), S2.c_str());
    return d < 0 ? -1 : d > 0 ? 1 : 0;
}

int32_t WideCompareExact(const std::u16string& S1, const std::u16string& S2)
{
    return WStrComp(S1.c_str(), S2.c_str());
}

bool WideSameText(const std::u16string& S1, const std::u16string& S2)
{
    return WideCompareStr(WideUpperCase(S1), WideUpperCase(S2)) == 0;
}

// ---- Case mapping

namespace {

// Entry numbers (1-based; 0 = no mapping) by source unit and by mapped unit, for the
// statuses that are applied. Built once from the table.
struct TCaseLookup {
    std::array<uint16_t, 65536> BySource{};
    std::array<uint16_t, 65536> ByMapped{};

    TCaseLookup()
    {
        constexpr uint16_t applied = csCommon | csSimple | csTurkic;
        for (int i = 0; i < ElCaseTableCount; ++i) {
            const TElCaseEntry& e = ElCaseTable[i];
            if ((e.Status & applied) == 0)
                continue;
            const auto number = static_cast<uint16_t>(i + 1);
            if (BySource[e.Source] == 0)
                BySource[e.Source] = number;
            // Upper case maps back to a capital: the first capital source in table order
            // wins, so U+03BC gives U+039C rather than the micro sign U+00B5, and U+03B9
            // gives U+0399 rather than the combining ypogegrammeni U+0345. A mapped unit
            // whose sources are all non-capitals (Roman numerals, circled letters) takes
            // the first of them.
            uint16_t& byMapped = ByMapped[e.Mapped];
            if (byMapped == 0 || (!ElCaseTable[byMapped - 1].SourceIsCapital && e.SourceIsCapital))
                byMapped = number;
        }
    }
};

const TCaseLookup& CaseLookup()
{
    static const auto lookup = std::make_unique<TCaseLookup>();
    return *lookup;
}

} // namespace

WideChar WideLowerChar(WideChar Ch)
{
    const uint16_t n = CaseLookup().BySource[Ch];
    return n ? ElCaseTable[n - 1].Mapped : Ch;
}

WideChar WideUpperChar(WideChar Ch)
{
    const uint16_t n = CaseLookup().ByMapped[Ch];
    return n ? ElCaseTable[n - 1].Source : Ch;
}

std::u16string WideUpperCase(const std::u16string& S)
{
    std::u16string r = S;
    for (auto& c : r)
        c = WideUpperChar(c);
    return r;
}

std::u16string WideLowerCase(const std::u16string& S)
{
    std::u16string r = S;
    for (auto& c : r)
        c = WideLowerChar(c);
    return r;
}
