#include "widgets/el/foundation/ElHTMLLayout.h"

#include <algorithm>
#include <climits>

namespace elhtml {

int32_t ClampSize(int64_t Value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(Value, INT32_MIN, INT32_MAX));
}

int32_t ItemAdvance(TElHTMLItem& Item)
{
    switch (Item.ItemType) {
    case hitText:
        return Item.GetWidth();
    case hitImage:
        // Images keep one pixel to the next item.
        return ClampSize(static_cast<int64_t>(Item.Width) + 1);
    case hitRule:
    case hitIndent:
        return Item.Width;
    default:
        return 0;
    }
}

int32_t LeadWidth(TElHTMLBreakItem& Break)
{
    return Break.ItemType == hitListItem && Break.ListNumber >= 1 ? Break.NumberWidth() : 0;
}

void LayoutItems(TElHTMLData& Data)
{
    auto& items = Data.Items;
    int64_t widest = 0, total = 0;
    size_t i = 0;
    while (i < items.size()) {
        auto& brk = static_cast<TElHTMLBreakItem&>(*items[i]);
        // A break's own height counts only for a line without items (its font keeps the empty
        // line open); followed by items, only the minimum line height stays.
        const bool hasItems = i + 1 < items.size() && !items[i + 1]->IsBreak();
        int32_t breakDescent = 0;
        int32_t breakHeight = brk.GetHeight(breakDescent);
        if (hasItems) {
            breakHeight = breakHeight > 0 ? std::max(Data.MinLineHeight, 0) : 0;
            breakDescent = 0;
        }
        // A line's height must hold the tallest item and, on the common baseline, the largest
        // ascent above the largest descent (a subscript lowers its text below the others').
        int64_t height = breakHeight;
        const bool fromFont = !hasItems && breakHeight > 0;
        int64_t ascent = fromFont ? breakHeight - breakDescent : 0;
        int64_t descent = fromFont ? breakDescent : 0;
        bool haveDescent = fromFont;
        int64_t running = LeadWidth(brk);
        size_t j = i + 1;
        for (; j < items.size() && !items[j]->IsBreak(); ++j) {
            TElHTMLItem& item = *items[j];
            int32_t d = 0;
            int32_t h = item.GetHeight(d);
            if (item.ItemType == hitText) {
                const int32_t cell = h;
                if (item.Flags & hifSubscript) {
                    h += cell / 4;
                    d += cell / 4;
                }
                if (item.Flags & hifSuperscript) {
                    h += cell * 2 / 3;
                    d -= cell / 2;
                }
                item.Width = item.GetWidth();
                ascent = std::max<int64_t>(ascent, static_cast<int64_t>(h) - d);
                descent = haveDescent ? std::max<int64_t>(descent, d) : d;
                haveDescent = true;
            }
            item.Height = h;
            item.Descent = d;
            height = std::max<int64_t>(height, h);
            if (item.ItemType == hitIndent && (item.Flags & hifAbsolute))
                running = item.Width;
            else
                running += ItemAdvance(item);
        }
        brk.Width = ClampSize(brk.Indent + running);
        brk.Height = ClampSize(std::max(height, ascent + descent));
        brk.LineDescent = ClampSize(descent);
        widest = std::max<int64_t>(widest, brk.Width);
        total += brk.Height;
        i = j;
    }
    Data.TextSize = {ClampSize(widest), ClampSize(total)};
}

TLineWalker::TLineWalker(TElHTMLData& Data, int32_t AreaWidth) : data_(Data), areaWidth_(AreaWidth) {}

bool TLineWalker::Next(TLine& Line)
{
    auto& items = data_.Items;
    if (next_ >= items.size())
        return false;
    Line.First = next_;
    Line.Break = static_cast<TElHTMLBreakItem*>(items[next_].get());
    size_t end = next_ + 1;
    while (end < items.size() && !items[end]->IsBreak())
        ++end;
    Line.End = end;
    next_ = end;

    const TElHTMLBreakItem& brk = *Line.Break;
    const int64_t w = std::max(areaWidth_, brk.Width);
    switch (brk.Align) {
    case haCenter:
        Line.X = ClampSize((w - brk.Width - 1) / 2);
        break;
    case haRight:
        Line.X = ClampSize(w - brk.Width - 1);
        break;
    default:
        Line.X = brk.Indent;
        break;
    }
    Line.Top = ClampSize(top_);
    Line.Baseline = ClampSize(top_ + brk.Height - brk.LineDescent);
    top_ += brk.Height;
    return true;
}

TRect MarkerBox(TElHTMLBreakItem& Break, const TLine& Line)
{
    const int32_t size = Break.GetWidth();
    const int32_t right = Line.X - 1;
    const int32_t top = Line.Top + (Line.Baseline - Line.Top - size) / 2;
    return {right - size, top, right, top + size};
}

TRect ItemBox(TElHTMLItem& Item, const TLine& Line, int32_t X, int32_t AreaWidth)
{
    switch (Item.ItemType) {
    case hitText: {
        const int32_t cell = Item.CellHeight();
        int32_t top = Line.Baseline - (cell - Item.CellDescent());
        if (Item.Flags & hifSubscript)
            top += cell / 4;
        if (Item.Flags & hifSuperscript)
            top -= cell / 2;
        return {X, top, ClampSize(static_cast<int64_t>(X) + Item.Width), top + cell};
    }
    case hitImage: {
        const int32_t top = Line.Top + (Line.Break->Height - Item.Height) / 2;
        return {X, top, ClampSize(static_cast<int64_t>(X) + Item.Width), ClampSize(static_cast<int64_t>(top) + Item.Height)};
    }
    case hitRule: {
        const int32_t width = Item.Width != 0 ? Item.Width : AreaWidth;
        const int32_t top = Line.Top + Line.Break->Height / 2;
        return {X, top, ClampSize(static_cast<int64_t>(X) + width), top + 2};
    }
    default:
        return {X, Line.Top, X, Line.Top};
    }
}

} // namespace elhtml
