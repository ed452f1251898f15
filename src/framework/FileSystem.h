// File search by mask and full path names: portable, with the system's own answers on Windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TSearchRec {
    std::u16string Name;  // the file name with its extension, no folder
    uint32_t Attr = 0;    // the Windows attribute bits (faDirectory for a folder)
    int64_t Size = 0;
};

// True when Name matches Mask: "*" stands for any run of characters, "?" for exactly one;
// letters match whatever their case, as names in the file system do; dots and stars left at
// the end of the mask also match nothing, so "*.*" matches every name.
bool MatchesFileMask(const std::u16string& Name, const std::u16string& Mask);

// The entries of the folder of PathMask (the current folder when it names none) whose names
// match the mask after its last separator, folders included, "." and ".." left out, in the
// order the system lists them. Empty when the folder does not exist. Only long names count:
// the short 8.3 aliases that the system's own search also matches are not looked at.
std::vector<TSearchRec> FindFiles(const std::u16string& PathMask);

// The full path of FileName as the system's GetFullPathNameW gives it: a relative name is taken
// from the current folder, "." and ".." segments are resolved by the text alone (links are not
// followed), a trailing separator stays. Empty for an empty name.
std::u16string ExpandFileName(const std::u16string& FileName);
