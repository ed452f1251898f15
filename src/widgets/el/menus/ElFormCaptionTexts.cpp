#include "widgets/el/menus/ElFormCaptionTexts.h"

#include "framework/Exceptions.h"

#include <algorithm>

// ---- TElCaptionText

void TElCaptionText::SetCaption(const std::u16string& Value)
{
    if (Value == caption_)
        return;
    caption_ = Value;
    owner_.Changed();
}

void TElCaptionText::SetVisible(bool Value)
{
    if (Value == visible_)
        return;
    visible_ = Value;
    owner_.Changed();
}

void TElCaptionText::SetAlign(TAlignment Value)
{
    if (Value == align_)
        return;
    align_ = Value;
    owner_.Changed();
}

// ---- TElCaptionTexts

TElCaptionText* TElCaptionTexts::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(FormatMessageD(u"List index out of bounds (%d)", Index));
    return texts_[static_cast<size_t>(Index)].get();
}

TElCaptionText* TElCaptionTexts::Add()
{
    texts_.push_back(std::unique_ptr<TElCaptionText>(new TElCaptionText(*this)));
    Changed();
    return texts_.back().get();
}

void TElCaptionTexts::Delete(int Index)
{
    Items(Index);  // checks the index
    texts_.erase(texts_.begin() + Index);
    Changed();
}

void TElCaptionTexts::Clear()
{
    if (texts_.empty())
        return;
    texts_.clear();
    Changed();
}

void TElCaptionTexts::Changed()
{
    if (OnChange)
        OnChange();
}

std::vector<TElCaptionTextPlace> PlaceCaptionTexts(const TElCaptionTexts& Texts, const TRect& Area, int32_t Gap,
                                                   const std::function<int32_t(const std::u16string&)>& TextWidth)
{
    std::vector<TElCaptionTextPlace> places;
    int32_t left = Area.Left, right = Area.Right;
    for (int i = 0; i < Texts.Count(); ++i) {
        const TElCaptionText* text = Texts.Items(i);
        if (!text->Visible() || text->Caption().empty() || right <= left)
            continue;
        const int32_t width = std::min(TextWidth(text->Caption()), right - left);
        if (width <= 0)
            continue;
        TRect bounds{0, Area.Top, 0, Area.Bottom};
        if (text->Align() == TAlignment::taRightJustify) {
            bounds.Left = right - width;
            bounds.Right = right;
            right = bounds.Left - Gap;
        } else {
            bounds.Left = left;
            bounds.Right = left + width;
            left = bounds.Right + Gap;
        }
        places.push_back({text, bounds});
    }
    return places;
}
