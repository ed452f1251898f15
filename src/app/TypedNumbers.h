// Numbers the user types into the dialogs' fields that take a value above 0 up to a largest
// one (the camera steps, the field size): whether the text is such a number, and why not in the
// user's own words and with the range, so that nothing is ever brought within the range
// without a word.
#pragma once

#include <optional>
#include <string>

#include "app/LanguageTexts.h"
#include "framework/FormatSettings.h"

// The number Text gives when it reads as a decimal number in the locale's form that is above 0,
// also as the Single it is stored as, and not above MaxValue; none otherwise (text that is not a
// number, or one too large to be one, included).
std::optional<double> TypedPositiveNumber(const std::u16string& Text, double MaxValue,
                                          const TFormatSettings& Format = FormatSettings());

// Why Text is refused: NotValid (a text of the language whose "%s" takes Text as typed), then
// the range in the program's number form, such as "'-3' is not a valid field size. Enter a
// number greater than 0 and at most 99,999.00."
std::u16string PositiveNumberRefusal(const std::u16string& NotValid, const std::u16string& Text, double MaxValue,
                                     const TFormatSettings& Format = FormatSettings(),
                                     const TTextLookup& Lookup = GlobalTextLookup());
