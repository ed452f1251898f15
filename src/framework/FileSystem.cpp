#include "framework/FileSystem.h"

namespace {

char16_t FoldCase(char16_t C)
{
    if (C >= u'a' && C <= u'z')
        return static_cast<char16_t>(C - u'a' + u'A');
    // Latin-1 letters, as the file system folds them (not the sharp s or the division sign).
    if (C >= 0xE0 && C <= 0xFE && C != 0xF7)
        return static_cast<char16_t>(C - 0x20);
    return C;
}

} // namespace

bool MatchesFileMask(const std::u16string& Name, const std::u16string& Mask)
{
    // Greedy matching with one point of return: the last star, and the name position it
    // covers so far. Linear in practice, never recursive.
    size_t n = 0, m = 0;
    size_t starMask = std::u16string::npos, starName = 0;
    while (n < Name.size()) {
        if (m < Mask.size() && Mask[m] == u'*') {
            starMask = ++m;
            starName = n;
        } else if (m < Mask.size() && (Mask[m] == u'?' || FoldCase(Mask[m]) == FoldCase(Name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::u16string::npos) {
            m = starMask;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < Mask.size() && (Mask[m] == u'*' || Mask[m] == u'.'))
        ++m;
    return m == Mask.size();
}
