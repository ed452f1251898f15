#include "widgets/el/editing/ElEditChars.h"

#include "widgets/el/foundation/ElStrUtils.h"

namespace ElEditChars {

namespace {

// Units taken by the break at Index (2 for CR LF), 0 when none starts there.
size_t BreakSizeAt(std::u16string_view Text, size_t Index)
{
    if (Text[Index] == CR) return Index + 1 < Text.size() && Text[Index + 1] == LF ? 2 : 1;
    return Text[Index] == LF ? 1 : 0;
}

}  // namespace

std::vector<std::u16string> SplitAtBreaks(std::u16string_view Text)
{
    std::vector<std::u16string> pieces;
    size_t start = 0;
    for (size_t i = 0; i < Text.size();) {
        size_t brk = BreakSizeAt(Text, i);
        if (brk == 0) {
            ++i;
            continue;
        }
        pieces.emplace_back(Text.substr(start, i - start));
        i += brk;
        start = i;
    }
    pieces.emplace_back(Text.substr(start));
    return pieces;
}

int32_t CountBreaks(std::u16string_view Text)
{
    int32_t count = 0;
    for (size_t i = 0; i < Text.size();) {
        size_t brk = BreakSizeAt(Text, i);
        count += brk ? 1 : 0;
        i += brk ? brk : 1;
    }
    return count;
}

int64_t LengthWithCrLf(std::u16string_view Text)
{
    int64_t length = 0;
    for (size_t i = 0; i < Text.size();) {
        size_t brk = BreakSizeAt(Text, i);
        length += brk ? 2 : 1;
        i += brk ? brk : 1;
    }
    return length;
}

std::u16string_view HeadWithin(std::u16string_view Text, int64_t Limit)
{
    int64_t used = 0;
    size_t i = 0;
    while (i < Text.size()) {
        size_t brk = BreakSizeAt(Text, i);
        size_t units = brk ? brk : static_cast<size_t>(CharSizeAt(Text, i));
        int64_t cost = brk ? 2 : static_cast<int64_t>(units);
        if (used + cost > Limit) break;
        used += cost;
        i += units;
    }
    return Text.substr(0, i);
}

std::u16string ApplyCharCase(std::u16string_view Text, TElEditCharCase CharCase)
{
    std::u16string s(Text);
    switch (CharCase) {
    case eecUpperCase: return WideUpperCase(s);
    case eecLowerCase: return WideLowerCase(s);
    default: return s;
    }
}

}  // namespace ElEditChars
