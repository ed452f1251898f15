#include "widgets/el/foundation/ElSBGeometry.h"

#include <algorithm>

namespace {

// Number * Numerator / Denominator rounded half away from zero, for Number, Numerator >= 0 and
// Denominator > 0; every product here stays below 2^63.
int64_t MulDivRound(int64_t Number, int64_t Numerator, int64_t Denominator)
{
    return (Number * Numerator + Denominator / 2) / Denominator;
}

int32_t AutoThumbLength(const TElSBMetrics& Metrics, const TElSBRange& Range, int32_t Track)
{
    const bool emptyRange = Range.Max < static_cast<int64_t>(Range.Min) + 1;
    if (Range.Page <= 0)
        return emptyRange ? Track : Metrics.SystemThumbSize;
    if (emptyRange || static_cast<int64_t>(Range.Max) - Range.Min < Range.Page)
        return Track;
    return static_cast<int32_t>(MulDivRound(Track, Range.Page, Range.Extent()));
}

}  // namespace

TRect TElSBLayout::Band(int32_t From, int32_t To) const
{
    if (To <= From)
        return TRect{};
    return Vertical ? TRect{0, From, Thickness, To} : TRect{From, 0, To, Thickness};
}

TElSBLayout ComputeSBLayout(const TElSBMetrics& Metrics, const TElSBRange& Range, bool Vertical)
{
    TElSBLayout l;
    l.Vertical = Vertical;
    l.Length = std::max(0, Metrics.Length);
    l.Thickness = std::max(0, Metrics.Thickness);
    auto count = [&](bool shown) { return shown ? (Metrics.SecondaryButtons ? 2 : 1) : 0; };
    l.FirstButtons = count(Metrics.ShowFirstArrows);
    l.LastButtons = count(Metrics.ShowLastArrows);
    const int32_t buttons = l.FirstButtons + l.LastButtons;
    // Without buttons the size does not matter (and must not divide the length).
    l.ButtonSize = buttons == 0 ? 0 : std::max(0, Metrics.ButtonSize);
    if (buttons > 0 && static_cast<int64_t>(l.ButtonSize) * buttons > l.Length)
        l.ButtonSize = l.Length / buttons;

    const int32_t track = l.Track();
    int32_t thumb;
    if (Metrics.ThumbMode == etmFixed) {
        thumb = std::max(0, Metrics.FixedThumbSize);
    } else {
        thumb = std::max(AutoThumbLength(Metrics, Range, track), Metrics.MinThumbSize);
    }
    l.ThumbLength = thumb > track ? 0 : std::max(0, thumb);
    return l;
}

int32_t PositionToThumbOffset(const TElSBLayout& Layout, const TElSBRange& Range)
{
    const int64_t travel = Layout.Travel(), span = Range.Span();
    if (Layout.ThumbLength == 0 || travel <= 0 || Range.Max < Range.Min || span <= 0)
        return Layout.TrackStart();
    const int64_t from = std::clamp<int64_t>(static_cast<int64_t>(Range.Position) - Range.Min, 0, span);
    return Layout.TrackStart() + static_cast<int32_t>(MulDivRound(travel, from, span));
}

int32_t ThumbOffsetToPosition(const TElSBLayout& Layout, const TElSBRange& Range, int32_t ThumbOffset)
{
    const int64_t travel = Layout.Travel(), span = Range.Span();
    if (travel <= 0 || span <= 0)
        return Range.Clamp(Range.Min);
    const int64_t moved = std::clamp<int64_t>(static_cast<int64_t>(ThumbOffset) - Layout.TrackStart(), 0, travel);
    return Range.Clamp(Range.Min + MulDivRound(moved, span, travel));
}

TElSBPart HitTestSB(const TElSBLayout& Layout, const TElSBMetrics& Metrics, int32_t ThumbOffset, int32_t Along,
                    int32_t Across)
{
    if (Across < 0 || Across >= Layout.Thickness || Along < 0 || Along >= Layout.Length)
        return sbpNowhere;
    const int64_t a = Along, bs = Layout.ButtonSize, length = Layout.Length;
    if (Metrics.ShowFirstArrows && a < bs)
        return sbpFirstArrow;
    if (Metrics.ShowLastArrows && a >= length - bs)
        return sbpLastArrow;
    if (Metrics.SecondaryButtons) {
        if (Metrics.ShowFirstArrows && a >= bs && a < 2 * bs)
            return sbpSecondaryFirst;
        if (Metrics.ShowLastArrows && a >= length - 2 * bs && a < length - bs)
            return sbpSecondaryLast;
    }
    if (Layout.ThumbLength == 0)
        return sbpNowhere;
    if (a < ThumbOffset)
        return sbpPageBefore;
    if (a < static_cast<int64_t>(ThumbOffset) + Layout.ThumbLength)
        return sbpThumb;
    return sbpPageAfter;
}

TRect SBPartRect(const TElSBLayout& Layout, const TElSBMetrics& Metrics, int32_t ThumbOffset, TElSBPart Part)
{
    const int32_t bs = Layout.ButtonSize, length = Layout.Length;
    switch (Part) {
    case sbpFirstArrow:
        return Metrics.ShowFirstArrows ? Layout.Band(0, bs) : TRect{};
    case sbpSecondaryFirst:
        return Layout.FirstButtons == 2 ? Layout.Band(bs, 2 * bs) : TRect{};
    case sbpSecondaryLast:
        return Layout.LastButtons == 2 ? Layout.Band(length - 2 * bs, length - bs) : TRect{};
    case sbpLastArrow:
        return Metrics.ShowLastArrows ? Layout.Band(length - bs, length) : TRect{};
    case sbpPageBefore:
        return Layout.ThumbLength ? Layout.Band(Layout.TrackStart(), ThumbOffset) : TRect{};
    case sbpThumb:
        return Layout.ThumbLength ? Layout.Band(ThumbOffset, ThumbOffset + Layout.ThumbLength) : TRect{};
    case sbpPageAfter:
        return Layout.ThumbLength ? Layout.Band(ThumbOffset + Layout.ThumbLength, Layout.TrackEnd()) : TRect{};
    default:
        return TRect{};
    }
}

TPoint PlaceTrackHint(bool Vertical, TPoint BarOrigin, TPoint Offset, TSize HintSize, const TRect& Desktop)
{
    TPoint p{BarOrigin.X + Offset.X, BarOrigin.Y + Offset.Y};
    if (Vertical)
        p.X -= HintSize.cx;
    else
        p.Y -= HintSize.cy;
    p.X = std::max(std::min(p.X, Desktop.Right - HintSize.cx), Desktop.Left);
    p.Y = std::max(std::min(p.Y, Desktop.Bottom - HintSize.cy), Desktop.Top);
    return p;
}
