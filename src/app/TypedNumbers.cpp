#include "app/TypedNumbers.h"

#include "scan/files/TextIds.h"

#include "framework/Exceptions.h"
#include "framework/NumberText.h"

std::optional<double> TypedPositiveNumber(const std::u16string& Text, double MaxValue, const TFormatSettings& Format)
{
    double Read = 0.0;
    if (!TryStrToFloat(Text, Read, Format) || !(static_cast<float>(Read) > 0.0f) || !(Read <= MaxValue))
        return std::nullopt;
    return Read;
}

std::u16string PositiveNumberRefusal(const std::u16string& NotValid, const std::u16string& Text, double MaxValue,
                                     const TFormatSettings& Format, const TTextLookup& Lookup)
{
    // Two texts with one "%s" each: what the user typed is never scanned for a second one.
    return FormatMessageS(NotValid, Text) + u" " +
           FormatMessageS(Lookup(Texts::NumberRange, u"Enter a number greater than 0 and at most %s."),
                          FormatNumber(MaxValue, Format));
}
