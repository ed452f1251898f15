// A text file read whole (such as the stand-in USB library's trace of calls) and the number of
// times a piece of text stands in it, for tests that check what was written.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// The file's bytes as they stand; empty when it cannot be read.
inline std::string TextOfFile(const std::u16string& Path)
{
    std::ifstream in{std::filesystem::path(Path)};
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// How often What starts in Text, overlapping runs counted.
inline size_t Occurrences(const std::string& Text, const std::string& What)
{
    size_t n = 0;
    for (size_t at = Text.find(What); at != std::string::npos; at = Text.find(What, at + 1))
        ++n;
    return n;
}
