#include "app/FrameworkLanguage.h"

#include <array>

namespace {

struct TFrameworkTextEntry {
    TFrameworkTextId Id;
    int32_t Number;
    const char16_t* English;
};

// In the order of TFrameworkTextId.
constexpr std::array<TFrameworkTextEntry, 10> FrameworkTextTable{{
    {TFrameworkTextId::FOpenError, 300, u"The file %s cannot be opened"},
    {TFrameworkTextId::FCreateError, 301, u"The file %s cannot be created"},
    {TFrameworkTextId::InvalidInteger, 302, u"'%s' is not a valid whole number"},
    {TFrameworkTextId::InvalidFloat, 303, u"'%s' is not a valid number"},
    {TFrameworkTextId::ReadError, 304, u"The data could not be read"},
    {TFrameworkTextId::WriteError, 305, u"The data could not be written"},
    {TFrameworkTextId::ListIndexError, 306, u"List index out of bounds (%d)"},
    {TFrameworkTextId::SortedListError, 307, u"Operation not allowed on a sorted list"},
    {TFrameworkTextId::DuplicateString, 308, u"The list does not allow duplicates"},
    {TFrameworkTextId::InsertLineError, 309, u"The line cannot be inserted"},
}};

constexpr bool InOrderOfIds()
{
    for (size_t i = 0; i < FrameworkTextTable.size(); ++i)
        if (static_cast<size_t>(FrameworkTextTable[i].Id) != i)
            return false;
    return true;
}
static_assert(InOrderOfIds(), "each framework text at the place of its id");

const TFrameworkTextEntry& EntryOf(TFrameworkTextId Id)
{
    return FrameworkTextTable[static_cast<size_t>(Id)];
}

}  // namespace

std::u16string FrameworkTextInLanguage(TFrameworkTextId Id, const TTextLookup& Lookup)
{
    const TFrameworkTextEntry& entry = EntryOf(Id);
    return Lookup(entry.Number, entry.English);
}

void UseLanguageForFrameworkTexts()
{
    SetFrameworkTextLookup([](TFrameworkTextId Id, const std::u16string&) { return FrameworkTextInLanguage(Id); });
}
