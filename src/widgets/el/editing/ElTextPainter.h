// The measuring half of the edit's text painter: every width the editor works with is the width
// of the text as drawn - masked by the password character and with each tab written as the tab
// string - measured through a text measurer (a device context on Windows, the recording surface
// in native tests). Drawing itself belongs to the window side, which draws the display form this
// painter describes, so that measured and drawn positions agree.
#pragma once

#include "framework/DrawSurface.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TElTextPainter {
public:
    explicit TElTextPainter(ITextMeasurer* Measurer = nullptr) : measurer_(Measurer) {}

    ITextMeasurer* Measurer() const { return measurer_; }
    void SetMeasurer(ITextMeasurer* Measurer) { measurer_ = Measurer; }

    // Selected on the measurer before every measurement.
    TFontSpec Font;
    // Blanks that stand for one tab (at least 1).
    int32_t TabSpaces = 4;
    // 0: no mask.
    char16_t PasswordChar = 0;

    // Every character but CR and LF as the password character; S itself without one.
    std::u16string MaskText(std::u16string_view S) const;
    // Every tab as TabSpaces blanks.
    std::u16string ExpandTabs(std::u16string_view S) const;
    // What is drawn for S: masked, then tabs expanded.
    std::u16string DisplayText(std::u16string_view S) const;

    // Ends[i] = width of S's first i + 1 code units as drawn (a tab as wide as the tab string,
    // the low half of a pair adding nothing). False, with Ends empty, when there is no measurer.
    bool DisplayEnds(std::u16string_view S, std::vector<int32_t>& Ends);
    // Width of S as drawn; 0 without a measurer.
    int32_t TextWidth(std::u16string_view S);
    TSize TextExtent(std::u16string_view S);
    TFontMetrics FontMetrics();

    // Whole characters of Text from Start on whose full drawn extent fits Width pixels (a tab
    // only when all of it fits; never half a surrogate pair): in [0, length - Start]. 0 for an
    // empty rest or Width < 1; -1 without a measurer.
    int32_t CharsInWidth(int32_t Width, std::u16string_view Text, int32_t Start);
    // Whole characters at the end of Text's first Count units that fit Width pixels.
    int32_t CharsInWidthFromRight(int32_t Width, std::u16string_view Text, int32_t Count);

private:
    ITextMeasurer* measurer_;
    std::u16string scratch_;
    std::vector<int32_t> scratchEnds_;
};

// With Ends the drawn ends of Text (DisplayEnds): the number of units from Start on whose full
// extent fits Width, ending on a character boundary.
int32_t FitUnits(const std::vector<int32_t>& Ends, std::u16string_view Text, int32_t Start, int32_t Width);
// With Ends as above: the smallest Start <= End such that Text[Start, End) fits Width, starting on
// a character boundary.
int32_t FitUnitsBefore(const std::vector<int32_t>& Ends, std::u16string_view Text, int32_t End, int32_t Width);
