#include "framework/ShortCuts.h"

#include <algorithm>
#include <array>

namespace {

struct TKeyName {
    uint8_t Key;
    const char16_t* Name;
};

// Keys whose name is not their own character. Punctuation keys are named as on a US layout.
constexpr std::array<TKeyName, 40> kNamedKeys{{
    {0x08, u"BkSp"},   {0x09, u"Tab"},    {0x0D, u"Enter"}, {0x1B, u"Esc"},   {0x20, u"Space"},
    {0x21, u"PgUp"},   {0x22, u"PgDn"},   {0x23, u"End"},   {0x24, u"Home"},  {0x25, u"Left"},
    {0x26, u"Up"},     {0x27, u"Right"},  {0x28, u"Down"},  {0x2D, u"Ins"},   {0x2E, u"Del"},
    {0x60, u"Num 0"},  {0x61, u"Num 1"},  {0x62, u"Num 2"}, {0x63, u"Num 3"}, {0x64, u"Num 4"},
    {0x65, u"Num 5"},  {0x66, u"Num 6"},  {0x67, u"Num 7"}, {0x68, u"Num 8"}, {0x69, u"Num 9"},
    {0x6A, u"Num *"},  {0x6B, u"Num +"},  {0x6D, u"Num -"}, {0x6E, u"Num ."}, {0x6F, u"Num /"},
    {0xBA, u";"},      {0xBB, u"="},      {0xBC, u","},     {0xBD, u"-"},     {0xBE, u"."},
    {0xBF, u"/"},      {0xC0, u"`"},      {0xDB, u"["},     {0xDC, u"\\"},    {0xDD, u"]"},
}};

constexpr uint8_t kF1 = 0x70;
constexpr int kFunctionKeys = 24;

struct TModifierName {
    TShortCut Bit;
    const char16_t* Name;
};
constexpr std::array<TModifierName, 3> kModifiers{{{scShift, u"Shift+"}, {scCtrl, u"Ctrl+"}, {scAlt, u"Alt+"}}};

char16_t Upper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameText(std::u16string_view A, std::u16string_view B)
{
    return A.size() == B.size() &&
           std::equal(A.begin(), A.end(), B.begin(), [](char16_t a, char16_t b) { return Upper(a) == Upper(b); });
}

std::u16string KeyName(uint8_t Key)
{
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'))
        return std::u16string(1, static_cast<char16_t>(Key));
    if (Key >= kF1 && Key < kF1 + kFunctionKeys) {
        std::u16string name = u"F";
        const int n = Key - kF1 + 1;
        if (n >= 10)
            name += static_cast<char16_t>(u'0' + n / 10);
        name += static_cast<char16_t>(u'0' + n % 10);
        return name;
    }
    for (const TKeyName& k : kNamedKeys)
        if (k.Key == Key)
            return k.Name;
    return {};
}

// The key a name stands for; 0 when none.
uint8_t KeyOfName(std::u16string_view Name)
{
    if (Name.size() == 1) {
        const char16_t c = Upper(Name[0]);
        if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z'))
            return static_cast<uint8_t>(c);
    }
    if (Name.size() >= 2 && Name.size() <= 3 && Upper(Name[0]) == u'F' &&
        std::all_of(Name.begin() + 1, Name.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
        int n = 0;
        for (char16_t c : Name.substr(1))
            n = n * 10 + (c - u'0');
        if (n >= 1 && n <= kFunctionKeys && Name[1] != u'0')
            return static_cast<uint8_t>(kF1 + n - 1);
        return 0;
    }
    for (const TKeyName& k : kNamedKeys)
        if (SameText(Name, k.Name))
            return k.Key;
    return 0;
}

}  // namespace

TShortCut ShortCut(uint16_t Key, TShiftState Shift)
{
    TShortCut s = Key & 0xFF;
    if (Shift & ssShift) s |= scShift;
    if (Shift & ssCtrl) s |= scCtrl;
    if (Shift & ssAlt) s |= scAlt;
    return s;
}

void ShortCutToKey(TShortCut ShortCut, uint16_t& Key, TShiftState& Shift)
{
    Key = ShortCut & 0xFF;
    Shift = 0;
    if (ShortCut & scShift) Shift |= ssShift;
    if (ShortCut & scCtrl) Shift |= ssCtrl;
    if (ShortCut & scAlt) Shift |= ssAlt;
}

std::u16string ShortCutToText(TShortCut ShortCut)
{
    const std::u16string key = KeyName(static_cast<uint8_t>(ShortCut & 0xFF));
    if (key.empty())
        return {};
    std::u16string text;
    for (const TModifierName& m : kModifiers)
        if (ShortCut & m.Bit)
            text += m.Name;
    return text + key;
}

TShortCut TextToShortCut(const std::u16string& Text)
{
    std::u16string_view rest(Text);
    while (!rest.empty() && rest.front() == u' ')
        rest.remove_prefix(1);
    while (!rest.empty() && rest.back() == u' ')
        rest.remove_suffix(1);
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const TModifierName& m : kModifiers) {
            const std::u16string_view name(m.Name);
            // A modifier needs a key after it: "Ctrl+" alone names nothing.
            if (rest.size() > name.size() && SameText(rest.substr(0, name.size()), name)) {
                modifiers |= m.Bit;
                rest.remove_prefix(name.size());
                found = true;
            }
        }
    }
    const uint8_t key = KeyOfName(rest);
    return key ? static_cast<TShortCut>(modifiers | key) : scNone;
}
