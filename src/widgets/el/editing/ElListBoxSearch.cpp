#include "widgets/el/editing/ElListBoxSearch.h"

#include "widgets/el/foundation/ElStrUtils.h"

using namespace ElEditChars;

bool MatchListText(const std::u16string& Search, const std::u16string& Text)
{
    if (Text.size() < Search.size())
        return false;
    return WideUpperCase(Text.substr(0, Search.size())) == WideUpperCase(Search);
}

int32_t FindListItem(const TElWideStrings& Items, const std::u16string& Search, int32_t Start)
{
    const int32_t count = Items.Count();
    if (Search.empty() || count == 0)
        return -1;
    if (Start < 0 || Start >= count)
        Start = 0;
    for (int32_t i = Start; i < count; ++i)
        if (MatchListText(Search, Items.Get(i)))
            return i;
    for (int32_t i = 0; i < Start; ++i)
        if (MatchListText(Search, Items.Get(i)))
            return i;
    return -1;
}

TElListBoxSearch::TElListBoxSearch()
{
    Timeout.OnTimeout = [this] { Input.Reset(); };
}

void TElListBoxSearch::Reset()
{
    Input.Reset();
    Timeout.Stop();
}

bool TElListBoxSearch::TwoEqualCharacters() const
{
    const std::u16string& text = Input.SearchText();
    const int32_t first = CharSizeAt(text, 0);
    return first > 0 && text.size() == 2 * static_cast<size_t>(first) && Input.IsRepeatedChar();
}

int32_t TElListBoxSearch::Type(const TElWideStrings& Items, int32_t ItemIndex,
                               const std::function<void(TElKeyboardInput&)>& Feed)
{
    const size_t before = Input.SearchText().size();
    Feed(Input);
    if (Input.SearchText().size() <= before)
        return -1;  // a key that typed nothing leaves the selection where it is
    Timeout.KeyPressed();
    const int32_t start = ItemIndex + 1 < Items.Count() ? ItemIndex + 1 : 0;
    int32_t found = FindListItem(Items, Input.SearchText(), start);
    if (found < 0 && TwoEqualCharacters()) {
        Input.Reset();
        Feed(Input);
        found = FindListItem(Items, Input.SearchText(), start);
    }
    return found;
}
