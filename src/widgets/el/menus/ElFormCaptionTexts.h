// The texts a form caption paints in its form's caption bar, and where each one stands.
// Portable; the caption component (ElFormCaption.h) measures and paints them.
//
// Every change of a text, or of the list, is reported through OnChange, so that the caption
// bar is painted again.
#pragma once

#include "framework/Types.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TElCaptionTexts;

class TElCaptionText {
public:
    const std::u16string& Caption() const { return caption_; }
    void SetCaption(const std::u16string& Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    // taLeftJustify (0) from the bar's left end, taRightJustify (1) from its right end.
    TAlignment Align() const { return align_; }
    void SetAlign(TAlignment Value);

private:
    friend class TElCaptionTexts;
    explicit TElCaptionText(TElCaptionTexts& Owner) : owner_(Owner) {}

    TElCaptionTexts& owner_;
    std::u16string caption_;
    bool visible_ = true;
    TAlignment align_ = TAlignment::taLeftJustify;
};

class TElCaptionTexts {
public:
    TElCaptionTexts() = default;
    TElCaptionTexts(const TElCaptionTexts&) = delete;
    TElCaptionTexts& operator=(const TElCaptionTexts&) = delete;

    int Count() const { return static_cast<int>(texts_.size()); }
    // Raises EListError for an index out of range.
    TElCaptionText* Items(int Index) const;
    // A new visible, left-aligned, empty text after the others.
    TElCaptionText* Add();
    void Delete(int Index);
    void Clear();

    std::function<void()> OnChange;

private:
    friend class TElCaptionText;
    void Changed();

    std::vector<std::unique_ptr<TElCaptionText>> texts_;
};

struct TElCaptionTextPlace {
    const TElCaptionText* Text = nullptr;
    TRect Bounds;
};

// Where the visible, non-empty texts stand in Area, in list order: left-aligned texts one after
// another from the left end, right-aligned ones one before another from the right end (the
// first right-aligned text at the right end), Gap pixels apart. A text that no longer fits is
// cut to the room left between the two; one that finds no room is left out.
std::vector<TElCaptionTextPlace> PlaceCaptionTexts(const TElCaptionTexts& Texts, const TRect& Area, int32_t Gap,
                                                   const std::function<int32_t(const std::u16string&)>& TextWidth);
