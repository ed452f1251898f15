// The texts of the program by name. TTextId's values are the numbers of the language file,
// listed once in TextIds.def; NamedTexts holds every one with its name, for the tool that
// writes the language file and for the tests, which check the language files against it.
// GetText (globals.h) and the main window's texts take a TTextId, so code asks for a text by
// its name: a bare number does not convert to one.
#pragma once

#include "scan/files/TextIdFwd.h"

#include <cstdint>
#include <iterator>

namespace Texts {

// Converts to its number wherever a number is taken (the language manager's GetText).
enum TTextId : int32_t {
    Own = 0,  // none of the language file's: a text of the program's own, the same in every language
#define L3D_TEXT(Name, Number) Name = Number,
#include "scan/files/TextIds.def"
#undef L3D_TEXT
};

}  // namespace Texts

struct TNamedText {
    TTextId Id;
    const char* Name;
};

inline constexpr TNamedText NamedTexts[] = {
#define L3D_TEXT(Name, Number) {Texts::Name, #Name},
#include "scan/files/TextIds.def"
#undef L3D_TEXT
};

// The list stands in the order of the numbers, so no number names two texts.
constexpr bool NamedTextsAscend()
{
    for (size_t i = 1; i < std::size(NamedTexts); ++i)
        if (NamedTexts[i - 1].Id >= NamedTexts[i].Id)
            return false;
    return NamedTexts[0].Id > Texts::Own;
}
static_assert(NamedTextsAscend(), "TextIds.def: each number once, in ascending order, above 0");
