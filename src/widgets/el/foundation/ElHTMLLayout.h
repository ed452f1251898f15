// Line geometry of the HTML renderer, shared by the parser's word wrap, the layout, painting
// and the link hit test, so that all of them place every item at the same x.
// Internal to TElHTMLRender.
#pragma once

#include "widgets/el/foundation/ElHTMLRender.h"

#include <cstddef>
#include <cstdint>

namespace elhtml {

// How far an item moves x along its line (an absolute indent sets x instead).
int32_t ItemAdvance(TElHTMLItem& Item);
// Where the line's items start, relative to the line's x: the width of a list number.
int32_t LeadWidth(TElHTMLBreakItem& Break);
// Saturating conversion of a running sum to a 32-bit size.
int32_t ClampSize(int64_t Value);

// Measures every line: the break items get the line's width, height and descent; the data
// gets TextSize.
void LayoutItems(TElHTMLData& Data);

// One laid-out line in text coordinates (lines stacked from 0, x within an area of a given
// width).
struct TLine {
    size_t First = 0;  // index of the break item
    size_t End = 0;    // one past the line's last item
    TElHTMLBreakItem* Break = nullptr;
    int32_t Top = 0;
    int32_t X = 0;         // the line's start: indent, centred or right-aligned
    int32_t Baseline = 0;
    int32_t Bottom() const { return Top + Break->Height; }
};

// Walks the lines of laid-out data from the top.
class TLineWalker {
public:
    TLineWalker(TElHTMLData& Data, int32_t AreaWidth);
    bool Next(TLine& Line);

private:
    TElHTMLData& data_;
    int32_t areaWidth_;
    size_t next_ = 0;
    int64_t top_ = 0;
};

// Where an item of a line lies, in text coordinates. Box is empty for indents.
struct TPlacedItem {
    TElHTMLItem* Item = nullptr;
    TRect Box;
};

// Visits the items of Line in order with their boxes: the one placement that painting and the
// hit test share. AreaWidth is the width a rule of width 0 spans.
template <class FVisit>
void ForEachPlacedItem(TElHTMLData& Data, const TLine& Line, int32_t AreaWidth, FVisit&& Visit);

// The marker box of a list item line (bullet or number), left of the line's x.
TRect MarkerBox(TElHTMLBreakItem& Break, const TLine& Line);

// Box of an item at X within Line (text: its character cell, shifted for sub- and superscript).
TRect ItemBox(TElHTMLItem& Item, const TLine& Line, int32_t X, int32_t AreaWidth);

template <class FVisit>
void ForEachPlacedItem(TElHTMLData& Data, const TLine& Line, int32_t AreaWidth, FVisit&& Visit)
{
    int64_t x = static_cast<int64_t>(Line.X) + LeadWidth(*Line.Break);
    for (size_t i = Line.First + 1; i < Line.End; ++i) {
        TElHTMLItem& item = *Data.Items[i];
        if (item.ItemType == hitIndent && (item.Flags & hifAbsolute))
            x = static_cast<int64_t>(Line.X) + item.Width;
        const int32_t at = ClampSize(x);
        Visit(TPlacedItem{&item, ItemBox(item, Line, at, AreaWidth)});
        if (!(item.ItemType == hitIndent && (item.Flags & hifAbsolute)))
            x += ItemAdvance(item);
    }
}

} // namespace elhtml
