#include "framework/FrameworkTexts.h"

namespace {

TFrameworkTextLookup& InstalledLookup()
{
    static TFrameworkTextLookup lookup;
    return lookup;
}

}  // namespace

TFrameworkText::operator std::u16string() const
{
    const TFrameworkTextLookup& lookup = InstalledLookup();
    return lookup ? lookup(Id, Default) : std::u16string(Default);
}

void SetFrameworkTextLookup(TFrameworkTextLookup Lookup)
{
    InstalledLookup() = std::move(Lookup);
}
