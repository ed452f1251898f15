// The framework's messages (file, stream, conversion and list errors) in the program's
// languages: each has its number in the language file and its English text, which stands
// when the active language has none.
#pragma once

#include <cstdint>
#include <string>

#include "app/LanguageTexts.h"
#include "framework/FrameworkTexts.h"

// The framework text through Lookup, with its English text as the default.
std::u16string FrameworkTextInLanguage(TFrameworkTextId Id, const TTextLookup& Lookup = GlobalTextLookup());

// From now on the framework takes its messages from the active language.
void UseLanguageForFrameworkTexts();
