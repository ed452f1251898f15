// The framework's own message texts (file, stream, conversion and list errors). Each has a
// built-in text; a program that speaks several languages installs a lookup at start-up, and
// every message is then taken from it when it is raised, in the language active at that time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

enum class TFrameworkTextId : uint8_t {
    FOpenError,       // "%s": the file name
    FCreateError,     // "%s": the file name
    InvalidInteger,   // "%s": the text
    InvalidFloat,     // "%s": the text
    ReadError,
    WriteError,
    ListIndexError,   // "%d": the index
    SortedListError,
    DuplicateString,
    InsertLineError,
};

// A text of the framework, used where a text is expected: it reads as the installed lookup's
// text for its id, or as Default without one.
struct TFrameworkText {
    TFrameworkTextId Id;
    const char16_t* Default;
    operator std::u16string() const;
};

// Gives the framework's texts from the program's own language data; nil puts the built-in
// texts back. The lookup gets the built-in text and returns the text to use.
using TFrameworkTextLookup = std::function<std::u16string(TFrameworkTextId Id, const std::u16string& Default)>;
void SetFrameworkTextLookup(TFrameworkTextLookup Lookup);
