#include "app/FrameworkLanguage.h"

#include "scan/files/TextIds.h"

#include <array>

namespace {

struct TFrameworkTextEntry {
    TFrameworkTextId Id;
    TTextId Text;
    const char16_t* English;
};

// In the order of TFrameworkTextId.
constexpr std::array<TFrameworkTextEntry, 10> FrameworkTextTable{{
    {TFrameworkTextId::FOpenError, Texts::FileOpenError, u"The file %s cannot be opened"},
    {TFrameworkTextId::FCreateError, Texts::FileCreateError, u"The file %s cannot be created"},
    {TFrameworkTextId::InvalidInteger, Texts::InvalidWholeNumber, u"'%s' is not a valid whole number"},
    {TFrameworkTextId::InvalidFloat, Texts::InvalidNumber, u"'%s' is not a valid number"},
    {TFrameworkTextId::ReadError, Texts::ReadError, u"The data could not be read"},
    {TFrameworkTextId::WriteError, Texts::WriteError, u"The data could not be written"},
    {TFrameworkTextId::ListIndexError, Texts::ListIndexError, u"List index out of bounds (%d)"},
    {TFrameworkTextId::SortedListError, Texts::SortedListError, u"Operation not allowed on a sorted list"},
    {TFrameworkTextId::DuplicateString, Texts::DuplicateString, u"The list does not allow duplicates"},
    {TFrameworkTextId::InsertLineError, Texts::InsertLineError, u"The line cannot be inserted"},
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
    return Lookup(entry.Text, entry.English);
}

void UseLanguageForFrameworkTexts()
{
    SetFrameworkTextLookup([](TFrameworkTextId Id, const std::u16string&) { return FrameworkTextInLanguage(Id); });
}
